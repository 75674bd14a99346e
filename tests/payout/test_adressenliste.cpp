// The address list window in list mode: the five payout lists with their
// columns, references, sums and captions; sorting; printing the list; the
// direct line print.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Datum.h"
#include "app/IOStoerung.h"
#include "app/Konfiguration.h"
#include "app/Testumgebung.h"
#include "app/Umwandlung.h"
#include "letters/Vorlage.h"
#include "payout/Adressenliste.h"
#include "payout/Einstellungen.h"
#include "printing/Druck.h"
#include "support/TestDrucker.h"

namespace davo::payout {
namespace {

using namespace addresses;

namespace fs = std::filesystem;
using Zeile = AdressenlisteModell::Einzelzeile;

struct Eigentuemer {
  const char *Name1, *Name2, *Bic, *Iban;
  Currency Flaeche;
  int Frei, Gruppe;
};

// File order. At 150,00 per ha with 10,00 as smallest amount: 0 gets 185.1750,
// 1 300, 2 150 (no name), 3 0.0150 -> 0, 4 185.1750, 5 75 (no BIC), 6 150 (no IBAN).
const std::vector<Eigentuemer> kBestand = {
    {"Hans M\xFCller", "Jun.", "GENODEF1ABC", "DE02 1203 0000 0000 2020 51", 12345, 1, 0},
    {"Anna \xD6hler", "", "BYLADEM1001", "DE02120300000000202051", 20000, 0, 1},
    {"", "",
     "\xC4"
     "BC-SEHR-LANGE-KENNUNG",
     "Y", 10000, 1, 0},
    {"Zacharias Zorn", "", "", "DE44500105175407324931", 1, 0, 1},
    {"Berta Bauer", "Erbengemeinschaft Bauer und Soehne Hof", "COBADEFFXXX", "FR7630006000011234567890189", 12345, 1,
     0},
    {"Kurt Krause", "", "", "DE89370400440532013000", 5000, 2, 2},
    {"Lena Lang", "", "GENODEF1XYZ", "", 10000, 2, 2},
};
constexpr Currency kProHa = 1500000, kKleinster = 100000;
const std::string kBeleg = "Pacht 2024 & !NAM1";

// The expected owner row of record k (column 7 given separately).
Zeile Soll(int k, const std::string& referenz) {
  static const char* const namen[] = {
      "Hans MuellerJun.", "Anna Oehler", "", "Zacharias Zorn", "Berta BauerErbengemeinschaft Bauer und Soehne Hof",
      "Kurt Krause",      "Lena Lang"};
  static const char* const flaechen[] = {"      1,2345", "      2,0000", "      1,0000", "      0,0001",
                                         "      1,2345", "      0,5000", "      1,0000"};
  static const char* const betraege[] = {"      185,18", "      300,00", "      150,00", "        0,00",
                                         "      185,18", "       75,00", "      150,00"};
  static const char* const texte[] = {
      "Pacht 2024   Hans Mueller", "Pacht 2024   Anna Oehler", "Pacht 2024   ",         "Pacht 2024   Zacharias Zorn",
      "Pacht 2024   Berta Bauer",  "Pacht 2024   Kurt Krause", "Pacht 2024   Lena Lang"};
  const auto i = static_cast<std::size_t>(k);
  return {"", namen[i], kBestand[i].Bic, kBestand[i].Iban, flaechen[i], betraege[i], texte[i], referenz};
}

const Zeile kTitel = {"",
                      "Name",
                      "Bic",
                      "IBAN",
                      "Fl\xE4"
                      "che",
                      "Betrag",
                      "\xDC"
                      "berweisungstext1",
                      "Referenz"};
Zeile Summe(const std::string& flaeche, const std::string& betrag) {
  return {"", "", "", "Summe:", flaeche, betrag, "", ""};
}

class AdressenlisteTest : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    datei = ordner / "Revier.ADW";
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
      a.SetzeGruppe(static_cast<std::uint8_t>(e.Gruppe));
      inhalt.append(a.bytes.begin(), a.bytes.end());
    }
    test::SchreibeAlles(datei, inhalt);
  }
  void Aufbauen(int art) { Adressenliste.AuszahlungslisteAufbauen(art, kProHa, kKleinster, kBeleg); }
  fs::path datei;
};

