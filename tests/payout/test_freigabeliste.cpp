// The release list of the SEPA file: which owners get an item, its six
// fields, pale items for implausible bank data, "alle" and "keine", the
// length limits, and the printed sections; and the error mark of the payout
// lists for implausible bank data.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "addresses/Adresse.h"
#include "app/Konfiguration.h"
#include "app/Testumgebung.h"
#include "payout/Adressenliste.h"
#include "payout/Einstellungen.h"
#include "printing/Druck.h"
#include "support/TestDrucker.h"

namespace davo::payout {
namespace {

using namespace addresses;

struct Eigentuemer {
  std::string Name1, Name2, Bic, Iban;
  Currency Flaeche;
  int Frei;
};

// At 150,00 per ha with 15,00 as the smallest amount.
constexpr Currency kProHa = 1500000, kKleinster = 150000;

const std::vector<Eigentuemer> kBestand = {
    {"Hans M\xFCller", "", "GENODEF1ABC", "de02 1203 0000 0000 2020 51", 12345, 1},   // 185,18
    {"Anna \xD6hler", "Erben", "COBADEFF", "FR7630006000011234567890189", 20000, 1},  // 8-character BIC, French IBAN
    {"Nicht Frei", "", "GENODEF1ABC", "DE89370400440532013000", 20000, 0},
    {"Zu Wenig", "", "GENODEF1ABC", "DE89370400440532013000", 999, 1},       // 14,99
    {"Gerade Genug", "", "GENODEF1ABC", "DE89370400440532013000", 1000, 1},  // 15,00
    {"Falsche Pruefziffer", "", "GENODEF1ABC", "DE89370400440532013001", 10000, 1},
    {"Schweizer", "", "UBSWCHZH80A", "CH9300762011623852957", 10000, 1},
    {"Zehn Zeichen", "", "COBADEFFXX", "DE89370400440532013000", 10000, 1},
    {"", "", "GENODEF1ABC", "DE89370400440532013000", 10000, 1},
    {"Semikolon", "", "AB;CD", "DE89 3704;0044", 10000, 1},
    {"Gross", "", "GENODEF1ABC", "DE89370400440532013000", 80000000000000, 1},  // 1,2E+13 euro
};

class FreigabelisteTest : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    AdrDateiName = Pfad("Revier.ADW");
    AuszahlungsEinstellungen.SetzeLaufnummer(3);
    Schreiben(kBestand);
  }
  void Schreiben(const std::vector<Eigentuemer>& bestand) {
    std::string inhalt;
    for (const auto& e : bestand) {
      TAdresse a;
      a.SetzeText(Name1, e.Name1);
      a.SetzeText(Name2, e.Name2);
      a.SetzeText(BIC, e.Bic);
      a.SetzeText(IBAN, e.Iban);
      a.SetzeFlaeche(e.Flaeche);
      a.SetzeAuszahlungFrei(static_cast<std::uint8_t>(e.Frei));
      inhalt.append(a.bytes.begin(), a.bytes.end());
    }
    test::SchreibeAlles(ordner / "Revier.ADW", inhalt);
  }
  bool Aufbauen(const std::string& beleg = "Pacht 2026 & !NAM1") {
    return Adressenliste.FreigabelisteAufbauen(kProHa, kKleinster, beleg);
  }
};

