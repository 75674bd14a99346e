// The parcel table: cadastre import, owners' shares, order by owner, export and
// the transfer of the owners into the address file.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/IOStoerung.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"
#include "app/Testumgebung.h"
#include "app/Text.h"
#include "app/Umwandlung.h"
#include "parcels/Flurstuecke.h"

namespace davo::parcels {
namespace {

namespace fs = std::filesystem;
using test::LiesAlles;
using test::SchreibeAlles;
using Zellen = std::vector<std::string>;

constexpr std::size_t S = 2947;  // bytes of one address record
const std::string kKopf =
    "Nr;Gemarkung;Flur;Flurst\xFC"
    "ck;Bejagdbarkeit;Fl\xE4"
    "che;Eigent\xFC"
    "mer";
// The owner entry of the design's example.
const std::string kMueller =
    "x, y, z, 1/2, M\xFC"
    "ller, Hans, Dorfstra\xDF"
    "e 5, 31000 Feldheim, geb. Meier, 1950-03-12";
const Zellen kTitel = {"",
                       "Gemarkung",
                       "Flur",
                       "Flurst\xFC"
                       "ck",
                       "Bejagdbarkeit",
                       "Fl\xE4"
                       "che",
                       "Anteil",
                       "Anteilige Fl\xE4"
                       "che",
                       "Nachname",
                       "Vorname",
                       "Stra\xDF"
                       "e",
                       "Ort",
                       "",
                       "Geburtstag",
                       "Geb.Name",
                       "",
                       "",
                       "",
                       "",
                       ""};
const std::string kKeineListe =
    "Die Datei ist keine Flurst\xFC"
    "cksliste: ";
const std::string kBleibt = " Die Tabelle bleibt unver\xE4ndert.";
const std::string kTitelzeile =
    ";Gemarkung;Flur;Flurst\xFC"
    "ck;Bejagdbarkeit;Fl\xE4"
    "che;Anteil;Anteilige Fl\xE4"
    "che;Nachname;Vorname;Stra\xDF"
    "e;Ort;;Geburtstag;Geb.Name;\r\n";

Zellen Zeile(const Flurstuecktabelle& t, int r) {
  Zellen z;
  for (int c = 0; c < Flurstuecktabelle::MaxSpalten; ++c) z.emplace_back(t.Zelle(c, r));
  return z;
}
std::vector<Zellen> Alle(const Flurstuecktabelle& t) {
  std::vector<Zellen> a;
  for (int r = 0; r < t.Zeilenzahl(); ++r) a.push_back(Zeile(t, r));
  return a;
}
// A row of 20 cells from the cells given for columns 1 .. (the rest empty).
Zellen Erwartet(std::initializer_list<std::string> ab1) {
  Zellen z(1, "");
  z.insert(z.end(), ab1);
  z.resize(Flurstuecktabelle::MaxSpalten);
  return z;
}

// An address record as the transfer writes it: all zero except four texts
// (length byte, then the text, capacity 50) and the area (int64, little endian).
std::string Satz(const std::string& name1, const std::string& sortierung, const std::string& strasse,
                 const std::string& ort, std::int64_t flaeche) {
  std::string s(S, '\0');
  auto text = [&](std::size_t offset, const std::string& t) {
    const std::size_t n = std::min<std::size_t>(t.size(), 50);
    s[offset] = static_cast<char>(n);
    s.replace(offset + 1, n, t.substr(0, n));
  };
  text(51, name1);
  text(153, sortierung);
  text(204, strasse);
  text(306, ort);
  for (int i = 0; i < 8; ++i) s[1533 + static_cast<std::size_t>(i)] = static_cast<char>((flaeche >> (8 * i)) & 0xFF);
  return s;
}

class Flurstuecke : public test::CoreTest {
 protected:
  // Writes the bytes as a cadastre file and imports it into tabelle.
  bool Importiere(const std::string& inhalt, const std::string& name = "kataster.csv") {
    SchreibeAlles(ordner / name, inhalt);
    return DateiImportieren(tabelle, Pfad(name));
  }
  // Header line, then the lines, each ended by CR LF.
  static std::string Kataster(std::initializer_list<std::string> zeilen) {
    std::string s = kKopf + "\r\n";
    for (const auto& z : zeilen) s += z + "\r\n";
    return s;
  }
  // The active address file with the given records; the count kept in
  // memory is deliberately stale.
  std::string Adressdatei(const std::string& inhalt) {
    adressdatei = ordner / "Eigner.ADW";
    SchreibeAlles(adressdatei, inhalt);
    const std::string pfad = Ansi(adressdatei);
    app::Konfiguration.SetzeAdressdatei(pfad);
    app::AktAdrBasis = Pfad("Eigner");
    addresses::AnzahlAdressen = 0;
    return pfad;
  }
  // One owner row of a hand-made table.
  void Besitz(int r, const std::string& nach, const std::string& vor, const std::string& str, const std::string& ort,
              const std::string& qm) {
    tabelle.SetzeZelle(Nachname, r, nach);
    tabelle.SetzeZelle(Vorname, r, vor);
    tabelle.SetzeZelle(Strasse, r, str);
    tabelle.SetzeZelle(Ort, r, ort);
    tabelle.SetzeZelle(AnteiligeFlaeche, r, qm);
  }
  // The progress window is closed (or was never shown).
  bool FortschrittZu() const { return dialoge.Fortschritte.empty() || dialoge.Fortschritte.back().first.empty(); }

