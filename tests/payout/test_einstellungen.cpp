// The payout settings file beside the address file: the ten texts at their
// offsets, the run counter, reserved bytes carried through, a missing, short
// or unreadable file, and a failed write that leaves the old file alone.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/DateiIO.h"
#include "app/IOStoerung.h"
#include "app/Konfiguration.h"
#include "app/Testumgebung.h"
#include "payout/Einstellungen.h"

namespace davo::payout {
namespace {

namespace fs = std::filesystem;
using E = TAuszahlungsEinstellungen;
constexpr std::size_t N = E::Groesse;

// The ten texts used below, one per field, of different lengths.
const std::vector<std::string> kTexte = {
    "Jagdgenossenschaft S\xFC" "dfeld", "Hauptstra\xDF" "e 1, 12345 S\xFC" "dfeld", "Sparkasse",
    "WELADED1XXX", "DE02 1203 0000 0000 2020 51", "K-17", "150,00", "2,50", "Jagdpacht 2024 !NAM1",
    "C:\\Sepa\\"};

// A whole file image: reserved bytes and the bytes behind each text patterned,
// texts and run counter written at their documented offsets by hand.
std::string Abbild(const std::vector<std::string>& texte, std::int32_t lauf, int saat = 5) {
  std::string s = test::Muster(N, saat);
  for (std::size_t i = 0; i < texte.size(); ++i) {
    s[i * 256] = static_cast<char>(texte[i].size());
    s.replace(i * 256 + 1, texte[i].size(), texte[i]);
  }
  const auto u = static_cast<std::uint32_t>(lauf);
  for (int b = 0; b < 4; ++b) s[4096 + static_cast<std::size_t>(b)] = static_cast<char>((u >> (8 * b)) & 0xFF);
  return s;
}

class EinstellungenTest : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    addresses::AdrDateiName = Pfad("Revier.ADW");
    datei = ordner / "Revier.JGA";
  }
  std::string Bytes() const {
    return std::string(AuszahlungsEinstellungen.bytes.begin(), AuszahlungsEinstellungen.bytes.end());
  }
  // Fills the record with non-zero bytes so that clearing shows.
  void Verschmutzen() {
    const std::string m = test::Muster(N, 9);
    std::copy(m.begin(), m.end(), AuszahlungsEinstellungen.bytes.begin());
  }
  fs::path datei;
};

TEST_F(EinstellungenTest, DateinameNebenDerAdressdatei) {
  EXPECT_EQ(EinstellungsDatei(), Pfad("Revier") + ".JGA");
  test::SchreibeAlles(datei, Abbild(kTexte, 0));
  EinstellungenLesen();
  EXPECT_EQ(app::IODateiName, Pfad("Revier.JGA"));
  EXPECT_EQ(AuszahlungsEinstellungen.Feld(0), kTexte[0]);
}

