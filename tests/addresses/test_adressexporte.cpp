// The address exports and the bank-data import: the converter's key, the
// form-letter file and the bank-code file (new, overwritten, appended), and
// BIC and IBAN read back into exactly the records they belong to.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "addresses/Adresse.h"
#include "addresses/Adressexporte.h"
#include "app/DateiIO.h"
#include "app/IOStoerung.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"
#include "app/Testumgebung.h"
#include "support/Adresssaetze.h"

namespace davo::addresses {
namespace {

using app::FrageErgebnis;
namespace fs = std::filesystem;

TEST(BlzKontoSchluessel, SchluesselUndGueltigkeit) {
  struct Fall {
    std::string Blz, Konto, Schluessel;
  };
  const Fall faelle[] = {
      {"370 500 00", "123456789", "37050000;0123456789"},  // blanks go, nine digits get one "0"
      {"3705000", "123", ""},                              // 7 digits: no key
      {"37050000", "", "37050000;0000000000"},
      {"37050000", "12345678901", "37050000;12345678901"},  // a longer number is kept whole
      {"1234567" + std::string(23, ' ') + "8", "1", ""},    // only the first 30 characters count
      {"12345678", " 12 34 ", "12345678;0000001234"},
  };
  for (const Fall& f : faelle) EXPECT_EQ(BlzKontoSchluessel(f.Blz, f.Konto), f.Schluessel) << f.Blz;

  const std::map<std::string, bool> gueltig = {
      {"12345678;0", true}, {"1234 5678;01", true}, {"1234567;01234", false}, {"12345678;", false},
      {"", false},          {"123456789;0", false}};
  for (const auto& [schluessel, erwartet] : gueltig) EXPECT_EQ(SchluesselGueltig(schluessel), erwartet) << schluessel;
}

class AdressexportTest : public test::AdressdateiTest {
 protected:
  void SetUp() override {
    AdressdateiTest::SetUp();
    app::HomeOrdnerFuerTests = ordner;  // c:\zq-soft lies in the test folder
    AdrDateiName = pfad;
    app::AktAdrBasis = app::BasisVon(pfad);
  }
  void Saetze(const std::vector<test::Satz>& saetze) { test::SchreibeAlles(datei, test::Datei(saetze)); }
  void Antworten(std::initializer_list<FrageErgebnis> antworten) {
    dialoge.Antworten.insert(dialoge.Antworten.end(), antworten.begin(), antworten.end());
  }
};

test::Satz Brief(std::map<int, std::string> texte, std::int64_t flaeche, std::uint8_t serienbrief = 1) {
  test::Satz s;
  s.Texte = std::move(texte);
  s.Flaeche = flaeche;
  s.SerienbriefDruck = serienbrief;
  return s;
}

TEST_F(AdressexportTest, SerienbriefdateiNeuUeberschriebenAngehaengt) {
  const std::string kopf = "Anrede;Name1;Name2;Strasse;Postfach;Ort;Telefon;IBAN;BIC;Flaeche\r\n";
  const std::string zeilen =
      "Herrn;M\xFCller; Hans;;Weg 1;;12345 K\xF6ln;0221;DE12 3456;COBADEFF;1.234,5000\r\n"
      ";Zander;;;;;;;;12,3456\r\n";
  const std::vector<test::Satz> briefe = {Brief({{test::Anrede, "Herrn"},
                                                 {test::Name1, "M\xFCller; Hans"},
                                                 {test::Strasse, "Weg 1"},
                                                 {test::Ort, "12345 K\xF6ln"},
                                                 {test::Telefon, "0221"},
                                                 {test::IBAN, "DE12 3456"},
                                                 {test::BIC, "COBADEFF"},
                                                 {test::Sortierung, "M"}},
                                                12345000),
                                          Brief({{test::Name1, "Ohne Brief"}}, 10000, 0),
                                          Brief({{test::Name1, "Zander"}}, 123456)};
  struct Fall {
    const char* Name;
    std::vector<test::Satz> Saetze;
    std::optional<std::string> Vorher;
    std::vector<FrageErgebnis> Antworten;
    std::optional<std::string> Nachher;
  };
  const Fall faelle[] = {
      {"neu", briefe, std::nullopt, {FrageErgebnis::Ja}, kopf + zeilen},
      {"verworfen", briefe, "alt\r\n", {FrageErgebnis::Ja, FrageErgebnis::Ja}, kopf + zeilen},
      {"angehaengt", briefe, kopf + zeilen, {FrageErgebnis::Ja, FrageErgebnis::Nein}, kopf + zeilen + kopf + zeilen},
      {"nur Kopf", {Brief({{test::Name1, "Ohne Brief"}}, 0, 0)}, std::nullopt, {FrageErgebnis::Ja}, kopf},
      {"nicht erstellt", briefe, std::nullopt, {FrageErgebnis::Nein}, std::nullopt},
  };
  const fs::path csv = ordner / "Mitglieder.csv";
  const std::string name = pfad.substr(0, pfad.size() - 4) + ".csv";
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Name);
    Saetze(f.Saetze);
    fs::remove(csv);
    if (f.Vorher) test::SchreibeAlles(csv, *f.Vorher);
    dialoge.Antworten.assign(f.Antworten.begin(), f.Antworten.end());
    dialoge.Fragen.clear();
    dialoge.Meldungen.clear();
    const Uebertragung u = SerienbriefCsvExport();
    EXPECT_EQ(fs::exists(csv), f.Nachher.has_value());
    EXPECT_EQ(f.Nachher ? test::LiesAlles(csv) : std::string(), f.Nachher.value_or(""));
    EXPECT_EQ(u.Ergebnis, f.Nachher ? Aktionsergebnis::Erledigt : Aktionsergebnis::Abgelehnt);
    EXPECT_EQ(dialoge.Meldungen, f.Nachher ? std::vector<std::string>{" Datei: \"" + name + "\" wurde erstellt!"}
                                           : std::vector<std::string>{});
    ASSERT_EQ(dialoge.Fragen.size(), f.Antworten.size());
    EXPECT_EQ(dialoge.Fragen[0].Frage, "Soll die Datei jetzt erstellt werden?");
    EXPECT_FALSE(dialoge.Fragen[0].JaVorgewaehlt);
    if (f.Antworten.size() > 1) {
      EXPECT_EQ(dialoge.Fragen[1].Oben, "Die Datei: " + name + " existiert bereits!");
      EXPECT_EQ(dialoge.Fragen[1].Frage, "Vorhandene Daten verwerfen?");
      EXPECT_TRUE(dialoge.Fragen[1].JaVorgewaehlt);
    }
  }
}

