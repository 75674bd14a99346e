// The desktop program's printer: every job is recorded with the printer's
// measures and then drawn on the printer (here a PDF file) or shown in the
// preview; a cancelled print dialog prints nothing.

#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>

#include "QtDruckflaeche.h"
#include "app/DU_Einstdruck.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/IOStoerung.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "gui/Fensterhilfen.h"
#include "gui/ModalesFenster.h"
#include "gui/PdfDrucker.h"
#include "letters/Vorlage.h"
#include "printing/Druck.h"
#include "printing/QtDrucker.h"
#include "support/SkriptDialoge.h"

using davo::gui::QtDrucker;
using davo::printing::Aufzeichnung;
using davo::qtdruck::QtDruckflaeche;
using namespace davo::test;
namespace printing = davo::printing;

namespace {

// A report engine job of the given pages: a header, a line, a cell too narrow
// for its text (cut by measuring), a bold line in wide mode.
void Bericht(int seiten) {
  printing::DruckReset();
  printing::DruckBeginn();
  for (int s = 1; s <= seiten; ++s) {
    printing::DruckText("Seite " + std::to_string(s));
    printing::DruckSteuerung(printing::Zeilenvorschub);
    printing::DruckZelle(
        "Gr\xFC\xDF"
        "e an alle Eigent\xFCmer der Jagdgenossenschaft",
        12);
    printing::DruckRechts("12,50", 10);
    printing::DruckSteuerung(printing::Zeilenvorschub);
    printing::DruckSteuerung(printing::BreitEin);
    printing::DruckSteuerung(printing::FettEin);
    printing::DruckZelle("Auszahlung", 8);
    printing::DruckSteuerung(printing::BreitAus);
    if (s < seiten) printing::DruckSteuerung(printing::Seitenvorschub);
  }
  printing::DruckEnde();
}

// What the printer is left with by an earlier job.
void Vorher(const QString& art) {
  if (art == QLatin1String("fett")) {
    printing::DruckReset();
    printing::DruckBeginn();
    printing::DruckSteuerung(printing::FettEin);
    printing::DruckText("fett");
    printing::DruckEnde();
  } else if (art == QLatin1String("Direktdruck")) {
    davo::letters::EditorModell editor;
    editor.Zeilen = {"Nicht proportional"};
    editor.Drucken("DejaVu Sans Mono", 20);
  }
}

// Pages of a PDF file (its page objects), -1 when it is no PDF file.
int PdfSeiten(const QString& pfad) {
  QFile datei(pfad);
  if (!datei.open(QIODevice::ReadOnly)) return -1;
  const QByteArray inhalt = datei.readAll();
  if (!inhalt.startsWith("%PDF")) return -1;
  static const QRegularExpression seite(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
  int n = 0;
  for (auto treffer = seite.globalMatch(QString::fromLatin1(inhalt)); treffer.hasNext(); treffer.next()) ++n;
  return n;
}

}  // namespace

class TestDruck : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> ordner;
  std::unique_ptr<davo::test::SkriptDialoge> dialoge;
  std::unique_ptr<davo::gui::TF_einstDruck> einstellungen;
  std::unique_ptr<QtDrucker> drucker;
  QList<std::string> auftraege;  // AlsText of every job handed on

  QString Pdf() const { return ordner->filePath(QStringLiteral("ausgabe.pdf")); }
  QPrinter* Geraet() const { return einstellungen->Drucker(); }

 private slots:
  void init() {
    QVERIFY(Einrichten(ordner, dialoge));
    PdfDruckerEinrichten(einstellungen, drucker, Pdf());
    auftraege.clear();
    drucker->Beobachter = [this](const Aufzeichnung& a) { auftraege << a.AlsText(); };
  }

  void cleanup() {
    drucker.reset();
    QVERIFY(!printing::Drucker());
    QVERIFY(!QtDrucker::Aktiv());
    einstellungen.reset();
    KeineOffenenDialoge(*dialoge);
    Abbauen(ordner, dialoge);
  }

  void pdfDatei_data() {
    QTest::addColumn<int>("seiten");
    QTest::newRow("eine Seite") << 1;
    QTest::newRow("zwei Seiten") << 2;
    QTest::newRow("fünf Seiten") << 5;
  }

  // A job goes straight into the PDF file, page for page, under its title.
  void pdfDatei() {
    QFETCH(int, seiten);
    dialoge->Druckantworten.push_back(true);
    Bericht(seiten);
    QCOMPARE(drucker->Auftraege(), 1);
    QCOMPARE(PdfSeiten(Pdf()), seiten);
    QCOMPARE(Geraet()->docName(), QStringLiteral("Velmora"));
  }

  void geometrie_data() {
    QTest::addColumn<QString>("vorher");
    QTest::newRow("erster Auftrag") << QString();
    QTest::newRow("nach fettem Auftrag") << QStringLiteral("fett");
    QTest::newRow("nach Direktdruck in anderer Schrift") << QStringLiteral("Direktdruck");
  }

