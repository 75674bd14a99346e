// Form-letter templates: the placeholder replacement with its control tokens,
// the DOS character conversion, reading and writing template files, and the
// editor's load, save and direct print.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Datum.h"
#include "app/IOStoerung.h"
#include "app/Konfiguration.h"
#include "app/Testumgebung.h"
#include "app/Text.h"
#include "letters/Vorlage.h"
#include "printing/Druck.h"
#include "support/TestDrucker.h"

namespace davo::letters {
namespace {

using addresses::AktAdresse;
using app::FrageErgebnis;

class VorlageTest : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    datumVorher = app::DatumHeute;
    app::DatumHeute = "24.12.2024";
    AktAdresse.SetzeText(addresses::Anrede, "Herr");
    AktAdresse.SetzeText(addresses::Name1, "Meier");
    AktAdresse.SetzeText(addresses::Name2, "AK");
    AktAdresse.SetzeText(addresses::Ort, "!ORT");
    AktAdresse.SetzeText(addresses::BIC, "COBADEFFXXX");
    AktAdresse.SetzeText(addresses::Steuernummer, "123/456");
    AktAdresse.SetzeFlaeche(125000);  // 12,5 ha
  }
  void TearDown() override {
    app::DatumHeute = datumVorher;
    printing::InstalliereDrucker(nullptr);
    CoreTest::TearDown();
  }
  // A job in normal mode whose start is forgotten.
  void JobInNormalschrift() {
    dialoge.Druckantworten.push_back(true);
    printing::DruckBeginn();
    printing::DruckSteuerung(printing::SchmalAus);
    druck.band.Leeren();
  }

  test::Druckaufbau druck;
  std::string datumVorher;
};

class PlatzhalterTest : public VorlageTest {};

TEST_F(PlatzhalterTest, ErsetzenUndSteuerzeichenInTabellenfolge) {
  struct Fall { std::string Zeile, Ergebnis, Band; };
  const std::vector<Fall> faelle = {
      {"Sehr geehrte(r) !ANRE !NAM1,", "Sehr geehrte(r) Herr Meier,", ""},
      {"!NAM1!NAM1", "MeierMeier", ""},
      {"!nam1 bleibt", "!nam1 bleibt", ""},
      {"ABFBC xFE", "ABC x", "fett ein\nfett aus\n"},
      {"FE vorn FB hinten", " vorn  hinten", "fett ein\nfett aus\n"},  // table order, not text order
      {"Nr. !STNR/!USID.", "Nr. /.", ""},
      {"!HA ha", "     12,5000 ha", ""},
      {"in !ORT und !ORT", "in !ORT und !ORT", ""},  // each inserted once
      {"BIC: !BIC", "BIC: COBADEXXX", "neue-seite\n"},
      {"am !DATUM", "am 24.12.2024", ""},
      {"!INI!POFA", "", ""},
      {"KBKEGBGE", "", "groesse 7\ngroesse 10\ngroesse 20\ngroesse 10\n"},
      {"!NAM2B", "A", "groesse 7\n"},  // the inserted value forms "KB" with the text after it
      {"fb ff kb !Nam1", "fb ff kb !Nam1", ""},
  };
  JobInNormalschrift();
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Zeile);
    druck.band.Leeren();
    EXPECT_EQ(f.Ergebnis, ErsetzePlatzhalter(f.Zeile));
    EXPECT_EQ(f.Band, druck.band.AlsText());
  }
  printing::DruckEnde();
}

TEST_F(PlatzhalterTest, SteuerzeichenOhneOffenenDruckauftrag) {
  EXPECT_EQ(" x", ErsetzePlatzhalter("FFKBFB x"));
  EXPECT_EQ("", druck.band.AlsText());
  EXPECT_EQ(0, printing::Druckzustand.Seite);
}

TEST_F(PlatzhalterTest, DosNachWindowsByteFuerByte) {
  const std::string dos = "\x15\xF5\x81\x84\x8E\x94\x99\x9A\xE1" "A\xE4\x8A";
  const std::string win = "\xA7\xA7\xFC\xE4\xC4\xF6\xD6\xDC\xDF" "A\xE4\x8A";
  EXPECT_EQ(win, DosNachWindows(dos));
}