  Flurstuecktabelle tabelle;
  fs::path adressdatei;
};

// --- import ---------------------------------------------------------------------------

TEST_F(Flurstuecke, BeispielEintragDesEigentuemers) {
  const fs::path datei = ordner / u8"Flurst\u00FCcke.csv";  // the program names it in Windows-1252
  SchreibeAlles(datei, Kataster({"7;Feldheim;3;17/2;ZJEN;1234;" + kMueller}));
  ASSERT_TRUE(DateiImportieren(tabelle, Ansi(ordner) + "/Flurst\xFC"
                                                       "cke.csv"));
  EXPECT_EQ(tabelle.Zeilenzahl(), 2);
  EXPECT_EQ(tabelle.Spaltenzahl(), 20);
  EXPECT_EQ(Zeile(tabelle, 0), kTitel);
  EXPECT_EQ(Zeile(tabelle, 1), Erwartet({"Feldheim", "3", "17/2", "ZJEN", "1234", " 1/2", "      617",
                                         " M\xFC"
                                         "ller",
                                         " Hans",
                                         " Dorfstra\xDF"
                                         "e 5",
                                         " 31000 Feldheim", "", " 1950-03-12", " geb. Meier"}));
  EXPECT_TRUE(dialoge.Meldungen.empty());
  EXPECT_TRUE(FortschrittZu());
}

// How the parts of one owner entry land in the columns 6 and 8 to 14.
TEST_F(Flurstuecke, TeileDesEintragsInDieSpalten) {
  struct Fall {
    const char* eintrag;
    Zellen spalten6bis14;  // columns 6, 8, 9, 10, 11, 12, 13, 14
  };
  const Fall faelle[] = {
      {"a, b, c, Schulz, Erika, Weg 1, 12345 Dorf", {"", " Schulz", " Erika", " Weg 1", " 12345 Dorf", "", "", ""}},
      // the part before a postcode is the street, even the first name
      {"a, b, c, Schulz, Erika, 12345 Dorf", {"", " Schulz", "", " Erika", " 12345 Dorf", "", "", ""}},
      {"a, b, c, Schulz, Erika, Maria, Weg 1, 12345 Dorf",
       {"", " Schulz", " Erika", " Weg 1", " 12345 Dorf", "", "", ""}},
      {"a, b, c, Schulz, Erika, Weg 1, Dorf", {"", " Schulz", " Erika", " Weg 1", " Dorf", "", "", ""}},
      {"a, b, c, Schulz, Erika, Weg 1,  12 345 Dorf, Hof",
       {"", " Schulz", " Erika", " Weg 1", "  12 345 Dorf", " Hof", "", ""}},
      // an empty part keeps the cursor; an empty fourth part leaves it at "Anteil"
      {"a, b, c, 1/3,, Erika, Weg 1, 12345 Dorf", {" 1/3", " Erika", "", " Weg 1", " 12345 Dorf", "", "", ""}},
      {"a, b, c,, Schulz, Erika, Weg 1, 12345 Dorf", {" Schulz", " Erika", "", " Weg 1", " 12345 Dorf", "", "", ""}},
      // a date needs its "-" as sixth character: without the blank it is a further part
      {"a,b,c,Schulz,Erika,Weg 1,12345 Dorf,1950-03-12",
       {"", "Schulz", "Erika", "Weg 1", "12345 Dorf", "1950-03-12", "", ""}},
      {"a, b, c, Hans-Peter, Kurz, Weg 1, 12345 Dorf",
       {"", " Hans-Peter", " Kurz", " Weg 1", " 12345 Dorf", "", "", ""}},
      {"a, b, c, 2/5, Schulz, Erika, geb. Lang, Weg 1, 12345 Dorf, 1961-12-31",
       {" 2/5", " Schulz", " Erika", " Weg 1", " 12345 Dorf", "", " 1961-12-31", " geb. Lang"}},
      {"a, b, c", {"", "", "", "", "", "", "", ""}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.eintrag);
    ASSERT_TRUE(Importiere(Kataster({std::string("1;G;1;1;ZJEN;100;") + f.eintrag})));
    ASSERT_EQ(tabelle.Zeilenzahl(), 2);
    const Zellen z = Zeile(tabelle, 1);
    EXPECT_EQ(Zellen({z[6], z[8], z[9], z[10], z[11], z[12], z[13], z[14]}), f.spalten6bis14);
  }
}

TEST_F(Flurstuecke, MiteigentuemerUndAuffuellen) {
  const std::string ohne = "1, A, E, ";
  ASSERT_TRUE(Importiere(Kataster(
      {"1;Ahof;1;10;ZJEN;1000;" + ohne + "Albers, Anna, Weg 1, 11111 A;" + ohne + "Albers, Bernd, Weg 1, 11111 A",
       "2;Bhof;2;20;ZJEN;1000;" + ohne + "Berg, Carl, Hof 1, 22222 B;" + ohne + "Berg, Dora, Hof 1, 22222 B;" + ohne +
           "Berg, Emil, Hof 1, 22222 B",
       "3;Chof;3;30;ZJEN Wald;1002;a, b, c, 1/2, Cox, Fe, Am 1, 33333 C;a, b, c, 1/4, Dahl, Gil, Am 2, 33333 C;a, b, "
       "c, "
       "1/4, Ehm, Ina, Am 3, 33333 C",
       // empty owner fields (7 and up) create no row
       "4;Dhof;4;40;ZNBJ;500;a, b, c, 1/2, Fink, Jo, Au 1, 44444 D;;a, b, c, 1/2, Gast, Kai, Au 2, 44444 D;;"})));
  ASSERT_EQ(tabelle.Zeilenzahl(), 11);
  struct Soll {
    const char *gemarkung, *flur, *bejagdbarkeit, *flaeche, *anteil, *qm, *vorname;
  };
  const Soll soll[] = {
      {"Ahof", "1", "ZJEN", "1000", "?", "        0", " Anna"},
      {"Ahof", "1", "ZJEN", "1000", "?", "        0", " Bernd"},
      {"Bhof", "2", "ZJEN", "1000", "?", "        0", " Carl"},
      {"Bhof", "2", "ZJEN", "1000", "?", "        0", " Dora"},
      {"Bhof", "2", "ZJEN", "1000", "", "     1000", " Emil"},  // the last one keeps its empty share
      {"Chof", "3", "ZJEN Wald", "1002", " 1/2", "      501", " Fe"},
      {"Chof", "3", "ZJEN Wald", "1002", " 1/4", "      251", " Gil"},  // 250.5: half away from zero
      {"Chof", "3", "ZJEN Wald", "1002", " 1/4", "      251", " Ina"},
      {"Dhof", "4", "ZNBJ", "500", " 1/2", "        0", " Jo"},
      {"Dhof", "4", "ZNBJ", "500", " 1/2", "        0", " Kai"},
  };
  for (int r = 1; r <= 10; ++r) {
    SCOPED_TRACE(r);
    const Soll& s = soll[r - 1];
    EXPECT_EQ(Zellen({std::string(tabelle.Zelle(Gemarkung, r)), std::string(tabelle.Zelle(Flur, r)),
                      std::string(tabelle.Zelle(Bejagdbarkeit, r)), std::string(tabelle.Zelle(Flaeche, r)),
                      std::string(tabelle.Zelle(Anteil, r)), std::string(tabelle.Zelle(AnteiligeFlaeche, r)),
                      std::string(tabelle.Zelle(Vorname, r))}),
              Zellen({s.gemarkung, s.flur, s.bejagdbarkeit, s.flaeche, s.anteil, s.qm, s.vorname}));
  }
  EXPECT_EQ(tabelle.Zelle(Flurstueck, 5), "20");
}

TEST_F(Flurstuecke, NeuerImportLaesstNichtsStehen) {
  std::string lang = "a, b, c, 1/2, N, V, S 1, 12345 O";
  for (int i = 1; i <= 9; ++i) lang += ", w" + std::to_string(i);
  ASSERT_TRUE(Importiere(Kataster(
      {"1;Alt;9;9;ZJEN;500;" + lang + ";a, b, c, 1/2, Zweit, V2, S 2, 12345 O", "2;Alt;9;10;ZJEN;600;" + lang})));
  ASSERT_EQ(tabelle.Zeilenzahl(), 4);
  EXPECT_EQ(Zeile(tabelle, 1), Erwartet({"Alt", "9", "9", "ZJEN", "500", " 1/2", "      250", " N", " V", " S 1",
                                         " 12345 O", " w1", " w2", " w3", " w4", " w5", " w6", " w7", " w8"}));

  ASSERT_TRUE(Importiere(Kataster({"1;Neu;1;1;ZJEN;100;a, b, c, Kurz, K, S, 11111 O;a, b, c, Lang, L, T, 11111 O"})));
  EXPECT_EQ(Alle(tabelle),
            (std::vector<Zellen>{
                kTitel, Erwartet({"Neu", "1", "1", "ZJEN", "100", "?", "        0", " Kurz", " K", " S", " 11111 O"}),
                Erwartet({"Neu", "1", "1", "ZJEN", "100", "?", "        0", " Lang", " L", " T", " 11111 O"})}));
}

TEST_F(Flurstuecke, LeereDateiNurKopfOderFehlendeDateiLassenDieTabelle) {
  ASSERT_TRUE(
      Importiere(Kataster({"1;A;1;1;ZJEN;90;" + kMueller + ";a, b, c, 1/2, Neu, Nina, Gasse 2, 31000 Feldheim"})));
  auto vorher = Alle(tabelle);
  ASSERT_EQ(vorher.size(), 3u);
  vorher[1][Flaeche] = "200";
  vorher[1][AnteiligeFlaeche] = "      100";
  // No data line: the rows stay; they are filled down and their shares computed again.
  for (const std::string& inhalt : {std::string(), kKopf + "\r\n", kKopf, std::string("\r\n")}) {
    SCOPED_TRACE(inhalt);
    tabelle.SetzeZelle(Flaeche, 1, "200");
    tabelle.SetzeZelle(AnteiligeFlaeche, 1, "alt");
    tabelle.SetzeZelle(Gemarkung, 2, "");
    EXPECT_TRUE(Importiere(inhalt, "leer.csv"));
    EXPECT_EQ(Alle(tabelle), vorher);
    EXPECT_TRUE(FortschrittZu());
  }
  EXPECT_TRUE(dialoge.Meldungen.empty());

  const std::string fehlt = Pfad("fehlt.csv");
  EXPECT_FALSE(DateiImportieren(tabelle, fehlt));
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Datei " + fehlt + " nicht gefunden"});
  EXPECT_EQ(Alle(tabelle), vorher);
  EXPECT_TRUE(FortschrittZu());

  // A file that cannot be read: one message, nothing read.
  dialoge.Meldungen.clear();
  app::SetzeIOStoerung([](app::IOOperation op, const fs::path&) { return op == app::IOOperation::Lesen ? 100 : 0; });
  EXPECT_FALSE(Importiere(Kataster({"1;Neu;1;1;ZJEN;5;a, b, c, Neu, N, S, 12345 O"}), "kaputt.csv"));
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Fehler beim Lesen! Datei: " + Pfad("kaputt.csv")});
  EXPECT_EQ(Alle(tabelle), vorher);
  EXPECT_TRUE(FortschrittZu());
}

TEST_F(Flurstuecke, ZeilenendenUndLetzteZeile) {
  const std::string zeilen[] = {kKopf, "1;A;1;1;ZJEN;100;a, b, c, 1/2, N, V, S, 12345 O;a, b, c, 1/2, M, W, T, 12345 O",
                                "2;B;1;2;ZJEN;30;a, b, c, X, Y, Z, 12345 O"};
  struct Fall {
    const char *name, *trenner, *schluss;
  };
  for (const Fall f : {Fall{"CR LF", "\r\n", "\r\n"}, Fall{"ohne Schluss", "\r\n", ""}, Fall{"LF", "\n", "\n"},
                       Fall{"LF ohne Schluss", "\n", ""}}) {
    SCOPED_TRACE(f.name);
    ASSERT_TRUE(Importiere(zeilen[0] + f.trenner + zeilen[1] + f.trenner + zeilen[2] + f.schluss));
    ASSERT_EQ(tabelle.Zeilenzahl(), 4);
    EXPECT_EQ(Zeile(tabelle, 2),
              Erwartet({"A", "1", "1", "ZJEN", "100", " 1/2", "       50", " M", " W", " T", " 12345 O"}));
    EXPECT_EQ(Zeile(tabelle, 3),
              Erwartet({"B", "1", "2", "ZJEN", "30", "", "       30", " X", " Y", " Z", " 12345 O"}));
  }
}

TEST_F(Flurstuecke, GrosseDateiUeberBlockgrenzen) {
  std::string inhalt = kKopf + "\r\n";
  for (int i = 1; i <= 5000; ++i)
    inhalt += std::to_string(i) + ";Gem;1;" + std::to_string(i) + ";ZJEN;10;a, b, c, Name" + std::to_string(i) +
              ", Vor, Weg 1, 12345 Ort\r\n";
  ASSERT_GT(inhalt.size(), 3u * 65536u);
  ASSERT_TRUE(Importiere(inhalt));
  ASSERT_EQ(tabelle.Zeilenzahl(), 5001);
  for (int r = 1; r <= 5000; ++r) {
    if (tabelle.Zelle(Flurstueck, r) != std::to_string(r) || tabelle.Zelle(Ort, r) != " 12345 Ort" ||
        tabelle.Zelle(AnteiligeFlaeche, r) != "       10") {
      ADD_FAILURE() << "Zeile " << r << ": " << tabelle.Zelle(Flurstueck, r) << "|" << tabelle.Zelle(Ort, r);
      break;
    }
  }
  EXPECT_EQ(tabelle.Zelle(Nachname, 5000), " Name5000");
  ASSERT_GE(dialoge.Fortschritte.size(), 2u);  // shown while reading, removed at the end
  EXPECT_FALSE(dialoge.Fortschritte.front().first.empty());
  EXPECT_TRUE(FortschrittZu());
}

TEST_F(Flurstuecke, UnsinnigeEingabenStuerzenNichtAb) {
  // Lines of 10,000 characters.
  const std::string g(10000, 'G'), n(10000, 'N');
  ASSERT_TRUE(
      Importiere(Kataster({std::string(10000, ';'), "1;" + g + ";1;1;ZJEN;100;a, b, c, " + n + ", V, S, 12345 O",
                           "3;" + std::string(9990, ',') + ";;;;"})));
  ASSERT_EQ(tabelle.Zeilenzahl(), 4);
  EXPECT_EQ(Zeile(tabelle, 1), Erwartet({"", "", "", "", "", "", "        0"}));
  EXPECT_EQ(tabelle.Zelle(Gemarkung, 2), g);
  EXPECT_EQ(tabelle.Zelle(Nachname, 2), " " + n);
  EXPECT_EQ(tabelle.Zelle(Vorname, 2), " V");
  EXPECT_EQ(tabelle.Zelle(Gemarkung, 3), std::string(9990, ','));
  EXPECT_EQ(tabelle.Zelle(Flaeche, 3), "100");  // filled down from row 2
  EXPECT_EQ(tabelle.Zelle(AnteiligeFlaeche, 3), "      100");

  // 100 owner fields: only fields 6 to 45 count.
  std::string viele = "1;G;1;1;ZJEN;10000";
  for (int i = 0; i < 100; ++i) viele += ";a,b,c,1/100,N" + std::to_string(i) + ",V,S,12345 O";
  ASSERT_TRUE(Importiere(Kataster({viele, "2;H;1;2;ZJEN;5;a,b,c,Letzt,V,S,12345 O"})));
  ASSERT_EQ(tabelle.Zeilenzahl(), 42);
  for (int r = 1; r <= 40; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(tabelle.Zelle(Nachname, r), "N" + std::to_string(r - 1));
    EXPECT_EQ(tabelle.Zelle(Gemarkung, r), "G");
    EXPECT_EQ(tabelle.Zelle(AnteiligeFlaeche, r), "      100");
  }
  EXPECT_EQ(tabelle.Zelle(Gemarkung, 41), "H");
  EXPECT_EQ(tabelle.Zelle(Nachname, 41), "Letzt");

  // All 256 byte values, NUL bytes inside cells: no text file, refused
  // before the table is touched.
  const auto vorher = Alle(tabelle);
  std::string alle;
  for (int b = 0; b < 256; ++b) alle += static_cast<char>(b);
  const std::string nul("G\0X", 3), nul2("N\0N", 3);
  EXPECT_FALSE(Importiere("K\r\n" + alle + "\r\n9;" + nul + ";1;2;ZJEN;7;a,b,c," + nul2 + ",V,S,12345 O\r\n"));
  EXPECT_EQ(Alle(tabelle), vorher);
  EXPECT_EQ(dialoge.Meldungen,
            std::vector<std::string>{kKeineListe + "Zeile 2 enth\xE4lt ein Nullzeichen (keine Textdatei)." + kBleibt});
  dialoge.Meldungen.clear();

  // A line of 300,000 characters, then a normal one.
  ASSERT_TRUE(Importiere(Kataster({"1;" + std::string(200000, 'R') + ";1;1;ZJEN;4;a, b, c, " + std::string(100000, 'Q'),
                                   "2;G;1;2;ZJEN;5;a, b, c, Z, V, S, 12345 O"})));
  ASSERT_EQ(tabelle.Zeilenzahl(), 3);
  EXPECT_EQ(Zeile(tabelle, 2), Erwartet({"G", "1", "2", "ZJEN", "5", "", "        5", " Z", " V", " S", " 12345 O"}));
  // A row is cut at 65,535 bytes; the row below takes the text as it was cut.
  ASSERT_TRUE(
      Importiere(Kataster({"1;" + std::string(40000, 'G') + ";" + std::string(40000, 'F') + ";1;ZJEN;4;a, b, c, 1/2",
                           "2;G;;2;ZJEN;5;a, b, c, Z"})));
  EXPECT_EQ(tabelle.Zelle(Flur, 1), std::string(25535, 'F'));
  EXPECT_EQ(tabelle.Zelle(Flur, 2), std::string(25535, 'F'));

  // Pure noise: refused as well.
  EXPECT_FALSE(Importiere(test::Muster(70000, 3) + std::string(500, '\0')));
  EXPECT_EQ(tabelle.Zeilenzahl(), 3);
  EXPECT_EQ(dialoge.Meldungen.size(), 1u);
  EXPECT_TRUE(FortschrittZu());
}

// What is no parcel list is refused before the table is touched; a UTF-8 file
// reads as its Windows-1252 original.
TEST_F(Flurstuecke, KatasterErkennen) {
  const std::string beispiel = LiesAlles(DAVO_TESTDATEN "/../../beispiele/Jagdkataster-Beispiel.csv");
  ASSERT_FALSE(beispiel.empty());
  const std::string parzelle = "1;G;1;1;ZJEN;100;a, b, c, Z, V, S, 12345 O";
  struct Fall {
    const char* name;
    std::string inhalt;
    std::string meldung;  // empty: imported
  };
  const Fall faelle[] = {
      {"Beispiel", beispiel, ""},
      {"Kontoauszug",
       "Buchungstag;Wertstellung;Buchungstext;Auftraggeber;Verwendungszweck;Betrag (EUR)\r\n"
       "02.01.2026;02.01.2026;Gutschrift;Jagdgenossenschaft;Pacht 2025;1.250,00\r\n",
       "In Zeile 2 ist die \x84"
       "Fl\xE4"
       "che\x93 \x84"
       "1.250,00\x93 keine Zahl."},
      {"Lastschrift", kKopf + "\r\n" + parzelle + "\r\n\r\n2;Stadtwerke;Strom;Januar;Abschlag;-84,20\r\n",
       "In Zeile 4 ist die \x84"
       "Fl\xE4"
       "che\x93 \x84-84,20\x93 negativ."},
      {"Binaerdatei", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16),
       "Zeile 2 hat 1 Feld, eine Flurst\xFC"
       "ckszeile mindestens 6 (bis \x84"
       "Fl\xE4"
       "che\x93)."},
      {"zu wenig Felder", Kataster({parzelle, "2;G;1;2"}),
       "Zeile 3 hat 4 Felder, eine Flurst\xFC"
       "ckszeile mindestens 6 (bis \x84"
       "Fl\xE4"
       "che\x93)."},
      {"leere Zeilen", kKopf + "\r\n\r\n" + parzelle + "\r\n\r\n", ""},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    dialoge.Meldungen.clear();
    tabelle = Flurstuecktabelle();
    const auto vorher = Alle(tabelle);
    EXPECT_EQ(Importiere(f.inhalt), f.meldung.empty());
    if (f.meldung.empty()) {
      EXPECT_TRUE(dialoge.Meldungen.empty());
    } else {
      EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{kKeineListe + f.meldung + kBleibt});
      EXPECT_EQ(Alle(tabelle), vorher);
    }
  }
  EXPECT_EQ(tabelle.Zeilenzahl(), 2);  // the empty lines made no rows

