// The address manager: showing and taking over one record, the validity test,
// the six buttons on valid and invalid input and the two fields that rework
// their text when they are left.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "addresses/Adressenmanager.h"
#include "app/Konfiguration.h"
#include "app/Text.h"
#include "app/Testumgebung.h"

namespace davo::addresses {
namespace {

constexpr std::size_t S = TAdresse::Groesse;
const std::string kUngueltig = "Die Adresse ist ung\xFCltig. Einige Felder sind leer.";

std::string Bytes(const TAdresse& a) { return std::string(a.bytes.begin(), a.bytes.end()); }

// Record k: every byte patterned (reserved areas, Feld9, Bemerkung, Gruppe),
// the shown fields with readable texts whose display gives them back unchanged.
TAdresse Satz(int k) {
  TAdresse a;
  const std::string m = test::Muster(S, 40 + k);
  std::copy(m.begin(), m.end(), a.bytes.begin());
  for (int f = Anrede; f <= UStId; ++f)
    if (f != Feld9) a.SetzeText(f, std::string(FeldName(f)) + "-" + std::to_string(k));
  a.SetzeText(IBAN, "DE02 1203 0000 0000 2020 5" + std::to_string(k));
  a.SetzeAuszahlungFrei(static_cast<std::uint8_t>(k % 2));
  a.SetzeSerienbriefDruck(static_cast<std::uint8_t>((k + 1) % 2));
  a.SetzeFlaeche(10000 * k + 1234);
  return a;
}

class AdressenmanagerTest : public test::AdressdateiTest {
 protected:
  void SetUp() override {
    AdressdateiTest::SetUp();
    app::Konfiguration.SetzeAdressdatei(pfad);
    app::AktAdrBasis = app::BasisVon(pfad);
  }
  // Writes n patterned records and returns the file's bytes.
  std::string Bestand(int n) {
    std::vector<TAdresse> saetze;
    for (int k = 0; k < n; ++k) saetze.push_back(Satz(k));
    return SchreibeSaetze(saetze);
  }
  std::string Datei() const { return test::LiesAlles(datei); }

