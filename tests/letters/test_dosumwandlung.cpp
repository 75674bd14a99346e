// Conversion of the DOS programs' address files: the 6-byte real of the area,
// both record formats byte for byte, failures that leave nothing behind, and
// the menu command's dialog and question.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/IOStoerung.h"
#include "app/Testumgebung.h"
#include "app/Text.h"
#include "letters/DosUmwandlung.h"
#include "support/Adresssaetze.h"

namespace davo::letters {
namespace {

using addresses::Aktionsergebnis;
using app::FrageErgebnis;
using Real48 = std::array<std::uint8_t, 6>;

TEST(Real48, FlaecheInQuadratmeternGenauGerundet) {
  struct Fall {
    Real48 Bytes;
    std::optional<app::Currency> Flaeche;
  };
  const Fall faelle[] = {
      {{0, 0, 0, 0, 0, 0}, 0},
      {{0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0},                 // exponent 0 is 0, whatever follows
      {{0x81, 0, 0, 0, 0, 0}, 1},                             // 1 m²
      {{0x8E, 0, 0, 0, 0xE4, 0x40}, 12345},                   // 12345 m² = 1,2345 ha
      {{0x9B, 0x00, 0xA0, 0xA2, 0x79, 0x6B}, 123456789},      // 12.345,6789 ha
      {{0x82, 0, 0, 0, 0, 0x10}, 2},                          // 2.25
      {{0x82, 0, 0, 0, 0, 0x20}, 3},                          // 2.5: half away from zero
      {{0x80, 0, 0, 0, 0, 0}, 1},                             // 0.5
      {{0x7F, 0, 0, 0, 0, 0x40}, 0},                          // 0.375
      {{0xA8, 0x00, 0x10, 0xA5, 0xD4, 0x68}, 1000000000000},  // 100,000,000 ha: still taken
      {{0xA8, 0x01, 0x10, 0xA5, 0xD4, 0x68}, std::nullopt},   // one m² more
      {{0x81, 0, 0, 0, 0, 0x80}, std::nullopt},               // -1
      {{0xFF, 0, 0, 0, 0, 0}, std::nullopt},                  // the largest exponent
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(testing::PrintToString(f.Bytes));
    EXPECT_EQ(Real48NachFlaeche(f.Bytes.data()), f.Flaeche);
  }
}

TEST(DosZielpfad, LetzteDreiZeichenWerdenADW) {
  EXPECT_EQ(DosZielpfad("C:\\ALT\\LISTE.ADR"), "C:\\ALT\\LISTE.ADW");
  EXPECT_EQ(DosZielpfad("liste.adr"), "liste.ADW");
}

// A hunting-money record with every text, DOS umlauts and the area 12345 m²,
// and the address record it becomes.
test::DosSatz Mueller() {
  test::DosSatz s;
  s.Texte = {{1, "Herrn"},
             {2, "M\x81ller"},
             {3, "Hans"},
             {4,
              "Stra\xE1"
              "e 1"},
             {5, "Postfach 9"},
             {6, "K\x94ln"},
             {7, "0221/1"},
             {8, "F9"},
             {9, "Bem\x84rkung"},
             {10, "Bank"},
             {11, "370 500 00"},
             {12, "123456789"},
             {13, "DE00 1"},
             {14, "entf\x84llt"}};
  s.Sortierung = "M\x9ALLER";
  s.Gruppe = 7;
  s.Flaeche = {0x8E, 0, 0, 0, 0xE4, 0x40};
  return s;
}

std::string MuellerNeu(std::int64_t flaeche) {
  test::Satz s;
  s.Texte = {{test::Anrede, "Herrn"},
             {test::Name1, "M\xFCller"},
             {test::Name2, "Hans"},
             {test::Strasse,
              "Stra\xDF"
              "e 1"},
             {test::Postfach, "Postfach 9"},
             {test::Ort, "K\xF6ln"},
             {test::Telefon, "0221/1"},
             {test::Feld9, "F9"},
             {test::Bankname, "Bank"},
             {test::BLZ, "370 500 00"},
             {test::Kontonummer, "123456789"},
             {test::IBAN, "DE00 1"},
             {test::Sortierung, "M\xDCLLER"}};
  s.Gruppe = 7;
  s.Flaeche = flaeche;
  std::string b = test::Bytes(s);
  b.replace(1558, 9, "Bem\xE4rkung");  // Bemerkung from element 1; element 0 stays 0
  return b;
}

test::DosSatz MitFlaeche(const std::string& name, const Real48& flaeche) {
  test::DosSatz s;
  s.Texte = {{2, name}};
  s.Flaeche = flaeche;
  return s;
}

std::string NeuMitName(const std::string& name) {
  test::Satz s;
  s.Texte = {{test::Name1, name}};
  return test::Bytes(s);
}

class DosUmwandlungTest : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    alt = Pfad("ALT.ADR");
    ziel = Pfad("ALT.ADW");
  }
  bool Vorhanden(const std::string& name) const { return std::filesystem::exists(ordner / name); }

