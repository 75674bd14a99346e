// The report engine on a 4960 x 7016 pixel page: margins and grid, the boxed
// page header, cells, right-aligned numbers, the control codes, landscape at
// the start of a job, a cancelled print dialog; and the printer control keys.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DateiIO.h"
#include "app/Text.h"
#include "app/Testumgebung.h"
#include "printing/Druck.h"
#include "support/TestDrucker.h"

namespace davo::printing {
namespace {

// What every job records before its first output: portrait, title, document,
// condensed font.
const std::string kStart = "hoch\ntitel Velmora\nbeginn\ngroesse 7\n";

// The header box of sheet n on a fresh page with empty header cells:
// condensed grid (34 px per column, 7 px per line unit), lines half a column
// right of their column and 5 units below their line position.
std::string Kopf(int blatt) {
  return "linie 430 175 4510 175\n"
         "text 447 420 Blatt: " + std::to_string(blatt) + "\n"
         "linie 430 175 430 525\nlinie 2300 175 2300 525\nlinie 3490 175 3490 525\nlinie 4510 175 4510 525\n"
         "linie 430 525 4510 525\n";
}

// The line step of wide mode: its nominal 25 units of 7 px are less than the
// 200 px a 20-point text is high on the test printer, so the step grows to
// the text (29 units); condensed (10 units, 70 px) and normal (15, 100 px)
// keep theirs.
constexpr int kBreitSchritt = 29;

class DruckTest : public test::CoreTest {
 protected:
  void TearDown() override {
    InstalliereDrucker(nullptr);
    CoreTest::TearDown();
  }
  // Opens a job (answering the print dialog with yes) and forgets what the
  // start recorded.
  void Beginn(bool leeren = true) {
    dialoge.Druckantworten.push_back(true);
    DruckBeginn();
    ASSERT_FALSE(app::Abbruch);
    if (leeren) druck.band.Leeren();
  }
  std::string Band() const { return druck.band.AlsText(); }

