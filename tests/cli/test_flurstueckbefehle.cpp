// Runs the built davo program's command "flurstuecke" on small cadastre files
// written here byte by byte, and checks the table it prints, the export file,
// the address records it appends, its messages and its exit status.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/Adresssaetze.h"
#include "support/CliLauf.h"
#include "support/CliTest.h"

namespace {

namespace fs = std::filesystem;
using namespace davo::test;

// --- the cadastre -------------------------------------------------------------------
// Parcel 1 has two owners of one half each, parcel 2 two owners of a third and
// two thirds (Hans Müller owns in both), parcel 3 is not huntable ("Wald"),
// has one owner without a share, a birth name and date, and a tab inside its
// Flur. The surname "weber" is in lower case, so only an upper-case sort key
// puts it before "Zander".
const std::string kKopf = Ansi("Kennung;Gemarkung;Flur;Flurstück;Bejagdbarkeit;Fläche;Eigentümer\r\n");
const std::string kKataster =
    kKopf + Ansi(
                "1;Feldheim;3;17/2;ZJEN;1234;a, b, c, 1/2, Müller, Hans, Dorfstraße 5, 31000 Feldheim;"
                "a, b, c, 1/2, Örtel, Änne, Am Bach 1, 31000 Feldheim\r\n"
                "2;Feldheim;4;8;ZJEN;1000;a, b, c, 1/3, weber, Karl, Weg 2, 31001 Au;"
                "a, b, c, 2/3, Müller, Hans, Dorfstraße 5, 31000 Feldheim\r\n"
                "3;Au;1\t2;9;Wald;5000;a, b, c, Zander, Udo, Hof 3, 31002 Zell, geb. Meier, 1950-03-12\r\n");

// The table rows in file order, columns 1 to 14 as the program prints them.
// Parts keep the blank behind their comma; 1234/2 = 617, 1000/3 = 333,33 and
// 2000/3 = 666,67 m²; parcel 3 counts 0.
const std::vector<std::string> kZeilen = {
    "Feldheim\t3\t17/2\tZJEN\t1234\t 1/2\t      617\t Müller\t Hans\t Dorfstraße 5\t 31000 Feldheim\t\t\t\n",
    "Feldheim\t3\t17/2\tZJEN\t1234\t 1/2\t      617\t Örtel\t Änne\t Am Bach 1\t 31000 Feldheim\t\t\t\n",
    "Feldheim\t4\t8\tZJEN\t1000\t 1/3\t      333\t weber\t Karl\t Weg 2\t 31001 Au\t\t\t\n",
    "Feldheim\t4\t8\tZJEN\t1000\t 2/3\t      667\t Müller\t Hans\t Dorfstraße 5\t 31000 Feldheim\t\t\t\n",
    "Au\t1 2\t9\tWald\t5000\t\t        0\t Zander\t Udo\t Hof 3\t 31002 Zell\t\t 1950-03-12\t geb. Meier\n",
};

// --- address records ----------------------------------------------------------------

// An appended owner: every byte zero but these four texts (UTF-8) and the
// area in m² = hectares x 10000.
Satz Eigentuemer(const std::string& name1, const std::string& sortierung, const std::string& strasse,
                 const std::string& ort, std::int64_t flaeche) {
  return {.Texte = AnsiTexte({{Name1, name1}, {Sortierung, sortierung}, {Strasse, strasse}, {Ort, ort}}),
          .Flaeche = flaeche};
}

// Name1 is first name, blank, surname; Sortierung surname, "; ", first name;
// the cells lose the blank each of them starts with.
Satz Mueller(std::int64_t flaeche) {
  return Eigentuemer("Hans Müller", "Müller; Hans", "Dorfstraße 5", "31000 Feldheim", flaeche);
}
const Satz kOertel = Eigentuemer("Änne Örtel", "Örtel; Änne", "Am Bach 1", "31000 Feldheim", 617);
const Satz kWeber = Eigentuemer("Karl weber", "weber; Karl", "Weg 2", "31001 Au", 333);
const Satz kZander = Eigentuemer("Udo Zander", "Zander; Udo", "Hof 3", "31002 Zell", 0);

std::vector<std::string> Spalten(const std::string& zeile) {
  std::vector<std::string> s;
  std::stringstream ein(zeile);
  for (std::string feld; std::getline(ein, feld, '\t');) s.push_back(feld);
  return s;
}

// Always with a configuration folder of its own.
class DavoFlurstuecke : public CliTest {
 protected:
  DavoFlurstuecke() : CliTest("davo_flst_", Konfigordner::Uebergeben) {}