  std::string alt, ziel;
};

TEST_F(DosUmwandlungTest, BeideFormateSatzFuerSatz) {
  struct Fall {
    const char* Name;
    DosFormat Format;
    std::string Alt, Neu;
    std::vector<std::string> Meldungen;  // after "Datei ...wird erstellt"
  };
  const Fall faelle[] = {
      {"Jagd",
       DosFormat::Jagd,
       test::DosBytes(Mueller(), true) + test::DosBytes(MitFlaeche("Minus", {0x81, 0, 0, 0, 0, 0x80}), true) +
           test::DosBytes(MitFlaeche("Riesig", {0xFF, 0, 0, 0, 0, 0}), true),
       MuellerNeu(12345) + NeuMitName("Minus") + NeuMitName("Riesig"),
       {"Die Fl\xE4"
        "che ist negativ oder gr\xF6\xDF"
        "er als 100.000.000 ha und wurde als 0 \xFC"
        "bernommen: "
        "Adresse Nr. 2, 3."}},
      {"Buchhaltung", DosFormat::Buchhaltung, test::DosBytes(Mueller(), false), MuellerNeu(0), {}},
      {"leer", DosFormat::Jagd, "", "", {}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Name);
    test::SchreibeAlles(ordner / "ALT.ADR", f.Alt);
    dialoge.Meldungen.clear();
    const DosErgebnis e = DosAdressdateiUmwandeln(alt, f.Format);
    EXPECT_EQ(e.Ergebnis, Aktionsergebnis::Erledigt);
    EXPECT_EQ(e.Ziel, ziel);
    EXPECT_EQ(e.Anzahl, static_cast<std::int32_t>(f.Neu.size() / addresses::TAdresse::Groesse));
    EXPECT_EQ(test::LiesAlles(ordner / "ALT.ADW"), f.Neu);
    std::vector<std::string> meldungen = {"Datei " + ziel + "wird erstellt"};
    meldungen.insert(meldungen.end(), f.Meldungen.begin(), f.Meldungen.end());
    EXPECT_EQ(dialoge.Meldungen, meldungen);
    std::filesystem::remove(ordner / "ALT.ADW");
  }
}

// Whatever fails, the target is absent afterwards (or, when it existed, as it
// was), so the next try is not blocked; the temporary file is gone too.
TEST_F(DosUmwandlungTest, FehlschlagHinterlaesstKeinZiel) {
  const std::string zweiJagd = test::DosBytes(Mueller(), true) + test::DosBytes(Mueller(), true);
  struct Fall {
    const char* Name;
    DosFormat Format;
    app::IOOperation Stoerung;  // fails on the temporary file (Umbenennen: on the target)
    int Code;                   // 0: no fault
    std::string Meldung;
  };
  const Fall faelle[] = {
      // 908 bytes read as 448-byte records: the second is misaligned, the third short.
      {"falscher Filter", DosFormat::Buchhaltung, app::IOOperation::Lesen, 0, "Fehler beim Lesen! Datei: " + alt},
      {"Schreibfehler", DosFormat::Jagd, app::IOOperation::Schreiben, app::io::DiskVoll, "Die Diskette ist voll!"},
      {"Umbenennen", DosFormat::Jagd, app::IOOperation::Umbenennen, app::io::ZugriffVerweigert,
       "Dateizugriff verweigert (" + ziel + ")"},
  };
  test::SchreibeAlles(ordner / "ALT.ADR", zweiJagd);
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Name);
    dialoge.Meldungen.clear();
    app::SetzeIOStoerung(
        [&f](app::IOOperation op, const std::filesystem::path&) { return op == f.Stoerung ? f.Code : 0; });
    const DosErgebnis e = DosAdressdateiUmwandeln(alt, f.Format);
    app::SetzeIOStoerung(nullptr);
    EXPECT_EQ(e.Ergebnis, Aktionsergebnis::Fehler);
    EXPECT_EQ(dialoge.Meldungen, (std::vector<std::string>{"Datei " + ziel + "wird erstellt", f.Meldung}));
    EXPECT_FALSE(Vorhanden("ALT.ADW"));
    EXPECT_FALSE(Vorhanden("ALT.ADW.neu"));
  }

  dialoge.Meldungen.clear();
  test::SchreibeAlles(ordner / "ALT.ADW", "alt");
  EXPECT_EQ(DosAdressdateiUmwandeln(alt, DosFormat::Jagd).Ergebnis, Aktionsergebnis::Fehler);
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Abbruch! Windowsdatei existiert bereits!"});
  EXPECT_EQ(test::LiesAlles(ordner / "ALT.ADW"), "alt");
}

