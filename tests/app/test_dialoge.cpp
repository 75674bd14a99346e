// The rules of the dialog services that do not depend on the toolkit.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Testumgebung.h"

namespace davo::app {
namespace {

class Dialoge : public test::CoreTest {};

// Also notes what the chooser was offered.
class AuswahlProtokoll : public test::SkriptDialoge {
 public:
  std::optional<int> Auswahl(const std::string& titel, const std::vector<std::string>& eintraege,
                             int index) override {
    Titel = titel;
    Eintraege = eintraege;
    Vorwahl = index;
    return SkriptDialoge::Auswahl(titel, eintraege, index);
  }
  std::string Titel;
  std::vector<std::string> Eintraege;
  int Vorwahl = -1;
};

TEST_F(Dialoge, FrageJaNein) {
  struct Fall {
    bool vorher;
    FrageErgebnis ergebnis;
    bool antwort;
    bool abbruch;
  };
  const Fall faelle[] = {
      {true, FrageErgebnis::Ja, true, false},   {false, FrageErgebnis::Ja, true, false},
      {true, FrageErgebnis::Nein, false, false}, {false, FrageErgebnis::Nein, false, false},
      {true, FrageErgebnis::Geschlossen, false, true}, {false, FrageErgebnis::Geschlossen, false, true},
  };
  for (const auto& f : faelle) {
    for (bool abbruchVorher : {false, true}) {
      SCOPED_TRACE(testing::Message() << f.vorher << " " << static_cast<int>(f.ergebnis) << " " << abbruchVorher);
      dialoge.Fragen.clear();
      dialoge.Antworten.push_back(f.ergebnis);
      Abbruch = abbruchVorher;
      bool antwort = f.vorher;
      FrageJaNein("Oben", "Frage?", antwort);
      EXPECT_EQ(antwort, f.antwort);
      EXPECT_EQ(Abbruch, f.abbruch);
      ASSERT_EQ(dialoge.Fragen.size(), 1u);
      EXPECT_EQ(dialoge.Fragen[0].Oben, "Oben");
      EXPECT_EQ(dialoge.Fragen[0].Frage, "Frage?");
      EXPECT_EQ(dialoge.Fragen[0].JaVorgewaehlt, f.vorher);
    }
  }
  // Both lines are cut at 255.
  dialoge.Antworten.push_back(FrageErgebnis::Ja);
  bool antwort = false;
  FrageJaNein(std::string(256, 'o'), std::string(400, 'f'), antwort);
  EXPECT_EQ(dialoge.Fragen.back().Oben, std::string(255, 'o'));
  EXPECT_EQ(dialoge.Fragen.back().Frage, std::string(255, 'f'));
}

TEST_F(Dialoge, MeldungUndFortschrittKappen) {
  ZeigeMeldung(std::string(300, 'm'));
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{std::string(255, 'm')});
  const std::string hundert = std::string(60, 'a') + std::string(40, 'b');
  ZeigeFortschritt(hundert, 50);
  ZeigeFortschritt("ohne Balken", 0);
  ZeigeFortschritt("", 0);
  const std::vector<std::pair<std::string, int>> erwartet = {
      {std::string(60, 'a') + std::string(20, 'b'), 50}, {"ohne Balken", 0}, {"", 0}};
  EXPECT_EQ(dialoge.Fortschritte, erwartet);
}

TEST_F(Dialoge, WaehleAus) {
  {
    AuswahlProtokoll p;
    Auswahltexte = {"Eins", "Zwei", "Drei", "Vier", "F\xFCnf", "Sechs"};

    // Closed without choosing: the index stays.
    p.Auswahlen.push_back(std::nullopt);
    int index = 2;
    WaehleAus(std::string(90, 't'), 3, index);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(p.Vorwahl, 2);
    EXPECT_EQ(p.Titel, std::string(80, 't'));
    EXPECT_EQ(p.Eintraege, (std::vector<std::string>{"Eins", "Zwei", "Drei"}));

    p.Auswahlen.push_back(0);
    WaehleAus("Bitte", 6, index);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(p.Eintraege.size(), 6u);
    EXPECT_EQ(p.Eintraege[4], "F\xFCnf");

    p.Auswahlen.push_back(5);
    WaehleAus("Bitte", 1, index);
    EXPECT_EQ(index, 0);  // an entry that was not offered is no answer
    EXPECT_TRUE(p.Offen().empty());
  }
  InstalliereDialogDienst(&dialoge);
}

TEST_F(Dialoge, PfadDarstellbar) {
  DateiWahl gut;
  gut.Pfad = "C:\\Daten\\M\xFCller.ADW";
  EXPECT_TRUE(PfadDarstellbar(gut));
  gut.Pfad = "C:\\" + std::string(252, 'x');  // 255 characters
  EXPECT_TRUE(PfadDarstellbar(gut));
  EXPECT_TRUE(dialoge.Meldungen.empty());

  DateiWahl zuLang;
  zuLang.Pfad = "C:\\" + std::string(253, 'x');
  EXPECT_FALSE(PfadDarstellbar(zuLang));
  ASSERT_EQ(dialoge.Meldungen.size(), 1u);
  EXPECT_FALSE(dialoge.Meldungen[0].empty());

  DateiWahl fremd;
  fremd.Darstellbar = false;
  fremd.PfadUtf8 = "/home/x/\xC5\x81\xC3\xB3" "d\xC5\xBA.ADW";
  EXPECT_FALSE(PfadDarstellbar(fremd));
  ASSERT_EQ(dialoge.Meldungen.size(), 2u);
  EXPECT_EQ(dialoge.Meldungen[1], PfadNichtDarstellbarText(fremd.PfadUtf8));
  EXPECT_LE(dialoge.Meldungen[1].size(), 255u);
}

}  // namespace
}  // namespace davo::app