  test::Druckaufbau druck;
};

TEST_F(DruckTest, GeometrieUndSchriftartenDerVorgaben) {
  Beginn(false);
  EXPECT_EQ(kStart, Band());
  EXPECT_EQ(413, Druckzustand.RandLinks);
  EXPECT_EQ(99, Druckzustand.RandRechts);
  EXPECT_EQ(140, Druckzustand.RandOben);
  EXPECT_EQ(140, Druckzustand.RandUnten);
  EXPECT_EQ(4448, Druckzustand.Nutzbreite);
  EXPECT_EQ(6736, Druckzustand.Nutzhoehe);
  EXPECT_EQ(90, Druckzustand.ZeilenProSeite);
  EXPECT_EQ(7, Druckzustand.Zeileneinheit);
  EXPECT_TRUE(Druckzustand.KopfFaellig);
  EXPECT_EQ(0, Druckzustand.Seite);

  struct Fall { int Code, Spaltenbreite, Schritt, Groesse; bool Schmal, Breit; };
  // Every job starts condensed; wide leaves the condensed flag as it was.
  const std::vector<Fall> faelle = {
      {-100, 34, 10, 7, true, false},  // the state DruckBeginn left
      {4, 88, kBreitSchritt, 20, true, true},  {5, 55, 15, 10, false, false},
      {4, 88, kBreitSchritt, 20, false, true}, {2, 34, 10, 7, true, false},
      {3, 55, 15, 10, false, false},           {2, 34, 10, 7, true, false},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE("Code " + std::to_string(f.Code));
    druck.band.Leeren();
    if (f.Code != -100) {
      DruckSteuerung(f.Code);
      EXPECT_EQ("groesse " + std::to_string(f.Groesse) + "\n", Band());
    }
    EXPECT_EQ(f.Spaltenbreite, Druckzustand.Spaltenbreite);
    EXPECT_EQ(f.Schritt, Druckzustand.Zeilenschritt);
    EXPECT_EQ(f.Schmal, Druckzustand.Schmalschrift);
    EXPECT_EQ(f.Breit, Druckzustand.Breitschrift);
    EXPECT_EQ(7, Druckzustand.Zeileneinheit);
  }
}

TEST_F(DruckTest, ZweiSeitenMitKopfkasten) {
  Druckzustand.Kopfzellen[1][1] = "Auszahlungsliste";
  Druckzustand.Kopfzellen[1][2] = "Gruppe 3";
  Druckzustand.Kopfzellen[3][3] =
      "01234567890123456789012345678901234567890123456789";  // 50 characters, 48 fit in 30 columns
  Beginn(false);
  DruckText("Seite eins");
  EXPECT_EQ(60, Druckzustand.Zeile) << "first caller text below the six header lines";
  EXPECT_EQ(10, Druckzustand.Spalte);
  EXPECT_FALSE(Druckzustand.KopfFaellig);
  DruckSteuerung(Zeilenvorschub);
  DruckZelle("Zelle", 10);
  DruckSteuerung(Seitenvorschub);
  EXPECT_EQ(1, Druckzustand.Seite);
  EXPECT_EQ(0, Druckzustand.Zeile);
  EXPECT_TRUE(Druckzustand.KopfFaellig);
  DruckSteuerung(BreitEin);
  DruckText("Seite zwei");
  // The header is drawn condensed; the caller's wide mode is back afterwards.
  EXPECT_TRUE(Druckzustand.Breitschrift);
  EXPECT_EQ(88, Druckzustand.Spaltenbreite);
  EXPECT_EQ(kBreitSchritt, Druckzustand.Zeilenschritt);
  EXPECT_EQ("Blatt: 2", Druckzustand.Kopfzellen[4][1]);
  DruckEnde();
  EXPECT_EQ(2, druck.band.Seiten());
  test::PruefeGolden("zwei_seiten.txt", Band());
  // A replay draws the same calls.
  test::TestDrucker anderer;
  Aufzeichnung kopie(&anderer);
  druck.band.Wiedergeben(kopie);
  EXPECT_EQ(Band(), kopie.AlsText());
}

TEST_F(DruckTest, KopfImmerSchmalUndModusDesAufrufersZurueck) {
  struct Fall { int Code; std::string Groesse; int Spaltenbreite, Schritt; };
  for (const Fall& f : {Fall{SchmalAus, "10", 55, 15}, Fall{BreitAus, "10", 55, 15},
                        Fall{BreitEin, "20", 88, kBreitSchritt}, Fall{SchmalEin, "7", 34, 10}}) {
    SCOPED_TRACE("Code " + std::to_string(f.Code));
    Beginn();
    DruckSteuerung(f.Code);
    DruckText("X");
    const std::string umschalten = f.Groesse == "7" ? "" : "groesse 7\n";
    const std::string zurueck = f.Groesse == "7" ? "" : "groesse " + f.Groesse + "\n";
    EXPECT_EQ("groesse " + f.Groesse + "\n" + umschalten + Kopf(1) + zurueck + "text 413 560 X\n", Band());
    EXPECT_EQ(f.Spaltenbreite, Druckzustand.Spaltenbreite);
    EXPECT_EQ(f.Schritt, Druckzustand.Zeilenschritt);
    EXPECT_EQ(60, Druckzustand.Zeile);
    DruckEnde();
  }
}

TEST_F(DruckTest, OhneSeitenkopfAufAllenSeitenBisDruckReset) {
  Beginn();
  Druckzustand.OhneSeitenkopf = true;
  DruckText("A");
  DruckSteuerung(Seitenvorschub);
  DruckText("B");
  DruckEnde();
  EXPECT_EQ("text 413 140 A\nneue-seite\ntext 413 140 B\nende\n", Band());

  // A job opened without DruckReset keeps the flag.
  Beginn();
  DruckText("C");
  DruckEnde();
  EXPECT_EQ("text 413 140 C\nende\n", Band());

  DruckReset();
  EXPECT_FALSE(Druckzustand.OhneSeitenkopf);
  Beginn();
  DruckText("D");
  EXPECT_EQ(Kopf(1) + "text 413 560 D\n", Band());
  DruckEnde();
}

TEST_F(DruckTest, ZelleSchneidetAmEndeBisSiePasst) {
  struct Fall { int Code; int Breite; std::string Text, Gezeichnet; };
  const std::string abc = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  // 10 columns: condensed 340 px for 21 px characters, normal 550 px for 30,
  // wide 880 px for 60.
  const std::vector<Fall> faelle = {
      {SchmalEin, 10, abc, "ABCDEFGHIJKLMNOP"}, {SchmalAus, 10, abc, "ABCDEFGHIJKLMNOPQR"},
      {BreitEin, 10, abc, "ABCDEFGHIJKLMN"},    {SchmalEin, 3, "abc", "abc"},
      {SchmalEin, 1, "Zu lang", "Z"},           {SchmalEin, 0, "weg", ""},
      {SchmalEin, 30, "", ""},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Text + " in " + std::to_string(f.Breite));
    Beginn();
    Druckzustand.OhneSeitenkopf = true;
    DruckSteuerung(f.Code);
    DruckText("12");
    druck.band.Leeren();
    DruckZelle(f.Text, f.Breite);
    // The cell starts one column right of the current column (here 2).
    const std::string soll = f.Gezeichnet.empty() ? ""
                                                  : "text " + std::to_string(413 + 3 * Druckzustand.Spaltenbreite) +
                                                        " 140 " + f.Gezeichnet + "\n";
    EXPECT_EQ(soll, Band());
    EXPECT_EQ(2 + f.Breite, Druckzustand.Spalte);
    DruckEnde();
  }
}

TEST_F(DruckTest, RechtsbuendigEinZeichenJeSpalte) {
  Beginn();
  Druckzustand.OhneSeitenkopf = true;
  DruckText("abc");
  druck.band.Leeren();
  DruckRechts("12,50", 10);
  std::string soll;
  for (int c = 3; c < 8; ++c) soll += "text " + std::to_string(413 + c * 34) + " 140  \n";
  soll += "text 685 140 1\ntext 719 140 2\ntext 753 140 ,\ntext 787 140 5\ntext 821 140 0\n";
  EXPECT_EQ(soll, Band());
  EXPECT_EQ(13, Druckzustand.Spalte);

  // Longer than the width: printed whole.
  druck.band.Leeren();
  DruckRechts("1234", 2);
  EXPECT_EQ("text 855 140 1\ntext 889 140 2\ntext 923 140 3\ntext 957 140 4\n", Band());
  EXPECT_EQ(17, Druckzustand.Spalte);
  DruckEnde();
}

TEST_F(DruckTest, SteuercodesMitUndOhneWirkung) {
  Beginn();
  DruckText("x");
  DruckSteuerung(BreitEin);
  DruckText("yz");
  druck.band.Leeren();
  for (int code : {0, 1, 6, 7, 12, 13, 14, 99, -1}) {
    SCOPED_TRACE("Code " + std::to_string(code));
    DruckSteuerung(code);
    EXPECT_EQ("", Band());
    EXPECT_EQ(60, Druckzustand.Zeile);
    EXPECT_EQ(3, Druckzustand.Spalte);
    EXPECT_EQ(88, Druckzustand.Spaltenbreite);
    EXPECT_EQ(kBreitSchritt, Druckzustand.Zeilenschritt);
    EXPECT_TRUE(Druckzustand.Breitschrift);
    EXPECT_TRUE(Druckzustand.Schmalschrift);
    EXPECT_EQ(0, Druckzustand.Seite);
  }
  DruckSteuerung(FettEin);
  DruckSteuerung(FettAus);
  EXPECT_EQ("fett ein\nfett aus\n", Band());
  DruckSteuerung(Zeilenvorschub);
  EXPECT_EQ(60 + kBreitSchritt, Druckzustand.Zeile);
  EXPECT_EQ(0, Druckzustand.Spalte);
  DruckEnde();
}

TEST_F(DruckTest, QuerformatBeimBeginnGibtSechzigZeilen) {
  druck.messen.Quer = true;
  Beginn(false);
  EXPECT_EQ(60, Druckzustand.ZeilenProSeite);
  EXPECT_EQ(11, Druckzustand.Zeileneinheit);  // 6736 div 600
  EXPECT_FALSE(druck.messen.Quer) << "the job prints portrait";
  EXPECT_EQ(4448, Druckzustand.Nutzbreite);
  DruckText("A");
  const std::string band = Band();
  EXPECT_NE(std::string::npos, band.find("linie 430 195 4510 195\n")) << band;
  EXPECT_NE(std::string::npos, band.find("text 413 800 A\n")) << band;
  DruckEnde();

  // The next job starts from the stored 90 again.
  Beginn();
  EXPECT_EQ(90, Druckzustand.ZeilenProSeite);
  EXPECT_EQ(7, Druckzustand.Zeileneinheit);
  DruckEnde();
}

TEST_F(DruckTest, AbgebrochenerDruckdialogLaesstAllesHarmlos) {
  // A control code before any job.
  DruckSteuerung(Seitenvorschub);
  DruckSteuerung(SchmalEin);
  EXPECT_TRUE(IstSteuerkennung("ff"));
  dialoge.Druckantworten.push_back(false);
  DruckBeginn();
  EXPECT_TRUE(app::Abbruch);
  const int zeile = Druckzustand.Zeile, spalte = Druckzustand.Spalte;
  DruckText("a");
  DruckZelle("b", 5);
  DruckZeichen("cd");
  DruckRechts("1,00", 8);
  for (int code = -1; code <= 14; ++code) DruckSteuerung(code);
  DruckEnde();
  EXPECT_EQ("", Band());
  EXPECT_EQ(zeile, Druckzustand.Zeile);
  EXPECT_EQ(spalte, Druckzustand.Spalte);
  EXPECT_EQ(0, Druckzustand.Seite);

  // After a finished job, too.
  Beginn();
  DruckEnde();
  druck.band.Leeren();
  DruckText("spaet");
  DruckSteuerung(Seitenvorschub);
  DruckEnde();
  EXPECT_EQ("", Band());
}

TEST_F(DruckTest, GespeicherteDruckerschrift) {
  Druckzustand.Druckerschrift.Name = "Courier New";
  Beginn(false);
  const std::string band = Band();
  EXPECT_NE(std::string::npos, band.find("schrift Courier New\n")) << band;
  EXPECT_LT(band.find("schrift Courier New\n"), band.find("beginn\n"));
  DruckEnde();
}

// --- printer control keys -----------------------------------------------------

class SteuerkennungTest : public DruckTest {};

TEST_F(SteuerkennungTest, SchluesselUndIhreCodes) {
  struct Fall { std::string Kennung; bool Treffer; std::string Band; };
  const std::vector<Fall> faelle = {
      {"kb", true, "groesse 7\n"},   {"KB ", true, "groesse 7\n"},   {"gb", true, "groesse 20\n"},
      {"ge ", true, "groesse 10\n"}, {"FF ", true, "neue-seite\n"},  {"ff", true, "neue-seite\n"},
      {"fb", true, "fett ein\n"},    {"FE", true, "fett aus\n"},     {"T5 ", true, ""},
      {"I1 ", true, ""},             {"ee", true, ""},               {"s6", true, ""},
      {"R0 ", true, ""},             {"z9", true, ""},               {"da", true, ""},
      {"dar", true, ""},             {"dm6", true, ""},              {"%sk", true, ""},
      {"nc", true, ""},              {"\x9A" "B ", true, ""},        {"\x9A" "b", true, ""},
      {"XY ", false, ""},            {"DAX", false, ""},             {"S7 ", false, ""},
      {"DM7", false, ""},            {"T  ", false, ""},             {"", false, ""},
      {"\xDC" "B ", false, ""},      {"\xFC" "b", false, ""},
  };
  Beginn();
  DruckSteuerung(SchmalAus);
  DruckText("x");
  for (const auto& f : faelle) {
    SCOPED_TRACE("Kennung \"" + app::AnsiNachUtf8(f.Kennung) + "\"");
    druck.band.Leeren();
    DruckSteuerung(SchmalAus);
    DruckSteuerung(Zeilenvorschub);
    druck.band.Leeren();
    const int zeile = Druckzustand.Zeile, seite = Druckzustand.Seite;
    EXPECT_EQ(f.Treffer, IstSteuerkennung(f.Kennung));
    EXPECT_EQ(f.Band, Band());
    if (f.Band.empty()) {
      EXPECT_EQ(zeile, Druckzustand.Zeile);
      EXPECT_EQ(seite, Druckzustand.Seite);
      EXPECT_EQ(55, Druckzustand.Spaltenbreite);
    }
  }
  DruckEnde();
}

}  // namespace
}  // namespace davo::printing