// The filter entry left selected decides the format and the question.
TEST_F(DosUmwandlungTest, MenuebefehlFragtJeNachFilter) {
  struct Fall {
    int Filter;
    FrageErgebnis Antwort;
    const char* Frage;
    std::string Alt, Neu;  // Neu empty: nothing converted
  };
  const char* const jagd = "Soll die Reredazo-Adressendatei an die Windowsversion angepasst werden?";
  const Fall faelle[] = {
      {0, FrageErgebnis::Ja, jagd, test::DosBytes(Mueller(), true), MuellerNeu(12345)},
      {1, FrageErgebnis::Ja, "Soll die Revizizuziradi-Adressendatei an die Windowsversion angepasst werden?",
       test::DosBytes(Mueller(), false), MuellerNeu(0)},
      {0, FrageErgebnis::Nein, jagd, test::DosBytes(Mueller(), true), ""},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Frage);
    test::SchreibeAlles(ordner / "ALT.ADR", f.Alt);
    dialoge.WaehleDatei(app::AnsiNachUtf8(alt), f.Filter);
    dialoge.Antworten.push_back(f.Antwort);
    dialoge.Meldungen.clear();
    dialoge.Dateidialoge.clear();
    dialoge.Fragen.clear();
    DosAdressdateiImportieren();
    ASSERT_EQ(dialoge.Dateidialoge.size(), 1u);
    EXPECT_EQ(dialoge.Dateidialoge[0].Filter, "Adressdatei Davozedizarorevodo|*.ADR|Adressdatei Revizizuziradi|*.ADR");
    EXPECT_EQ(dialoge.Dateidialoge[0].StartOrdner, "c:\\zq-soft\\reredazo");
    ASSERT_EQ(dialoge.Fragen.size(), 1u);
    EXPECT_EQ(dialoge.Fragen[0].Oben, "Dateiname: " + alt);
    EXPECT_EQ(dialoge.Fragen[0].Frage, f.Frage);
    EXPECT_EQ(test::LiesAlles(ordner / "ALT.ADW"), f.Neu);
    std::filesystem::remove(ordner / "ALT.ADW");
  }
}

}  // namespace
}  // namespace davo::letters