// A "." in a folder name no longer names the settings: each address file
// there has its own. The file earlier versions shared one folder up is copied
// once for each of them, run number included, and stays.
TEST_F(EinstellungenTest, OrdnerMitPunktUndUebernahmeDerBisherigenDatei) {
  fs::create_directories(ordner / "max.mustermann" / "Jagd.2025");
  const std::string alt = Pfad("max.JGA");
  const std::string bild = Abbild(kTexte, 41);
  test::SchreibeAlles(ordner / "max.JGA", bild);
  for (const char* name : {"Mitglieder", "Pacht"}) {
    SCOPED_TRACE(name);
    const std::string basis = Pfad(std::string("max.mustermann/Jagd.2025/") + name);
    addresses::AdrDateiName = basis + ".ADW";
    ASSERT_EQ(EinstellungsDatei(), basis + ".JGA");
    for (int mal = 1; mal <= 2; ++mal) {
      dialoge.Meldungen.clear();
      EXPECT_TRUE(EinstellungenLesen());
      EXPECT_TRUE(Bytes() == bild);
      EXPECT_EQ(AuszahlungsEinstellungen.Laufnummer(), 41);
      EXPECT_TRUE(test::LiesAlles(basis + ".JGA") == bild);
      EXPECT_EQ(dialoge.Meldungen.size(), mal == 1 ? 1u : 0u);  // said once
    }
  }
  EXPECT_TRUE(test::LiesAlles(alt) == bild);

  // Without a file of earlier versions nothing is made up.
  fs::remove(ordner / "max.JGA");
  addresses::AdrDateiName = Pfad("max.mustermann/Jagd.2025/Neu.ADW");
  EXPECT_TRUE(EinstellungenLesen());
  EXPECT_TRUE(Bytes() == std::string(N, '\0'));
  EXPECT_FALSE(fs::exists(ordner / "max.mustermann" / "Jagd.2025" / "Neu.JGA"));
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(EinstellungenTest, FelderUndLaufnummerAnIhrenStellen) {
  struct Fall { const char* Name; std::int32_t Lauf; };
  for (const Fall& f : {Fall{"klein", 3}, Fall{"mehrere Bytes", 0x01020304}, Fall{"negativ", -2}}) {
    SCOPED_TRACE(f.Name);
    const std::string abbild = Abbild(kTexte, f.Lauf);
    test::SchreibeAlles(datei, abbild);
    Verschmutzen();
    EinstellungenLesen();
    EXPECT_TRUE(dialoge.Meldungen.empty());
    for (int i = 0; i < E::AnzahlTexte; ++i) EXPECT_EQ(AuszahlungsEinstellungen.Feld(i), kTexte[std::size_t(i)]) << i;
    EXPECT_EQ(AuszahlungsEinstellungen.Laufnummer(), f.Lauf);
    EXPECT_EQ(Bytes(), abbild) << "the record is the file image, reserved bytes included";
  }
}

TEST_F(EinstellungenTest, SchreibenAendertNurDieGesetztenBytes) {
  const std::string alt = Abbild(kTexte, 41);
  test::SchreibeAlles(datei, alt);
  EinstellungenLesen();
  AuszahlungsEinstellungen.SetzeFeld(E::Belegtext1, "Pacht");
  AuszahlungsEinstellungen.SetzeFeld(E::SepaOrdner, std::string(300, 'x'));  // cut to 255
  AuszahlungsEinstellungen.SetzeLaufnummer(42);
  ASSERT_TRUE(EinstellungenSchreiben());
  EXPECT_TRUE(dialoge.Meldungen.empty());

  std::string soll = alt;
  soll[2048] = 5;
  soll.replace(2049, 5, "Pacht");  // the old text's tail behind the new length stays
  soll[2304] = static_cast<char>(255);
  soll.replace(2305, 255, std::string(255, 'x'));
  soll.replace(4096, 4, std::string("\x2A\0\0\0", 4));
  const std::string ist = test::LiesAlles(datei);
  ASSERT_EQ(ist.size(), N);
  EXPECT_EQ(ist, soll);
  EXPECT_FALSE(fs::exists(ordner / "Revier.JGA.neu"));

  // A new file: zeros except what was set.
  fs::remove(datei);
  EinstellungenLesen();
  AuszahlungsEinstellungen.SetzeFeld(E::Auftraggeber, "JG");
  ASSERT_TRUE(EinstellungenSchreiben());
  std::string neu(N, '\0');
  neu.replace(0, 3, "\x02JG");
  EXPECT_EQ(test::LiesAlles(datei), neu);
}

TEST_F(EinstellungenTest, FehlendeKurzeOderUnlesbareDateiLaesstDenSatzLeer) {
  const std::string pfad = Pfad("Revier.JGA");
  const std::string voll = Abbild(kTexte, 7);
  struct Fall {
    const char* Name;
    bool Da;
    std::string Inhalt;
    app::IOOperation Op;
    int Code;  // 0: no fault injected
    std::vector<std::string> Meldungen;
  };
  const std::vector<Fall> faelle = {
      {"fehlt", false, "", app::IOOperation::Lesen, 0, {}},
      {"leer", true, "", app::IOOperation::Lesen, 0, {"Fehler beim Lesen! Datei: " + pfad}},
      {"100 Bytes", true, voll.substr(0, 100), app::IOOperation::Lesen, 0, {"Fehler beim Lesen! Datei: " + pfad}},
      {"ein Byte zu kurz", true, voll.substr(0, N - 1), app::IOOperation::Lesen, 0,
       {"Fehler beim Lesen! Datei: " + pfad}},
      {"Oeffnen verweigert", true, voll, app::IOOperation::Oeffnen, app::io::ZugriffVerweigert,
       {"Dateizugriff verweigert (" + pfad + ")"}},
      {"Lesefehler", true, voll, app::IOOperation::Lesen, app::io::LeseFehler, {"Fehler beim Lesen! Datei: " + pfad}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Name);
    dialoge.Meldungen.clear();
    fs::remove(datei);
    if (f.Da) test::SchreibeAlles(datei, f.Inhalt);
    app::SetzeIOStoerung([&f](app::IOOperation op, const fs::path&) { return op == f.Op ? f.Code : 0; });
    Verschmutzen();
    EinstellungenLesen();
    app::SetzeIOStoerung(nullptr);
    EXPECT_EQ(Bytes(), std::string(N, '\0'));
    EXPECT_EQ(AuszahlungsEinstellungen.Laufnummer(), 0);
    EXPECT_EQ(dialoge.Meldungen, f.Meldungen);
    EXPECT_EQ(f.Da, fs::exists(datei)) << "reading creates nothing";
  }

  // A longer file: its first record counts.
  dialoge.Meldungen.clear();
  test::SchreibeAlles(datei, voll + "Anhang");
  EinstellungenLesen();
  EXPECT_TRUE(dialoge.Meldungen.empty());
  EXPECT_EQ(Bytes(), voll);
}

TEST_F(EinstellungenTest, GescheiterterSchreibvorgangBehaeltDieAlteDatei) {
  const std::string pfad = Pfad("Revier.JGA");
  struct Fall { const char* Name; app::IOOperation Op; int Code; std::string Meldung; };
  const std::vector<Fall> faelle = {
      {"Umbenennen", app::IOOperation::Umbenennen, app::io::ZugriffVerweigert, "Dateizugriff verweigert (" + pfad + ")"},
      {"Schreiben", app::IOOperation::Schreiben, app::io::SchreibFehler, "Fehler beim Schreiben! Datei: " + pfad},
      {"Platte voll", app::IOOperation::Schreiben, app::io::DiskVoll, "Die Diskette ist voll!"},
      {"Anlegen", app::IOOperation::Anlegen, app::io::ZugriffVerweigert, "Dateizugriff verweigert (" + pfad + ")"},
  };
  const std::string alt = Abbild(kTexte, 3);
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Name);
    dialoge.Meldungen.clear();
    test::SchreibeAlles(datei, alt);
    EinstellungenLesen();
    AuszahlungsEinstellungen.SetzeFeld(E::Auftraggeber, "Neuer Auftraggeber");
    AuszahlungsEinstellungen.SetzeLaufnummer(4);
    app::SetzeIOStoerung([&f](app::IOOperation op, const fs::path&) { return op == f.Op ? f.Code : 0; });
    EXPECT_FALSE(EinstellungenSchreiben());
    app::SetzeIOStoerung(nullptr);
    EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{f.Meldung});
    EXPECT_EQ(test::LiesAlles(datei), alt) << "old settings and run counter kept byte for byte";
    EXPECT_FALSE(fs::exists(ordner / "Revier.JGA.neu"));
    // What the program holds stays as it was edited; a later write succeeds.
    EXPECT_EQ(AuszahlungsEinstellungen.Laufnummer(), 4);
    EXPECT_TRUE(EinstellungenSchreiben());
    EinstellungenLesen();
    EXPECT_EQ(AuszahlungsEinstellungen.Feld(E::Auftraggeber), "Neuer Auftraggeber");
    EXPECT_EQ(AuszahlungsEinstellungen.Laufnummer(), 4);
  }
}

