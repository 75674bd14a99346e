// The bulk actions: their questions, the one byte each changes in every
// record, their closing messages, and the form-letter flag by area.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "addresses/Adresse.h"
#include "addresses/Sammelaktionen.h"
#include "app/Konfiguration.h"
#include "app/Testumgebung.h"

namespace davo::addresses {
namespace {

using app::FrageErgebnis;
constexpr std::size_t S = TAdresse::Groesse;

// Record k with every byte patterned, then Gruppe / AuszahlungFrei / SerienbriefDruck.
std::string Satz(int k, std::uint8_t gruppe, std::uint8_t frei, std::uint8_t brief) {
  std::string s = test::Muster(S, 60 + k);
  s[1530] = static_cast<char>(gruppe);
  s[1531] = static_cast<char>(frei);
  s[1532] = static_cast<char>(brief);
  return s;
}

// Four records with all combinations of the flags, and a partial fifth one.
const std::string kRest = "Rest!";
std::string Bestand() {
  return Satz(0, 7, 1, 0) + Satz(1, 0, 0, 1) + Satz(2, 255, 0, 0) + Satz(3, 1, 1, 1) + kRest;
}

struct Aktion {
  const char* Name;
  std::function<void()> Starte;
  std::string Oben, Frage, Schluss;  // Schluss empty: no closing message
  std::size_t Offset;
  std::vector<std::uint8_t> Werte;  // the byte in records 0..3 afterwards
};

const std::vector<Aktion>& Aktionen() {
  static const std::vector<Aktion> a = {
      {"Auszahlung ein", [] { AuszahlungFreiSetzen(1); },
       "Sollen alle Adressen mit der Aktion \"Auszahlung freigegeben\" markiert werden?", "",
       "Aktion \"Auszahlung freigeben\" wurde f\xFCr alle Adressen eingeschaltet!", 1531, {1, 1, 1, 1}},
      {"Auszahlung aus", [] { AuszahlungFreiSetzen(0); },
       "Sollen alle Adressen mit der Aktion \"Auszahlung nicht freigegeben\" markiert werden?", "",
       "Aktion \"Auszahlung freigeben\" wurde f\xFCr alle Adressen ausgeschaltet!", 1531, {0, 0, 0, 0}},
      {"Serienbrief ein", [] { SerienbriefSetzen(1); },
       "Sollen alle Adressen mit der Aktion \"Serienbrief drucken\" markiert werden?", "",
       "Aktion \"Serienbrief drucken\" wurde f\xFCr alle Adressen eingeschaltet!", 1532, {1, 1, 1, 1}},
      {"Serienbrief aus", [] { SerienbriefSetzen(0); },
       "Sollen alle Adressen mit der Aktion \"Serienbrief nicht drucken\" markiert werden?", "",
       "Aktion \"Serienbrief drucken\" wurde f\xFCr alle Adressen ausgeschaltet!", 1532, {0, 0, 0, 0}},
      {"Gruppen 0", [] { GruppenAufNull(); }, "Sollen alle Adressen die Gruppennummer 0 erhalten?", "", "", 1530,
       {0, 0, 0, 0}},
      {"Gruppe aus Serienbrief", [] { GruppeAusSerienbrief(); },
       "Sollen alle Adressen mit der Aktion \"Serienbrief drucken\" als Gruppe 1 markiert werden?",
       "(Die anderen werden Gruppe 0)", "", 1530, {0, 1, 0, 1}},
      {"Gruppe aus Auszahlung", [] { GruppeAusAuszahlung(); },
       "Sollen alle Adressen mit der Aktion \"Auszahlung freigegeben\" als Gruppe 1 markiert werden?",
       "(Die anderen werden Gruppe 0)", "", 1530, {1, 0, 0, 1}},
  };
  return a;
}

// "" when equal, else where the first difference lies.
std::string Unterschied(const std::string& ist, const std::string& soll) {
  if (ist.size() != soll.size()) return std::to_string(ist.size()) + " statt " + std::to_string(soll.size()) + " Bytes";
  for (std::size_t i = 0; i < ist.size(); ++i)
    if (ist[i] != soll[i]) return "Satz " + std::to_string(i / S) + ", Byte " + std::to_string(i % S);
  return "";
}

std::vector<std::string> Meldung(const std::string& text) {
  return text.empty() ? std::vector<std::string>{} : std::vector<std::string>{text};
}

class SammelaktionTest : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    datei = ordner / "Mitglieder.ADW";
    pfad = Ansi(datei);
    AdrDateiName = pfad;
  }
  void Vergessen() {
    dialoge.Meldungen.clear();
    dialoge.Fragen.clear();
  }
  void PruefeFrage(std::size_t i, const std::string& oben, const std::string& frage) {
    ASSERT_GT(dialoge.Fragen.size(), i);
    EXPECT_EQ(dialoge.Fragen[i].Oben, oben);
    EXPECT_EQ(dialoge.Fragen[i].Frage, frage);
    EXPECT_FALSE(dialoge.Fragen[i].JaVorgewaehlt);  // "Nein" before a bulk change
  }
  std::filesystem::path datei;
  std::string pfad;
};

