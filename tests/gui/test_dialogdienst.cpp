// The Qt dialog service at the border between the program's Windows-1252
// text and Qt: file dialog filters, start folders and chosen paths, the
// information box and the chooser.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/Dialoge.h"
#include "app/Pfade.h"
#include "app/QtDialogDienst.h"
#include "app/Text.h"
#include "gui/Fensterhilfen.h"
#include "gui/ModalesFenster.h"
#include "support/SkriptDialoge.h"

using davo::test::AmModalenFenster;
using davo::test::NeuerTestordner;

namespace {

std::string Ansi(const QString& text) { return davo::app::Utf8NachAnsi(text.toStdString()); }

}  // namespace

class TestDialogdienst : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<davo::gui::QtDialogDienst> dienst;
  std::unique_ptr<QTemporaryDir> ordner;

  // "<tmp>" stands for the test's folder.
  QString ImOrdner(QString text) const { return text.replace(QStringLiteral("<tmp>"), ordner->path()); }

 private slots:
  void init() {
    davo::test::GlobalenZuruecksetzen();
    ordner = NeuerTestordner();
    QVERIFY(ordner->isValid());
    QVERIFY(QDir(ordner->path()).mkpath(QStringLiteral("zq-soft/Reredazo/2024")));
    davo::app::HomeOrdnerFuerTests = davo::gui::FsPfad(ordner->path());
    dienst = std::make_unique<davo::gui::QtDialogDienst>();
    davo::app::InstalliereDialogDienst(dienst.get());
  }

  void cleanup() {
    davo::app::InstalliereDialogDienst(nullptr);
    dienst.reset();
    ordner.reset();
    davo::test::GlobalenZuruecksetzen();
  }

  void filter_data() {
    QTest::addColumn<QByteArray>("filter");  // cp1252
    QTest::addColumn<QString>("qt");
    QTest::newRow("zwei Einträge") << QByteArray("Windows-Adressendatei|*.ADW|Alle Dateien|*.*")
                                   << QStringLiteral("Windows-Adressendatei (*.ADW);;Alle Dateien (*.*)");
    QTest::newRow("mehrere Muster") << QByteArray("Texte|*.txt;*.csv") << QStringLiteral("Texte (*.txt *.csv)");
    QTest::newRow("Umlaut") << QByteArray(
                                   "Flurst\xFC"
                                   "cke|*.csv")
                            << QStringLiteral("Flurstücke (*.csv)");
    QTest::newRow("leer") << QByteArray() << QString();
    QTest::newRow("Beschreibung ohne Muster") << QByteArray("Alle|*.*|Rest") << QStringLiteral("Alle (*.*)");
  }

  void filter() {
    QFETCH(QByteArray, filter);
    QFETCH(QString, qt);
    QCOMPARE(davo::gui::QtFilter(filter.toStdString()), qt);
  }

  void startordner_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("dateiname");
    QTest::addColumn<QString>("erwartet");  // "~": the home folder
    QTest::newRow("vorhanden") << "<tmp>/zq-soft/Reredazo" << QString() << "<tmp>/zq-soft/Reredazo";
    QTest::newRow("fehlt: nächster vorhandener")
        << "<tmp>/zq-soft/Reredazo/2025/Juli" << QString() << "<tmp>/zq-soft/Reredazo";
    QTest::newRow("Laufwerk, Groß/klein egal")
        << "C:\\ZQ-Soft\\Reredazo\\2024" << QString() << "<tmp>/zq-soft/Reredazo/2024";
    QTest::newRow("Laufwerk, fehlt") << "c:\\Daten\\Jagd" << QString() << "<tmp>";
    QTest::newRow("Ordner des Dateinamens") << "<tmp>"
                                            << "<tmp>/zq-soft/Reredazo/2024/Mitglieder.ADW"
                                            << "<tmp>/zq-soft/Reredazo/2024";
    QTest::newRow("Ordner des Dateinamens fehlt") << "<tmp>/zq-soft"
                                                  << "<tmp>/alt/Mitglieder.ADW"
                                                  << "<tmp>/zq-soft";
    QTest::newRow("nichts") << QString() << QString() << "~";
  }

  void startordner() {
    QFETCH(QString, start);
    QFETCH(QString, dateiname);
    QFETCH(QString, erwartet);
    davo::app::DateiDialog dialog;
    dialog.StartOrdner = Ansi(ImOrdner(start));
    dialog.Dateiname = Ansi(ImOrdner(dateiname));
    const QString soll = erwartet == QLatin1String("~") ? QDir::homePath() : ImOrdner(erwartet);
    QCOMPARE(QDir::cleanPath(davo::gui::DialogOrdner(dialog)), QDir::cleanPath(soll));
  }

  void dateiwahl_data() {
    QTest::addColumn<bool>("speichern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("filterVorgabe");
    QTest::addColumn<int>("filterGewaehlt");  // -1: left as it was
    QTest::addColumn<bool>("darstellbar");
    QTest::newRow("öffnen") << false << QStringLiteral("Mitglieder.ADW") << 0 << -1 << true;
    QTest::newRow("öffnen, Umlaut, anderer Filter") << false << QStringLiteral("Müller €.ADW") << 0 << 1 << true;
    QTest::newRow("öffnen, Zeichen außerhalb") << false << QStringLiteral("Łódź.ADW") << 1 << -1 << false;
    QTest::newRow("speichern, vorhandene Datei") << true << QStringLiteral("Mitglieder.ADW") << 1 << 0 << true;
  }

  // The real file dialog: it starts in the mapped folder with the preset
  // filter, and the path comes back in both encodings.
  void dateiwahl() {
    QFETCH(bool, speichern);
    QFETCH(QString, name);
    QFETCH(int, filterVorgabe);
    QFETCH(int, filterGewaehlt);
    QFETCH(bool, darstellbar);
    const QString start = ordner->filePath(QStringLiteral("zq-soft/Reredazo"));
    const QString pfad = start + QLatin1Char('/') + name;
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::WriteOnly));
    datei.close();

    davo::app::DateiDialog dialog;
    dialog.Titel = "Adressdatei w\xE4hlen";
    dialog.Filter = "Windows-Adressendatei|*.ADW|Alle Dateien|*.*";
    dialog.StartOrdner = "C:\\ZQ-Soft\\Reredazo";
    dialog.FilterIndex = filterVorgabe;
    const QStringList filter = {QStringLiteral("Windows-Adressendatei (*.ADW)"), QStringLiteral("Alle Dateien (*.*)")};

    QString titel, ordnerBeimStart, filterBeimStart;
    bool speicherDialog = false;
    AmModalenFenster([&](QWidget* fenster) {
      auto* dateidialog = qobject_cast<QFileDialog*>(fenster);
      QVERIFY(dateidialog);
      titel = dateidialog->windowTitle();
      ordnerBeimStart = dateidialog->directory().absolutePath();
      filterBeimStart = dateidialog->selectedNameFilter();
      speicherDialog = dateidialog->acceptMode() == QFileDialog::AcceptSave;
      if (filterGewaehlt >= 0) dateidialog->selectNameFilter(filter[filterGewaehlt]);
      // As the user types it (keyClicks cannot type non-ASCII text).
      auto* eingabe = dateidialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      QVERIFY(eingabe);
      eingabe->setText(name);
      static_cast<QDialog*>(dateidialog)->accept();  // QFileDialog::accept is protected
    });
    const auto wahl = speichern ? davo::app::SpeichernDialog(dialog) : davo::app::OeffnenDialog(dialog);

    QCOMPARE(titel, QStringLiteral("Adressdatei wählen"));
    QCOMPARE(ordnerBeimStart, start);
    QCOMPARE(filterBeimStart, filter[filterVorgabe]);
    QCOMPARE(speicherDialog, speichern);
    QVERIFY(wahl.has_value());
    QCOMPARE(QString::fromStdString(wahl->PfadUtf8), QDir::toNativeSeparators(pfad));
    QCOMPARE(wahl->Darstellbar, darstellbar);
    QCOMPARE(wahl->Pfad, darstellbar ? Ansi(QDir::toNativeSeparators(pfad)) : std::string());
    QCOMPARE(wahl->FilterIndex, filterGewaehlt >= 0 ? filterGewaehlt : filterVorgabe);
  }

  void dateiwahlAbgebrochen() {
    AmModalenFenster([](QWidget* fenster) { qobject_cast<QDialog*>(fenster)->reject(); });
    davo::app::DateiDialog dialog;
    dialog.Filter = "Alle Dateien|*.*";
    QVERIFY(!davo::app::OeffnenDialog(dialog).has_value());
  }

  void meldungMitEinemOkKnopf_data() {
    QTest::addColumn<bool>("warnung");
    QTest::newRow("Meldung") << false;
    QTest::newRow("Warnung") << true;
  }

  // Information and warning (file errors, refused input) differ in their
  // icon; both are wide enough for the whole caption, even for a short text.
  void meldungMitEinemOkKnopf() {
    QFETCH(bool, warnung);
    QString titel, text;
    int knoepfe = 0;
    QMessageBox::Icon symbol = QMessageBox::NoIcon;
    int breite = 0;
    AmModalenFenster([&](QWidget* fenster) {
      auto* box = qobject_cast<QMessageBox*>(fenster);
      QVERIFY(box);
      titel = box->windowTitle();
      text = box->text();
      knoepfe = int(box->buttons().size());
      symbol = box->icon();
      breite = box->width();
      box->button(QMessageBox::Ok)->click();
    });
    if (warnung)
      davo::app::ZeigeWarnung("F\xFCr <M>!");
    else
      davo::app::ZeigeMeldung("F\xFCr <M>!");
    QCOMPARE(titel, QStringLiteral("ZQ-Davozedizarorevodo"));
    QCOMPARE(text, QStringLiteral("Für <M>!"));
    QCOMPARE(knoepfe, 1);
    QCOMPARE(symbol, warnung ? QMessageBox::Warning : QMessageBox::Information);
    QVERIFY(breite > QFontMetrics(QApplication::font()).horizontalAdvance(titel) + 100);
  }

  void auswahl_data() {
    QTest::addColumn<int>("klick");  // -1: closed without choosing
    QTest::addColumn<int>("index");
    QTest::newRow("dritter geklickt") << 2 << 2;
    QTest::newRow("geschlossen: Vorgabe bleibt") << -1 << 1;
  }

  void auswahl() {
    QFETCH(int, klick);
    QFETCH(int, index);
    davo::app::Auswahltexte = {"Liste",
                               "\xDC"
                               "berweisung",
                               "Deckblatt",
                               "Ende",
                               "",
                               ""};
    QStringList angeboten;
    AmModalenFenster([&](QWidget* fenster) {
      const auto knoepfe = fenster->findChildren<QRadioButton*>();
      for (QRadioButton* k : knoepfe) angeboten << k->text();
      if (klick < 0)
        fenster->close();
      else
        QTest::mouseClick(knoepfe[klick], Qt::LeftButton, {}, QPoint(6, knoepfe[klick]->height() / 2));
    });
    int gewaehlt = 1;
    davo::app::WaehleAus("SEPA-Datei", 4, gewaehlt);
    QCOMPARE(angeboten, QStringList({QStringLiteral("Liste"), QStringLiteral("Überweisung"),
                                     QStringLiteral("Deckblatt"), QStringLiteral("Ende")}));
    QCOMPARE(gewaehlt, index);
  }
};

QTEST_MAIN(TestDialogdienst)
#include "test_dialogdienst.moc"
