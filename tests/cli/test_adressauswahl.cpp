// Runs the built davo program's commands "waehlen" and "aktion" on address
// files made here byte by byte, and checks the lines it prints, its messages,
// its exit status and every byte it leaves in the files.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/Adresssaetze.h"
#include "support/CliLauf.h"
#include "support/CliTest.h"

namespace {

namespace fs = std::filesystem;
using namespace davo::test;

// An owner known by sort key, name and place only.
Satz Eigentuemer(const std::string& sortierung, const std::string& name, const std::string& ort) {
  Satz s;
  s.Texte = {{Sortierung, sortierung}, {Name1, name}, {Ort, ort}};
  return s;
}

// A chooser line written out: each column padded with blanks to 30, then the
// number. The texts are UTF-8 and shorter than 30 characters.
std::string Zeile(const std::string& a, std::size_t laengeA, const std::string& b, std::size_t laengeB,
                  const std::string& c, std::size_t laengeC, int nr) {
  return a + std::string(30 - laengeA, ' ') + b + std::string(30 - laengeB, ' ') + c + std::string(30 - laengeC, ' ') +
         std::to_string(nr) + "\n";
}

class DavoAuswahl : public CliTest {
 protected:
  DavoAuswahl() : CliTest("davo_wahl_", Konfigordner::Angelegt) {}

  std::string Konfig() const { return KonfigOrdner().string(); }

  fs::path Anlegen(const std::string& name, const std::string& inhalt) const {
    const fs::path p = Pfad(name);
    SchreibeDatei(p, inhalt);
    return p;
  }
};

// --- waehlen -------------------------------------------------------------------------

TEST_F(DavoAuswahl, ZeilenFolgenDerDeutschenSortierungOhneGrossUndKlein) {
  // Byte order would put "Bauer" before "abt" and every "Mü" after "Murr".
  const fs::path p = Anlegen("Ort.ADW", Datei({
                                            Eigentuemer("M\xFCller, Carl", "Carl M\xFCller", "Au"),  // 1
                                            Eigentuemer("abt, Anna", "Anna abt", "Au"),              // 2
                                            Eigentuemer("Murr, Eva", "Eva Murr", "Au"),              // 3
                                            Eigentuemer("Muller, Bernd", "Bernd Muller", "Au"),      // 4
                                            Eigentuemer("Abel, Karl", "Karl Abel", "Au"),            // 5
                                            Eigentuemer("Bauer, Hans", "Hans Bauer", "Au"),          // 6
                                            Eigentuemer("M\xFCller, Anna", "Anna M\xFCller", "Au"),  // 7
                                            Eigentuemer("Mueller, Zoe", "Zoe Mueller", "Au"),        // 8
                                            Eigentuemer("Bauer, Hans", "Hans Bauer", "Au"),          // 9
                                        }));
  const Lauf lauf = Davo({"waehlen", p.string()});
  EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Fehler, "");
  EXPECT_EQ(lauf.Aus, Zeile("Abel, Karl", 10, "Karl Abel", 9, "Au", 2, 5) +
                          Zeile("abt, Anna", 9, "Anna abt", 8, "Au", 2, 2) +
                          Zeile("Bauer, Hans", 11, "Hans Bauer", 10, "Au", 2, 6) +
                          Zeile("Bauer, Hans", 11, "Hans Bauer", 10, "Au", 2, 9) +
                          Zeile("Mueller, Zoe", 12, "Zoe Mueller", 11, "Au", 2, 8) +
                          Zeile("Müller, Anna", 12, "Anna Müller", 11, "Au", 2, 7) +
                          Zeile("Muller, Bernd", 13, "Bernd Muller", 12, "Au", 2, 4) +
                          Zeile("Müller, Carl", 12, "Carl Müller", 11, "Au", 2, 1) +
                          Zeile("Murr, Eva", 9, "Eva Murr", 8, "Au", 2, 3));
  // The layout written out once: 30 + 30 + 30 characters, then the number.
  EXPECT_EQ(lauf.Aus.substr(0, lauf.Aus.find('\n') + 1),
            "Abel, Karl                    Karl Abel                     Au                            5\n");
}