  // The sample as UTF-8, with and without byte order mark: the same table.
  Importbericht bericht;
  ASSERT_TRUE(DateiImportieren(tabelle, DAVO_TESTDATEN "/../../beispiele/Jagdkataster-Beispiel.csv", &bericht));
  EXPECT_EQ(bericht.Flurstuecke, 60);
  EXPECT_EQ(bericht.Eigentuemer, 70);
  EXPECT_FALSE(bericht.Utf8);
  const auto original = Alle(tabelle);
  for (const std::string& vorn : {std::string(), std::string("\xEF\xBB\xBF")}) {
    SCOPED_TRACE(vorn.size());
    tabelle = Flurstuecktabelle();
    SchreibeAlles(ordner / "utf8.csv", vorn + app::AnsiNachUtf8(beispiel));
    ASSERT_TRUE(DateiImportieren(tabelle, Pfad("utf8.csv"), &bericht));
    EXPECT_TRUE(bericht.Utf8);
    EXPECT_EQ(bericht.Ersetzt, 0);
    EXPECT_TRUE(Alle(tabelle) == original);
  }
  EXPECT_TRUE(dialoge.Meldungen.empty());

  // A character Windows-1252 has no place for becomes "?" and is counted.
  ASSERT_TRUE(Importiere(app::AnsiNachUtf8(kKopf) + "\r\n1;G;1;1;ZJEN;100;a, b, c, \xC5\x81"
                                                    "ukasiewicz, J\xC3\xB3zef, S, 12345 O"));
  EXPECT_EQ(tabelle.Zelle(Nachname, 1), " ?ukasiewicz");
  EXPECT_EQ(tabelle.Zelle(Vorname, 1), " J\xF3zef");
  EXPECT_EQ(dialoge.Meldungen,
            std::vector<std::string>{"Die Datei ist in UTF-8 geschrieben. 1 Zeichen gibt es im "
                                     "Windows-Zeichensatz nicht; sie wurden durch \x84?\x93 ersetzt."});
}

