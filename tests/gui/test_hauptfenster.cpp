// The main window: its menu, the caption with the active address file, the
// routing of menu commands and the configuration file written on close.

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/DU_HauptmenueKolvar3.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "gui/Fensterhilfen.h"
#include "support/SkriptDialoge.h"

using davo::gui::TF_Kolvar3;
using namespace davo::test;

namespace {

const QString TitelAnfang = QStringLiteral(" ZQ-Davozedizarorevodo  // ");

struct Menuezeile {
  const char* pfad;  // captions as shown, levels separated by "|"
  bool aktiv;
};

// The complete main menu, top to bottom.
const Menuezeile Hauptmenue[] = {
    {"Adressen|Erfassen/Bearbeiten", true},
    {"Adressen|Alle Adressen|Aktion \"Auszahlung freigeben\" ausschalten", true},
    {"Adressen|Alle Adressen|Aktion \"Auszahlung freigeben\" einschalten", true},
    {"Adressen|Alle Adressen|Aktion \"Serienbrief drucken\" ausschalten", true},
    {"Adressen|Alle Adressen|Aktion \"Serienbrief drucken\" einschalten", true},
    {"Adressen|Alle Adressen|Adressen mit Auszahlung \"Serienbrief drucken\" einschalten", true},
    {"Adressen|Filtern|Alle Gruppennummern --> 0", true},
    {"Adressen|Filtern|Aktion: Serienbrief  -->1 ", true},
    {"Adressen|Filtern|Aktion: Auszahlung freigegeben -->1", true},
    {"Adressen|Serienbrief|Serienbrief bearbeiten", true},
    {"Adressen|Serienbrief|Serienbrief drucken", true},
    {"Adressen|Exportdatei Adressen für Serienbriefe erstellen ", true},
    {"Adressen|Exportdatei  BLZ+Kontonr. erstellen", true},
    {"Adressen|Sepadaten importieren", true},
    {"Adressen|Adressdatei von DOS-Version importieren", true},
    {"Adressen|Aktive Adressendatei wählen", true},
    {"Adressen|Neue Adressendatei anlegen", true},
    {"Flurstücke|CSV-Datei einlesen", true},
    {"SEPA|Konten", false},
    {"SEPA|Überweisungen", false},
    {"SEPA|Sepadatei anzeigen", true},
    {"Auszahlung", true},
    {"Hilfe|Handbuch", true},
    {"Hilfe|Über ZQ-Davozedizarorevodo", true},
};

// The caption as the user reads it: "&x" shows x, "&&" shows "&".
QString Angezeigt(const QString& text) {
  QString ergebnis;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    ergebnis += text[i];
  }
  return ergebnis;
}

QAction* Finde(QMenuBar* leiste, const QString& pfad) {
  QList<QAction*> ebene = leiste->actions();
  const QStringList teile = pfad.split(QLatin1Char('|'));
  for (qsizetype i = 0; i < teile.size(); ++i) {
    QAction* gefunden = nullptr;
    for (QAction* a : ebene)
      if (!a->isSeparator() && Angezeigt(a->text()) == teile[i]) gefunden = a;
    if (!gefunden) return nullptr;
    if (i + 1 == teile.size()) return gefunden;
    if (!gefunden->menu()) return nullptr;
    ebene = gefunden->menu()->actions();
  }
  return nullptr;
}

void Blaetter(const QList<QAction*>& ebene, const QString& vorne, QStringList& pfade) {
  for (QAction* a : ebene) {
    if (a->isSeparator()) continue;
    const QString pfad = vorne.isEmpty() ? Angezeigt(a->text()) : vorne + QLatin1Char('|') + Angezeigt(a->text());
    if (a->menu())
      Blaetter(a->menu()->actions(), pfad, pfade);
    else
      pfade << pfad;
  }
}

qint64 Dateigroesse(const QString& pfad) {
  QFileInfo info(pfad);
  return info.exists() ? info.size() : -1;
}

}  // namespace