TEST_F(DavoAuswahl, SteuerzeichenWerdenLeerzeichenUndJedesZeichenSeineUtf8Folge) {
  const fs::path p =
      Anlegen("Zeichen.ADW", Datei({Eigentuemer("Ab\tel, \x80\x84x\x93\x01", "\x9F\xFF\x7F", "\xDF\x1F")}));
  const Lauf lauf = Davo({"waehlen", p.string()});
  EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Aus, Zeile("Ab el, €„x“ ", 12, "Ÿÿ\x7F", 3, "ß ", 2, 1));
}

TEST_F(DavoAuswahl, JedeSortierungHatIhreSpaltenUndIhreReihenfolge) {
  Satz zander = Eigentuemer("Zander, Anton", "Anton Zander", "11111 Adorf");
  zander.Texte[Strasse] = "Am Bach 1";
  zander.Texte[BLZ] = "30000000";
  zander.Texte[Kontonummer] = "111";
  zander.Texte[Homepage] = "zander.example";
  zander.Texte[Bankname] = "Dorfbank";
  Satz adler = Eigentuemer("Adler, Eva", "Eva Adler", "99999 Zell");
  adler.Texte[Strasse] = "Zum Berg 2";
  adler.Texte[BLZ] = "20000000";
  adler.Texte[Kontonummer] = "999";
  const fs::path p = Anlegen("Zwei.ADW", Datei({zander, adler}));

  const std::string zanderNormal = Zeile("Zander, Anton", 13, "Anton Zander", 12, "11111 Adorf", 11, 1);
  const std::string adlerNormal = Zeile("Adler, Eva", 10, "Eva Adler", 9, "99999 Zell", 10, 2);
  const std::vector<std::pair<std::vector<std::string>, std::string>> faelle = {
      {{}, adlerNormal + zanderNormal},
      {{"--sortierung", "0"}, adlerNormal + zanderNormal},
      {{"--sortierung", "1"},
       Zeile("Anton Zander", 12, "Am Bach 1", 9, "11111 Adorf", 11, 1) +
           Zeile("Eva Adler", 9, "Zum Berg 2", 10, "99999 Zell", 10, 2)},
      {{"--sortierung=2"},
       Zeile("11111 Adorf", 11, "Anton Zander", 12, "Am Bach 1", 9, 1) +
           Zeile("99999 Zell", 10, "Eva Adler", 9, "Zum Berg 2", 10, 2)},
      {{"--sortierung", "3"},
       Zeile("20000000", 8, "Eva Adler", 9, "99999 Zell", 10, 2) +
           Zeile("30000000", 8, "Anton Zander", 12, "11111 Adorf", 11, 1)},
      {{"--sortierung", "4"},
       Zeile("111", 3, "Anton Zander", 12, "11111 Adorf", 11, 1) +
           Zeile("999", 3, "Eva Adler", 9, "99999 Zell", 10, 2)},
  };
  for (const auto& [optionen, erwartet] : faelle) {
    SCOPED_TRACE(optionen.empty() ? "ohne" : optionen.back());
    std::vector<std::string> aufruf = {"waehlen", p.string()};
    aufruf.insert(aufruf.end(), optionen.begin(), optionen.end());
    const Lauf lauf = Davo(aufruf);
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    EXPECT_EQ(lauf.Aus, erwartet);
  }
}