// The import reads a large file in pieces, two at a time: cut anywhere, it
// gives the table, the counts and the messages of one piece, also where the
// rows fill down, a line fails or UTF-8 shows itself only late.
TEST_F(Flurstuecke, StueckweiseWieInEinemStueck) {
  const std::string beispiel = LiesAlles(DAVO_TESTDATEN "/../../beispiele/Jagdkataster-Beispiel.csv");
  std::mt19937 zufall(7);
  std::string gemischt = kKopf + "\n";
  for (int i = 0; i < 300; ++i) {
    switch (zufall() % 6) {
      case 0:
        gemischt += ";;;;;;a, b, c, Folge" + std::to_string(i) + ", V, S, 12345 O\r\n";
        break;  // filled down
      case 1:
        gemischt += ";;;" + std::to_string(i) + ";;;a, b, c, N, V, S, 12345 O;a, b, c, 1/3, M, W\n";
        break;
      case 2:
        gemischt += "\r\n";
        break;
      default:
        gemischt += std::to_string(i) + ";G" + std::to_string(i % 7) + ";1;" + std::to_string(i) + ";ZJEN;" +
                    std::to_string(i * 37 % 1000) + "," + std::to_string(i % 10) + ";a, b, c, " +
                    (i % 2 ? "1/2, " : "") + "N" + std::to_string(i) + ", V, S, 12345 O\n";
    }
  }
  const std::string utf8 = app::AnsiNachUtf8(beispiel);
  const std::string faelle[] = {
      beispiel,
      gemischt,
      gemischt + "9;G;1;9;ZJEN",  // the last line fails, without a line end
      gemischt + std::string("9;G\0;1;9;ZJEN;1\n", 16) + "9;G;1;9;ZJEN;x\n",
      gemischt + "9;G;1;9;ZJEN;-5\n" + gemischt,
      utf8,
      "\xEF\xBB\xBF" + utf8,
      utf8 + "9;G;1;9;ZJEN;1\xC3\xA4\n",                 // quoted converted: the file is UTF-8 up to there
      "9;\xE4;1\n" + utf8 + "9;G;1;9;ZJEN;1\xC3\xA4\n",  // quoted as it is
      // The last line alone looks like UTF-8, in a file that is not; then in
      // one of plain ASCII, which is.
      gemischt + "9;G;1;9;ZJEN;1;a, b, c, \xC5\x81ukasiewicz, V, S, 12345 O\n",
      "Nr;G\n" + gemischt.substr(kKopf.size() + 1) + "9;G;1;9;ZJEN;1;a, b, c, \xC5\x81ukasiewicz, V, S, 12345 O\n",
      utf8 + "9;G;1;9;ZJEN;1;a, b, c, M\xFCller, V, S, 12345 O\n",  // not UTF-8 after all
      kKopf,
      "",
  };
  struct Ergebnis {
    bool ok;
    std::vector<Zellen> zeilen;
    int flurstuecke, eigentuemer;
    bool utf8;
    std::int64_t ersetzt;
    std::vector<std::string> meldungen;
    bool operator==(const Ergebnis&) const = default;
  };
  const auto importieren = [&](const std::string& inhalt, std::size_t stueck) {
    ImportStueckgroesse = stueck;
    dialoge.Meldungen.clear();
    tabelle = Flurstuecktabelle();
    SchreibeAlles(ordner / "stuecke.csv", inhalt);
    Importbericht b;
    const bool ok = DateiImportieren(tabelle, Pfad("stuecke.csv"), &b);
    return Ergebnis{ok, Alle(tabelle), b.Flurstuecke, b.Eigentuemer, b.Utf8, b.Ersetzt, dialoge.Meldungen};
  };
  for (std::size_t f = 0; f < std::size(faelle); ++f) {
    const Ergebnis ganz = importieren(faelle[f], 0);
    for (const std::size_t stueck : {std::size_t{1}, std::size_t{97}, std::size_t{1000}}) {
      SCOPED_TRACE("Fall " + std::to_string(f) + ", Stueck " + std::to_string(stueck));
      EXPECT_TRUE(importieren(faelle[f], stueck) == ganz);
    }
  }
  EXPECT_TRUE(FortschrittZu());

  // Stopped by a key press while pieces are being read: the table stays.
  ImportStueckgroesse = 64 * 1024;
  std::string gross;
  while (gross.size() < 3u * 1024 * 1024) gross += gemischt.substr(kKopf.size() + 1);
  ASSERT_TRUE(Importiere(beispiel));
  const auto vorher = Alle(tabelle);
  dialoge.Meldungen.clear();
  dialoge.TasteBeiFortschritt = 2;
  EXPECT_FALSE(Importiere(kKopf + "\n" + gross));
  EXPECT_EQ(Alle(tabelle), vorher);
  EXPECT_TRUE(dialoge.Meldungen.empty());
  EXPECT_TRUE(FortschrittZu());

  // A read that fails while pieces are being read: its message, the table stays.
  int lesen = 0;
  app::SetzeIOStoerung([&lesen](app::IOOperation op, const fs::path&) {
    return op == app::IOOperation::Lesen && ++lesen == 2 ? 100 : 0;
  });
  EXPECT_FALSE(Importiere(kKopf + "\n" + gross, "kaputt.csv"));
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Fehler beim Lesen! Datei: " + Pfad("kaputt.csv")});
  EXPECT_EQ(Alle(tabelle), vorher);
  EXPECT_TRUE(FortschrittZu());
}

