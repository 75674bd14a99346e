// Runs the built davo program's SEPA commands "freigabeliste", "sepa" and
// "kopiere" and the format field of "einstellungen" on files written here
// byte by byte: the lines printed, the files written (valid against their
// schemas), the run counter, the refusals and the exit status.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/Adresssaetze.h"
#include "support/CliLauf.h"
#include "support/CliTest.h"
#include "support/Sepaschema.h"

namespace {

namespace fs = std::filesystem;
using namespace davo::test;

Satz Eigentuemer(const std::string& name, const std::string& bic, const std::string& iban, std::uint8_t frei,
                 std::int64_t flaeche) {
  return {.Texte = AnsiTexte({{Name1, name}, {IBAN, iban}, {BIC, bic}}), .AuszahlungFrei = frei, .Flaeche = flaeche};
}

// At 100,00 per ha: Müller 150,00, Berg 50,00, Öttinger 200,00 without a
// BIC (pale), Dorn is not released.
const std::vector<Satz> kSaetze = {
    Eigentuemer("Hans Müller", "GENODEF1ABC", "DE02120300000000202051", 1, 15000),
    Eigentuemer("Anna Berg", "COBADEFF", "DE89 3704 0044 0532 0130 00", 1, 5000),
    Eigentuemer("Zacharias Öttinger", "", "DE75512108001245126199", 1, 20000),
    Eigentuemer("Carl Dorn", "COBADEFFXXX", "DE44500105175407324931", 0, 5000),
};

const std::string kTitel = "  3 Adressen wurden in der Adressenverwaltung für eine Überweisung freigegeben!\n";
const std::string kMueller =
    "      150,00;Hans Mueller ;GENODEF1ABC;DE02 1203 0000 0000 2020 51;Pacht 2026 fuer Hans Mueller;00004.00001\n";
const std::string kBerg =
    "       50,00;Anna Berg ;COBADEFF;DE89 3704 0044 0532 0130 00;Pacht 2026 fuer Anna Berg;00004.00002\n";
const std::string kOettinger =
    "      200,00;Zacharias Oettinger ;;DE75 5121 0800 1245 1261 99;Pacht 2026 fuer Zacharias Oettinger;00004.00003\n";

class DavoSepa : public CliTest {
 protected:
  DavoSepa() : CliTest("davo_sepa_", Konfigordner::Uebergeben, "env -u QT_QPA_PLATFORM") {}

  void SetUp() override {
    CliTest::SetUp();
    fs::create_directories(Pfad("sepa"));
    SchreibeDatei(Adressen(), Datei(kSaetze));
    SchreibeEinstellungen(3, '\0');
  }
  fs::path Adressen() const { return Pfad("Jagd.ADW"); }
  fs::path EinstellungsDatei() const { return Pfad("Jagd.JGA"); }
  void SchreibeEinstellungen(std::int32_t lauf, char format,
                             const std::string& iban = "DE44 5001 0517 5407 3249 31") const {
    std::string e = Einstellungen({{Auftraggeber, Ansi("JG Eulenbrück")},
                                   {AuftraggeberIBAN, iban},
                                   {3, "COBADEFFXXX"},
                                   {BetragProHa, "100,00"},
                                   {Kleinster, "10,00"},
                                   {Beleg, Ansi("Pacht 2026 für !NAM1")},
                                   {SepaOrdner, Pfad("sepa").string() + "/"}},
                                  lauf);
    e[4100] = format;
    SchreibeDatei(EinstellungsDatei(), e);
  }
  std::int32_t Laufnummer() const {
    const std::string e = LiesDatei(EinstellungsDatei());
    return static_cast<std::int32_t>(static_cast<unsigned char>(e.at(kLaufnummer)) |
                                     static_cast<unsigned char>(e.at(kLaufnummer + 1)) << 8);
  }
  std::vector<std::string> Sepaordner() const {
    std::vector<std::string> namen;
    for (const auto& e : fs::directory_iterator(Pfad("sepa"))) namen.push_back(e.path().filename().string());
    std::sort(namen.begin(), namen.end());
    return namen;
  }
};

TEST_F(DavoSepa, Freigabeliste) {
  const struct {
    std::vector<std::string> Optionen;
    std::string Aus;
  } faelle[] = {
      {{}, kTitel + "frei\t" + kMueller + "frei\t" + kBerg + "fehlerhaft\t" + kOettinger},
      {{"--ohne", "2,4"}, kTitel + "frei\t" + kMueller + "gesperrt\t" + kBerg + "fehlerhaft\t" + kOettinger},
      {{"--ohne=1", "--ohne", "3"}, kTitel + "gesperrt\t" + kMueller + "frei\t" + kBerg + "fehlerhaft\t" + kOettinger},
  };
  for (const auto& f : faelle) {
    std::vector<std::string> argumente = {"freigabeliste", Adressen().string()};
    argumente.insert(argumente.end(), f.Optionen.begin(), f.Optionen.end());
    const Lauf lauf = Davo(argumente);
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    EXPECT_EQ(lauf.Aus, f.Aus);
  }
  EXPECT_EQ(Laufnummer(), 3);
}

TEST_F(DavoSepa, SepaDateienInBeidenFormaten) {
  const struct {
    std::vector<std::string> Optionen;
    std::string Schema, Anzahl, Summe;
    std::int32_t Lauf;
  } faelle[] = {
      {{}, "pain.001.001.09", "2", "200.00", 4},
      {{"--format", "03", "--ohne", "1", "--ausfuehrung", "29.02.2028"}, "pain.001.001.03", "1", "50.00", 5},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Schema);
    std::vector<std::string> argumente = {"--ja", "sepa", Adressen().string()};
    argumente.insert(argumente.end(), f.Optionen.begin(), f.Optionen.end());
    const Lauf lauf = Davo(argumente);
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    const std::string ref = "SEPA-JG-0000" + std::to_string(f.Lauf) + R"(-\d{4}-\d\d-\d\dT\d{6})";
    const std::string ordner = Pfad("sepa").string() + "/";
    std::smatch treffer;
    ASSERT_TRUE(std::regex_match(lauf.Aus, treffer,
                                 std::regex("XML: " + ordner + "(" + ref + ")\\.xml\nCSV: " + ordner + ref +
                                            "\\.csv\nAnzahl: " + f.Anzahl + "\nSumme: " + f.Summe + "\n")))
        << lauf.Aus;
    const fs::path xml = Pfad("sepa") / (treffer[1].str() + ".xml");
    EXPECT_EQ(SchemaFehler(xml, f.Schema), "");
    EXPECT_TRUE(fs::exists(Pfad("sepa") / (treffer[1].str() + ".csv")));
    EXPECT_EQ(Laufnummer(), f.Lauf);
  }
  const std::string xml03 = LiesDatei(Pfad("sepa") / Sepaordner()[3]);
  EXPECT_NE(xml03.find("<ReqdExctnDt>2028-02-29</ReqdExctnDt>"), std::string::npos) << xml03;
}