// A run made meanwhile elsewhere raised the counter in the file: saving what
// this program holds keeps the greater number, in the file and in memory.
TEST_F(EinstellungenTest, LaufnummerGehtNieZurueck) {
  struct Fall {
    const char* Name;
    std::int32_t InDatei, ImSpeicher, Soll;
  };
  for (const Fall& f :
       {Fall{"Datei weiter", 9, 7, 9}, Fall{"Speicher weiter", 7, 10, 10}, Fall{"ohne Datei", -1, 3, 3}}) {
    SCOPED_TRACE(f.Name);
    fs::remove(datei);
    if (f.InDatei >= 0) test::SchreibeAlles(datei, Abbild(kTexte, f.InDatei));
    AuszahlungsEinstellungen.Leeren();
    AuszahlungsEinstellungen.SetzeFeld(E::Belegtext1, "neu");
    AuszahlungsEinstellungen.SetzeLaufnummer(f.ImSpeicher);
    ASSERT_TRUE(EinstellungenSchreiben());
    EXPECT_EQ(AuszahlungsEinstellungen.Laufnummer(), f.Soll);
    EinstellungenLesen();
    EXPECT_EQ(AuszahlungsEinstellungen.Laufnummer(), f.Soll);
    EXPECT_EQ(AuszahlungsEinstellungen.Feld(E::Belegtext1), "neu");
  }
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(EinstellungenTest, FeldnamenInFeldreihenfolge) {
  const char* const namen[] = {"Auftraggeber",     "AuftraggeberAdresse", "Kreditinstitut",      "AuftraggeberBIC",
                               "AuftraggeberIBAN", "Kreditorennummer",    "BetragProHaText",     "KleinsterBetragText",
                               "Belegtext1",       "SepaOrdner"};
  for (int i = 0; i < E::AnzahlTexte; ++i) {
    SCOPED_TRACE(namen[i]);
    EXPECT_STREQ(EinstellungsName(i), namen[i]);
    EXPECT_EQ(EinstellungNachName(namen[i]), i);
  }
  EXPECT_EQ(EinstellungNachName("belegtext1"), -1);
  EXPECT_EQ(EinstellungNachName("Laufnummer"), -1);
  EXPECT_STREQ(EinstellungsName(10), "");
  EXPECT_STREQ(EinstellungsName(-1), "");
}

}  // namespace
}  // namespace davo::payout