// --- shares -----------------------------------------------------------------------------

TEST_F(Flurstuecke, AnteilsFlaecheUndSpalte7) {
  struct Fall {
    const char* bejagdbarkeit;
    const char* flaeche;
    const char* anteil;
    app::Currency zehntausendstel;  // 0.0001 m²
    const char* spalte7;
  };
  const Fall faelle[] = {
      {"ZJEN", "1234", "1/2", 6170000, "      617"},
      {"ZJEN", "1235", "1/2", 6175000, "      618"},  // 617.5 away from zero
      {"ZJEN", "1000", "1/3", 3333333, "      333"},
      {"ZJEN", "1000", "2/3", 6666667, "      667"},
      {"ZJEN", "1000", "?", 0, "        0"},
      {"ZJEN", "1000", " ? ", 0, "        0"},
      {"ZJEN", "1000", "? ?", 10000000, "     1000"},  // "??" is no "?" and no fraction
      {"ZJEN", "1000", "1 0/2 0", 5000000, "      500"},
      {"ZJEN", "1000", "", 10000000, "     1000"},
      {"ZJEN", "1000", "3", 10000000, "     1000"},  // no "/": whole area
      {"ZJEN", "1000", "1/0", 0, "        0"},
      {"ZJEN", "1000", "0/2", 0, "        0"},
      {"ZJEN", "1000", "-1/2", 0, "        0"},
      {"ZJEN", "1000", "a/b", 0, "        0"},
      {"ZJEN", "1000", "1/2/3", 0, "        0"},
      {"ZJEN", "1000", " 1 / 4 ", 2500000, "      250"},
      {"ZJEN", "1000", "3/2", 15000000, "     1500"},
      {"ZJEN", "1000", "0,5/1", 5000000, "      500"},
      {"ZNBJ", "1000", "1/2", 0, "        0"},
      {"", "1000", "", 0, "        0"},
      {"zjen", "1000", "", 0, "        0"},  // case matters
      {"Acker ZJEN Teil", "1000", "", 10000000, "     1000"},
      {"ZJEN", " 1 234 ", "", 12340000, "     1234"},
      {"ZJEN", "12,5", "1/2", 62500, "        6"},
      {"ZJEN", "2,5", "", 25000, "        3"},  // whole m²: half away from zero
      {"ZJEN", "-2,5", "", -25000, "       -3"},
      {"ZJEN", "0,0003", "1/2", 2, "        0"},  // 1.5 units: half to even
      {"ZJEN", "0,0005", "1/2", 2, "        0"},  // 2.5 units: half to even
      {"ZJEN", "1.234", "", 0, "        0"},      // no thousands separators
      {"ZJEN", "", "", 0, "        0"},
      {"ZJEN", "12345678901", "", 123456789010000, "12345678901"},
  };
  Flurstuecktabelle t;
  t.SetzeZeilenzahl(2);
  for (const Fall& f : faelle) {
    SCOPED_TRACE(testing::Message() << "[" << f.bejagdbarkeit << "] [" << f.flaeche << "] [" << f.anteil << "]");
    EXPECT_EQ(AnteilsFlaeche(f.bejagdbarkeit, f.flaeche, f.anteil), f.zehntausendstel);
    t.SetzeZelle(Bejagdbarkeit, 1, f.bejagdbarkeit);
    t.SetzeZelle(Flaeche, 1, f.flaeche);
    t.SetzeZelle(Anteil, 1, f.anteil);
    t.SetzeZelle(AnteiligeFlaeche, 1, "alt");
    BerechneAnteil(t, 1);
    EXPECT_EQ(t.Zelle(AnteiligeFlaeche, 1), f.spalte7);
  }
  // The import, where a line converted from UTF-8 takes the place of the
  // one before: each line's own huntability and area count.
  ASSERT_TRUE(Importiere("\xEF\xBB\xBF" + kKopf + "\n1;G;1;1;ZJEN;8\n1;G;1;1;ZNBJ;8\n1;G;1;1;ZJEN;9\n"));
  ASSERT_EQ(tabelle.Zeilenzahl(), 4);
  EXPECT_EQ(tabelle.Zelle(AnteiligeFlaeche, 1), "        8");
  EXPECT_EQ(tabelle.Zelle(AnteiligeFlaeche, 2), "        0");
  EXPECT_EQ(tabelle.Zelle(AnteiligeFlaeche, 3), "        9");

  // Rows outside the table change nothing.
  BerechneAnteil(t, 2);
  BerechneAnteil(t, -1);
  EXPECT_EQ(t.Zeilenzahl(), 2);
  EXPECT_EQ(t.Zelle(AnteiligeFlaeche, 0), "");
}

// Areas as the cadastre writes them are read at once; every other text the
// full way. Both must agree: a leading "+" sends a text the full way.
TEST_F(Flurstuecke, FlaechentexteWieDerVolleLeser) {
  const struct {
    const char* text;
    std::optional<app::Currency> wert;
  } faelle[] = {
      {"49260,5", 492605000},
      {"  7528", 75280000},
      {"12345678901234", 123456789012340000},    // 14 digits
      {"123456789012345", 1234567890123450000},  // 15: the full way
      {"1,2345", 12345},
      {"1,23455", 12346},  // a fifth decimal rounds half to even
      {"1,23445", 12344},
      {",5", 5000},
      {"5,", 50000},
      {",", std::nullopt},
      {"   ", std::nullopt},
      {"", std::nullopt},
      {"1 2,5", 125000},
      {" 12 ", 120000},
      {"1,2,3", std::nullopt},
      {"1.234", std::nullopt},
      {"0012,0050", 120050},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.text);
    EXPECT_EQ(app::TextNachCurrency(f.text, true), f.wert);
    EXPECT_EQ(app::TextNachCurrency(f.text, true), app::TextNachCurrency("+" + app::OhneLeerzeichen(f.text)));
  }
}

// --- order ------------------------------------------------------------------------------