TEST_F(FreigabelisteTest, PostenFelderUndPlausibilitaet) {
  ASSERT_TRUE(Aufbauen());
  struct Soll {
    std::int32_t Nr;
    std::string Text;
    bool Aktiv;
  };
  const std::vector<Soll> soll = {
      {0, "      185,18;Hans Mueller ;GENODEF1ABC;de02 1203 0000 0000 2020 51;Pacht 2026   Hans Mueller;00004.00001",
       true},
      {1,
       "      300,00;Anna Oehler Erben;COBADEFF;FR76 3000 6000 0112 3456 7890 189;Pacht 2026   Anna Oehler;00004.00002",
       true},
      {4, "       15,00;Gerade Genug ;GENODEF1ABC;DE89 3704 0044 0532 0130 00;Pacht 2026   Gerade Genug;00004.00003",
       true},
      {5,
       "      150,00;Falsche Pruefziffer ;GENODEF1ABC;DE89 3704 0044 0532 0130 01;Pacht 2026   Falsche Pruefziffer;"
       "00004.00004",
       false},
      {6, "      150,00;Schweizer ;UBSWCHZH80A;CH93 0076 2011 6238 5295 7;Pacht 2026   Schweizer;00004.00005", false},
      {7, "      150,00;Zehn Zeichen ;COBADEFFXX;DE89 3704 0044 0532 0130 00;Pacht 2026   Zehn Zeichen;00004.00006",
       false},
      {8, "      150,00; ;GENODEF1ABC;DE89 3704 0044 0532 0130 00;Pacht 2026   ;00004.00007", false},
      {9, "      150,00;Semikolon ;AB;CD;DE89 3704 ;004 4;Pacht 2026   Semikolon;00004.00008", false},
      {10, "1,20000000E+12;Gross ;GENODEF1ABC;DE89 3704 0044 0532 0130 00;Pacht 2026   Gross;00004.00009", false},
  };
  ASSERT_EQ(Adressenliste.Freigabe.size(), soll.size());
  for (std::size_t i = 0; i < soll.size(); ++i) {
    const Freigabeposten& p = Adressenliste.Freigabe[i];
    SCOPED_TRACE(p.Text);
    EXPECT_EQ(p.Nr, soll[i].Nr);
    EXPECT_EQ(p.Text, soll[i].Text);
    EXPECT_EQ(p.Aktiv, soll[i].Aktiv);
    EXPECT_EQ(p.Markiert, soll[i].Aktiv);
  }
  // The fields stay apart although the BIC and the IBAN hold a ";".
  const Freigabeposten& semikolon = Adressenliste.Freigabe[7];
  EXPECT_EQ(semikolon.Feld(3), "AB;CD");
  EXPECT_EQ(semikolon.Feld(4), "DE89 3704 ;004 4");
  EXPECT_EQ(semikolon.Feld(6), "00004.00008");
  EXPECT_EQ(Adressenliste.Ansicht, AdressenlisteModell::Modus::Freigabe);
  EXPECT_TRUE(Adressenliste.SepaSpeichernAktiv);
  EXPECT_EQ(Adressenliste.FreigabeLauf, 4);
  EXPECT_EQ(Adressenliste.Titel,
            "  9 Adressen wurden in der Adressenverwaltung f\xFCr eine \xDC"
            "berweisung freigegeben!");

  // A transfer text that is empty once its placeholders are replaced.
  ASSERT_TRUE(Aufbauen("!NAM2"));
  std::vector<bool> aktiv;
  for (const Freigabeposten& p : Adressenliste.Freigabe) aktiv.push_back(p.Aktiv);
  EXPECT_EQ(aktiv, (std::vector<bool>{false, true, false, false, false, false, false, false, false}));
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(FreigabelisteTest, AlleUndKeine) {
  ASSERT_TRUE(Aufbauen());
  const auto marken = [] {
    std::string m;
    for (const Freigabeposten& p : Adressenliste.Freigabe) m += p.Markiert ? 'x' : '.';
    return m;
  };
  Adressenliste.Freigabe[1].Markiert = false;
  EXPECT_EQ(marken(), "x.x......");
  Adressenliste.Keine();
  EXPECT_EQ(marken(), ".........");
  Adressenliste.Alle();
  EXPECT_EQ(marken(), "xxx......");
}

TEST_F(FreigabelisteTest, LaengengrenzenBehaltenDieReferenz) {
  const std::string umlaute(25, '\xFC');  // 50 characters as "ue"
  Schreiben({{umlaute, umlaute, "GENODEF1ABC", "DE89370400440532013000", 10000, 1},
             {"Lange Kennungen", "", std::string(50, 'B'), std::string(50, '1'), 10000, 1},
             {"Kurz", "", "GENODEF1ABC", "DE89370400440532013000", 10000, 1}});
  ASSERT_TRUE(Aufbauen(std::string(255, 'T')));
  ASSERT_EQ(Adressenliste.Freigabe.size(), 3u);
  const Freigabeposten& lang = Adressenliste.Freigabe[0];
  std::string ue;
  for (int i = 0; i < 25; ++i) ue += "ue";
  EXPECT_EQ(lang.Feld(2), (ue + " " + ue).substr(0, 70));
  EXPECT_EQ(lang.Text.size(), 255u);
  EXPECT_EQ(lang.Feld(5), std::string(255 - (12 + 70 + 11 + 27 + 11 + 5), 'T'));
  EXPECT_EQ(lang.Feld(6), "00004.00001");
  EXPECT_TRUE(lang.Aktiv);
  const Freigabeposten& kennungen = Adressenliste.Freigabe[1];
  EXPECT_EQ(kennungen.Text.size(), 255u);
  EXPECT_EQ(kennungen.Feld(6), "00004.00002");
  EXPECT_EQ(kennungen.Feld(5).size(), 255u - (12 + 16 + 50 + 62 + 11 + 5));
  EXPECT_FALSE(kennungen.Aktiv);
  // Where there is room, the transfer text keeps the 140 characters of the file.
  EXPECT_EQ(Adressenliste.Freigabe[2].Feld(5), std::string(140, 'T'));
  EXPECT_EQ(Adressenliste.Freigabe[2].Feld(6), "00004.00003");
}

// --- printing ---------------------------------------------------------------------

class FreigabeDruckTest : public FreigabelisteTest {
 protected:
  void TearDown() override {
    printing::InstalliereDrucker(nullptr);
    FreigabelisteTest::TearDown();
  }
  test::Druckaufbau druck;
};

TEST_F(FreigabeDruckTest, DreiAbschnitteGolden) {
  app::Konfiguration.SetzeDruckLinks(100);
  app::Konfiguration.SetzeDruckOben(20);
  Schreiben({kBestand[0], kBestand[1], kBestand[4], kBestand[7]});
  ASSERT_TRUE(Aufbauen());
  Adressenliste.Freigabe[1].Markiert = false;
  dialoge.Druckantworten.push_back(true);
  Adressenliste.ListeDrucken();
  test::PruefeGolden("freigabeliste.txt", druck.band.AlsText());
}

TEST_F(FreigabeDruckTest, LangeAbschnitteBrechenNach60Zeilen) {
  // 61 items in each section: one page break in each.
  std::vector<Eigentuemer> viele;
  for (const char* bic : {"GENODEF1ABC", "GENODEF1ABC", "COBADEFFXX"})
    for (int i = 0; i < 61; ++i) {
      std::string name = "E";  // appended, not "E" + ...: no false warning in the Windows build
      name += std::to_string(i);
      viele.push_back({name, "", bic, "DE89370400440532013000", 10000, 1});
    }
  Schreiben(viele);
  ASSERT_TRUE(Aufbauen());
  for (std::size_t i = 61; i < 122; ++i) Adressenliste.Freigabe[i].Markiert = false;
  dialoge.Druckantworten.push_back(true);
  Adressenliste.ListeDrucken();
  const std::string band = druck.band.AlsText();
  std::size_t seiten = 0;
  for (std::size_t p = band.find("neue-seite"); p != std::string::npos; p = band.find("neue-seite", p + 1)) ++seiten;
  EXPECT_EQ(seiten, 3u);
}

// --- the payout lists ---------------------------------------------------------------

TEST_F(FreigabelisteTest, AuszahlungslisteZeigtFehlerBeiUnplausiblenBankdaten) {
  Adressenliste.AuszahlungslisteAufbauen(1, kProHa, kKleinster, "");
  std::vector<std::string> referenzen;
  for (std::size_t r = 1; r + 1 < Adressenliste.Gitter.size(); ++r)
    referenzen.push_back(Adressenliste.Gitter[r][1] + "=" + Adressenliste.Gitter[r][7]);
  std::sort(referenzen.begin(), referenzen.end());
  EXPECT_EQ(referenzen,
            (std::vector<std::string>{"=Fehler!", "Anna OehlerErben=00004.00002", "Falsche Pruefziffer=Fehler!",
                                      "Gerade Genug=00004.00004", "Gross=00004.00005", "Hans Mueller=00004.00001",
                                      "Nicht Frei=00004.00003", "Schweizer=Fehler!", "Semikolon=Fehler!",
                                      "Zehn Zeichen=Fehler!", "Zu Wenig="}));
}

}  // namespace
}  // namespace davo::payout