TEST_F(DavoAuswahl, SucheFindetTextOhneGrossUndKleinUndDieNummer) {
  const fs::path p = Anlegen("Suche.ADW", Datei({
                                              Eigentuemer("Weber, Karl", "Karl Weber", "Au"),          // 1
                                              Eigentuemer("M\xFCller, Anna", "Anna M\xFCller", "Au"),  // 2
                                              Eigentuemer("Muller, Bernd", "Bernd Muller", "Feld"),    // 3
                                              Eigentuemer("Stra\xDF"
                                                          "er, Udo",
                                                          "Udo Stra\xDF"
                                                          "er",
                                                          "Au"),  // 4
                                          }));
  const std::string weber = Zeile("Weber, Karl", 11, "Karl Weber", 10, "Au", 2, 1);
  const std::string mueller = Zeile("Müller, Anna", 12, "Anna Müller", 11, "Au", 2, 2);
  const std::string muller = Zeile("Muller, Bernd", 13, "Bernd Muller", 12, "Feld", 4, 3);
  const std::string strasser = Zeile("Straßer, Udo", 12, "Udo Straßer", 11, "Au", 2, 4);
  struct Fall {
    std::vector<std::string> Optionen;
    std::string Erwartet;
  };
  const std::vector<Fall> faelle = {
      {{"--suche", "3"}, muller},  // only the record number holds a digit
      {{"--suche", "müLLER"}, mueller},
      {{"--suche", "MULLER"}, muller},
      {{"--suche=anna"}, mueller},
      {{"--suche", "straßer"}, strasser},
      {{"--suche", "au"}, mueller + strasser + weber},  // in list order
      {{"--suche", "au", "--sortierung", "2"},
       Zeile("Au", 2, "Anna Müller", 11, "", 0, 2) + Zeile("Au", 2, "Karl Weber", 10, "", 0, 1) +
           Zeile("Au", 2, "Udo Straßer", 11, "", 0, 4)},
      {{"--sortierung", "1", "--suche", "Karl"}, Zeile("Karl Weber", 10, "", 0, "Au", 2, 1)},
      {{"--suche", "nirgends"}, ""},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.Optionen.back());
    std::vector<std::string> aufruf = {"waehlen", p.string()};
    aufruf.insert(aufruf.end(), fall.Optionen.begin(), fall.Optionen.end());
    const Lauf lauf = Davo(aufruf);
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    EXPECT_EQ(lauf.Aus, fall.Erwartet);
  }
}

TEST_F(DavoAuswahl, FalscherAufrufEndetMitZwei) {
  const std::string d = Anlegen("A.ADW", Datei({Eigentuemer("A", "A", "A")})).string();
  const std::vector<std::vector<std::string>> aufrufe = {
      {"waehlen"},
      {"waehlen", d, d},
      {"waehlen", d, "--sortierung", "5"},
      {"waehlen", d, "--sortierung", "-1"},
      {"waehlen", d, "--sortierung", "01"},
      {"waehlen", d, "--sortierung", ""},
      {"waehlen", d, "--sortierung=x"},
      {"waehlen", d, "--sortierung"},
      {"waehlen", d, "--suche"},
      {"waehlen", d, "--sortiert", "1"},
      {"aktion", d},
      {"aktion", d, "freigabe-ein", "freigabe-aus"},
      {"aktion", d, "freigabe"},
      {"aktion", d, "Freigabe-Ein"},
      {"--ja", "aktion", Pfad("fehlt.ADW").string(), "alles-loeschen"},
  };
  ErwarteAufruffehler(aufrufe);
}

TEST_F(DavoAuswahl, AbgelehnteEingabenUndDateifehlerEndenMitEins) {
  const std::string d = Anlegen("A.ADW", Datei({Eigentuemer("A", "A", "A")})).string();
  const std::string fehlt = Pfad("Fehlt.ADW").string();
  const std::string nichtGefunden = "Datei " + fehlt + " nicht gefunden\n";
  const std::string verweigert = "Dateizugriff verweigert (" + ordner_.string() + ")";
  struct Fall {
    std::vector<std::string> Aufruf;
    std::string Meldung;  // part of stderr
  };
  const std::vector<Fall> faelle = {
      {{"waehlen", fehlt}, nichtGefunden},
      {{"waehlen", fehlt, "--suche", "x"}, nichtGefunden},
      {{"--ja", "aktion", fehlt, "gruppen-null"}, nichtGefunden},
      {{"--ja", "aktion", fehlt, "serienbrief-nach-flaeche"}, nichtGefunden},
      {{"waehlen", d, "--suche", ""}, "Bitte geben Sie den zu suchenden Text ein\n"},
      {{"waehlen", d, "--suche", "Łódź"}, "Suchtext"},
      {{"waehlen", ordner_.string()}, verweigert},
      {{"--ja", "aktion", ordner_.string(), "freigabe-ein"}, verweigert},
  };
  for (const Fall& fall : faelle) {
    std::string text;
    for (const auto& a : fall.Aufruf) text += a + " ";
    SCOPED_TRACE(text);
    const Lauf lauf = Davo(fall.Aufruf);
    EXPECT_EQ(lauf.Status, 1);
    EXPECT_EQ(lauf.Aus, "");
    EXPECT_NE(lauf.Fehler.find(fall.Meldung), std::string::npos) << lauf.Fehler;
  }
  EXPECT_FALSE(fs::exists(fehlt));
}