class TestHauptfenster : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> ordner;
  std::unique_ptr<davo::test::SkriptDialoge> dialoge;

  QString Konfigdatei() const { return ordner->filePath(QStringLiteral("Davozedizarorevodo.KON")); }

  void Waehle(TF_Kolvar3& fenster, const QString& pfad) {
    QAction* punkt = Finde(fenster.menuBar(), pfad);
    QVERIFY2(punkt, qPrintable(pfad));
    punkt->trigger();
  }

 private slots:
  void init() { QVERIFY(Einrichten(ordner, dialoge)); }

  void cleanup() { Abbauen(ordner, dialoge); }

  void menuepunkt_data() {
    QTest::addColumn<QString>("pfad");
    QTest::addColumn<bool>("aktiv");
    for (const Menuezeile& z : Hauptmenue) QTest::newRow(z.pfad) << QString::fromUtf8(z.pfad) << z.aktiv;
  }

  void menuepunkt() {
    QFETCH(QString, pfad);
    QFETCH(bool, aktiv);
    TF_Kolvar3 fenster;
    QAction* punkt = Finde(fenster.menuBar(), pfad);
    QVERIFY2(punkt, qPrintable(pfad));
    QCOMPARE(punkt->isEnabled(), aktiv);
    QVERIFY(!punkt->objectName().isEmpty());
  }

  void menueHatGenauDiesePunkteInDieserReihenfolge() {
    TF_Kolvar3 fenster;
    QStringList erwartet;
    for (const Menuezeile& z : Hauptmenue) erwartet << QString::fromUtf8(z.pfad);
    QStringList pfade;
    Blaetter(fenster.menuBar()->actions(), QString(), pfade);
    QCOMPARE(pfade, erwartet);
  }

  // Every item of a level has its own mnemonic (Alt+A opens "Adressen").
  void tastenkuerzelJeEbeneEindeutig() {
    TF_Kolvar3 fenster;
    QCOMPARE(fenster.menuBar()->actions().first()->text(), QStringLiteral("&Adressen"));
    QList<QList<QAction*>> ebenen{fenster.menuBar()->actions()};
    while (!ebenen.isEmpty()) {
      const QList<QAction*> ebene = ebenen.takeFirst();
      QString kuerzel;
      for (QAction* a : ebene) {
        if (a->isSeparator()) continue;
        const QString text = a->text();
        const qsizetype und = text.indexOf(QLatin1Char('&'));
        QVERIFY2(und >= 0 && und + 1 < text.size(), qPrintable(text));
        const QChar taste = text[und + 1].toLower();
        QVERIFY2(!kuerzel.contains(taste), qPrintable(text));
        kuerzel += taste;
        if (a->menu()) ebenen << a->menu()->actions();
      }
    }
  }

  void ersterStartOhneKonfiguration() {
    TF_Kolvar3 fenster;
    QCOMPARE(fenster.windowTitle(), TitelAnfang);
    QCOMPARE(Dateigroesse(Konfigdatei()), qint64(0));
    QVERIFY(dialoge->Meldungen.empty());
  }

  void titelNachWahlDerAdressdatei_data() {
    QTest::addColumn<QString>("menuepunkt");
    QTest::addColumn<QList<int>>("antworten");  // FrageErgebnis, in order
    QTest::addColumn<bool>("dateiAngelegt");
    QTest::newRow("waehlen") << QStringLiteral("Adressen|Aktive Adressendatei wählen") << QList<int>() << false;
    QTest::newRow("anlegen, ja") << QStringLiteral("Adressen|Neue Adressendatei anlegen")
                                 << QList<int>{int(davo::app::FrageErgebnis::Ja)} << true;
    QTest::newRow("anlegen, nein") << QStringLiteral("Adressen|Neue Adressendatei anlegen")
                                   << QList<int>{int(davo::app::FrageErgebnis::Nein)} << false;
  }

  // A "." in a folder name does not cut the caption.
  void titelNachWahlDerAdressdatei() {
    QFETCH(QString, menuepunkt);
    QFETCH(QList<int>, antworten);
    QFETCH(bool, dateiAngelegt);
    QVERIFY(QDir(ordner->path()).mkdir(QStringLiteral("jagd.2024")));
    const QString datei = ordner->filePath(QStringLiteral("jagd.2024/Mitglieder.ADW"));
    dialoge->WaehleDatei(datei.toStdString());
    for (int a : antworten) dialoge->Antworten.push_back(davo::app::FrageErgebnis(a));

    TF_Kolvar3 fenster;
    Waehle(fenster, menuepunkt);

    QCOMPARE(fenster.windowTitle(), TitelAnfang + ordner->filePath(QStringLiteral("jagd.2024/Mitglieder")));
    QCOMPARE(Dateigroesse(datei), dateiAngelegt ? qint64(0) : qint64(-1));
    KeineOffenenDialoge(*dialoge);
  }

  void befehlOeffnetZuerstDieAdressdatei_data() {
    QTest::addColumn<QString>("menuepunkt");
    QTest::addColumn<bool>("oeffnet");
    QTest::newRow("Erfassen") << QStringLiteral("Adressen|Erfassen/Bearbeiten") << true;
    QTest::newRow("Gruppen") << QStringLiteral("Adressen|Filtern|Alle Gruppennummern --> 0") << true;
    QTest::newRow("Sepadatei") << QStringLiteral("SEPA|Sepadatei anzeigen") << true;
    QTest::newRow("Sepadaten") << QStringLiteral("Adressen|Sepadaten importieren") << true;
    QTest::newRow("Auszahlung") << QStringLiteral("Auszahlung") << true;
    QTest::newRow("Flurstücke") << QStringLiteral("Flurstücke|CSV-Datei einlesen") << false;
    QTest::newRow("Handbuch") << QStringLiteral("Hilfe|Handbuch") << false;
  }

  // Without an active address file, opening it asks for one first.
  void befehlOeffnetZuerstDieAdressdatei() {
    QFETCH(QString, menuepunkt);
    QFETCH(bool, oeffnet);
    if (oeffnet) dialoge->BrichDateidialogAb();
    TF_Kolvar3 fenster;
    Waehle(fenster, menuepunkt);
    QCOMPARE(dialoge->Dateidialoge.size(), std::size_t(oeffnet ? 1 : 0));
    KeineOffenenDialoge(*dialoge);
  }

  void verbundenerBefehlLaeuftNurBeiGeoeffneterAdressdatei_data() {
    QTest::addColumn<bool>("dateiVorhanden");
    QTest::addColumn<int>("aufrufe");
    QTest::newRow("Datei vorhanden") << true << 1;
    QTest::newRow("Dateiwahl abgebrochen") << false << 0;
  }

  void verbundenerBefehlLaeuftNurBeiGeoeffneterAdressdatei() {
    QFETCH(bool, dateiVorhanden);
    QFETCH(int, aufrufe);
    const QString datei = ordner->filePath(QStringLiteral("Mitglieder.ADW"));
    TF_Kolvar3 fenster;  // reads the configuration: set the active file afterwards
    if (dateiVorhanden) {
      QVERIFY(SchreibeAdressdatei(datei, {}));
      davo::app::Konfiguration.SetzeAdressdatei(datei.toStdString());
    } else {
      dialoge->BrichDateidialogAb();
    }
    int gerufen = 0;
    fenster.Verbinde(davo::app::Befehl::AdressenBearbeiten, [&gerufen] { ++gerufen; });
    Waehle(fenster, QStringLiteral("Adressen|Erfassen/Bearbeiten"));
    QCOMPARE(gerufen, aufrufe);
    KeineOffenenDialoge(*dialoge);
  }

  void schliessenSchreibtDieKonfiguration() {
    const QString datei = ordner->filePath(QStringLiteral("Jagd/Mitglieder.ADW"));
    dialoge->WaehleDatei(datei.toStdString());
    {
      TF_Kolvar3 fenster;
      fenster.show();
      QVERIFY(QTest::qWaitForWindowExposed(&fenster));
      Waehle(fenster, QStringLiteral("Adressen|Aktive Adressendatei wählen"));
      QVERIFY(fenster.close());
      QCOMPARE(Dateigroesse(Konfigdatei()), qint64(davo::app::TKonfiguration::Groesse));
    }
    // The next start reads the file and shows the chosen file again.
    const auto vorgabe = davo::app::KonfigOrdnerVorgabe;
    davo::test::GlobalenZuruecksetzen();
    davo::app::KonfigOrdnerVorgabe = vorgabe;
    TF_Kolvar3 zweites;
    QCOMPARE(zweites.windowTitle(), TitelAnfang + ordner->filePath(QStringLiteral("Jagd/Mitglieder")));
    KeineOffenenDialoge(*dialoge);
  }

  void titelFolgtBeimAktivieren() {
    TF_Kolvar3 fenster;
    davo::app::AktAdrBasis = "/daten/jagd";
    fenster.show();
    fenster.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fenster));
    QCOMPARE(fenster.windowTitle(), TitelAnfang + QStringLiteral("/daten/jagd"));
  }
};

QTEST_MAIN(TestHauptfenster)
#include "test_hauptfenster.moc"