TEST_F(AdressexportTest, BankleitzahlendateiAmFestenPfad) {
#ifdef _WIN32
  GTEST_SKIP() << "Der feste Pfad c:\\zq-soft ist unter Windows ein echtes Laufwerk, kein Ordner im Home-Ordner";
#endif
  Saetze({Brief({{test::BLZ, "370 500 00"}, {test::Kontonummer, "123456789"}}, 0),
          Brief({{test::BLZ, "3705000"}, {test::Kontonummer, "123456789"}}, 0),
          Brief({{test::BLZ, "12345678"}, {test::Kontonummer, "42"}}, 0)});
  const std::string zeilen = "37050000;0123456789\r\n12345678;0000000042\r\n";
  const fs::path ziel = ordner / "zq-soft" / "BLZ+Konto.csv";

  EXPECT_EQ(BlzKontoExport().Anzahl, 2);  // the folder is created
  EXPECT_EQ(test::LiesAlles(ziel), zeilen);
  Antworten({FrageErgebnis::Nein});
  EXPECT_EQ(BlzKontoExport().Ergebnis, Aktionsergebnis::Erledigt);
  EXPECT_EQ(test::LiesAlles(ziel), zeilen + zeilen);
  ASSERT_EQ(dialoge.Fragen.size(), 1u);
  EXPECT_EQ(dialoge.Fragen[0].Oben, "Die Datei: c:\\zq-soft\\BLZ+Konto.csv existiert bereits!");
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(AdressexportTest, BankdatenNurInDieSaetzeMitStatus00) {
  const auto konto = [](const std::string& blz, const std::string& nr) {
    return Brief({{test::BLZ, blz}, {test::Kontonummer, nr}, {test::BIC, "ALT"}, {test::IBAN, "ALT"}}, 0, 0);
  };
  std::vector<test::Satz> saetze = {
      konto("370 500 00", "123456789"),  // twice in the result file
      konto("10000000", "1"),            // first line of the sorted list
      konto("99999999", "9999999999"),   // last line
      konto("99999999", "99999999999"),  // behind every line
      konto("3705000", "123456789"),     // no key
      konto("50010517", "5"),            // status 01
      konto("370 500 00", "123456789"),  // the same account as the first owner
  };
  Saetze(saetze);
  // The converter's file named, not at its fixed place (a real drive on Windows).
  const fs::path ergebnis = ordner / "Ergebnis_BLZ+Konto.csv";
  const auto einlesen = [&] { return BlzKontoEinlesen(AktiveAdressdatei, Ansi(ergebnis)); };
  test::SchreibeAlles(ergebnis,
                      "99999999;9999999999;ZZZZDEFF;DE99;00\r\n"
                      "37050000;0123456789;COBADEFFXXX;DE89 3704;00\r\n"
                      "50010517;0000000005;INGDDEFF;DE50;01\r\n"
                      "10000000;0000000001;AAAADEFF;DE10;00\r\n"
                      "3705000;0123456789;XXXX;DEXX;00\r\n"
                      "37050000;0123456789;COBADEFFXXX;DE89 3704;00\r\n");
  std::vector<test::Satz> erwartet = saetze;
  for (auto [i, bic, iban] : std::vector<std::tuple<int, const char*, const char*>>{{0, "COBADEFFXXX", "DE89 3704"},
                                                                                    {1, "AAAADEFF", "DE10"},
                                                                                    {2, "ZZZZDEFF", "DE99"},
                                                                                    {6, "COBADEFFXXX", "DE89 3704"}}) {
    erwartet[static_cast<std::size_t>(i)].Texte[test::BIC] = bic;
    erwartet[static_cast<std::size_t>(i)].Texte[test::IBAN] = iban;
  }

  int geoeffnet = 0, geschrieben = 0;
  app::SetzeIOStoerung([&](app::IOOperation op, const fs::path& p) {
    if (p == datei && op == app::IOOperation::Oeffnen) ++geoeffnet;
    if (p == datei && op == app::IOOperation::Schreiben) ++geschrieben;
    return 0;
  });
  Antworten({FrageErgebnis::Nein, FrageErgebnis::Ja});
  EXPECT_EQ(einlesen().Ergebnis, Aktionsergebnis::Abgelehnt);
  EXPECT_EQ(test::LiesAlles(datei), test::Datei(saetze));
  const Uebertragung u = einlesen();
  app::SetzeIOStoerung(nullptr);
  EXPECT_EQ(u.Ergebnis, Aktionsergebnis::Erledigt);
  EXPECT_EQ(u.Anzahl, 4);
  EXPECT_EQ(test::LiesAlles(datei), test::Datei(erwartet));
  EXPECT_EQ(geoeffnet, 1);
  EXPECT_EQ(geschrieben, 4);
  ASSERT_EQ(dialoge.Fragen.size(), 2u);
  EXPECT_EQ(dialoge.Fragen[1].Oben, "Dateiname: " + pfad);
  EXPECT_EQ(dialoge.Fragen[1].Frage, "Sollen BIC und IBAM in die Adressendatei importiert an werden?");
  EXPECT_FALSE(dialoge.Fragen[1].JaVorgewaehlt);

  fs::remove(ergebnis);
  EXPECT_EQ(einlesen().Ergebnis, Aktionsergebnis::Fehler);
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{" \xDC"
                                                        "bergabedatei nicht gefunden!"});
}

}  // namespace
}  // namespace davo::addresses
