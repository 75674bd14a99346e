// The address chooser: the lines of the five orders, their German order, the
// jump by prefix, the search and the take-over of one owner.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "app/Testumgebung.h"

namespace davo::addresses {
namespace {

std::string B(std::size_t n) { return std::string(n, ' '); }

struct Eintrag { const char *Sortierung, *Name1, *Strasse, *Ort, *Blz, *Konto; };

TAdresse Satz(const Eintrag& e) {
  TAdresse a;
  const std::pair<int, const char*> texte[] = {
      {Anrede, "An Herrn"}, {Name2, "Zusatz"}, {Homepage, "www.hof.de"}, {Bankname, "Bank"},  // in no order
      {Sortierung, e.Sortierung}, {Name1, e.Name1}, {Strasse, e.Strasse}, {Ort, e.Ort}, {BLZ, e.Blz},
      {Kontonummer, e.Konto}};
  for (const auto& [feld, text] : texte) a.SetzeText(feld, text);
  return a;
}

// Five owners; the last one is a copy of the first.
const std::vector<Eintrag> kBestand = {
    {"abt, Anna", "Anna abt", "Weg 3", "Cdorf", "300", "1"},
    {"Zander, Otto", "Otto Zander", "Allee 1", "Adorf", "100", "4"},
    {"Abel, Karl", "Karl Abel", "Markt 2", "\xD6" "dorf", "200", "3"},
    {"\xC4" "rger, Uwe", "Uwe \xC4" "rger", "Zeile 4", "bdorf", "050", "2"},
    {"abt, Anna", "Anna abt", "Weg 3", "Cdorf", "300", "1"},
};

std::vector<int> Nummern(const AdrListe& l) {
  std::vector<int> n;
  for (const auto& z : l) n.push_back(z.Nr);
  return n;
}

class AdrAuswahlTest : public test::AdressdateiTest {
 protected:
  void SetUp() override {
    AdressdateiTest::SetUp();
    AdrDateiName = pfad;
  }
  void Bestand(const std::vector<Eintrag>& eintraege) {
    std::vector<TAdresse> saetze;
    for (const auto& e : eintraege) saetze.push_back(Satz(e));
    SchreibeSaetze(saetze);
  }
};

TEST_F(AdrAuswahlTest, ZeileJeSortierung) {
  const TAdresse a = Satz({"Schulte, Anna", "Anna Schulte", "Hauptstr. 1", "12345 Dorf", "37050198", "1234567"});
  TAdresse lang;
  lang.SetzeText(Sortierung, std::string(35, 's'));
  lang.SetzeText(Name1, std::string(29, 'n'));
  lang.SetzeText(Ort, std::string(30, 'o'));
  const struct { const TAdresse* Satz; int Sortierung; std::int32_t Nr; std::string Zeile; } faelle[] = {
      {&a, 0, 0, "Schulte, Anna" + B(17) + "Anna Schulte" + B(18) + "12345 Dorf" + B(20) + "1"},
      {&a, 1, 41, "Anna Schulte" + B(18) + "Hauptstr. 1" + B(19) + "12345 Dorf" + B(20) + "42"},
      {&a, 2, 9, "12345 Dorf" + B(20) + "Anna Schulte" + B(18) + "Hauptstr. 1" + B(19) + "10"},
      {&a, 3, 0, "37050198" + B(22) + "Anna Schulte" + B(18) + "12345 Dorf" + B(20) + "1"},
      {&a, 4, 0, "1234567" + B(23) + "Anna Schulte" + B(18) + "12345 Dorf" + B(20) + "1"},
      // A longer text stays whole and shifts the rest; 30 characters get no blank.
      {&lang, 0, 2, std::string(35, 's') + std::string(29, 'n') + B(1) + std::string(30, 'o') + "3"},
      {&lang, 1, 0, std::string(29, 'n') + B(31) + std::string(30, 'o') + "1"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << "Sortierung " << f.Sortierung << " Nr " << f.Nr);
    EXPECT_EQ(AdrZeileText(*f.Satz, f.Sortierung, f.Nr), f.Zeile);
  }
}

TEST_F(AdrAuswahlTest, ListeDeutschOhneGrossKleinMitDoppelten) {
  Bestand(kBestand);
  const struct { int Sortierung; std::vector<int> Nummern; } faelle[] = {
      {0, {2, 0, 4, 3, 1}},  // Abel, abt, abt, Ärger, Zander
      {1, {0, 4, 2, 1, 3}},  // Anna abt, Karl Abel, Otto Zander, Uwe Ärger
      {2, {1, 3, 0, 4, 2}},  // Adorf, bdorf, Cdorf, Cdorf, Ödorf
      {3, {3, 1, 2, 0, 4}},  // 050, 100, 200, 300, 300
      {4, {0, 4, 3, 2, 1}},  // 1, 1, 2, 3, 4
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(Sortierungen[f.Sortierung]);
    AdrListeSuche.push_back({"alt", 0});
    AdrListeAufbauen(f.Sortierung);
    EXPECT_EQ(Nummern(AdrListeAlle), f.Nummern);
    EXPECT_TRUE(AdrListeSuche.empty());
    EXPECT_EQ(AnzahlAdressen, 5);
  }
  // The two equal owners differ only in their number.
  AdrListeAufbauen(0);
  ASSERT_EQ(AdrListeAlle.size(), 5u);
  EXPECT_EQ(AdrListeAlle[1].Text, "abt, Anna" + B(21) + "Anna abt" + B(22) + "Cdorf" + B(25) + "1");
  EXPECT_EQ(AdrListeAlle[2].Text, "abt, Anna" + B(21) + "Anna abt" + B(22) + "Cdorf" + B(25) + "5");
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(AdrAuswahlTest, LeereOderFehlendeDateiGibtLeereListe) {
  Bestand({});
  AnzahlAdressen = 7;
  AdrListeAufbauen(0);
  EXPECT_TRUE(AdrListeAlle.empty());
  EXPECT_EQ(AnzahlAdressen, 0);
  EXPECT_TRUE(dialoge.Meldungen.empty());

  Bestand(kBestand);
  AdrListeAufbauen(0);
  AdrDateiName = Pfad("Fehlt.ADW");
  AdrListeAufbauen(0);
  EXPECT_TRUE(AdrListeAlle.empty());
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Datei " + AdrDateiName + " nicht gefunden"});
}

TEST_F(AdrAuswahlTest, SprungZumErstenNichtKleineren) {
  Bestand(kBestand);
  AdrListeAufbauen(0);  // Abel, abt, abt, Ärger, Zander
  const struct { std::string Text; std::size_t Index; } faelle[] = {
      {"", 0}, {"abel", 0}, {"ABT", 1}, {"abt, Anna", 1},
      {"ar", 3}, {"\xE4" "r", 3},  // Ä sorts with A
      {"b", 4}, {"zander, otto", 4}, {AdrListeAlle[4].Text, 4},
      {"zz", 5},  // after every line: the size
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Text);
    EXPECT_EQ(AdrListeSprung(AdrListeAlle, f.Text), f.Index);
  }
  EXPECT_EQ(AdrListeSprung(AdrListe{}, "a"), 0u);
}

TEST_F(AdrAuswahlTest, SucheUeberDieGanzeZeile) {
  Bestand(kBestand);
  AdrListeAufbauen(0);  // Abel(2), abt(0), abt(4), Ärger(3), Zander(1)
  const struct { std::string Text; std::vector<int> Nummern; } faelle[] = {
      {"ANNA", {0, 4}}, {"anna ABT", {0, 4}}, {"dorf", {2, 0, 4, 3, 1}}, {"xyz", {}},
      {"\xE4" "rger", {3}},  // lower-case umlaut finds the capital one
      {"5", {4}},            // the number at the end of the line counts
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Text);
    EXPECT_TRUE(AdrListeSuchen(f.Text));
    EXPECT_EQ(Nummern(AdrListeSuche), f.Nummern);
  }
  EXPECT_TRUE(dialoge.Meldungen.empty());