  fs::path Kataster(const std::string& inhalt = kKataster) const {
    const fs::path p = Pfad("Kataster Größe.csv");
    SchreibeDatei(p, inhalt);
    return p;
  }
};

// --- the table --------------------------------------------------------------------

TEST_F(DavoFlurstuecke, TabelleZeigtJedeZeileMitSpalteEinsBisVierzehnInUtf8) {
  const Lauf lauf = Davo({"flurstuecke", Kataster().string(), "--tabelle"});
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;
  std::string erwartet;
  for (const std::string& z : kZeilen) erwartet += z;
  EXPECT_EQ(lauf.Aus, erwartet);
  EXPECT_EQ(lauf.Fehler, "");
  EXPECT_TRUE(fs::is_empty(ordner_ / "konfig")) << "without an address file no configuration is written";

  // Without options the file is only read.
  const Lauf still = Davo({"flurstuecke", Kataster().string()});
  EXPECT_EQ(still.Status, 0) << still.Fehler;
  EXPECT_EQ(still.Aus, "");
  EXPECT_EQ(still.Fehler, "");
}

TEST_F(DavoFlurstuecke, SortierenStelltDieZeilenJedesEigentuemersZusammen) {
  const Lauf lauf = Davo({"flurstuecke", "--tabelle", Kataster().string(), "--sortieren"});
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;
  std::vector<std::pair<std::string, std::string>> folge;  // Nachname, Anteilige Fläche
  std::stringstream ein(lauf.Aus);
  for (std::string zeile; std::getline(ein, zeile);) {
    const std::vector<std::string> s = Spalten(zeile);
    ASSERT_GE(s.size(), 8u) << zeile;
    folge.emplace_back(s[7], s[6]);
  }
  // Upper-case key in byte order: "WEBER" before "ZANDER", "Ö" behind "Z";
  // Müller's two rows keep the order of the file.
  const std::vector<std::pair<std::string, std::string>> erwartet = {{" Müller", "      617"},
                                                                     {" Müller", "      667"},
                                                                     {" weber", "      333"},
                                                                     {" Zander", "        0"},
                                                                     {" Örtel", "      617"}};
  EXPECT_EQ(folge, erwartet);
}

TEST_F(DavoFlurstuecke, NurKopfzeileGibtEineLeereTabelle) {
  const fs::path adr = Pfad("Leer.ADW");
  const Lauf lauf = Davo({"flurstuecke", Kataster(kKopf).string(), "--tabelle", "--in-adressdatei", adr.string()});
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Aus, "");
  EXPECT_EQ(lauf.Fehler, "Import abgeschlossen!\n");
  ASSERT_TRUE(fs::exists(adr));
  EXPECT_EQ(fs::file_size(adr), 0u);
}

// --- export -----------------------------------------------------------------------

TEST_F(DavoFlurstuecke, ExportSchreibtDieSortierteTabelleMitTitelzeile) {
  const fs::path ziel = Pfad("neu/unter/Export.csv");
  const Lauf lauf = Davo({"flurstuecke", Kataster().string(), "--export", ziel.string(), "--sortieren"});
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Aus, "");
  EXPECT_EQ(lauf.Fehler, "");
  // Columns 0 to 14, each ended by ";", as Windows-1252 bytes; the tab of
  // the Flur stays as it is.
  const std::string erwartet = Ansi(
      ";Gemarkung;Flur;Flurstück;Bejagdbarkeit;Fläche;Anteil;Anteilige Fläche;Nachname;Vorname;Straße;Ort;;"
      "Geburtstag;Geb.Name;\r\n"
      ";Feldheim;3;17/2;ZJEN;1234; 1/2;      617; Müller; Hans; Dorfstraße 5; 31000 Feldheim;;;;\r\n"
      ";Feldheim;4;8;ZJEN;1000; 2/3;      667; Müller; Hans; Dorfstraße 5; 31000 Feldheim;;;;\r\n"
      ";Feldheim;4;8;ZJEN;1000; 1/3;      333; weber; Karl; Weg 2; 31001 Au;;;;\r\n"
      ";Au;1\t2;9;Wald;5000;;        0; Zander; Udo; Hof 3; 31002 Zell;; 1950-03-12; geb. Meier;\r\n"
      ";Feldheim;3;17/2;ZJEN;1234; 1/2;      617; Örtel; Änne; Am Bach 1; 31000 Feldheim;;;;\r\n");
  EXPECT_EQ(LiesDatei(ziel), erwartet);
}

// --- transfer into the address file ------------------------------------------------

TEST_F(DavoFlurstuecke, SortierteTabelleGibtEineAdresseJeEigentuemer) {
  // A configuration naming another address file and a form-letter file.
  const std::string brief = "C:\\Briefe\\Einladung.txt";
  const std::string konfig = KonfigSatz("ALT.ADW", brief);
  SchreibeDatei(KonfigDatei(), konfig);

  const fs::path adr = Pfad("Neu.ADW");
  // The missing file is created without a question, so --nein does not stop it.
  const Lauf lauf =
      Davo({"--nein", "flurstuecke", Kataster().string(), "--sortieren", "--in-adressdatei", adr.string()});
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Aus, "");
  EXPECT_EQ(lauf.Fehler, "Import abgeschlossen!\n");
  // Müller's 617 + 667 m² become one record of 0,1284 ha.
  EXPECT_EQ(LiesDatei(adr), Datei({Mueller(1284), kWeber, kZander, kOertel}));

  // The configuration stays as it was: the command line works on the file it
  // is given and does not make it the active one.
  EXPECT_EQ(LiesDatei(KonfigDatei()), konfig);
}

