// The bulk actions: their questions, the one byte each changes in every
// record and their closing messages.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "addresses/Adresse.h"
#include "addresses/Sammelaktionen.h"
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

// Four records with all combinations of the flags.
std::string Bestand() { return Satz(0, 7, 1, 0) + Satz(1, 0, 0, 1) + Satz(2, 255, 0, 0) + Satz(3, 1, 1, 1); }

struct Aktion {
  const char* Name;
  std::function<void()> Starte;
  std::string Oben, Frage, Schluss;  // Schluss empty: no closing message
  std::size_t Offset;
  std::vector<std::uint8_t> Werte;  // the byte in records 0..3 afterwards
};

const std::vector<Aktion>& Aktionen() {
  static const std::vector<Aktion> a = {
      {"Auszahlung ein",
       [] { AuszahlungFreiSetzen(AktiveAdressdatei, 1); },
       "Sollen alle Adressen mit der Aktion \"Auszahlung freigegeben\" markiert werden?",
       "",
       "Aktion \"Auszahlung freigeben\" wurde f\xFCr alle Adressen eingeschaltet!",
       1531,
       {1, 1, 1, 1}},
      {"Auszahlung aus",
       [] { AuszahlungFreiSetzen(AktiveAdressdatei, 0); },
       "Sollen alle Adressen mit der Aktion \"Auszahlung nicht freigegeben\" markiert werden?",
       "",
       "Aktion \"Auszahlung freigeben\" wurde f\xFCr alle Adressen ausgeschaltet!",
       1531,
       {0, 0, 0, 0}},
      {"Serienbrief ein",
       [] { SerienbriefSetzen(AktiveAdressdatei, 1); },
       "Sollen alle Adressen mit der Aktion \"Serienbrief drucken\" markiert werden?",
       "",
       "Aktion \"Serienbrief drucken\" wurde f\xFCr alle Adressen eingeschaltet!",
       1532,
       {1, 1, 1, 1}},
      {"Serienbrief aus",
       [] { SerienbriefSetzen(AktiveAdressdatei, 0); },
       "Sollen alle Adressen mit der Aktion \"Serienbrief nicht drucken\" markiert werden?",
       "",
       "Aktion \"Serienbrief drucken\" wurde f\xFCr alle Adressen ausgeschaltet!",
       1532,
       {0, 0, 0, 0}},
      {"Gruppen 0",
       [] { GruppenAufNull(AktiveAdressdatei); },
       "Sollen alle Adressen die Gruppennummer 0 erhalten?",
       "",
       "",
       1530,
       {0, 0, 0, 0}},
      {"Gruppe aus Serienbrief",
       [] { GruppeAusSerienbrief(AktiveAdressdatei); },
       "Sollen alle Adressen mit der Aktion \"Serienbrief drucken\" als Gruppe 1 markiert werden?",
       "(Die anderen werden Gruppe 0)",
       "",
       1530,
       {0, 1, 0, 1}},
      {"Gruppe aus Auszahlung",
       [] { GruppeAusAuszahlung(AktiveAdressdatei); },
       "Sollen alle Adressen mit der Aktion \"Auszahlung freigegeben\" als Gruppe 1 markiert werden?",
       "(Die anderen werden Gruppe 0)",
       "",
       1530,
       {1, 0, 0, 1}},
  };
  return a;
}

std::vector<std::string> Meldung(const std::string& text) {
  return text.empty() ? std::vector<std::string>{} : std::vector<std::string>{text};
}

class SammelaktionTest : public test::SammelaktionTestBasis {};
using test::Unterschied;

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

}  // namespace
}  // namespace davo::addresses