  AdrListeSuchen("anna");
  EXPECT_FALSE(AdrListeSuchen(""));
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Bitte geben Sie den zu suchenden Text ein"});
  EXPECT_EQ(Nummern(AdrListeSuche), (std::vector<int>{0, 4}));
}

TEST_F(AdrAuswahlTest, ModellSortierungGeheZuUndSuche) {
  Bestand(kBestand);
  AdrAuswahlModell& m = AdrAuswahl;
  m.Oeffnen();
  EXPECT_EQ(Nummern(m.Angezeigt()), (std::vector<int>{2, 0, 4, 3, 1}));
  EXPECT_EQ(m.Auswahl, -1);

  for (const auto& [text, zeile] : {std::pair<const char*, int>{"b", 4}, {"zz", -1}, {"ABT", 1}}) {
    m.GeheZuGeaendert(text);
    EXPECT_EQ(m.Auswahl, zeile) << text;
  }
  EXPECT_TRUE(dialoge.Meldungen.empty());  // the jump shows no box

  m.SortierungWaehlen(2);
  EXPECT_EQ(m.Sortierung, 2);
  EXPECT_EQ(Nummern(m.Angezeigt()), (std::vector<int>{1, 3, 0, 4, 2}));
  EXPECT_EQ(m.Auswahl, -1);

  m.SucheStarten();  // no search text: refused, the list stays
  EXPECT_EQ(m.AktiveListe, 0);
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Bitte geben Sie den zu suchenden Text ein"});
  m.GeheZu = "";
  m.Suchtext = "anna";
  m.SucheStarten();
  EXPECT_EQ(m.AktiveListe, 1);
  EXPECT_EQ(Nummern(m.Angezeigt()), (std::vector<int>{0, 4}));
  EXPECT_EQ(m.Auswahl, 0);  // switching the list runs the jump again
  m.Auswahl = 1;
  EXPECT_TRUE(m.Uebernehmen());
  EXPECT_EQ(AktAdrNr, 4);
  EXPECT_EQ(GewaehlteAdrNr, 4);

  m.GeheZu = "c";
  m.AktiveListeWaehlen(0);
  EXPECT_EQ(m.Angezeigt().size(), 5u);
  EXPECT_EQ(m.Auswahl, 2);  // Adorf, bdorf, Cdorf
  m.AktiveListeWaehlen(1);
  m.Oeffnen();  // the radio group keeps its place, the box starts with all
  EXPECT_EQ(m.AktiveListe, 1);
  EXPECT_EQ(m.Angezeigt().size(), 5u);
  EXPECT_TRUE(AdrListeSuche.empty());
}

TEST_F(AdrAuswahlTest, UebernehmenNimmtDieNummerDerZeile) {
  std::vector<Eintrag> bestand = kBestand;
  const std::string lang = "A" + std::string(44, 'a');  // sorts first, 45 characters
  bestand.push_back({lang.c_str(), "Langer Name", "", "Xdorf", "", ""});
  Bestand(bestand);
  AdrAuswahlModell& m = AdrAuswahl;
  m.Oeffnen();
  ASSERT_EQ(Nummern(m.Angezeigt()), (std::vector<int>{5, 2, 0, 4, 3, 1}));

  // Nothing selected: nothing happens.
  AktAdrNr = 3;
  GewaehlteAdrNr = 2;
  EXPECT_FALSE(m.Uebernehmen());
  EXPECT_EQ(AktAdrNr, 3);
  EXPECT_EQ(GewaehlteAdrNr, 2);

  const struct { int Zeile, Nr; } faelle[] = {{0, 5}, {2, 0}, {3, 4}, {5, 1}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Zeile);
    m.Auswahl = f.Zeile;
    EXPECT_TRUE(m.Uebernehmen());
    EXPECT_EQ(AktAdrNr, f.Nr);
    EXPECT_EQ(GewaehlteAdrNr, f.Nr);
  }
  EXPECT_FALSE(m.UebernehmenZeile(6));
  EXPECT_EQ(AktAdrNr, 1);
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(AdrAuswahlTest, AdresseWaehlenZeigtDasFenster) {
  Bestand(kBestand);
  AdrAuswahl.Sortierung = 1;  // "Name"
  AdrListeSuche.push_back({"alt", 0});
  AktAdrNr = 3;
  int gezeigt = 0;
  AdrAuswahlFenster = [&] {
    ++gezeigt;
    EXPECT_EQ(Nummern(AdrAuswahl.Angezeigt()), (std::vector<int>{0, 4, 2, 1, 3}));
    EXPECT_TRUE(AdrListeSuche.empty());
    AdrAuswahl.GeheZuGeaendert("otto");
    return AdrAuswahl.Uebernehmen();
  };
  AdresseWaehlen();
  EXPECT_EQ(gezeigt, 1);
  EXPECT_EQ(AktAdrNr, 1);
  EXPECT_EQ(GewaehlteAdrNr, 1);

  // Closed without taking one: the current number stays.
  AdrAuswahlFenster = [&] { return ++gezeigt == 0; };
  AdresseWaehlen();
  EXPECT_EQ(gezeigt, 2);
  EXPECT_EQ(AktAdrNr, 1);
}

}  // namespace
}  // namespace davo::addresses