TEST_F(SammelaktionTest, JedeAktionAendertNurIhrByte) {
  for (const auto& a : Aktionen()) {
    SCOPED_TRACE(a.Name);
    Vergessen();
    const std::string vorher = Bestand();
    test::SchreibeAlles(datei, vorher);
    dialoge.Antworten.push_back(FrageErgebnis::Ja);
    a.Starte();
    ASSERT_EQ(dialoge.Fragen.size(), 1u);
    PruefeFrage(0, a.Oben, a.Frage);
    std::string erwartet = vorher;
    for (std::size_t k = 0; k < 4; ++k) erwartet[k * S + a.Offset] = static_cast<char>(a.Werte[k]);
    EXPECT_EQ(Unterschied(test::LiesAlles(datei), erwartet), "");
    EXPECT_EQ(dialoge.Meldungen, Meldung(a.Schluss));
    EXPECT_EQ(AnzahlAdressen, 4);
  }
}

TEST_F(SammelaktionTest, AbgelehntFehlendeOderLeereDatei) {
  for (const auto& a : Aktionen()) {
    const struct {
      const char* Name; bool Da; std::string Inhalt; std::vector<FrageErgebnis> Antworten;
      std::vector<std::string> Meldungen;
    } faelle[] = {
        {"Nein", true, Bestand(), {FrageErgebnis::Nein}, {}},
        {"geschlossen", true, Bestand(), {FrageErgebnis::Geschlossen}, {}},
        {"leer", true, "", {FrageErgebnis::Ja}, Meldung(a.Schluss)},
        {"fehlt", false, "", {}, {"Adressdatei: " + pfad + " nicht gefunden!"}},
    };
    for (const auto& f : faelle) {
      SCOPED_TRACE(testing::Message() << a.Name << ", " << f.Name);
      Vergessen();
      std::filesystem::remove(datei);
      if (f.Da) test::SchreibeAlles(datei, f.Inhalt);
      dialoge.Antworten.assign(f.Antworten.begin(), f.Antworten.end());
      a.Starte();
      EXPECT_EQ(dialoge.Fragen.size(), f.Antworten.size());
      if (!f.Antworten.empty()) PruefeFrage(0, a.Oben, a.Frage);
      EXPECT_EQ(dialoge.Meldungen, f.Meldungen);
      ASSERT_EQ(std::filesystem::exists(datei), f.Da);
      EXPECT_EQ(Unterschied(test::LiesAlles(datei), f.Inhalt), "");
    }
  }
}

TEST_F(SammelaktionTest, KleinsteAuszahlungsflaeche) {
  const struct { const char *ProHa, *Kleinster; std::int64_t Flaeche; bool Berechenbar; } faelle[] = {
      {"100,00", "50,00", 5000, true}, {"100", "50", 5000, true}, {"1.000,00 EUR", "125,00", 1250, true},
      {"3", "1", 3333, true}, {"3", "2", 6667, true},  // rounded to 4 decimals
      {"0,01", "100", 100000000, true}, {"-100", "50", -5000, true},
      // No smallest amount, or an unreadable text: 0.
      {"100,00", "", 0, true}, {"100,00", "0,00", 0, true}, {"100,00", "-5", 0, true}, {"", "", 0, true},
      {"1,2,3", "50,00", 0, true}, {"100,00", "5,0,0", 0, true},
      // Amount per ha 0 with a smallest amount: cannot be computed.
      {"", "50,00", 0, false}, {"0,00", "0,01", 0, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << f.ProHa << " / " << f.Kleinster);
    const KleinsteFlaeche k = KleinsteAuszahlungsflaeche(f.ProHa, f.Kleinster);
    EXPECT_EQ(k.Flaeche, f.Flaeche);
    EXPECT_EQ(k.Berechenbar, f.Berechenbar);
  }
}

class SammelaktionNachFlaeche : public SammelaktionTest {
 protected:
  void SetUp() override {
    SammelaktionTest::SetUp();
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
    std::string s = Satz(k, static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(k % 2), brief);
    for (int i = 0; i < 8; ++i) s[1533 + static_cast<std::size_t>(i)] = static_cast<char>((flaeche >> (8 * i)) & 0xFF);
    return s;
  }
};

const std::string kFrage1Oben = "Bitte erfassen Sie unter Auszahlung den Betrag/ha und den kleinsten Auszahlungsbetrag";
const std::string kFrage1 = "Soll die Serienbrieffunktion f\xFCr alle Adressen mit Auszahlung aktiviert werden?";
const std::string kFrage2 =
    "Sollen alle Adressen mit Auszahlungsbetrg bei Aktion \"Serienbrief drucken\" markiert werden?";
std::string FlaechenMeldung(const std::string& a) {
  return "Die kleinste auszuzahlende Fl\xE4" "che betr\xE4gt " + a + " ha";
}
std::string Anzahlmeldung(int n) {
  return "Aktion \"Serienbrief drucken\" wurde f\xFCr " + std::to_string(n) + " Adressen einschaltet!";
}

TEST_F(SammelaktionNachFlaeche, FlagGenauAbDerKleinstenFlaeche) {
  // Areas -1 ha, 0, 0.3332, 0.3333, 0.4999, 0.5, 10000 ha; the flag alternates before.
  const std::int64_t flaechen[] = {-10000, 0, 3332, 3333, 4999, 5000, 100000000};
  const struct { const char *ProHa, *Kleinster, *Text, *Flags; int Anzahl; } faelle[] = {
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
    const char *Name, *ProHa; std::string Inhalt; std::vector<F> Antworten; std::vector<std::string> Meldungen;
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
}  // namespace davo::addresses