TEST_F(VorlageTest, TextdateiLesenZeilenenden) {
  struct Fall { std::string Inhalt; std::vector<std::string> Zeilen; };
  const std::vector<Fall> faelle = {
      {std::string(300, 'a') + "\r\nzwei\r\n", {std::string(255, 'a'), "zwei"}},
      {std::string(256, 'b') + "c\nx", {std::string(255, 'b'), "x"}},
      {"eins\nzwei\n", {"eins", "zwei"}},
      {"eins\r\n\r\ndrei", {"eins", "", "drei"}},
      {"", {}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Inhalt.substr(0, 12));
    test::SchreibeAlles(ordner / "v.txt", f.Inhalt);
    std::vector<std::string> zeilen;
    EXPECT_EQ(Leseergebnis::Gelesen, TextdateiLesen(Pfad("v.txt"), false, zeilen));
    EXPECT_EQ(f.Zeilen, zeilen);
  }
  std::vector<std::string> zeilen;
  EXPECT_EQ(Leseergebnis::NichtGeoeffnet, TextdateiLesen(Pfad("fehlt.txt"), false, zeilen));
  EXPECT_EQ(std::vector<std::string>{"Datei " + Pfad("fehlt.txt") + " nicht gefunden"}, dialoge.Meldungen);
}

TEST_F(VorlageTest, LadenMitDosFrageNurBeimZweitenFilter) {
  struct Fall { int Filter; std::optional<FrageErgebnis> Antwort; std::vector<std::string> Zeilen; };
  const std::vector<std::string> roh = {"Gr\x81\xE1" "e \x84", "\x15 1"};
  const std::vector<Fall> faelle = {
      {1, FrageErgebnis::Ja, {"Gr\xFC\xDF" "e \xE4", "\xA7 1"}},
      {1, FrageErgebnis::Nein, roh},
      {1, FrageErgebnis::Geschlossen, roh},
      {0, std::nullopt, roh},
      {2, std::nullopt, roh},
  };
  test::SchreibeAlles(ordner / "dos.txt", "Gr\x81\xE1" "e \x84\r\n\x15 1\r\n");
  for (const auto& f : faelle) {
    SCOPED_TRACE("Filter " + std::to_string(f.Filter));
    dialoge.Fragen.clear();
    app::Konfiguration.SetzeSerienbriefdatei("vorher.txt");
    dialoge.WaehleDatei((ordner / "dos.txt").string(), f.Filter);
    if (f.Antwort) dialoge.Antworten.push_back(*f.Antwort);
    EditorModell editor;
    editor.Zeilen = {"alt"};
    editor.Laden();
    EXPECT_EQ(f.Zeilen, editor.Zeilen);
    EXPECT_EQ(Pfad("dos.txt"), app::Konfiguration.Serienbriefdatei());
    ASSERT_EQ(f.Antwort ? 1u : 0u, dialoge.Fragen.size());
    if (f.Antwort) {
      EXPECT_EQ("Dateiname: " + Pfad("dos.txt"), dialoge.Fragen[0].Oben);
      EXPECT_EQ("Soll die Textdatei von Dos zu Windows umgewandelt werden?", dialoge.Fragen[0].Frage);
      EXPECT_FALSE(dialoge.Fragen[0].JaVorgewaehlt);
    }
  }
  ASSERT_EQ(faelle.size(), dialoge.Dateidialoge.size());
  EXPECT_EQ("Windows-Text|*.txt|DOS- Text|*.txt|alle Dateien|*.*", dialoge.Dateidialoge[0].Filter);
  EXPECT_EQ("c:\\zq-soft\\Reredazo", dialoge.Dateidialoge[0].StartOrdner);
  EXPECT_EQ("vorher.txt", dialoge.Dateidialoge[0].Dateiname);
  EXPECT_TRUE(dialoge.Meldungen.empty());
  // The configuration file holds the chosen template.
  app::Konfiguration.Leeren();
  app::LiesKonfiguration();
  EXPECT_EQ(Pfad("dos.txt"), app::Konfiguration.Serienbriefdatei());
}