TEST_F(Flurstuecke, SortierenNachEigentuemer) {
  struct Reihe {
    const char *id, *nach, *vor, *str, *weiteres;
  };
  const Reihe reihen[] = {
      {"1", "Zander", "Paul", "", "Hof"},
      {"2",
       "\xC4"
       "rmel",
       "Anna", "", ""},
      {"3",
       "m\xFC"
       "ller",
       "Hans", "", ""},
      {"4", "Abel", "Zoe", "", ""},
      {"5",
       "M\xFC"
       "ller",
       "hans", "", ""},
      {"6", "Mueller", "Hans", "", ""},
      {"7",
       "\xE4"
       "rmel",
       "anna", "", ""},
      {"8",
       "M\xFC"
       "ller",
       "Hans", "A", ""},
      {"9", "Zander", "Paul", "", "Gut"},
      {"10",
       "\xF6"
       "hler",
       "", "", ""},
      {"11",
       "\xDC"
       "ber",
       "", "", ""},
  };
  tabelle.SetzeZeilenzahl(12);
  tabelle.SetzeZelle(Nachname, 0, "AAA Titel");  // row 0 never moves
  for (int r = 1; r <= 11; ++r) {
    const Reihe& x = reihen[r - 1];
    tabelle.SetzeZelle(Flurstueck, r, x.id);
    tabelle.SetzeZelle(Nachname, r, x.nach);
    tabelle.SetzeZelle(Vorname, r, x.vor);
    tabelle.SetzeZelle(Strasse, r, x.str);
    tabelle.SetzeZelle(Weiteres, r, x.weiteres);
    tabelle.SetzeZelle(Geburtstag, r, std::string("z") + x.id);
  }
  Sortieren(tabelle);
  // ABEL < MUELLER < MÜLLER HANS (3, 5 equal) < MÜLLER HANS A < ZANDER PAUL GUT (9) < ZANDER PAUL HOF (1)
  // < ÄRMEL (2, 7 equal) < ÖHLER < ÜBER: upper case, unsigned byte order.
  const std::vector<std::string> soll = {"4", "6", "3", "5", "8", "9", "1", "2", "7", "10", "11"};
  std::vector<std::string> ist;
  for (int r = 1; r <= 11; ++r) {
    ist.emplace_back(tabelle.Zelle(Flurstueck, r));
    EXPECT_EQ(tabelle.Zelle(Geburtstag, r), "z" + ist.back());  // whole rows move
  }
  EXPECT_EQ(ist, soll);
  EXPECT_EQ(tabelle.Zelle(Nachname, 0), "AAA Titel");
  EXPECT_EQ(tabelle.Zeilenzahl(), 12);
}

TEST_F(Flurstuecke, SortierschluesselEndetBei255) {
  const std::string lang(255, 'A');
  tabelle.SetzeZeilenzahl(4);
  const char* const vornamen[] = {"Z", "B", ""};
  const char* const nachnamen[] = {"", "", "B"};
  for (int r = 1; r <= 3; ++r) {
    tabelle.SetzeZelle(Nachname, r, lang.substr(0, r == 3 ? 254 : 255) + nachnamen[r - 1]);
    tabelle.SetzeZelle(Vorname, r, vornamen[r - 1]);
    tabelle.SetzeZelle(Flurstueck, r, std::to_string(r));
  }
  Sortieren(tabelle);  // rows 1 and 2 have equal keys after the cut; row 3 is greater
  EXPECT_EQ(tabelle.Zelle(Flurstueck, 1), "1");
  EXPECT_EQ(tabelle.Zelle(Flurstueck, 2), "2");
  EXPECT_EQ(tabelle.Zelle(Flurstueck, 3), "3");

  // Many rows of few owners: each owner's rows keep their order.
  const char* const namen[] = {"Rabe", "rabe", "Fink", "Amsel"};
  tabelle.SetzeZeilenzahl(401);
  for (int r = 1; r <= 400; ++r) {
    tabelle.SetzeZeile(r, {});
    tabelle.SetzeZelle(Nachname, r, namen[(r * 7) % 4]);
    tabelle.SetzeZelle(Flurstueck, r, std::to_string(r));
  }
  Sortieren(tabelle);
  std::vector<std::string> soll, ist;  // AMSEL, FINK, then RABE and rabe mixed as they came
  for (const auto passt : {+[](int i) { return i == 3; }, +[](int i) { return i == 2; }, +[](int i) { return i < 2; }})
    for (int r = 1; r <= 400; ++r)
      if (passt((r * 7) % 4)) soll.push_back(std::to_string(r));
  for (int r = 1; r <= 400; ++r) ist.emplace_back(tabelle.Zelle(Flurstueck, r));
  EXPECT_EQ(ist, soll);
}