TEST_F(DavoFlurstuecke, UnsortiertWerdenNurNachbarnZusammengezaehltUndJederLaufHaengtAn) {
  const fs::path adr = Pfad("Alt.ADW");
  const Satz alt = Eigentuemer("Erste Adresse", "Adresse; Erste", "", "", 5);
  SchreibeDatei(adr, Bytes(alt));
  const std::string kataster = Kataster().string();
  const std::string einmal = Datei({Mueller(617), kOertel, kWeber, Mueller(667), kZander});

  const Lauf erster = Davo({"flurstuecke", kataster, "--in-adressdatei", adr.string()});
  ASSERT_EQ(erster.Status, 0) << erster.Fehler;
  EXPECT_EQ(LiesDatei(adr), Bytes(alt) + einmal);

  const Lauf zweiter = Davo({"flurstuecke", kataster, "--in-adressdatei=" + adr.string()});
  ASSERT_EQ(zweiter.Status, 0) << zweiter.Fehler;
  EXPECT_EQ(LiesDatei(adr), Bytes(alt) + einmal + einmal);
}

// --- failures -----------------------------------------------------------------------

TEST_F(DavoFlurstuecke, FehlendeKatasterdateiEndetMitEinsUndLegtNichtsAn) {
  const fs::path fehlt = Pfad("Fehlt.csv");
  const fs::path ziel = Pfad("Export.csv");
  const fs::path adr = Pfad("Neu.ADW");
  const Lauf lauf =
      Davo({"flurstuecke", fehlt.string(), "--tabelle", "--export", ziel.string(), "--in-adressdatei", adr.string()});
  EXPECT_EQ(lauf.Status, 1);
  EXPECT_EQ(lauf.Aus, "");
  EXPECT_EQ(lauf.Fehler, "Datei " + fehlt.string() + " nicht gefunden\n");
  EXPECT_FALSE(fs::exists(ziel));
  EXPECT_FALSE(fs::exists(adr));
  EXPECT_TRUE(fs::is_empty(ordner_ / "konfig"));
}

TEST_F(DavoFlurstuecke, DateifehlerEndenMitEins) {
  const std::string kataster = Kataster().string();
  const fs::path adr = Pfad("Neu.ADW");
  struct Fall {
    std::vector<std::string> Argumente;
    std::string Meldung;
  };
  std::vector<Fall> faelle = {
      {{kataster, "--export", kataster + "/Export.csv", "--in-adressdatei", adr.string()}, "Suchweg nicht gefunden!"},
      {{kataster, "--in-adressdatei", Pfad("fehlt/Neu.ADW").string()}, "Suchweg nicht gefunden!"},
      {{kataster, "--in-adressdatei", ordner_.string()}, "Dateizugriff verweigert"},
      {{ordner_.string(), "--in-adressdatei", adr.string()}, ordner_.string()},
  };
  // A device is no address file: refused before anything is appended.
  if (fs::exists("/dev/full"))
    faelle.push_back({{kataster, "--in-adressdatei", "/dev/full"}, "keine gewöhnliche Datei"});
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.Argumente[0] + " " + fall.Argumente.back());
    std::vector<std::string> aufruf = {"flurstuecke"};
    aufruf.insert(aufruf.end(), fall.Argumente.begin(), fall.Argumente.end());
    const Lauf lauf = Davo(aufruf);
    EXPECT_EQ(lauf.Status, 1);
    EXPECT_EQ(lauf.Aus, "");
    EXPECT_NE(lauf.Fehler.find(fall.Meldung), std::string::npos) << lauf.Fehler;
  }
  // A failed export stops before the transfer.
  EXPECT_FALSE(fs::exists(adr));
  EXPECT_FALSE(fs::exists(Pfad("fehlt")));
}

TEST_F(DavoFlurstuecke, FalscherAufrufEndetMitZweiUndAendertNichts) {
  const std::string k = Kataster().string();
  const std::string adr = Pfad("Neu.ADW").string();
  const std::vector<std::vector<std::string>> aufrufe = {
      {"flurstuecke"},
      {"flurstuecke", "--tabelle"},
      {"flurstuecke", k, k},
      {"flurstuecke", k, ""},
      {"flurstuecke", k, "--unbekannt"},
      {"flurstuecke", k, "--tabelle=ja"},
      {"flurstuecke", k, "--sortieren=1"},
      {"flurstuecke", k, "--export"},
      {"flurstuecke", k, "--export="},
      {"flurstuecke", k, "--export", "--tabelle"},
      {"flurstuecke", k, "--in-adressdatei"},
      {"flurstuecke", k, "--in-adressdatei", adr, "--in-adressdatei", adr},
      {"flurstuecke", k, "--export", "a.csv", "--export=b.csv"},
  };
  ErwarteAufruffehler(aufrufe);
  EXPECT_FALSE(fs::exists(adr));
  EXPECT_TRUE(fs::is_empty(ordner_ / "konfig"));
}

}  // namespace