  // The recording is measured as the printer measures: replayed it draws the
  // same; and the same job measured on a fresh surface over the printer gives
  // the same recording, whatever an earlier job left set.
  void geometrie() {
    QFETCH(QString, vorher);
    dialoge->Druckantworten = {true, true, true};
    if (vorher.isEmpty()) dialoge->Druckantworten.pop_back();
    Vorher(vorher);
    Bericht(2);
    QVERIFY(!auftraege.isEmpty());
    const std::string aufgezeichnet = auftraege.last();
    QVERIFY(aufgezeichnet.find("text ") != std::string::npos);

    QtDruckflaeche messen(Geraet());
    Aufzeichnung wieder(&messen);
    Aufzeichnung kopie(nullptr);
    drucker->Beobachter = [&kopie](const Aufzeichnung& a) { a.Wiedergeben(kopie); };
    dialoge->Druckantworten.push_back(true);
    Bericht(2);
    kopie.Wiedergeben(wieder);
    QCOMPARE(QString::fromStdString(wieder.AlsText()), QString::fromStdString(aufgezeichnet));

    QtDruckflaeche frischeFlaeche(Geraet());
    Aufzeichnung frisch(&frischeFlaeche);
    printing::InstalliereDrucker(&frisch);
    Bericht(2);
    printing::InstalliereDrucker(nullptr);
    QCOMPARE(QString::fromStdString(frisch.AlsText()), QString::fromStdString(aufgezeichnet));
  }

  void abgebrochen_data() {
    QTest::addColumn<QString>("auftrag");
    QTest::newRow("Bericht") << QStringLiteral("Bericht");
    QTest::newRow("Direktdruck") << QStringLiteral("Direktdruck");
  }

  // After a cancelled print dialog nothing is handed on or written, and the
  // next job starts clean.
  void abgebrochen() {
    QFETCH(QString, auftrag);
    dialoge->Druckantworten.push_back(false);
    if (auftrag == QLatin1String("Bericht"))
      Bericht(2);
    else
      Vorher(auftrag);
    QCOMPARE(drucker->Auftraege(), 0);
    QVERIFY(!QFile::exists(Pdf()));

    dialoge->Druckantworten.push_back(true);
    Bericht(1);
    QCOMPARE(auftraege.size(), 1);
    QVERIFY(QString::fromStdString(auftraege[0]).startsWith(QStringLiteral("hoch\ntitel Velmora\nbeginn\n")));
  }

  void vorschau_data() {
    QTest::addColumn<bool>("druckenAusVorschau");
    QTest::addColumn<int>("pdfSeiten");  // -1: no file
    QTest::newRow("Vorschau geschlossen") << false << -1;
    QTest::newRow("aus der Vorschau gedruckt") << true << 2;
  }

  // With the preview chosen, the job opens Qt's print preview with all its
  // pages; only its print command puts it on the printer.
  void vorschau() {
    QFETCH(bool, druckenAusVorschau);
    QFETCH(int, pdfSeiten);
    einstellungen->SetzeVorschauZeigen(true);
    dialoge->Druckantworten.push_back(true);
    QString fenster;
    int vorschauSeiten = -1;
    AmModalenFenster([&](QWidget* modal) {
      fenster = QString::fromLatin1(modal->metaObject()->className());
      auto* ansicht = modal->findChild<QPrintPreviewWidget*>();
      if (!ansicht) return;
      ansicht->updatePreview();
      vorschauSeiten = ansicht->pageCount();
      if (druckenAusVorschau) ansicht->print();
      modal->close();
    });
    Bericht(2);
    QCOMPARE(fenster, QStringLiteral("QPrintPreviewDialog"));
    QCOMPARE(vorschauSeiten, 2);
    QCOMPARE(drucker->Auftraege(), 1);
    QCOMPARE(PdfSeiten(Pdf()), pdfSeiten);
    QCOMPARE(dialoge->Meldungen.size(), std::size_t{0});
  }

  void volleDisk_data() {
    QTest::addColumn<bool>("alteDatei");
    QTest::newRow("neue Datei") << false;
    QTest::newRow("alte Datei") << true;
  }

  // A PDF file that cannot be put in place whole is not there afterwards (or
  // is the old one), and the failure is said.
  void volleDisk() {
    QFETCH(bool, alteDatei);
    if (alteDatei) {
      QFile alt(Pdf());
      QVERIFY(alt.open(QIODevice::WriteOnly) && alt.write("%PDF- alt") == 9);
    }
    davo::app::SetzeIOStoerung([](davo::app::IOOperation op, const std::filesystem::path&) {
      return op == davo::app::IOOperation::Umbenennen ? davo::app::io::DiskVoll : 0;
    });
    dialoge->Druckantworten.push_back(true);
    Bericht(1);
    davo::app::SetzeIOStoerung(nullptr);
    QCOMPARE(PdfSeiten(Pdf()), alteDatei ? 0 : -1);
    QCOMPARE(QDir(ordner->path()).entryList(QDir::Files),
             alteDatei ? QStringList{QStringLiteral("ausgabe.pdf")} : QStringList{});
    QCOMPARE(dialoge->Meldungen.size(), std::size_t{1});
  }
};

QTEST_MAIN(TestDruck)
#include "test_druck.moc"