TEST_F(DavoSepa, KopieBegleitzettelUndListe) {
#if !DAVO_MIT_PDF
  GTEST_SKIP() << "ohne PDF-Ausgabe gebaut";
#endif
  const Lauf lauf = Davo({"--ja", "sepa", Adressen().string(), "--kopie-nach", Pfad("stick/neu").string(),
                          "--begleitzettel", Pfad("zettel.pdf").string(), "--liste", Pfad("liste.pdf").string()});
  EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
  const std::vector<std::string> dateien = Sepaordner();
  ASSERT_EQ(dateien.size(), 2u);
  EXPECT_EQ(LiesDatei(Pfad("stick/neu") / dateien[1]), LiesDatei(Pfad("sepa") / dateien[1]));
  EXPECT_EQ(LiesDatei(Pfad("zettel.pdf")).substr(0, 5), "%PDF-");
  EXPECT_EQ(LiesDatei(Pfad("liste.pdf")).substr(0, 5), "%PDF-");

  // A step after the files that fails: they stay and are named.
  const Lauf kaputt = Davo({"--ja", "sepa", Adressen().string(), "--kopie-nach", Pfad("zettel.pdf/x").string()});
  EXPECT_EQ(kaputt.Status, 1);
  EXPECT_NE(kaputt.Fehler.find("Die Sepa-Dateien wurden geschrieben und bleiben bestehen"), std::string::npos)
      << kaputt.Fehler;
  EXPECT_EQ(Sepaordner().size(), 4u);
  EXPECT_EQ(Laufnummer(), 5);
}

TEST_F(DavoSepa, AblehnungenSchreibenNichts) {
  const struct {
    const char* Name;
    std::vector<std::string> Argumente;
    char Format;
    std::string Iban, Meldung;
  } faelle[] = {
      {"Nein", {"--nein", "sepa", Adressen().string()}, 0, "", "Eine Frage wurde mit Nein beantwortet"},
      {"unbekanntes Format", {"--ja", "sepa", Adressen().string()}, 7, "", "ist unbekannt (Wert 7)"},
      {"niemand frei", {"--ja", "sepa", Adressen().string(), "--ohne", "1,2"}, 0, "", "Keine Adresse ist f"},
      {"IBAN des Auftraggebers",
       {"--ja", "sepa", Adressen().string()},
       0,
       "DE44 5001 0517 5407 3249 30",
       "Die IBAN des Auftraggebers ist nicht plausibel"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Name);
    if (f.Iban.empty())
      SchreibeEinstellungen(3, f.Format);
    else
      SchreibeEinstellungen(3, f.Format, f.Iban);
    const Lauf lauf = Davo(f.Argumente);
    EXPECT_EQ(lauf.Status, 1);
    EXPECT_EQ(lauf.Aus, "");
    EXPECT_NE(lauf.Fehler.find(f.Meldung), std::string::npos) << lauf.Fehler;
    EXPECT_EQ(Sepaordner(), std::vector<std::string>{});
    EXPECT_EQ(Laufnummer(), 3);
  }
}