// A table of many rows and thousands of owners, whose keys differ in case,
// in letters beyond ASCII, behind their 8th or 32nd byte or only beyond their
// 255th: the order is that of a stable sort of the upper-cased keys.
TEST_F(Flurstuecke, VieleEigentuemerWieEinfacheReferenz) {
  const std::string teile[] = {"m\xFC", "M\xDC", "ller", "LLER", "ab", "Ab", "\xE4", "\xC4", "z", "\xFF", "\x9A"};
  std::mt19937 zufall(7);
  const auto wort = [&](std::size_t n) {
    std::string w;
    while (w.size() < n) w += teile[zufall() % std::size(teile)];
    return w;
  };
  const int zeilen = 70001;  // beyond the size from which the sort works beside a second thread
  tabelle.SetzeZeilenzahl(zeilen);
  std::vector<std::pair<std::string, int>> soll;
  for (int r = 1; r < zeilen; ++r) {
    const std::string nach =
        zufall() % 3 == 0 ? std::string(250, 'L') + wort(1 + zufall() % 12) : wort(1 + zufall() % 12);
    const std::string vor = wort(zufall() % 5);
    const std::string str = wort(zufall() % 40);
    tabelle.SetzeZeile(r, {});
    tabelle.SetzeZelle(Flurstueck, r, std::to_string(r));
    tabelle.SetzeZelle(Nachname, r, nach);
    tabelle.SetzeZelle(Vorname, r, vor);
    tabelle.SetzeZelle(Strasse, r, str);
    soll.emplace_back(app::Grossschrift(nach + vor + str).substr(0, 255), r);
  }
  std::stable_sort(soll.begin(), soll.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  Sortieren(tabelle);
  for (int r = 1; r < zeilen; ++r)
    ASSERT_EQ(tabelle.Zelle(Flurstueck, r), std::to_string(soll[static_cast<std::size_t>(r - 1)].second)) << r;
}

// A row keeps the ends of its cells in single bytes up to 255 bytes of text,
// and in front of its text beyond: rows on either side, sorted, and rows that
// cross the line when a cell changes read back as written.
TEST_F(Flurstuecke, ZeilenUmDie255Bytes) {
  std::vector<std::vector<std::string>> soll(7, std::vector<std::string>(Flurstuecktabelle::MaxSpalten));
  const auto setze = [&](int r, int spalte, const std::string& text) {
    tabelle.SetzeZelle(spalte, r, text);
    soll[static_cast<std::size_t>(r)][static_cast<std::size_t>(spalte)] = text;
  };
  const auto pruefe = [&] {
    for (std::size_t r = 1; r <= 6; ++r)
      for (std::size_t s = 0; s < Flurstuecktabelle::MaxSpalten; ++s)
        ASSERT_EQ(tabelle.Zelle(static_cast<int>(s), static_cast<int>(r)), soll[r][s])
            << "Zeile " << r << ", Spalte " << s;
  };
  tabelle.SetzeZeilenzahl(7);
  for (int r = 1; r <= 6; ++r) {  // 253 + r bytes
    setze(r, Flurstueck, std::to_string(r));
    setze(r, Nachname, std::string(static_cast<std::size_t>(246 + r), static_cast<char>('Z' - r)));
    setze(r, Vorname, "V");
    setze(r, Ort, "Ort");
    setze(r, GebName, r % 2 ? "" : "G");
  }
  pruefe();
  Sortieren(tabelle);  // by the surname's letter, which falls from row to row
  std::vector<std::vector<std::string>> sortiert(soll.rbegin(), soll.rend() - 1);
  sortiert.insert(sortiert.begin(), soll[0]);
  soll = sortiert;
  pruefe();
  setze(1, Nachname, "kurz");               // long to short
  setze(6, Strasse, std::string(10, 'S'));  // short to long
  setze(3, AnteiligeFlaeche, std::string(300, '9'));
  pruefe();
}

// --- export -----------------------------------------------------------------------------

TEST_F(Flurstuecke, ExportZeilenformat) {
#ifdef _WIN32
  GTEST_SKIP() << "Der Exportpfad e:\\Jagd ist unter Windows ein echtes Laufwerk, kein Ordner im Home-Ordner";
#endif
  app::HomeOrdnerFuerTests = ordner / "home";
  fs::create_directories(ordner / "home");
  ASSERT_TRUE(Importiere(Kataster({"7;Feldheim;3;17/2;ZJEN;1234;" + kMueller})));
  tabelle.SetzeZeilenzahl(4);
  tabelle.SetzeZelle(Gemarkung, 2, std::string(300, 'L'));
  tabelle.SetzeZelle(15, 2, "nie");
  tabelle.SetzeZelle(19, 2, "nie");
  tabelle.SetzeZelle(Gemarkung, 3, std::string(241, 'M'));
  const fs::path datei = ordner / "home" / "Jagd" / "Flurstuecke-export.csv";
  ASSERT_FALSE(fs::exists(datei.parent_path()));

  EXPECT_TRUE(ExportSchreiben(tabelle, ExportPfad));
  const std::string soll = kTitelzeile +
                           ";Feldheim;3;17/2;ZJEN;1234; 1/2;      617; M\xFC"
                           "ller; Hans; Dorfstra\xDF"
                           "e 5; 31000 Feldheim;; 1950-03-12; geb. Meier;\r\n" +
                           ";" + std::string(254, 'L') + "\r\n" + ";" + std::string(241, 'M') + std::string(13, ';') +
                           "\r\n";
  EXPECT_EQ(LiesAlles(datei), soll);

  // An existing file is overwritten.
  tabelle.SetzeZeilenzahl(2);
  EXPECT_TRUE(ExportSchreiben(tabelle, ExportPfad));
  EXPECT_EQ(LiesAlles(datei), soll.substr(0, soll.find(std::string(254, 'L')) - 1));
  EXPECT_TRUE(dialoge.Meldungen.empty());

  // A file that cannot be created: one message, false.
  app::SetzeIOStoerung([](app::IOOperation op, const fs::path&) { return op == app::IOOperation::Anlegen ? 5 : 0; });
  EXPECT_FALSE(ExportSchreiben(tabelle, ExportPfad));
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Dateizugriff verweigert (e:\\Jagd\\Flurstuecke-export.csv)"});
}

// --- transfer into the address file -----------------------------------------------------

TEST_F(Flurstuecke, UebertragungFasstNachbarnZusammen) {
  const std::string alt = test::Muster(S, 1) + test::Muster(S, 2);
  Adressdatei(alt);
  tabelle.SetzeZeilenzahl(9);
  Besitz(1, "Albers", "Anna", "Weg 1", "11111 A", "      617");
  Besitz(2, "Albers", "Anna", "Weg 1", "22222 B", "      383");  // other town, same owner
  Besitz(3, "Berg", "Bernd", "Hof 2", "33333 C", "        5");
  Besitz(4, "Albers", "Anna", "Weg 1", "11111 A", "       10");  // not adjacent: own record
  Besitz(5, "Albers", "AnnaWeg", " 1", "44444 D", "        2");  // same key "Albers, AnnaWeg 1"
  Besitz(6, "albers", "Anna", "Weg 1", "11111 A", "        1");  // case counts
  Besitz(7, std::string(30, 'N'), std::string(30, 'V'), std::string(60, 'S'), std::string(55, 'O'), " 1 234");
  Besitz(8, "Zorn", "Zita", "Z 9", "99999 Z", "abc");
  tabelle.SetzeZelle(Geburtstag, 1, "1950-01-01");  // not transferred
  tabelle.SetzeZelle(Flaeche, 1, "99999");

  EXPECT_TRUE(TabelleUebertragen(tabelle));
  const std::string soll =
      alt + Satz("Anna Albers", "Albers; Anna", "Weg 1", "22222 B", 1000) +
      Satz("Bernd Berg", "Berg; Bernd", "Hof 2", "33333 C", 5) +
      Satz("AnnaWeg Albers", "Albers; AnnaWeg", "1", "44444 D", 12) +
      Satz("Anna albers", "albers; Anna", "Weg 1", "11111 A", 1) +
      Satz(std::string(30, 'V') + " " + std::string(19, 'N'), std::string(30, 'N') + "; " + std::string(18, 'V'),
           std::string(50, 'S'), std::string(50, 'O'), 1234) +
      Satz("Zita Zorn", "Zorn; Zita", "Z 9", "99999 Z", 0);
  EXPECT_EQ(LiesAlles(adressdatei), soll);
  EXPECT_EQ(addresses::AnzahlAdressen, 8);
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Import abgeschlossen!"});
  EXPECT_TRUE(dialoge.Dateidialoge.empty());
  EXPECT_TRUE(FortschrittZu());
  EXPECT_EQ(tabelle.Zelle(AnteiligeFlaeche, 1), "      617");  // the table is not changed
}

TEST_F(Flurstuecke, UebertragungZweimalUndOhneZeilen) {
  Adressdatei("");
  tabelle.SetzeZeilenzahl(3);
  Besitz(1, "Ost", "Olga", "Ring 1", "10000 X", "       70");
  Besitz(2, "West", "Willi", "Ring 2", "10000 X", "        9");
  const std::string zwei = Satz("Olga Ost", "Ost; Olga", "Ring 1", "10000 X", 70) +
                           Satz("Willi West", "West; Willi", "Ring 2", "10000 X", 9);
  EXPECT_TRUE(TabelleUebertragen(tabelle));
  EXPECT_TRUE(TabelleUebertragen(tabelle));
  EXPECT_EQ(LiesAlles(adressdatei), zwei + zwei);

  tabelle.SetzeZeilenzahl(1);
  EXPECT_TRUE(TabelleUebertragen(tabelle));
  EXPECT_EQ(LiesAlles(adressdatei), zwei + zwei);
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>(3, "Import abgeschlossen!"));
  EXPECT_TRUE(FortschrittZu());
  EXPECT_TRUE(dialoge.Dateidialoge.empty());

  // No address file and the choice cancelled: nothing is done.
  tabelle.SetzeZeilenzahl(3);
  app::Konfiguration.SetzeAdressdatei(Pfad("fehlt.ADW"));
  dialoge.BrichDateidialogAb();
  EXPECT_FALSE(TabelleUebertragen(tabelle));
  EXPECT_EQ(dialoge.Dateidialoge.size(), 1u);
  EXPECT_EQ(dialoge.Meldungen.size(), 3u);
  EXPECT_FALSE(fs::exists(ordner / "fehlt.ADW"));
  EXPECT_EQ(LiesAlles(adressdatei), zwei + zwei);
}

// An owner whose square metres exceed 100 million ha, or whose sum does not
// fit at all, ends the transfer with "Summe zu groß", and the owners before
// him are taken back: the file stays as it was. A parcel above 10^12 m² is
// refused by the import already.
TEST_F(Flurstuecke, UebertragungUeberDerGrenzeAllesOderNichts) {
  const std::string alt = test::Muster(S, 4);
  const std::string viel = "922337203685477";  // twice does not fit into the sum
  for (const std::string& qm : {std::string("600000000000"), viel}) {
    SCOPED_TRACE(qm);
    Adressdatei(alt);
    dialoge.Meldungen.clear();
    tabelle.SetzeZeilenzahl(4);
    Besitz(1, "Albers", "Anna", "Weg 1", "11111 A", "617");
    Besitz(2, "Berg", "Bernd", "Hof 2", "33333 C", qm);
    Besitz(3, "Berg", "Bernd", "Hof 2", "33333 C", qm);
    EXPECT_FALSE(TabelleUebertragen(tabelle));
    EXPECT_EQ(LiesAlles(adressdatei), alt);
    ASSERT_FALSE(dialoge.Meldungen.empty());
    EXPECT_EQ(dialoge.Meldungen[0].rfind("Summe zu gro\xDF: Die Fl\xE4"
                                         "chen von Bernd Berg",
                                         0),
              0u)
        << dialoge.Meldungen[0];
  }
  EXPECT_TRUE(Importiere(Kataster({"1;G;1;1;ZJEN;1000000000000;" + kMueller})));
  EXPECT_FALSE(Importiere(Kataster({"1;G;1;1;ZJEN;1000000000001;" + kMueller})));
}