TEST_F(VorlageTest, LadenAbgebrochenFehlendOderLesefehler) {
  app::Konfiguration.SetzeSerienbriefdatei("vorher.txt");
  dialoge.BrichDateidialogAb();
  EditorModell editor;
  editor.Zeilen = {"alt", "text"};
  editor.Laden();
  EXPECT_EQ((std::vector<std::string>{"alt", "text"}), editor.Zeilen);
  EXPECT_EQ("vorher.txt", app::Konfiguration.Serienbriefdatei());
  EXPECT_TRUE(dialoge.Meldungen.empty());
  EXPECT_TRUE(dialoge.Fragen.empty());
  EXPECT_FALSE(std::filesystem::exists(KonfigDatei()));

  // A file that cannot be opened: reported, the text stays, the path is kept.
  dialoge.WaehleDatei((ordner / "fehlt.txt").string());
  editor.Laden();
  EXPECT_EQ((std::vector<std::string>{"alt", "text"}), editor.Zeilen);
  EXPECT_EQ(std::vector<std::string>{"Datei " + Pfad("fehlt.txt") + " nicht gefunden"}, dialoge.Meldungen);
  EXPECT_EQ(Pfad("fehlt.txt"), app::Konfiguration.Serienbriefdatei());

  // A read error at the first line: the editor was emptied, one message.
  dialoge.Meldungen.clear();
  test::SchreibeAlles(ordner / "v.txt", "eins\r\n");
  app::SetzeIOStoerung(
      [](app::IOOperation op, const std::filesystem::path&) { return op == app::IOOperation::Lesen ? 100 : 0; });
  dialoge.WaehleDatei((ordner / "v.txt").string());
  editor.Laden();
  app::SetzeIOStoerung(nullptr);
  EXPECT_TRUE(editor.Zeilen.empty());
  EXPECT_EQ(std::vector<std::string>{"Fehler beim Lesen! Datei: " + Pfad("v.txt")}, dialoge.Meldungen);
}

TEST_F(VorlageTest, SpeichernMitCrLfUndNeuerVorlagendatei) {
  app::Konfiguration.SetzeSerienbriefdatei("vorher.txt");
  dialoge.WaehleDatei((ordner / "neu.txt").string());
  EditorModell editor;
  editor.Zeilen = {"Sehr geehrte(r) !ANRE \xE4", "", "Ende"};
  editor.Speichern();
  EXPECT_EQ("Sehr geehrte(r) !ANRE \xE4\r\n\r\nEnde\r\n", test::LiesAlles(ordner / "neu.txt"));
  EXPECT_EQ(Pfad("neu.txt"), app::Konfiguration.Serienbriefdatei());
  ASSERT_EQ(1u, dialoge.Dateidialoge.size());
  EXPECT_EQ("Textdatei|*.txt", dialoge.Dateidialoge[0].Filter);
  EXPECT_EQ("C:\\zq-soft\\Reredazo", dialoge.Dateidialoge[0].StartOrdner);
  EXPECT_EQ("vorher.txt", dialoge.Dateidialoge[0].Dateiname);
  EXPECT_TRUE(dialoge.Meldungen.empty());

  // A file that cannot be created: reported, and the path is kept all the same.
  dialoge.WaehleDatei((ordner / "fehlt" / "x.txt").string());
  editor.Speichern();
  EXPECT_EQ(1u, dialoge.Meldungen.size());
  EXPECT_EQ(Ansi(ordner / "fehlt" / "x.txt"), app::Konfiguration.Serienbriefdatei());
}

TEST_F(VorlageTest, DirektdruckMitSteuerzeichenVorJedemAuftrag) {
  app::Konfiguration.SetzeDruckLinks(100);
  app::Konfiguration.SetzeDruckOben(200);
  EditorModell editor;
  editor.Zeilen = {"Herr !NAM1", "KBklein", "GBgross", "KEnormal", "FBfett", "FFneu", std::string(300, 'z')};
  dialoge.Druckantworten.push_back(true);
  editor.Drucken("Arial", 12);
  // Line n at DruckOben + n x the height of that line in the font then set
  // (12 pt: 120 px; before any job condensed 7 pt: 70 px, wide 20 pt: 200 px,
  // normal 10 pt: 100 px).
  EXPECT_EQ("beginn\nschrift Arial\ngroesse 12\n"
            "text 100 200 Herr Meier\n"
            "groesse 7\ntext 100 270 klein\n"
            "groesse 20\ntext 100 600 gross\n"
            "groesse 10\ntext 100 500 normal\n"
            "fett ein\ntext 100 600 fett\n"
            "neue-seite\ntext 100 700 neu\n"
            "text 100 800 " + std::string(255, 'z') + "\nende\n",
            druck.band.AlsText());
  EXPECT_FALSE(printing::DokumentOffen());

  druck.band.Leeren();
  dialoge.Druckantworten.push_back(false);
  editor.Drucken("Arial", 12);
  EXPECT_EQ("", druck.band.AlsText());
}

}  // namespace
}  // namespace davo::letters