TEST_F(DavoSepa, FalscherAufruf) {
  const std::string a = Adressen().string();
  ErwarteAufruffehler({
      {"sepa"},
      {"sepa", a, "--ausfuehrung", "31.02.2026"},
      {"sepa", a, "--ausfuehrung", "2026-12-11"},
      {"sepa", a, "--ausfuehrung", "1.12.2026"},
      {"sepa", a, "--format", "04"},
      {"sepa", a, "--ohne", "5"},
      {"sepa", a, "--ohne", "0"},
      {"sepa", a, "--ohne", "1,x"},
      {"sepa", a, "--pdf", "x.pdf"},
      {"freigabeliste", a, "--format", "09"},
      {"freigabeliste", a, "--ohne", "99"},
      {"kopiere", a},
      {"kopiere", a, "x", "y"},
  });
  EXPECT_EQ(Sepaordner(), std::vector<std::string>{});
  EXPECT_EQ(Laufnummer(), 3);
}

TEST_F(DavoSepa, Kopiere) {
  const fs::path quelle = Pfad("quelle.xml");
  SchreibeDatei(quelle, "<Document/>");
  fs::last_write_time(quelle, fs::file_time_type(std::chrono::seconds(1700000001)));
  fs::create_directories(Pfad("da"));
  const struct {
    std::string Ziel;
    fs::path Kopie;
  } faelle[] = {
      {Pfad("da").string(), Pfad("da/quelle.xml")},
      {Pfad("neu/tief").string() + "/", Pfad("neu/tief/quelle.xml")},
      {Pfad("anders/name.xml").string(), Pfad("anders/name.xml")},
  };
  for (const auto& f : faelle) {
    const Lauf lauf = Davo({"kopiere", quelle.string(), f.Ziel});
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    EXPECT_EQ(LiesDatei(f.Kopie), "<Document/>") << f.Ziel;
    EXPECT_EQ(fs::last_write_time(f.Kopie), fs::file_time_type(std::chrono::seconds(1700000000))) << f.Ziel;
  }
  const Lauf selbst = Davo({"kopiere", quelle.string(), Pfad(".").string()});
  EXPECT_EQ(selbst.Status, 1);
  EXPECT_NE(selbst.Fehler.find("Datei kann nicht in sich selbst kopiert werden!"), std::string::npos);
  const Lauf fehlt = Davo({"kopiere", Pfad("fehlt.xml").string(), Pfad("da").string()});
  EXPECT_EQ(fehlt.Status, 1);
  EXPECT_NE(fehlt.Fehler.find("Quelldatei nicht gefunden!"), std::string::npos);
}

// The sample files come out of their script byte for byte, and they pay out.
TEST_F(DavoSepa, BeispielIstReproduzierbarUndZahltAus) {
  const fs::path beispiele = fs::path(DAVO_TESTDATEN) / ".." / ".." / "beispiele";
  const Lauf erzeugt =
      ProgrammStarten("bash", {(beispiele / "Beispiel-erzeugen.sh").string(), DAVO_CLI, Pfad("neu").string()}, ordner_);
  ASSERT_EQ(erzeugt.Status, 0) << erzeugt.Fehler;
  for (const char* name : {"Mitglieder-Beispiel.ADW", "Mitglieder-Beispiel.JGA"}) {
    EXPECT_EQ(LiesDatei(Pfad("neu") / name), LiesDatei(beispiele / name)) << name;
    fs::copy_file(beispiele / name, Pfad(name));
  }
  const Lauf lauf = Davo({"--ja", "sepa", Pfad("Mitglieder-Beispiel.ADW").string(), "--ordner", Pfad("sepa").string()});
  EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_NE(lauf.Aus.find("\nAnzahl: 13\nSumme: "), std::string::npos) << lauf.Aus;
  const std::vector<std::string> dateien = Sepaordner();
  ASSERT_EQ(dateien.size(), 2u);
  EXPECT_EQ(SchemaFehler(Pfad("sepa") / dateien[1], "pain.001.001.09"), "");
}

TEST_F(DavoSepa, EinstellungSepaFormat) {
  const Lauf gesetzt = Davo({"einstellungen", Adressen().string(), "SepaFormat=03"});
  EXPECT_EQ(gesetzt.Status, 0) << gesetzt.Fehler;
  EXPECT_EQ(LiesDatei(EinstellungsDatei()).at(4100), '\x01');
  EXPECT_NE(Davo({"einstellungen", Adressen().string()}).Aus.find("\nSepaFormat=03\nLaufnummer=3\n"),
            std::string::npos);
  const Lauf falsch = Davo({"einstellungen", Adressen().string(), "SepaFormat=3"});
  EXPECT_EQ(falsch.Status, 1);
  EXPECT_NE(falsch.Fehler.find("Ungültiges SEPA-Format: 3"), std::string::npos) << falsch.Fehler;
  EXPECT_EQ(LiesDatei(EinstellungsDatei()).at(4100), '\x01');
}

}  // namespace