  AdressenmanagerModell m;
};

// The text boxes and their fields, as the window lays them out (15 and 19 apart).
const std::pair<int, int> kBoxen[] = {
    {1, Anrede},   {2, Name1},        {3, Name2}, {4, Sortierung}, {5, Strasse},       {6, Postfach},
    {7, Ort},      {8, Telefon},      {9, Fax},   {10, EMail},     {11, Homepage},     {12, Bankname},
    {13, BLZ},     {14, Kontonummer}, {16, BIC},  {17, MandatsNr}, {18, MandatsNrAlt}, {20, Steuernummer},
    {21, UStId}};

TEST_F(AdressenmanagerTest, AnzeigenFormate) {
  const struct {
    std::string Iban; std::int64_t Flaeche; std::uint8_t Gruppe, Frei, Brief; std::int32_t Nr; std::string Name1, Name2;
    std::string IbanText, FlaecheText, Gruppentext; bool Freigegeben, Drucken; std::string Nummer, Name;
  } faelle[] = {
      {"DE89370400440532013000", 125000, 7, 1, 0, 0, "Anna Schulte", "geb. Maier", "DE89 3704 0044 0532 0130 00",
       "12,5000", "Zugewiesene Gruppe=     7", true, false, "Adressennr: 1", "Anna Schulte  geb. Maier"},
      {"de89 37 0400440532013000", 12345000, 255, 0, 1, 41, "Hof M\xFC" "ller", "", "de89 3704 0044 0532 0130 00",
       "1.234,5000", "Zugewiesene Gruppe=   255", false, true, "Adressennr: 42", "Hof M\xFC" "ller  "},
      {"DE12", 0, 0, 2, 2, 2946, "", "", "DE12 ", "0,0000", "Zugewiesene Gruppe=     0", false, false,
       "Adressennr: 2947", "  "},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Nummer);
    AktAdresse.Leeren();
    AktAdresse.SetzeText(IBAN, f.Iban), AktAdresse.SetzeFlaeche(f.Flaeche), AktAdresse.SetzeGruppe(f.Gruppe);
    AktAdresse.SetzeAuszahlungFrei(f.Frei), AktAdresse.SetzeSerienbriefDruck(f.Brief);
    AktAdresse.SetzeText(Name1, f.Name1), AktAdresse.SetzeText(Name2, f.Name2);
    AktAdrNr = f.Nr;
    m.AdresseAnzeigen();
    EXPECT_EQ(m.Texte[15], f.IbanText);
    EXPECT_EQ(m.Texte[19], f.FlaecheText);
    EXPECT_EQ(m.LabelGruppe, f.Gruppentext);
    EXPECT_EQ(m.AuszahlungFreigegeben, f.Freigegeben);
    EXPECT_EQ(m.SerienbriefDrucken, f.Drucken);
    EXPECT_EQ(m.LabelNummer, f.Nummer);
    EXPECT_EQ(m.LabelName, f.Name);
  }
}

TEST_F(AdressenmanagerTest, OeffnenStehtAmLetztenSatz) {
  Bestand(3);
  m.Oeffnen();
  EXPECT_EQ(AdrDateiName, pfad);
  EXPECT_EQ(m.Titel, " Adressenmanager  // " + app::AktAdrBasis);
  EXPECT_EQ(AktAdrNr, 2);
  EXPECT_EQ(m.Texte[2], "Name1-2");
  EXPECT_EQ(m.LabelNummer, "Adressennr: 3");

  // The empty file: an empty record at the append position.
  Bestand(0);
  m.Oeffnen();
  EXPECT_EQ(AktAdrNr, 0);
  EXPECT_EQ(Bytes(AktAdresse), std::string(S, '\0'));
  EXPECT_EQ(m.LabelNummer, "Adressennr: 1");
  for (std::size_t k = 1; k <= 21; ++k) EXPECT_EQ(m.Texte[k], k == 19 ? "0,0000" : "") << k;
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(AdressenmanagerTest, BoxenHinUndZurueck) {
  const TAdresse alt = Satz(1);
  AktAdresse = alt;
  m.AdresseAnzeigen();
  for (const auto& [box, feld] : kBoxen) EXPECT_EQ(m.Texte[std::size_t(box)], FeldName(feld) + std::string("-1")) << box;
  EXPECT_EQ(m.Texte[15], "DE02 1203 0000 0000 2020 51");
  EXPECT_EQ(m.Texte[19], "1,1234");

  for (const auto& [box, feld] : kBoxen) m.Texte[std::size_t(box)] = "Box " + std::to_string(box);
  m.Texte[2] = std::string(60, 'x');
  m.Texte[7] = "12345 D\xF6rfl";
  m.Texte[15] = "de89 3704";  // stored as it stands
  m.Texte[16] = "";
  m.Texte[19] = "1.234,5678 ha";
  m.AuszahlungFreigegeben = false;  // was 1
  m.SerienbriefDrucken = true;      // was 0
  m.AdresseUebernehmen();
  for (const auto& [box, feld] : kBoxen) {
    if (box == 2 || box == 7 || box == 16) continue;
    EXPECT_EQ(AktAdresse.Text(feld), "Box " + std::to_string(box)) << box;
  }
  EXPECT_EQ(AktAdresse.Text(Name1), std::string(50, 'x'));
  EXPECT_EQ(AktAdresse.Text(Ort), "12345 D\xF6rfl");
  EXPECT_EQ(AktAdresse.Text(IBAN), "de89 3704");
  EXPECT_EQ(AktAdresse.Text(BIC), "");
  EXPECT_EQ(AktAdresse.Flaeche(), 12345678);
  EXPECT_EQ(AktAdresse.AuszahlungFrei(), 0);
  EXPECT_EQ(AktAdresse.SerienbriefDruck(), 1);
  // Gruppe, Feld9, Feld22..30, the reserved bytes and Bemerkung stay.
  const std::string vorher = Bytes(alt), nachher = Bytes(AktAdresse);
  EXPECT_EQ(nachher.substr(408, 51), vorher.substr(408, 51));
  EXPECT_EQ(nachher.substr(1071, 460), vorher.substr(1071, 460));
  EXPECT_EQ(nachher.substr(1541), vorher.substr(1541));
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(AdressenmanagerTest, UebernehmenDerFlaeche) {
  // The rule itself is tested with the conversions; here what the manager
  // makes of it: a refused text keeps the area and names field and text.
  const struct {
    std::string Text;
    std::int64_t Wert;
    std::string Meldung;
  } faelle[] = {
      {"12,5", 125000, ""},
      {"0,5 ha", 5000, ""},
      {"", 0, ""},
      {"12.5", 31234,
       "Fl\xE4"
       "che: \x84"
       "12.5\x93 ist keine g\xFCltige Zahl \x96 bitte mit Komma schreiben, z. B. 12,5"},
      {"-3,25", 31234,
       "Fl\xE4"
       "che: \x84-3,25\x93 ist keine g\xFCltige Zahl \x96 negative Werte sind nicht erlaubt"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Text);
    dialoge.Meldungen.clear();
    AktAdresse = Satz(3);
    AktAdresse.SetzeFlaeche(31234);
    m.AdresseAnzeigen();
    m.Texte[19] = f.Text;
    EXPECT_EQ(m.AdresseUebernehmen(), f.Meldung.empty());
    EXPECT_EQ(m.FlaecheAbgelehnt, !f.Meldung.empty());
    EXPECT_EQ(AktAdresse.Flaeche(), f.Wert);
    EXPECT_EQ(dialoge.Meldungen, f.Meldung.empty() ? std::vector<std::string>{} : std::vector<std::string>{f.Meldung});
  }
}

TEST_F(AdressenmanagerTest, GueltigMitNameUndSortierung) {
  const struct { std::string Name, Sortierung; bool Gueltig; } faelle[] = {
      {"Anna Schulte", "Schulte, Anna", true}, {" a ", "  b", true}, {"   ", "Schulte", false},
      {"Anna", "    ", false},                 {"", "x", false},     {"x", "", false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Name + "|" + f.Sortierung);
    AktAdresse = Satz(0);
    AktAdresse.SetzeText(Name1, f.Name);
    AktAdresse.SetzeText(Sortierung, f.Sortierung);
    EXPECT_EQ(m.AdresseGueltig(), f.Gueltig);
  }
}

// Each button on record `Start` of three, after Name2 was edited; an invalid
// record has a blank sort key, a refused area ('f') the area "12.5".
TEST_F(AdressenmanagerTest, KnoepfeBeiGueltigerUndUngueltigerAdresse) {
  using Knopf = std::function<bool(AdressenmanagerModell&)>;
  const Knopf weiter = [](AdressenmanagerModell& x) { x.Weiter(); return false; };
  const Knopf zurueck = [](AdressenmanagerModell& x) { x.Zurueck(); return false; };
  const Knopf neu = [](AdressenmanagerModell& x) { x.Neu(); return false; };
  const Knopf suchen = [](AdressenmanagerModell& x) { x.Suchen(); return false; };
  const Knopf ende = [](AdressenmanagerModell& x) { return x.Ende(); };
  const Knopf abbruch = [](AdressenmanagerModell&) { return false; };  // closes without storing
  const struct {
    const char* Name;
    Knopf Druecke;
    char Gueltig;
    std::int32_t Start, Danach;
    bool Gespeichert, Meldung, Ergebnis, FensterGezeigt;
    std::string Gezeigt;  // name box afterwards
  } faelle[] = {
      {"Weiter Flaeche", weiter, 'f', 1, 1, false, true, false, false, "Name1-1"},
      {"Zurueck Flaeche", zurueck, 'f', 1, 1, false, true, false, false, "Name1-1"},
      {"Neu Flaeche", neu, 'f', 1, 1, false, true, false, false, "Name1-1"},
      {"Suchen Flaeche", suchen, 'f', 1, 1, false, true, false, false, "Name1-1"},
      {"Ende Flaeche", ende, 'f', 1, 1, false, true, false, false, "Name1-1"},
      {"Weiter", weiter, 'g', 1, 2, true, false, false, false, "Name1-2"},
      {"Weiter am Ende", weiter, 'g', 2, 3, true, false, false, false, ""},
      {"Weiter ungueltig", weiter, 'u', 1, 1, false, true, false, false, "Name1-1"},
      {"Zurueck", zurueck, 'g', 1, 0, true, false, false, false, "Name1-0"},
      {"Zurueck ungueltig", zurueck, 'u', 1, 0, false, false, false, false, "Name1-0"},
      {"Zurueck auf 0", zurueck, 'g', 0, 0, true, false, false, false, "Name1-0"},
      {"Zurueck auf 0 ungueltig", zurueck, 'u', 0, 0, false, false, false, false, "Name1-0"},
      {"Neu", neu, 'g', 1, 3, true, false, false, false, ""},
      {"Neu ungueltig", neu, 'u', 1, 1, false, true, false, false, "Name1-1"},
      {"Suchen", suchen, 'g', 1, 0, true, false, false, true, "Name1-0"},
      {"Suchen ungueltig", suchen, 'u', 1, 1, false, false, false, false, "Name1-1"},
      {"Ende", ende, 'g', 1, 1, true, false, true, false, "Name1-1"},
      {"Ende ungueltig", ende, 'u', 1, 1, false, false, false, false, "Name1-1"},
      {"Abbruch", abbruch, 'g', 1, 1, false, false, false, false, "Name1-1"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Name);
    const std::string vorher = Bestand(3);
    dialoge.Meldungen.clear();
    int fenster = 0;
    AdrAuswahlFenster = [&] {  // takes record 0
      ++fenster;
      AdrAuswahl.GeheZuGeaendert("Sortierung-0");
      return AdrAuswahl.Uebernehmen();
    };
    m = AdressenmanagerModell{};
    AdrDateiName = pfad;
    AdresseLesen(f.Start);
    m.AdresseAnzeigen();
    m.Texte[3] = "ge\xE4ndert";
    if (f.Gueltig == 'u') m.Texte[4] = "  ";
    if (f.Gueltig == 'f') m.Texte[19] = "12.5";

    EXPECT_EQ(f.Druecke(m), f.Ergebnis);

    std::string erwartet = vorher;
    if (f.Gespeichert) {
      TAdresse neu = Satz(f.Start);
      neu.SetzeText(Name2, "ge\xE4ndert");
      erwartet.replace(static_cast<std::size_t>(f.Start) * S, S, Bytes(neu));
    }
    EXPECT_TRUE(Datei() == erwartet);
    EXPECT_EQ(AktAdrNr, f.Danach);
    EXPECT_EQ(m.Texte[2], f.Gezeigt);
    EXPECT_EQ(m.LabelNummer, "Adressennr: " + std::to_string(f.Danach + 1));
    const std::string meldung = f.Gueltig == 'f' ? m.Texte[19] : kUngueltig;
    ASSERT_EQ(dialoge.Meldungen.size(), f.Meldung ? 1u : 0u);
    if (f.Meldung) {
      EXPECT_NE(dialoge.Meldungen[0].find(meldung), std::string::npos);
    }
    EXPECT_EQ(fenster, f.FensterGezeigt ? 1 : 0);
    EXPECT_TRUE(f.Danach != 3 || Bytes(AktAdresse) == std::string(S, '\0'));
  }
}

TEST_F(AdressenmanagerTest, NeuerSatzWirdAngehaengt) {
  Bestand(0);
  m.Oeffnen();
  m.Texte[2] = "Anna Schulte", m.Texte[4] = "Schulte, Anna";
  m.Weiter();
  EXPECT_EQ(Datei().size(), S);
  EXPECT_EQ(m.LabelNummer, "Adressennr: 2");
  EXPECT_EQ(m.Texte[2], "");

  m.Weiter();  // the empty record is invalid
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{kUngueltig});
  EXPECT_EQ(Datei().size(), S);

  m.Texte[2] = m.Texte[4] = "Berta";
  m.Neu();
  EXPECT_EQ(Datei().size(), 2 * S);
  EXPECT_EQ(m.LabelNummer, "Adressennr: 3");
  m.Texte[2] = "Halb";  // no sort key: dropped when moving back
  m.Zurueck();
  EXPECT_EQ(Datei().size(), 2 * S);
  EXPECT_EQ(m.Texte[2], "Berta");

  m.Neu();
  m.Texte[2] = m.Texte[4] = "Carl";
  EXPECT_TRUE(m.Ende());
  ASSERT_EQ(Datei().size(), 3 * S);
  EXPECT_EQ(Datei().substr(2 * S + 51, 5), "\x04" "Carl");
}

TEST_F(AdressenmanagerTest, NameVerlassenLeitetSortierungAb) {
  const std::string lang(55, 'n');
  const struct { std::string Name, SortierBox, Box, Name1, Sortierung; } faelle[] = {
      {"Anna Maria Schulte", "", "Schulte, Anna Maria", "Anna Maria Schulte", "Schulte, Anna Maria"},
      {"J\xFCrgen Sch\xE4" "fer", "", "Sch\xE4" "fer, J\xFCrgen", "J\xFCrgen Sch\xE4" "fer", "Sch\xE4" "fer, J\xFCrgen"},
      {"Schulte", "", "Schulte", "Schulte", "Schulte"},
      {"Anna ", "", "", "Anna ", ""},        // trailing blank: no new key
      {" Schulte", "", "", " Schulte", ""},  // no first names: no new key
      {lang, "", lang.substr(0, 50), lang.substr(0, 50), lang.substr(0, 50)},
      {"Anna Schulte", "Meier", "Meier", "", ""},  // a sort key is there: nothing happens
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Name);
    AktAdresse.Leeren();
    m.Texte[2] = f.Name;
    m.Texte[4] = f.SortierBox;
    m.NameVerlassen();
    EXPECT_EQ(m.Texte[4], f.Box);
    EXPECT_EQ(AktAdresse.Text(Name1), f.Name1);
    EXPECT_EQ(AktAdresse.Text(Sortierung), f.Sortierung);
  }
}

TEST_F(AdressenmanagerTest, IbanVerlassenGruppiert) {
  const struct { std::string Eingabe, Box; } faelle[] = {
      {"DE89 37040044  0532013 000", "DE89 3704 0044 0532 0130 00"}, {"DE12", "DE12 "}, {"", ""},
      {"de89370400440532013000", "de89 3704 0044 0532 0130 00"},  // upper case is the window's part
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Eingabe);
    m.Texte[15] = f.Eingabe;
    m.IbanVerlassen();
    EXPECT_EQ(m.Texte[15], f.Box);
  }
}

}  // namespace
}  // namespace davo::addresses
