// The template editor window: its controls, loading Windows and DOS texts,
// saving them back unchanged, the editor font and printing the text for the
// current owner.

#include <QCheckBox>
#include <QFile>
#include <QFontDialog>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>

#include "QtDruckflaeche.h"
#include "addresses/Adresse.h"
#include "app/DU_Einstdruck.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "gui/Fensterhilfen.h"
#include "gui/ModalesFenster.h"
#include "gui/PdfDrucker.h"
#include "letters/DU_serienbriefeditor.h"
#include "printing/Druck.h"
#include "printing/QtDrucker.h"
#include "support/SkriptDialoge.h"

using davo::app::FrageErgebnis;
using davo::app::Konfiguration;
using davo::gui::TF_serienbriefeditor;
using namespace davo::test;

namespace {

QString Ansi(const QByteArray& bytes) { return davo::gui::AusAnsi(bytes.toStdString()); }

}  // namespace

class TestSerienbriefeditor : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> ordner;
  std::unique_ptr<davo::test::SkriptDialoge> dialoge;
  std::unique_ptr<davo::gui::TF_einstDruck> einstellungen;
  std::unique_ptr<davo::gui::QtDrucker> drucker;
  std::unique_ptr<TF_serienbriefeditor> fenster;
  QStringList auftraege;

  QString Pfad(const char* name) const { return ordner->filePath(QString::fromLatin1(name)); }
  QString Pdf() const { return Pfad("ausgabe.pdf"); }

  void Schreibe(const char* name, const QByteArray& inhalt) {
    QFile f(Pfad(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
  }

  QByteArray Lies(const char* name) const {
    QFile f(Pfad(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
  }

  QPlainTextEdit* Editor() const { return Kind<QPlainTextEdit>(fenster.get(), "RichEdit1"); }
  void Klicke(const char* knopf) { davo::test::Klicke(fenster.get(), knopf); }

  void Laden(const char* name, int filter) {
    dialoge->WaehleDatei(Pfad(name).toStdString(), filter);
    Klicke("LadenBtn");
  }

 private slots:
  void init() {
    QVERIFY(Einrichten(ordner, dialoge));
    PdfDruckerEinrichten(einstellungen, drucker, Pdf());
    AuftraegeMitschreiben(*drucker, auftraege);
    fenster = std::make_unique<TF_serienbriefeditor>();
  }

  void cleanup() {
    fenster.reset();
    drucker.reset();
    einstellungen.reset();
    Abbauen(ordner, dialoge);
  }

  void steuerelement_data() {
    const Steuerelementzeile zeilen[] = {
        {"F_serienbriefeditor", "davo::gui::TF_serienbriefeditor", "Serienbriefeditor"},
        {"RichEdit1", "QPlainTextEdit", ""},
        {"LadenBtn", "QPushButton", "Datei laden"},
        {"SpeichernBtn", "QPushButton", "Datei speichern"},
        {"SchriftBtn", "QPushButton", "Schrift einstellen"},
        {"DruckenBtn", "QPushButton", "Datei drucken"},
        {"VorschauCheck", "QCheckBox", "Vor dem Drucken Vorschau zeigen"},
    };
    Steuerelementzeilen(zeilen);
  }

  void steuerelement() { PruefeSteuerelement(fenster.get()); }

  void laden_data() {
    QTest::addColumn<QByteArray>("datei");  // bytes of the file chosen
    QTest::addColumn<int>("filter");        // -1: the dialog is cancelled
    QTest::addColumn<int>("antwort");       // to the DOS question, -1: none asked
    QTest::addColumn<QString>("gezeigt");
    QTest::newRow("Windows-Text mit Umlauten")
        << QByteArray(
               "Sehr geehrte(r) !ANRE !NAM1,\r\nGr\xFC\xDF"
               "e aus M\xFCnchen\r\n")
        << 0 << -1 << QStringLiteral("Sehr geehrte(r) !ANRE !NAM1,\nGrüße aus München");
    QTest::newRow("DOS-Text, umgewandelt") << QByteArray(
                                                  "Gr\x81\xE1"
                                                  "e\r\nK\x84se \x15 3\r\n")
                                           << 1 << int(FrageErgebnis::Ja) << QStringLiteral("Grüße\nKäse § 3");
    QTest::newRow("DOS-Text, nicht umgewandelt")
        << QByteArray("K\x84se\r\n") << 1 << int(FrageErgebnis::Nein) << QStringLiteral("K\u201Ese");
    QTest::newRow("abgebrochen") << QByteArray("neu\r\n") << -1 << -1 << QStringLiteral("bisher");
  }

  // The file's lines in the editor, converted from DOS when the user says so
  // for the second filter.
  void laden() {
    QFETCH(QByteArray, datei);
    QFETCH(int, filter);
    QFETCH(int, antwort);
    QFETCH(QString, gezeigt);
    Schreibe("brief.txt", datei);
    Editor()->setPlainText(QStringLiteral("bisher"));
    if (antwort >= 0) dialoge->Antworten.push_back(FrageErgebnis(antwort));
    if (filter < 0) {
      dialoge->BrichDateidialogAb();
      Klicke("LadenBtn");
    } else {
      Laden("brief.txt", filter);
    }
    QCOMPARE(Editor()->toPlainText(), gezeigt);
    QCOMPARE(dialoge->Fragen.size(), std::size_t(antwort >= 0 ? 1 : 0));
    if (antwort >= 0) {
      QCOMPARE(Ansi(QByteArray::fromStdString(dialoge->Fragen[0].Oben)),
               QStringLiteral("Dateiname: ") + Pfad("brief.txt"));
      QCOMPARE(Ansi(QByteArray::fromStdString(dialoge->Fragen[0].Frage)),
               QStringLiteral("Soll die Textdatei von Dos zu Windows umgewandelt werden?"));
      QVERIFY(!dialoge->Fragen[0].JaVorgewaehlt);
    }
    QCOMPARE(QString::fromStdString(Konfiguration.Serienbriefdatei()), filter < 0 ? QString() : Pfad("brief.txt"));
    QVERIFY(dialoge->Meldungen.empty());
    KeineOffenenDialoge(*dialoge);
  }

  void speichern_data() {
    QTest::addColumn<bool>("geladen");  // inhalt is a file loaded first, else typed (UTF-8)
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QByteArray>("gespeichert");
    const QByteArray umlaute(
        "Gr\xFC\xDF"
        "e\r\n\xC4rger um 5 \x80\r\n");
    const QByteArray leerzeilen("\r\nEins\r\n\r\n\r\n");
    QTest::newRow("geladen, Umlaute") << true << umlaute << umlaute;
    QTest::newRow("geladen, Leerzeilen") << true << leerzeilen << leerzeilen;
    QTest::newRow("getippt") << false << QByteArray("Zeile 1\nStraße")
                             << QByteArray(
                                    "Zeile 1\r\nStra\xDF"
                                    "e\r\n");
    QTest::newRow("leer") << false << QByteArray() << QByteArray();
  }

  // Every line of the editor with CR LF in Windows-1252: a loaded file comes
  // back byte for byte.
  void speichern() {
    QFETCH(bool, geladen);
    QFETCH(QByteArray, inhalt);
    QFETCH(QByteArray, gespeichert);
    if (geladen) {
      Schreibe("alt.txt", inhalt);
      Laden("alt.txt", 0);
    } else {
      Editor()->setPlainText(QString::fromUtf8(inhalt));
    }
    dialoge->WaehleDatei(Pfad("neu.txt").toStdString());
    Klicke("SpeichernBtn");
    QCOMPARE(Lies("neu.txt"), gespeichert);
    QCOMPARE(QString::fromStdString(Konfiguration.Serienbriefdatei()), Pfad("neu.txt"));
    QVERIFY(dialoge->Meldungen.empty());
    KeineOffenenDialoge(*dialoge);
  }

  void schrift_data() {
    QTest::addColumn<bool>("annehmen");
    QTest::newRow("angenommen") << true;
    QTest::newRow("abgebrochen") << false;
  }

  // The dialog starts from the editor's font; taken are name and size, kept
  // in the configuration with the height in pixels as a negative number.
  void schrift() {
    QFETCH(bool, annehmen);
    QFont start(QStringLiteral("DejaVu Sans"), 11);
    start.setItalic(true);
    Editor()->setFont(start);
    QString angeboten;
    AmModalenFenster([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFontDialog*>(modal);
      if (!dialog) return;
      angeboten = dialog->currentFont().family();
      QFont neu(QStringLiteral("DejaVu Serif"), 17);
      neu.setBold(true);
      dialog->setCurrentFont(neu);
      if (annehmen)
        dialog->accept();
      else
        dialog->reject();
    });
    Klicke("SchriftBtn");
    QCOMPARE(angeboten, QStringLiteral("DejaVu Sans"));
    const QFont schrift = Editor()->font();
    QCOMPARE(schrift.family(), annehmen ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    QCOMPARE(schrift.pointSize(), annehmen ? 17 : 11);
    QVERIFY(schrift.italic());
    QVERIFY(!schrift.bold());
    QCOMPARE(QString::fromStdString(Konfiguration.Schriftname()),
             annehmen ? QStringLiteral("DejaVu Serif") : QString());
    QCOMPARE(Konfiguration.Schriftgroesse(), annehmen ? 17 : 0);
    QCOMPARE(Konfiguration.Schrifthoehe(), annehmen ? -QFontInfo(schrift).pixelSize() : 0);
    if (annehmen) QVERIFY(Konfiguration.Schrifthoehe() < 0);
  }

  void aktivierung_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("hoehe");
    QTest::addColumn<int>("groesse");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("punkte");  // -1: set in pixels
    QTest::addColumn<int>("pixel");   // -1: set in points
    QTest::newRow("Name, Höhe und Größe") << "DejaVu Serif" << -21 << 15 << "DejaVu Serif" << 15 << -1;
    QTest::newRow("ohne Namen") << "" << -21 << 15 << "DejaVu Sans" << 11 << -1;
  }

  // Showing the window applies the stored font when it has a name.
  void aktivierung() {
    QFETCH(QString, name);
    QFETCH(int, hoehe);
    QFETCH(int, groesse);
    QFETCH(QString, family);
    QFETCH(int, punkte);
    QFETCH(int, pixel);
    Editor()->setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    Konfiguration.SetzeSchriftname(name.toStdString());
    Konfiguration.SetzeSchrifthoehe(hoehe);
    Konfiguration.SetzeSchriftgroesse(groesse);
    fenster->show();
    const QFont schrift = Editor()->font();
    fenster->close();
    QCOMPARE(schrift.family(), family);
    QCOMPARE(schrift.pointSize(), punkte);
    QCOMPARE(schrift.pixelSize(), pixel);
  }

  void drucken_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("drucken");     // the print dialog's answer
    QTest::addColumn<QString>("auftrag");  // "%1": y of the second line
    QTest::addColumn<int>("pdfSeiten");    // -1: no file
    QTest::newRow("Platzhalter und Fettschrift")
        << QStringLiteral("Sehr geehrte(r) !ANRE !NAM1,\nFBGrüße") << true
        << QStringLiteral(
               "beginn\nschrift DejaVu Serif\ngroesse 12\ntext 100 50 Sehr geehrte(r) Herr Meier,\n"
               "fett ein\ntext 100 %1 Grüße\nende\n")
        << 1;
    QTest::newRow("Seitenvorschub zählt weiter")
        << QStringLiteral("Seite 1\nFFSeite 2") << true
        << QStringLiteral(
               "beginn\nschrift DejaVu Serif\ngroesse 12\ntext 100 50 Seite 1\nneue-seite\n"
               "text 100 %1 Seite 2\nende\n")
        << 2;
    QTest::newRow("Druckdialog abgebrochen") << QStringLiteral("Seite 1") << false << QString() << -1;
  }

  // The editor's text in its font, line n at DruckLinks, DruckOben + n times
  // the printer's text height, placeholders filled from the current owner.
  void drucken() {
    QFETCH(QString, text);
    QFETCH(bool, drucken);
    QFETCH(QString, auftrag);
    QFETCH(int, pdfSeiten);
    davo::addresses::AktAdresse.SetzeText(davo::addresses::Anrede, "Herr");
    davo::addresses::AktAdresse.SetzeText(davo::addresses::Name1, "Meier");
    Konfiguration.SetzeDruckLinks(100);
    Konfiguration.SetzeDruckOben(50);
    Editor()->setFont(QFont(QStringLiteral("DejaVu Serif"), 12));
    Editor()->setPlainText(text);
    dialoge->Druckantworten.push_back(drucken);
    Klicke("DruckenBtn");

    davo::qtdruck::QtDruckflaeche messen(einstellungen->Drucker());
    messen.SetzeSchrift("DejaVu Serif");
    messen.SetzeSchriftgroesse(12);
    messen.SetzeFett(auftrag.contains(QLatin1String("fett ein")));
    const QStringList erwartet =
        drucken ? QStringList{auftrag.arg(50 + messen.TextHoehe(std::string()))} : QStringList{};
    QCOMPARE(auftraege, erwartet);
    int seiten = -1;
    QFile pdf(Pdf());
    if (pdf.open(QIODevice::ReadOnly)) {
      const QByteArray inhalt = pdf.readAll();
      QVERIFY(inhalt.startsWith("%PDF"));
      seiten = static_cast<int>(inhalt.count("/Type /Page\n"));
    }
    QCOMPARE(seiten, pdfSeiten);
    KeineOffenenDialoge(*dialoge);
  }

  // The check box shows the shared choice when the window opens and sets it.
  void vorschauCheck() {
    auto* check = Kind<QCheckBox>(fenster.get(), "VorschauCheck");
    einstellungen->SetzeVorschauZeigen(true);
    fenster->show();
    QVERIFY(check->isEnabled());
    QVERIFY(check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
    QVERIFY(!einstellungen->VorschauZeigen());
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
    QVERIFY(einstellungen->VorschauZeigen());
    fenster->close();
  }
};

QTEST_MAIN(TestSerienbriefeditor)
#include "test_serienbriefeditor.moc"