TEST_F(AdressenlisteTest, AlleFlaechenSpaltenReferenzenSumme) {
  Adressenliste.Sortierung = 3;
  Adressenliste.SepaSpeichernAktiv = true;
  const std::string vorher = test::LiesAlles(datei);
  Aufbauen(1);
  // Sorted by name; references in file order: 0, 1, 4 get money with
  // complete data, 2, 5 and 6 lack name, BIC or IBAN, 3 gets nothing.
  const std::vector<Zeile> soll = {kTitel, Soll(2, "Fehler!"), Soll(1, "00004.00002"), Soll(4, "00004.00003"),
                                   Soll(0, "00004.00001"), Soll(5, "Fehler!"), Soll(6, "Fehler!"), Soll(3, ""),
                                   // 6.9691 ha; 1045.35 from the four-decimal amounts
                                   // (the shown two-decimal ones would give 1.045,36).
                                   Summe("      6,9691", "    1.045,35")};
  ASSERT_EQ(Adressenliste.Gitter.size(), soll.size());
  for (std::size_t r = 0; r < soll.size(); ++r) EXPECT_EQ(Adressenliste.Gitter[r], soll[r]) << "Zeile " << r;
  EXPECT_EQ(Adressenliste.Titel, "  7 Adressen wurden in der Adressenverwaltung erfasst!");
  EXPECT_EQ(Adressenliste.Sortierung, 0);
  EXPECT_FALSE(Adressenliste.SepaSpeichernAktiv);
  EXPECT_EQ(test::LiesAlles(datei), vorher) << "the list changes nothing in the file";
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(AdressenlisteTest, AuswahlenTitelUndSummen) {
  struct Fall {
    int Art;
    std::vector<std::pair<int, std::string>> Zeilen;  // record and reference, in list order
    std::string Titel, Flaeche, Betrag;
  };
  const std::string frei = " Adressen wurden in der Adressenverwaltung f\xFCr eine Auszahlung ";
  const std::vector<Fall> faelle = {
      {2,
       {{2, "Fehler!"}, {4, "00004.00002"}, {0, "00004.00001"}},
       "  3" + frei + "freigegeben!",
       "      3,4690",
       "      520,35"},
      {3, {{1, "00004.00001"}, {3, ""}}, "  2" + frei + "nicht freigegeben!", "      2,0001", "      300,00"},
      {4, {{2, "Fehler!"}, {4, "00004.00002"}, {0, "00004.00001"}}, "vorher", "      3,4690", "      520,35"},
      {5, {{1, "00004.00001"}, {3, ""}}, "vorher", "      2,0001", "      300,00"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE("Art " + std::to_string(f.Art));
    Adressenliste.Titel = "vorher";
    Aufbauen(f.Art);
    const auto& g = Adressenliste.Gitter;
    ASSERT_EQ(g.size(), f.Zeilen.size() + 2);
    EXPECT_EQ(g.front(), kTitel);
    for (std::size_t i = 0; i < f.Zeilen.size(); ++i)
      EXPECT_EQ(g[i + 1], Soll(f.Zeilen[i].first, f.Zeilen[i].second)) << "Zeile " << i + 1;
    EXPECT_EQ(g.back(), Summe(f.Flaeche, f.Betrag));
    EXPECT_EQ(Adressenliste.Titel, f.Titel);
  }
}

// Areas and amounts the sums cannot hold (written by another program or a
// damaged file): the list stops with "Summe zu groß" naming the owner,
// instead of wrapping round or paying 0,00.
TEST_F(AdressenlisteTest, SummeZuGrossStattUeberlauf) {
  constexpr Currency kMax = std::numeric_limits<Currency>::max();
  struct Fall {
    const char* Name;
    Currency A, B;  // the areas of two owners
    Currency ProHa;
    const char* Genannt;  // the owner the message names
  };
  const Fall faelle[] = {
      {"Flaechensumme", kMax / 2 + 1, kMax / 2 + 1, 0, "Nr. 2 (Beate)"},
      {"Betrag einer Adresse", 10000, kMax / 2, 1500000, "Nr. 2 (Beate)"},
      {"Betragssumme", kMax / 4 + 1, kMax / 4 + 1, 20000, "Nr. 2 (Beate)"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Name);
    Schreiben({{"Anton", "", "GENODEF1ABC", "DE02120300000000202051", f.A, 1, 0},
               {"Beate", "", "GENODEF1ABC", "DE02120300000000202051", f.B, 1, 0}});
    dialoge.Meldungen.clear();
    Adressenliste.Gitter.clear();
    EXPECT_FALSE(Adressenliste.AuszahlungslisteAufbauen(1, f.ProHa, 0, kBeleg));
    ASSERT_EQ(dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(dialoge.Meldungen[0].rfind("Summe zu gro\xDF: Mit der Adresse " + std::string(f.Genannt), 0), 0u)
        << dialoge.Meldungen[0];
  }
}

TEST_F(AdressenlisteTest, LeereDateiUndLaufnummerNull) {
  Schreiben({});
  const std::string erfasst = " Adressen wurden in der Adressenverwaltung ";
  const std::vector<std::pair<int, std::string>> faelle = {
      {1, "  0" + erfasst + "erfasst!"},
      {2, "  0" + erfasst + "f\xFCr eine Auszahlung freigegeben!"},
      {3, "  0" + erfasst + "f\xFCr eine Auszahlung nicht freigegeben!"},
      {4, "vorher"},
      {5, "vorher"},
  };
  for (const auto& [art, titel] : faelle) {
    SCOPED_TRACE("Art " + std::to_string(art));
    Adressenliste.Titel = "vorher";
    Aufbauen(art);
    EXPECT_EQ(Adressenliste.Gitter, (std::vector<Zeile>{kTitel, Summe("      0,0000", "        0,00")}));
    EXPECT_EQ(Adressenliste.Titel, titel);
  }
  EXPECT_TRUE(dialoge.Meldungen.empty());

  // Without settings (run counter 0) the first run is 00001.
  AuszahlungsEinstellungen.Leeren();
  Schreiben({kBestand[1]});
  Aufbauen(1);
  ASSERT_EQ(Adressenliste.Gitter.size(), 3u);
  EXPECT_EQ(Adressenliste.Gitter[1], Soll(1, "00001.00001"));
}

TEST_F(AdressenlisteTest, DateiWirdEinmalGelesen) {
  int oeffnen = 0, lesen = 0;
  app::SetzeIOStoerung([&](app::IOOperation op, const fs::path& p) {
    if (p.filename() == "Revier.ADW") {
      if (op == app::IOOperation::Oeffnen) ++oeffnen;
      if (op == app::IOOperation::Lesen) ++lesen;
    }
    return 0;
  });
  Aufbauen(2);
  app::SetzeIOStoerung(nullptr);
  EXPECT_EQ(oeffnen, 1);
  EXPECT_EQ(lesen, 1) << "the seven records in one read";
  EXPECT_EQ(Adressenliste.Gitter.size(), 5u);
  // The buffer holds the last record listed, not the last one read.
  EXPECT_EQ(AktiveAdressdatei.Satz.Text(Name1), "Berta Bauer");
}

TEST_F(AdressenlisteTest, LesefehlerUeberspringtNurDenSatz) {
  // The read of the records fails; they are read again one by one. When the
  // read of record 1 then fails too, the build reports it and goes on with
  // the next record, so all others are still listed. When none fails, the
  // failed read of all of them lost nothing and is not reported.
  struct Fall {
    std::vector<int> Gestoert;  // the reads that fail, counted from 0
    std::vector<int> Gelistet;
    std::vector<std::string> Meldungen;
  };
  const std::vector<Fall> faelle = {
      {{0, 2}, {0, 2, 3, 4, 5, 6}, {"Fehler beim Lesen! Datei: " + Pfad("Revier.ADW")}},
      {{0}, {0, 1, 2, 3, 4, 5, 6}, {}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Gestoert.size());
    dialoge.Meldungen.clear();
    int lesen = 0;
    app::SetzeIOStoerung([&](app::IOOperation op, const fs::path& p) {
      if (op != app::IOOperation::Lesen || p.filename() != "Revier.ADW") return 0;
      const int n = lesen++;
      return std::count(f.Gestoert.begin(), f.Gestoert.end(), n) ? app::io::LeseFehler : 0;
    });
    Aufbauen(1);
    app::SetzeIOStoerung(nullptr);
    EXPECT_EQ(dialoge.Meldungen, f.Meldungen);
    EXPECT_EQ(Adressenliste.Gitter.size(), f.Gelistet.size() + 2);
    std::vector<std::string> texte;
    for (const auto& z : Adressenliste.Gitter) texte.push_back(z[6]);
    for (int k : f.Gelistet) {
      SCOPED_TRACE("Satz " + std::to_string(k));
      const std::string text = Soll(k, "")[6];
      EXPECT_EQ(std::count(texte.begin(), texte.end(), text), 1) << "\"" << text << "\" fehlt in der Liste";
    }
  }
}

TEST_F(AdressenlisteTest, SortierenNachJederSpalte) {
  Aufbauen(1);
  const Zeile summe = Adressenliste.Gitter.back();
  struct Schritt {
    int Index;
    std::vector<int> Reihenfolge;
  };
  // Equal keys keep the order the previous sort left: 0 and 4, 2 and 6 have
  // the same area, 3 and 5 the same (empty) BIC. Bytes compare unsigned
  // ("\xC4" last).
  const std::vector<Schritt> schritte = {
      {3, {3, 5, 2, 6, 4, 0, 1}},  // area, from the name order
      {2, {6, 0, 1, 3, 5, 4, 2}},  // IBAN: "" < "DE02 1" < "DE021" < "DE4" < "DE8" < "FR" < "Y"
      {3, {3, 5, 6, 2, 0, 4, 1}},  // area, from the IBAN order
      {1, {3, 5, 1, 4, 0, 6, 2}},  // BIC
      {0, {2, 1, 4, 0, 5, 6, 3}},  // name
  };
  for (const auto& s : schritte) {
    SCOPED_TRACE("Sortierung " + std::to_string(s.Index));
    Adressenliste.SortierungWaehlen(s.Index);
    EXPECT_EQ(Adressenliste.Sortierung, s.Index);
    const auto& g = Adressenliste.Gitter;
    ASSERT_EQ(g.size(), 9u);
    EXPECT_EQ(g.front(), kTitel);
    EXPECT_EQ(g.back(), summe);
    for (std::size_t i = 0; i < s.Reihenfolge.size(); ++i)
      EXPECT_EQ(g[i + 1][6], Soll(s.Reihenfolge[i], "")[6]) << "Zeile " << i + 1;
  }
}

TEST_F(AdressenlisteTest, EineDatenzeileBleibtUnveraendert) {
  // Title and sum rows that a sort over all rows would move.
  const std::vector<Zeile> gitter = {{"", "Name", "Bic", "IBAN", "x", "x", "x", "x"},
                                     {"", "Aaron", "A", "A", "A", "A", "A", "A"},
                                     {"", "", "", "", "", "", "", ""}};
  for (int k = 1; k <= 4; ++k) {
    SCOPED_TRACE("Spalte " + std::to_string(k));
    Adressenliste.Gitter = gitter;
    Adressenliste.GitterSortieren(k);
    EXPECT_EQ(Adressenliste.Gitter, gitter);
  }
  Schreiben({kBestand[3]});
  Aufbauen(1);
  const auto eine = Adressenliste.Gitter;
  for (int i = 0; i < 4; ++i) {
    Adressenliste.SortierungWaehlen(i);
    EXPECT_EQ(Adressenliste.Gitter, eine);
  }
}

TEST_F(AdressenlisteTest, GleicheSchluesselInLangerListe) {
  // 40 rows with two area values alternating: each group keeps its order.
  std::vector<Zeile> gitter = {kTitel};
  for (int i = 0; i < 40; ++i)
    gitter.push_back({"", "N" + std::to_string(10 + i), "", "", i % 2 ? "      1,0000" : "      2,0000", "", "", ""});
  gitter.push_back(Summe("     60,0000", ""));
  Adressenliste.Gitter = gitter;
  Adressenliste.GitterSortieren(4);
  std::vector<std::string> namen;
  for (const auto& z : Adressenliste.Gitter) namen.push_back(z[1]);
  std::vector<std::string> soll = {"Name"};
  for (int rest : {1, 0})
    for (int i = 0; i < 40; ++i)
      if (i % 2 == rest) soll.push_back("N" + std::to_string(10 + i));
  soll.push_back("");
  EXPECT_EQ(namen, soll);
}

TEST_F(AdressenlisteTest, UeberweisungstextWieErsetzePlatzhalter) {
  // Names that make another token with the text around the placeholder or
  // hold one themselves, umlauts, a text that must be cut; each transfer
  // text as the replacement of the whole line spells it out.
  const std::vector<Eigentuemer> bestand = {
      {"Bernd K", "", "", "", 10000, 1, 0}, {"Bach", "", "", "", 10000, 1, 0},
      {"MUELLER", "", "", "", 10000, 1, 0}, {"J\xFCrgen \xD6hler", "!NAM2", "", "", 10000, 1, 0},
      {"", "F", "", "", 10000, 1, 0},       {"Anna !ANRE", "Zorn", "", "", 10000, 1, 0},
      {"!NAM1", "x!", "", "", 10000, 1, 0},
  };
  Schreiben(bestand);
  const std::string lang(250, 'x');
  const std::vector<std::string> belege = {"Pacht !NAM1",   "Pacht !NAM1B",      "K!NAM1",
                                           "F!NAM2F",       "!NAM2NAM1",         "!ORT !NAM1",
                                           "\xC4!NAM1\xDC", lang + "!NAM1 Ende", "!NAM1!NAM1"};
  for (const std::string& beleg : belege) {
    SCOPED_TRACE(beleg);
    Adressenliste.AuszahlungslisteAufbauen(1, kProHa, kKleinster, beleg);
    std::vector<std::string> ist, soll;
    for (std::size_t r = 1; r + 1 < Adressenliste.Gitter.size(); ++r) ist.push_back(Adressenliste.Gitter[r][6]);
    for (const Eigentuemer& e : bestand) {
      TAdresse a;
      a.SetzeText(Name1, e.Name1);
      a.SetzeText(Name2, e.Name2);
      soll.push_back(app::SepaText(std::string_view(letters::ErsetzePlatzhalter(beleg, a)).substr(0, 255)));
    }
    std::sort(ist.begin(), ist.end());
    std::sort(soll.begin(), soll.end());
    EXPECT_EQ(ist, soll);
  }
}

TEST(Zwoelfstellig, WieBetragFormatieren) {
  // Around every power of ten, the halves of a cent and the edges of the
  // plain form; where it gives nothing, the general form is used.
  std::vector<Currency> werte = {0, 1, 49, 50, 99, 100, 149, 150, 9950, 9999, std::numeric_limits<Currency>::max()};
  for (Currency p = 10; p <= 100000000000000; p *= 10)
    for (Currency d : {-51, -50, -49, -1, 0, 1, 49, 50, 51}) werte.push_back(p + d);
  for (Currency w = 0; w < 3000000; w += 997) werte.push_back(w * 3371);
  for (const Currency w : {Currency{-1}, Currency{-10000}, std::numeric_limits<Currency>::min()}) werte.push_back(w);
  for (const Currency w : werte)
    for (int stellen : {2, 4}) {
      std::array<char, 12> puffer;
      const std::optional<std::string_view> schnell = Zwoelfstellig(w, stellen, puffer);
      if (schnell) {
        EXPECT_EQ(*schnell, app::BetragFormatieren(w, 12, stellen)) << w << " " << stellen;
      } else {
        EXPECT_TRUE(w < 0 || w >= 9999990000) << w << " " << stellen;
      }
    }
}

// --- printing -------------------------------------------------------------------

class AdressenlisteDruckTest : public AdressenlisteTest {
 protected:
  void TearDown() override {
    printing::InstalliereDrucker(nullptr);
    AdressenlisteTest::TearDown();
  }
  test::Druckaufbau druck;
};

TEST_F(AdressenlisteDruckTest, ListeDruckenGolden) {
  // The caption, the date with the amount per hectare, the column titles,
  // three owners and the sum row, one blank between columns. The name is
  // padded right to 40 or cut (49 characters), the other columns padded left
  // to 15, the BIC cut to 15. The IBANs are printed in groups of four and
  // never cut: the German one takes 27 characters, the French one 33, which
  // widens the column.
  app::Uhr = [] {
    app::DatumZeit d;
    d.Jahr = 2026, d.Monat = 12, d.Tag = 6;
    return d;
  };
  Aufbauen(2);
  dialoge.Druckantworten.push_back(true);
  Adressenliste.ListeDrucken();
  test::PruefeGolden("auszahlungsliste.txt", druck.band.AlsText());

  // A cancelled print dialog prints nothing.
  druck.band.Leeren();
  dialoge.Druckantworten.push_back(false);
  Adressenliste.ListeDrucken();
  EXPECT_EQ(druck.band.AlsText(), "");
}

TEST_F(AdressenlisteDruckTest, SeitenvorschubVorJederSechzigstenZeile) {
  // 119 owner rows and the sum row: pages break before rows 60 and 120.
  std::vector<Zeile> gitter = {kTitel};
  for (int i = 1; i <= 119; ++i) {
    std::string n = std::to_string(i);
    gitter.push_back({"", "Z" + std::string(3 - n.size(), '0') + n, "B", "I", "F", "G", "T", "R"});
  }
  gitter.push_back(Summe("S", "S"));
  Adressenliste.Gitter = gitter;
  Adressenliste.Titel = "Kopf";
  dialoge.Druckantworten.push_back(true);
  Adressenliste.ListeDrucken();

  // The left column (caption, column titles and names), the sheet numbers
  // and page breaks; every page starts with the column titles.
  auto links = [](const std::string& name, int y) {
    return "text 413 " + std::to_string(y) + " " + name + std::string(40 - name.size(), ' ');
  };
  std::vector<std::string> soll = {"text 447 420 Blatt: 1", "text 413 560 Kopf", links("Name", 630)};
  int y = 700;
  for (int r = 1; r <= 120; ++r) {
    if (r % 60 == 0) {
      soll.push_back("neue-seite");
      soll.push_back("text 447 420 Blatt: " + std::to_string(r / 60 + 1));
      soll.push_back(links("Name", 560));
      y = 630;
    }
    soll.push_back(links(gitter[static_cast<std::size_t>(r)][1], y));
    y += 70;
  }
  std::vector<std::string> ist;
  std::istringstream band(druck.band.AlsText());
  for (std::string z; std::getline(band, z);)
    if (z.rfind("text 413 ", 0) == 0 || z.rfind("text 447 ", 0) == 0 || z == "neue-seite") ist.push_back(z);
  EXPECT_EQ(ist, soll);
  EXPECT_EQ(druck.band.Seiten(), 3);
}

TEST_F(AdressenlisteDruckTest, DruckZeileDirekt) {
  app::Konfiguration.SetzeDruckLinks(120);
  app::Konfiguration.SetzeDruckOben(45);
  int zeile = 0;
  DruckZeileDirekt("ohne Dokument", zeile);
  EXPECT_EQ(druck.band.AlsText(), "");

  printing::DirektdruckBeginnen();
  druck.band.Leeren();
  zeile = 1;
  // 10-point text is 100 px high: y = zeile x 100 + 45.
  for (const char* text : {"eins", "zwei", "dr\xE4i"}) DruckZeileDirekt(text, zeile);
  EXPECT_EQ(zeile, 4);
  druck.messen.Groesse = 7;  // 70 px
  DruckZeileDirekt("klein", zeile);
  EXPECT_EQ(zeile, 5);
  printing::DirektdruckBeenden();
  EXPECT_EQ(druck.band.AlsText(),
            "text 120 145 eins\ntext 120 245 zwei\ntext 120 345 dr\xC3\xA4i\ntext 120 325 klein\nende\n");
}

}  // namespace
}  // namespace davo::payout