TEST_F(Flurstuecke, ImportBisAdressdateiBehaeltWindows1252) {
  Adressdatei("");
  ASSERT_TRUE(Importiere(Kataster({"7;Feldheim;3;17/2;ZJEN;1234;" + kMueller,
                                   "8;Feldheim;3;18;ZJEN;383;1, 2, 3, M\xFC"
                                   "ller, Hans, Dorfstra\xDF"
                                   "e 5, 31000 Feldheim"})));
  Sortieren(tabelle);
  EXPECT_TRUE(TabelleUebertragen(tabelle));
  // The cells lose the blanks behind the commas of the owner entry.
  EXPECT_EQ(LiesAlles(adressdatei), Satz("Hans M\xFC"
                                         "ller",
                                         "M\xFC"
                                         "ller; Hans",
                                         "Dorfstra\xDF"
                                         "e 5",
                                         "31000 Feldheim", 1000));
}

TEST_F(Flurstuecke, SchreibfehlerBeimAnhaengen) {
  const std::string alt = test::Muster(S, 4) + test::Muster(S, 5);
  const std::string pfad = Adressdatei(alt);
  tabelle.SetzeZeilenzahl(4);
  Besitz(1, "Eins", "E", "A 1", "1 O", "1");
  Besitz(2, "Zwei", "Z", "A 2", "1 O", "2");
  Besitz(3, "Drei", "D", "A 3", "1 O", "3");
  // The second record written to the address file fails (once).
  int schreiben = 0;
  app::SetzeIOStoerung([&](app::IOOperation op, const fs::path& p) {
    return op == app::IOOperation::Schreiben && p.filename() == "Eigner.ADW" && ++schreiben == 2 ? 101 : 0;
  });
  EXPECT_FALSE(TabelleUebertragen(tabelle));
  // Reported once; the transfer stops there, takes back the owner it had
  // appended and does not claim to be complete.
  EXPECT_EQ(dialoge.Meldungen, (std::vector<std::string>{"Fehler beim Schreiben! Datei: " + pfad}));
  const std::string datei = LiesAlles(adressdatei);
  const std::string eins = Satz("E Eins", "Eins; E", "A 1", "1 O", 1),
                    drei = Satz("D Drei", "Drei; D", "A 3", "1 O", 3);
  std::vector<std::string> saetze;  // the file's records, named briefly
  for (std::size_t i = 0; i < datei.size(); i += S) {
    const std::string satz = datei.substr(i, S);
    saetze.push_back(satz == alt.substr(0, S) ? "alt 0"
                     : satz == alt.substr(S)  ? "alt 1"
                     : satz == eins           ? "Eins"
                     : satz == drei           ? "Drei"
                                              : "?");
  }
  EXPECT_EQ(saetze, (std::vector<std::string>{"alt 0", "alt 1"}));
}

TEST_F(Flurstuecke, UngefuellteTabelleUndZeilenOhneNamen) {
  const std::string alt = test::Muster(S, 4);
  Adressdatei(alt);
  Flurstuecktabelle neu;  // the window's table before any import
  int angehaengt = -1;
  EXPECT_TRUE(TabelleUebertragen(neu, &angehaengt));
  EXPECT_EQ(angehaengt, 0);
  EXPECT_EQ(LiesAlles(adressdatei), alt);
  EXPECT_EQ(dialoge.Meldungen, (std::vector<std::string>{"Import abgeschlossen!"}));

  // Rows that name no owner give no record without a name; their area is
  // nobody's. The others are counted.
  dialoge.Meldungen.clear();
  tabelle.SetzeZeilenzahl(4);
  Besitz(1, "  ", "", "Weg 1", "1 O", "      50");
  Besitz(2, "  Ost ", " Olga ", " Ring 1 ", " 10000 X ", "       70");
  Besitz(3, "", "", "", "", "        9");
  EXPECT_TRUE(TabelleUebertragen(tabelle, &angehaengt));
  EXPECT_EQ(angehaengt, 1);
  EXPECT_EQ(LiesAlles(adressdatei), alt + Satz("Olga Ost", "Ost; Olga", "Ring 1", "10000 X", 70));
  EXPECT_EQ(dialoge.Meldungen, (std::vector<std::string>{"2 Zeilen nennen keinen Eigent\xFCmer und wurden nicht \xFC"
                                                         "bernommen.",
                                                         "Import abgeschlossen!"}));
}

// --- the sample cadastre -----------------------------------------------------------------

TEST_F(Flurstuecke, BeispielkatasterEinlesenSortierenUebertragen) {
  ASSERT_TRUE(DateiImportieren(tabelle, DAVO_TESTDATEN "/../../beispiele/Jagdkataster-Beispiel.csv"));
  EXPECT_TRUE(dialoge.Meldungen.empty());
  ASSERT_EQ(tabelle.Zeilenzahl(), 71);  // 60 parcels, 10 further owners
  auto finde = [&](const std::string& nach, const std::string& flurstueck) {
    for (int r = 1; r < tabelle.Zeilenzahl(); ++r)
      if (tabelle.Zelle(Nachname, r) == nach && tabelle.Zelle(Flurstueck, r) == flurstueck) return r;
    return -1;
  };
  // Eulenbrück, Flur 2, Flurstück 8: 2222 m², 3/4 and 1/4.
  const int stroessner = finde(
      " Str\xF6\xDF"
      "ner",
      "8");
  const int meisen = finde(
      " Meisenh\xF6"
      "lder",
      "8");
  ASSERT_GT(stroessner, 0);
  ASSERT_EQ(meisen, stroessner + 1);
  EXPECT_EQ(tabelle.Zelle(Anteil, stroessner), " 3/4");
  EXPECT_EQ(tabelle.Zelle(AnteiligeFlaeche, stroessner), "     1667");
  EXPECT_EQ(tabelle.Zelle(AnteiligeFlaeche, meisen), "      556");
  EXPECT_EQ(tabelle.Zelle(Gemarkung, meisen),
            "Eulenbr\xFC"
            "ck");
  // Eulenbrück 1/15: two owners without fractions.
  const int brandhuber = finde(" Brandhuber", "15");
  ASSERT_GT(brandhuber, 0);
  EXPECT_EQ(tabelle.Zelle(Anteil, brandhuber), "?");
  EXPECT_EQ(tabelle.Zelle(Anteil, brandhuber + 1), "?");

  Sortieren(tabelle);
  Adressdatei("");
  EXPECT_TRUE(TabelleUebertragen(tabelle));
  const std::string datei = LiesAlles(adressdatei);
  ASSERT_EQ(datei.size(), 18 * S);  // 18 owners
  // Öttinger: 2500 (alone) + 1234 × 1/2 + 0 (ZNBJ) + 1000,5 × 1/3 = 2500 + 617 + 0 + 334
  const std::string soll = Satz(
      "Theresia \xD6"
      "ttinger",
      "\xD6"
      "ttinger; Theresia",
      "Lindenweg 4",
      "09991 Eulenbr\xFC"
      "ck",
      3451);
  int gefunden = 0;
  for (std::size_t i = 0; i < 18; ++i)
    if (datei.compare(i * S, S, soll) == 0) ++gefunden;
  EXPECT_EQ(gefunden, 1);
}

}  // namespace
}  // namespace davo::parcels