// --- aktion ----------------------------------------------------------------------------

// Four owners with every combination of the flags and assorted groups.
std::vector<Satz> Gemischt() {
  std::vector<Satz> s = {Eigentuemer("Eins", "Eins", "Au"), Eigentuemer("Zwei", "Zwei", "Au"),
                         Eigentuemer("Drei", "Drei", "Au"), Eigentuemer("Vier", "Vier", "Au")};
  const std::uint8_t gruppe[] = {7, 0, 1, 255};
  const std::uint8_t frei[] = {0, 1, 1, 0};
  const std::uint8_t brief[] = {1, 0, 1, 0};
  for (std::size_t i = 0; i < s.size(); ++i) {
    s[i].Gruppe = gruppe[i];
    s[i].AuszahlungFrei = frei[i];
    s[i].SerienbriefDruck = brief[i];
    s[i].Flaeche = 10000 * static_cast<std::int64_t>(i + 1);
  }
  return s;
}

// The file with one byte of each record replaced.
std::string MitByte(std::string datei, std::size_t offset, const std::vector<std::uint8_t>& werte) {
  for (std::size_t i = 0; i < werte.size(); ++i) datei[i * kSatz + offset] = static_cast<char>(werte[i]);
  return datei;
}

TEST_F(DavoAuswahl, JedeAktionAendertGenauIhrFeldInJederAdresse) {
  struct Fall {
    std::string Name;
    std::size_t Offset;
    std::vector<std::uint8_t> Werte;
    std::string Meldung;
  };
  const std::vector<Fall> faelle = {
      {"freigabe-ein",
       kAuszahlungFrei,
       {1, 1, 1, 1},
       "Aktion \"Auszahlung freigeben\" wurde für alle Adressen eingeschaltet!\n"},
      {"freigabe-aus",
       kAuszahlungFrei,
       {0, 0, 0, 0},
       "Aktion \"Auszahlung freigeben\" wurde für alle Adressen ausgeschaltet!\n"},
      {"serienbrief-ein",
       kSerienbrief,
       {1, 1, 1, 1},
       "Aktion \"Serienbrief drucken\" wurde für alle Adressen eingeschaltet!\n"},
      {"serienbrief-aus",
       kSerienbrief,
       {0, 0, 0, 0},
       "Aktion \"Serienbrief drucken\" wurde für alle Adressen ausgeschaltet!\n"},
      {"gruppen-null", kGruppe, {0, 0, 0, 0}, ""},
      {"gruppe-aus-serienbrief", kGruppe, {1, 0, 1, 0}, ""},
      {"gruppe-aus-freigabe", kGruppe, {0, 1, 1, 0}, ""},
  };
  const std::string vorher = Datei(Gemischt());
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.Name);
    const fs::path p = Anlegen("Vier.ADW", vorher);
    const Lauf lauf = Davo({"--ja", "aktion", p.string(), fall.Name});
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    EXPECT_EQ(lauf.Aus, "");
    EXPECT_EQ(lauf.Fehler, fall.Meldung);
    EXPECT_EQ(LiesDatei(p), MitByte(vorher, fall.Offset, fall.Werte));
  }
}

TEST_F(DavoAuswahl, VerneinteRueckfrageLaesstDieDateiUnveraendert) {
  const std::string vorher = Datei(Gemischt());
  Anlegen("Vier.JGA", Einstellungen({{BetragProHa, "100,00"}, {Kleinster, "50,00"}}, 0));
  const std::vector<std::string> namen = {
      "freigabe-ein", "freigabe-aus",           "serienbrief-ein",    "serienbrief-aus", "serienbrief-nach-flaeche",
      "gruppen-null", "gruppe-aus-serienbrief", "gruppe-aus-freigabe"};
  for (const std::string& name : namen) {
    // "--nein", and no answer at all: the question's preselected "Nein".
    for (const std::vector<std::string>& antwort : {std::vector<std::string>{"--nein"}, std::vector<std::string>{}}) {
      SCOPED_TRACE(name + (antwort.empty() ? " ohne Antwort" : " --nein"));
      const fs::path p = Anlegen("Vier.ADW", vorher);
      std::vector<std::string> aufruf = {"--konfig", Konfig()};
      aufruf.insert(aufruf.end(), antwort.begin(), antwort.end());
      aufruf.insert(aufruf.end(), {"aktion", p.string(), name});
      const Lauf lauf = Davo(aufruf);
      EXPECT_EQ(lauf.Status, 1);
      EXPECT_EQ(lauf.Fehler, "Abgebrochen.\n");
      EXPECT_EQ(LiesDatei(p), vorher);
    }
  }
}

