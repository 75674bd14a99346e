// The bulk action that marks for form letters the owners whose area earns a
// payout, and the smallest such area.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "addresses/Adresse.h"
#include "app/Konfiguration.h"
#include "app/Testumgebung.h"
#include "payout/Flaechenaktion.h"

namespace davo::payout {
namespace {

using namespace addresses;
using app::FrageErgebnis;
constexpr std::size_t S = TAdresse::Groesse;

class FlaechenaktionTest : public test::SammelaktionTestBasis {};
using test::Unterschied;

TEST_F(FlaechenaktionTest, KleinsteAuszahlungsflaeche) {
  const struct {
    const char *ProHa, *Kleinster;
    std::int64_t Flaeche;
    bool Berechenbar;
  } faelle[] = {
      {"100,00", "50,00", 5000, true},
      {"100", "50", 5000, true},
      {"1.000,00 EUR", "125,00", 1250, true},
      {"3", "1", 3333, true},
      {"3", "2", 6667, true},  // rounded to 4 decimals
      {"0,01", "100", 100000000, true},
      {"-100", "50", -5000, true},
      // No smallest amount, or an unreadable text: 0.
      {"100,00", "", 0, true},
      {"100,00", "0,00", 0, true},
      {"100,00", "-5", 0, true},
      {"", "", 0, true},
      {"1,2,3", "50,00", 0, true},
      {"100,00", "5,0,0", 0, true},
      // Amount per ha 0 with a smallest amount: cannot be computed.
      {"", "50,00", 0, false},
      {"0,00", "0,01", 0, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << f.ProHa << " / " << f.Kleinster);
    const KleinsteFlaeche k = KleinsteAuszahlungsflaeche(f.ProHa, f.Kleinster);
    EXPECT_EQ(k.Flaeche, f.Flaeche);
    EXPECT_EQ(k.Berechenbar, f.Berechenbar);
  }
}

class SammelaktionNachFlaeche : public FlaechenaktionTest {
 protected:
  void SetUp() override {
    FlaechenaktionTest::SetUp();
    app::Konfiguration.SetzeAdressdatei(pfad);
    app::AktAdrBasis = app::BasisVon(pfad);
  }
  // The payout settings file beside the address file, written by hand: the
  // amount per hectare at 1536, the smallest amount at 1792.
  // A null amount: no settings file at all.
  void Einstellungen(const char* proHa, const std::string& kleinster) {
    std::filesystem::remove(ordner / "Mitglieder.JGA");
    if (!proHa) return;
    const std::string proHaText = proHa;
    std::string e(5205, '\0');
    e[1536] = static_cast<char>(proHaText.size());
    e.replace(1537, proHaText.size(), proHaText);
    e[1792] = static_cast<char>(kleinster.size());
    e.replace(1793, kleinster.size(), kleinster);
    test::SchreibeAlles(ordner / "Mitglieder.JGA", e);
  }
  static std::string Flaechensatz(int k, std::int64_t flaeche, std::uint8_t brief) {
    std::string s = test::Muster(S, 60 + k);
    s[1530] = static_cast<char>(k);
    s[1531] = static_cast<char>(k % 2);
    s[1532] = static_cast<char>(brief);
    for (int i = 0; i < 8; ++i) s[1533 + static_cast<std::size_t>(i)] = static_cast<char>((flaeche >> (8 * i)) & 0xFF);
    return s;
  }
};

const std::string kFrage1Oben = "Bitte erfassen Sie unter Auszahlung den Betrag/ha und den kleinsten Auszahlungsbetrag";
const std::string kFrage1 = "Soll die Serienbrieffunktion f\xFCr alle Adressen mit Auszahlung aktiviert werden?";
const std::string kFrage2 =
    "Sollen alle Adressen mit Auszahlungsbetrg bei Aktion \"Serienbrief drucken\" markiert werden?";
std::string FlaechenMeldung(const std::string& a) {
  return "Die kleinste auszuzahlende Fl\xE4"
         "che betr\xE4gt " +
         a + " ha";
}
std::string Anzahlmeldung(int n) {
  return "Aktion \"Serienbrief drucken\" wurde f\xFCr " + std::to_string(n) + " Adressen einschaltet!";
}

TEST_F(SammelaktionNachFlaeche, FlagGenauAbDerKleinstenFlaeche) {
  // Areas -1 ha, 0, 0.3332, 0.3333, 0.4999, 0.5, 10000 ha; the flag alternates before.
  const std::int64_t flaechen[] = {-10000, 0, 3332, 3333, 4999, 5000, 100000000};
  const struct {
    const char *ProHa, *Kleinster, *Text, *Flags;
    int Anzahl;
  } faelle[] = {
      {"100,00", "50,00", "  0.5000", "0000011", 2},
      {"3", "1", "  0.3333", "0001111", 4},
      {"0,01", "100", "10000.0000", "0000001", 1},
      {"", "", "  0.0000", "0111111", 6},       // no smallest amount: every area from 0 on
      {nullptr, "", "  0.0000", "0111111", 6},  // no settings file
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << (f.ProHa ? f.ProHa : "<keine Datei>") << " / " << f.Kleinster);
    Vergessen();
    Einstellungen(f.ProHa, f.Kleinster);
    std::string vorher, erwartet;
    for (int k = 0; k < 7; ++k) {
      vorher += Flaechensatz(k, flaechen[k], static_cast<std::uint8_t>(k % 2));
      erwartet += Flaechensatz(k, flaechen[k], static_cast<std::uint8_t>(f.Flags[k] - '0'));
    }
    test::SchreibeAlles(datei, vorher);
    AdrDateiName = Pfad("Andere.ADW");  // the action opens the configured file itself
    dialoge.Antworten = {FrageErgebnis::Ja, FrageErgebnis::Ja};
    SerienbriefNachFlaeche();
    ASSERT_EQ(dialoge.Fragen.size(), 2u);
    PruefeFrage(0, kFrage1Oben, kFrage1);
    PruefeFrage(1, kFrage2, "");
    EXPECT_EQ(dialoge.Meldungen, (std::vector<std::string>{FlaechenMeldung(f.Text), Anzahlmeldung(f.Anzahl)}));
    EXPECT_EQ(Unterschied(test::LiesAlles(datei), erwartet), "");
  }
}

// Declined, not computable, or nothing to mark: the file stays as it was.
TEST_F(SammelaktionNachFlaeche, DateiBleibtUnveraendert) {
  const std::string zwei = Flaechensatz(0, 4999, 1) + Flaechensatz(1, 5000, 0);
  using F = FrageErgebnis;
  const struct {
    const char *Name, *ProHa;
    std::string Inhalt;
    std::vector<F> Antworten;
    std::vector<std::string> Meldungen;
  } faelle[] = {
      {"erste Frage Nein", "100,00", zwei, {F::Nein}, {}},
      {"erste Frage geschlossen", "100,00", zwei, {F::Geschlossen}, {}},
      {"zweite Frage Nein", "100,00", zwei, {F::Ja, F::Nein}, {FlaechenMeldung("  0.5000")}},
      {"leere Datei", "100,00", "", {F::Ja, F::Ja}, {FlaechenMeldung("  0.5000"), Anzahlmeldung(0)}},
      {"Betrag/ha 0",
       "0",
       zwei,
       {F::Ja},
       {"Der Auszahlungsbetrag / ha ist 0. Die kleinste auszuzahlende Fl\xE4"
        "che kann nicht berechnet werden."}},
      // Refused as in the payout window: a point for the decimal comma, a
      // negative amount, a text that is no number.
      {"Betrag/ha 12.50",
       "12.50",
       zwei,
       {F::Ja},
       {"Eingabefehler bei Auszahlungsbetrag / ha! \x84"
        "12.50\x93 \x96 bitte mit Komma schreiben, z. B. 12,50"}},
      {"Betrag/ha -100",
       "-100",
       zwei,
       {F::Ja},
       {"Eingabefehler bei Auszahlungsbetrag / ha! \x84-100\x93 \x96 negative Werte sind nicht erlaubt"}},
      {"Betrag/ha 1,2,3",
       "1,2,3",
       zwei,
       {F::Ja},
       {"Eingabefehler bei Auszahlungsbetrag / ha! \x84"
        "1,2,3\x93 \x96 bitte mit Komma schreiben, z. B. 12,50"}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Name);
    Vergessen();
    Einstellungen(f.ProHa, "50,00");
    test::SchreibeAlles(datei, f.Inhalt);
    dialoge.Antworten.assign(f.Antworten.begin(), f.Antworten.end());
    SerienbriefNachFlaeche();
    EXPECT_EQ(dialoge.Fragen.size(), f.Antworten.size());
    PruefeFrage(0, kFrage1Oben, kFrage1);
    if (f.Antworten.size() > 1) PruefeFrage(1, kFrage2, "");
    EXPECT_EQ(dialoge.Meldungen, f.Meldungen);
    EXPECT_EQ(Unterschied(test::LiesAlles(datei), f.Inhalt), "");
  }
}

}  // namespace
}  // namespace davo::payout