TEST_F(DavoAuswahl, SerienbriefNachFlaecheSetztDenSchalterAbDerKleinstenFlaeche) {
  // Areas in hectares x 10000, with the flag set the wrong way before.
  const std::vector<std::int64_t> flaechen = {5000, 4999, 0, 12345000, -1};
  const std::vector<std::uint8_t> vorherBrief = {0, 1, 1, 0, 1};
  std::vector<Satz> saetze;
  for (std::size_t i = 0; i < flaechen.size(); ++i) {
    Satz s = Eigentuemer("E" + std::to_string(i), "E", "Au");
    s.Flaeche = flaechen[i];
    s.SerienbriefDruck = vorherBrief[i];
    s.Gruppe = 3;
    s.AuszahlungFrei = 1;
    saetze.push_back(s);
  }
  const std::string vorher = Datei(saetze);

  struct Fall {
    std::optional<std::pair<std::string, std::string>> Einstellung;  // amount per ha, smallest amount
    std::vector<std::uint8_t> Brief;
    std::string Flaeche;  // as the message writes it
    int Anzahl;
  };
  const std::vector<Fall> faelle = {
      {std::make_pair("100,00", "50,00"), {1, 0, 0, 1, 0}, "  0.5000", 2},
      {std::make_pair("3,00", "1.000,00"), {0, 0, 0, 1, 0}, "333.3333", 1},
      {std::make_pair("100,00", "0,00"), {1, 1, 1, 1, 0}, "  0.0000", 4},
      {std::nullopt, {1, 1, 1, 1, 0}, "  0.0000", 4},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.Flaeche);
    std::error_code ec;
    fs::remove(Pfad("Fl.JGA"), ec);
    if (fall.Einstellung)
      Anlegen("Fl.JGA",
              Einstellungen({{BetragProHa, fall.Einstellung->first}, {Kleinster, fall.Einstellung->second}}, 0));
    const fs::path p = Anlegen("Fl.ADW", vorher);
    const Lauf lauf = Davo({"--konfig", Konfig(), "--ja", "aktion", p.string(), "serienbrief-nach-flaeche"});
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    EXPECT_EQ(lauf.Fehler, "Die kleinste auszuzahlende Fläche beträgt " + fall.Flaeche +
                               " ha\n"
                               "Aktion \"Serienbrief drucken\" wurde für " +
                               std::to_string(fall.Anzahl) + " Adressen einschaltet!\n");
    EXPECT_EQ(LiesDatei(p), MitByte(vorher, kSerienbrief, fall.Brief));
  }

  // No amount per hectare with a smallest amount: refused, nothing changes.
  Anlegen("Fl.JGA", Einstellungen({{BetragProHa, "0,00"}, {Kleinster, "50,00"}}, 0));
  const fs::path p = Anlegen("Fl.ADW", vorher);
  const Lauf lauf = Davo({"--konfig", Konfig(), "--ja", "aktion", p.string(), "serienbrief-nach-flaeche"});
  EXPECT_EQ(lauf.Status, 1);
  EXPECT_EQ(lauf.Fehler,
            "Der Auszahlungsbetrag / ha ist 0. Die kleinste auszuzahlende Fläche kann nicht berechnet werden.\n");
  EXPECT_EQ(LiesDatei(p), vorher);
}

TEST_F(DavoAuswahl, SerienbriefNachFlaecheLaesstDieKonfigurationUnberuehrt) {
  // A configuration record naming another address file and a form-letter file.
  const std::string brief = "C:\\Briefe\\Einladung.txt";
  const std::string konfig = KonfigSatz("ALT.ADW__", brief);
  SchreibeDatei(KonfigDatei(), konfig);

  const fs::path p = Anlegen("Neu.ADW", Datei({Eigentuemer("A", "A", "A")}));
  const Lauf lauf = Davo({"--konfig", Konfig(), "--ja", "aktion", p.string(), "serienbrief-nach-flaeche"});
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(LiesDatei(KonfigDatei()), konfig);
}

}  // namespace
