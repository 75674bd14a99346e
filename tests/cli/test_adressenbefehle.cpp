// Runs the built davo program on address files made here byte by byte and
// checks its output, its exit status and the bytes it leaves in the files.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/Hauptmenue.h"
#include "support/Adresssaetze.h"
#include "support/CliLauf.h"
#include "support/CliTest.h"

namespace {

namespace fs = std::filesystem;
using namespace davo::test;

// Three owners; the cp1252 bytes are written out so that the UTF-8 the tests
// expect does not come from the program's own conversion.
Satz Mueller() {
  Satz s;
  s.Texte = {{Name1,
              "Hans M\xFC"
              "ller"},
             {Sortierung,
              "M\xFC"
              "ller, Hans"},
             {Ort,
              "12345 Gro\xDF"
              "dorf"}};
  s.Flaeche = 12345000;  // 1234,5 ha
  return s;
}
Satz Oertel() {
  Satz s;
  s.Texte = {{Name1,
              "\xC4"
              "nne \xD6"
              "rtel"},
             {Sortierung,
              "\xD6"
              "rtel, \xC4"
              "nne"},
             {Ort, "54321 Au"}};
  s.Flaeche = 0;
  return s;
}
Satz Weber() {
  Satz s;
  s.Texte = {{Name1, "Karl Weber"}, {Sortierung, "Weber, Karl"}, {Ort, "99999 Feld"}};
  s.Flaeche = 1234567;  // 123,4567 ha
  s.AuszahlungFrei = 1;
  return s;
}

class DavoProgramm : public CliTest {
 protected:
  DavoProgramm() : CliTest("davo_cli_") {}

  fs::path DreiAdressen() const {
    const fs::path p = Pfad("Drei.ADW");
    SchreibeDatei(p, Bytes(Mueller()) + Bytes(Oertel()) + Bytes(Weber()));
    return p;
  }
};

// --- general options ------------------------------------------------------------------

TEST_F(DavoProgramm, HilfeUndVersionEndenMitNull) {
  const Lauf hilfe = Davo({"--help"});
  EXPECT_EQ(hilfe.Status, 0);
  EXPECT_NE(hilfe.Aus.find("Aufruf: davo"), std::string::npos) << hilfe.Aus;
  EXPECT_NE(hilfe.Aus.find("adressen DATEI.ADW"), std::string::npos);
  EXPECT_NE(hilfe.Aus.find("Fläche"), std::string::npos) << "Hilfe nicht in UTF-8";
  EXPECT_EQ(hilfe.Fehler, "");

  const Lauf version = Davo({"--version"});
  EXPECT_EQ(version.Status, 0);
  EXPECT_EQ(version.Aus, std::string("davo ") + DAVO_VERSION + "\n" + davo::app::Lizenzhinweis + "\n");

  // Global options are taken together; --help wins over the command.
  EXPECT_EQ(Davo({"--ja", "--konfig", ordner_.string(), "--help"}).Status, 0);
}

TEST_F(DavoProgramm, FalscherAufrufEndetMitZweiUndAendertNichts) {
  const fs::path datei = DreiAdressen();
  const std::string vorher = LiesDatei(datei);
  const std::string d = datei.string();
  const std::vector<std::vector<std::string>> aufrufe = {
      {},
      {"gibtsnicht"},
      {"--unbekannt", "adressen", d},
      {"--konfig"},
      {"--ja", "--nein", "adressen", d},
      {"adressen"},
      {"adressen", d, d},
      {"adresse", d},
      {"adresse", d, "eins"},
      {"adresse", d, "1a", "Name1=X"},
      {"adresse", d, "1", "Unsinn=3"},
      {"adresse", d, "1", "Feld22=belegt"},
      {"adresse", d, "1", "Name1"},
      {"adresse", d, "1", "Name1=Neu", "Ort"},
  };
  ErwarteAufruffehler(aufrufe);
  EXPECT_EQ(LiesDatei(datei), vorher);
}

// --- listing -------------------------------------------------------------------------

TEST_F(DavoProgramm, ListeZeigtJedeAdresseInEinerZeile) {
  const Lauf lauf = Davo({"adressen", DreiAdressen().string()});
  EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Aus,
            "1\tMüller, Hans\tHans Müller\t12345 Großdorf\t1.234,5000\n"
            "2\tÖrtel, Änne\tÄnne Örtel\t54321 Au\t0,0000\n"
            "3\tWeber, Karl\tKarl Weber\t99999 Feld\t123,4567\n");
  EXPECT_EQ(lauf.Fehler, "");
}

TEST_F(DavoProgramm, ListeZaehltNurGanzeSaetze) {
  const std::vector<std::pair<std::string, std::string>> faelle = {
      {"", ""},
      {std::string(100, 'x'), ""},
      {Bytes(Mueller()) + Bytes(Weber()) + std::string(kSatz - 1, '\x01'),
       "1\tMüller, Hans\tHans Müller\t12345 Großdorf\t1.234,5000\n"
       "2\tWeber, Karl\tKarl Weber\t99999 Feld\t123,4567\n"},
  };
  for (const auto& [inhalt, erwartet] : faelle) {
    SCOPED_TRACE(inhalt.size());
    const fs::path p = Pfad("Kurz.ADW");
    SchreibeDatei(p, inhalt);
    const Lauf lauf = Davo({"adressen", p.string()});
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    EXPECT_EQ(lauf.Aus, erwartet);
    EXPECT_EQ(LiesDatei(p), inhalt) << "Lesen hat die Datei verändert";
  }
}

TEST_F(DavoProgramm, FehlendeDateiWirdGemeldetUndNichtAngelegt) {
  const fs::path p = Pfad("Fehlt.ADW");
  const std::vector<std::vector<std::string>> aufrufe = {
      {"adressen", p.string()},
      {"adresse", p.string(), "1"},
      {"--ja", "adresse", p.string(), "1"},
  };
  for (const auto& aufruf : aufrufe) {
    SCOPED_TRACE(aufruf.size());
    const Lauf lauf = Davo(aufruf);
    EXPECT_EQ(lauf.Status, 1);
    EXPECT_EQ(lauf.Aus, "");
    EXPECT_EQ(lauf.Fehler, "Datei " + p.string() + " nicht gefunden\n");
    EXPECT_FALSE(fs::exists(p));
  }
}

// --- one record -----------------------------------------------------------------------

TEST_F(DavoProgramm, ZeigtJedesFeldInFesterReihenfolge) {
  Satz s;
  s.Texte = {{Anrede, "An Herrn"},
             {Name1,
              "J\xFCrgen Sch\xE4"
              "fer"},
             {Name2, "Landwirt"},
             {Sortierung,
              "Sch\xE4"
              "fer, J\xFCrgen"},
             {Strasse,
              "Hauptstra\xDF"
              "e 5"},
             {Postfach, "Postfach 12"},
             {Ort, "12345 Dorf"},
             {Telefon, "0123 4567"},
             {Feld9, "frei"},
             {Fax, "0123 4568"},
             {EMail, "js@example.org"},
             {Homepage, "example.org"},
             {Bankname, "Dorfbank"},
             {BLZ, "12345678"},
             {Kontonummer, "987654"},
             {IBAN, "DE02 1203 0000 0000 2020 51"},
             {BIC, "BYLADEM1001"},
             {MandatsNr, "M-7"},
             {MandatsNrAlt, "M-6"},
             {Steuernummer, "12/345/67890"},
             {UStId, "DE123456789"}};
  s.Gruppe = 200;
  s.AuszahlungFrei = 1;
  s.SerienbriefDruck = 0;
  s.Flaeche = -5000;  // -0,5 ha
  const fs::path p = Pfad("Einer.ADW");
  SchreibeDatei(p, Bytes(Mueller()) + Bytes(s));

  const Lauf lauf = Davo({"adresse", p.string(), "2"});
  EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Aus,
            "Anrede=An Herrn\n"
            "Name1=Jürgen Schäfer\n"
            "Name2=Landwirt\n"
            "Sortierung=Schäfer, Jürgen\n"
            "Strasse=Hauptstraße 5\n"
            "Postfach=Postfach 12\n"
            "Ort=12345 Dorf\n"
            "Telefon=0123 4567\n"
            "Feld9=frei\n"
            "Fax=0123 4568\n"
            "EMail=js@example.org\n"
            "Homepage=example.org\n"
            "Bankname=Dorfbank\n"
            "BLZ=12345678\n"
            "Kontonummer=987654\n"
            "IBAN=DE02 1203 0000 0000 2020 51\n"
            "BIC=BYLADEM1001\n"
            "MandatsNr=M-7\n"
            "MandatsNrAlt=M-6\n"
            "Steuernummer=12/345/67890\n"
            "UStId=DE123456789\n"
            "Gruppe=200\n"
            "AuszahlungFrei=1\n"
            "SerienbriefDruck=0\n"
            "Flaeche=-0,5000\n");
}

TEST_F(DavoProgramm, NummerAusserhalbDerDateiWirdAbgelehnt) {
  const std::string d = DreiAdressen().string();
  for (const char* nr : {"0", "4", "-1", "99999999999999999999999"}) {
    SCOPED_TRACE(nr);
    const Lauf lauf = Davo({"adresse", d, nr});
    EXPECT_EQ(lauf.Status, 1);
    EXPECT_EQ(lauf.Aus, "");
    EXPECT_NE(lauf.Fehler.find("3 Adressen"), std::string::npos) << lauf.Fehler;
  }
}

TEST_F(DavoProgramm, SetztFelderUndLaesstDenRestStehen) {
  const fs::path p = DreiAdressen();
  const std::string vorher = LiesDatei(p);
  const std::string lang(60, 'L');
  const Lauf lauf =
      Davo({"adresse", p.string(), "2", "Name1=Jürgen Öztürk", "IBAN=DE02120300000000202051", "flaeche=1.234,5678 ha",
            "Gruppe=255", "AuszahlungFrei=1", "SerienbriefDruck=1", "Name2=" + lang, "Ort=erst", "Ort=zuletzt"});
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Aus, "");
  EXPECT_EQ(lauf.Fehler, "");

  const std::string nachher = LiesDatei(p);
  ASSERT_EQ(nachher.size(), 3 * kSatz);
  EXPECT_EQ(nachher.substr(0, kSatz), vorher.substr(0, kSatz));
  EXPECT_EQ(nachher.substr(2 * kSatz), vorher.substr(2 * kSatz));
  EXPECT_EQ(Textfeld(nachher, 1, Name1),
            "J\xFCrgen \xD6"
            "zt\xFCrk");
  EXPECT_EQ(Textfeld(nachher, 1, IBAN), "DE02120300000000202051");
  EXPECT_EQ(Textfeld(nachher, 1, Name2), std::string(50, 'L'));
  EXPECT_EQ(Textfeld(nachher, 1, Ort), "zuletzt");
  EXPECT_EQ(Textfeld(nachher, 1, Sortierung),
            "\xD6"
            "rtel, \xC4"
            "nne");
  EXPECT_EQ(FlaecheIn(nachher, 1), 12345678);
  EXPECT_EQ(ByteIn(nachher, 1, 1530), 255);
  EXPECT_EQ(ByteIn(nachher, 1, 1531), 1);
  EXPECT_EQ(ByteIn(nachher, 1, 1532), 1);

  // The same values come back through the program.
  const Lauf zeigen = Davo({"adresse", p.string(), "2"});
  ASSERT_EQ(zeigen.Status, 0);
  const std::vector<std::string> zeilen = {"Name1=Jürgen Öztürk\n", "Flaeche=1.234,5678\n", "Gruppe=255\n",
                                           "Sortierung=Örtel, Änne\n", "Name2=" + std::string(50, 'L') + "\n"};
  for (const std::string& zeile : zeilen) EXPECT_NE(zeigen.Aus.find(zeile), std::string::npos) << zeile << zeigen.Aus;
}

TEST_F(DavoProgramm, HaengtHinterDerLetztenAdresseAn) {
  const fs::path p = DreiAdressen();
  const std::string vorher = LiesDatei(p);
  const Lauf lauf = Davo({"adresse", p.string(), "4", "Name1=Eva Neu", "Sortierung=Neu, Eva", "Flaeche=2,5"});
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;

  Satz erwartet;
  erwartet.Texte = {{Name1, "Eva Neu"}, {Sortierung, "Neu, Eva"}};
  erwartet.Flaeche = 25000;
  EXPECT_EQ(LiesDatei(p), vorher + Bytes(erwartet));

  const Lauf liste = Davo({"adressen", p.string()});
  EXPECT_NE(liste.Aus.find("4\tNeu, Eva\tEva Neu\t\t2,5000\n"), std::string::npos) << liste.Aus;
}

TEST_F(DavoProgramm, LegtEineFehlendeDateiBeimSchreibenAn) {
  const fs::path p = Pfad("Neu.ADW");
  const fs::path konfig = Pfad("konfig");
  fs::create_directory(konfig);
  const Lauf lauf =
      Davo({"--konfig", konfig.string(), "--nein", "adresse", p.string(), "1", "Name1=Erste", "Sortierung=Erste"});
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Fehler, "");
  EXPECT_TRUE(fs::is_empty(konfig)) << "the address commands keep no configuration";
  Satz erwartet;
  erwartet.Texte = {{Name1, "Erste"}, {Sortierung, "Erste"}};
  EXPECT_EQ(LiesDatei(p), Bytes(erwartet));
}

TEST_F(DavoProgramm, UngueltigeEingabenWerdenAbgelehntUndNichtsGeschrieben) {
  struct Fall {
    std::vector<std::string> Zuweisungen;
    std::string Nr;
    std::string Meldung;  // part of the message on stderr
  };
  const std::string leer = "Die Adresse ist ungültig. Einige Felder sind leer.";
  const std::vector<Fall> faelle = {
      {{"Name1=   "}, "1", leer},
      {{"Sortierung="}, "2", leer},
      {{"Name1=Neu"}, "4", leer},  // appended record has no sort key
      {{"Flaeche=1,2,3"}, "1", "Flaeche: „1,2,3“ ist keine gültige Zahl – bitte mit Komma schreiben, z. B. 12,5"},
      {{"Flaeche=12.5"}, "1", "„12.5“"},
      {{"Flaeche=-2"}, "1", "negative Werte"},
      {{"Name1=Łukasz"}, "1", "Name1"},
      {{"Name1=Neu", "Ort=Kraków ŁÓDŹ"}, "1", "Ort"},
      {{"Gruppe=256"}, "1", "Gruppe"},
      {{"Gruppe=-1"}, "1", "Gruppe"},
      {{"Gruppe=eins"}, "1", "Gruppe"},
      {{"AuszahlungFrei=2"}, "1", "AuszahlungFrei"},
      {{"SerienbriefDruck=ja"}, "1", "SerienbriefDruck"},
      {{"Name1=Zeile\neins"}, "1", "Name1"},
      {{"Name1=Neu", "Sortierung=Neu"}, "5", "3 Adressen"},
      {{"Name1=Neu", "Sortierung=Neu"}, "0", "3 Adressen"},
  };
  const fs::path p = DreiAdressen();
  const std::string vorher = LiesDatei(p);
  for (const Fall& fall : faelle) {
    std::vector<std::string> aufruf = {"adresse", p.string(), fall.Nr};
    aufruf.insert(aufruf.end(), fall.Zuweisungen.begin(), fall.Zuweisungen.end());
    SCOPED_TRACE(fall.Zuweisungen.front() + " Nr " + fall.Nr);
    const Lauf lauf = Davo(aufruf);
    EXPECT_EQ(lauf.Status, 1);
    EXPECT_EQ(lauf.Aus, "");
    EXPECT_NE(lauf.Fehler.find(fall.Meldung), std::string::npos) << lauf.Fehler;
    EXPECT_EQ(LiesDatei(p), vorher);
  }

  // A refused first record does not create the file either.
  const fs::path neu = Pfad("Nie.ADW");
  const Lauf lauf = Davo({"adresse", neu.string(), "1", "Name1=Ohne Sortierung"});
  EXPECT_EQ(lauf.Status, 1);
  EXPECT_NE(lauf.Fehler.find(leer), std::string::npos) << lauf.Fehler;
  EXPECT_FALSE(fs::exists(neu));
}

TEST_F(DavoProgramm, DateifehlerBeimZugriffEndenMitEins) {
  struct Fall {
    std::vector<std::string> Aufruf;
    std::string Meldung;
  };
  std::vector<Fall> faelle = {
      {{"adressen", ordner_.string()}, "Dateizugriff verweigert (" + ordner_.string() + ")"},
      {{"adresse", ordner_.string(), "1"}, "Dateizugriff verweigert (" + ordner_.string() + ")"},
      {{"adresse", Pfad("fehlt/Neu.ADW").string(), "1", "Name1=A", "Sortierung=A"},
       "Suchweg nicht gefunden! Datei: " + Pfad("fehlt/Neu.ADW").string()},
  };
  // A device is no address file: refused before anything is written.
  if (fs::exists("/dev/full"))
    faelle.push_back({{"adresse", "/dev/full", "1", "Name1=A", "Sortierung=A"}, "keine gewöhnliche Datei"});
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.Aufruf[1]);
    const Lauf lauf = Davo(fall.Aufruf);
    EXPECT_EQ(lauf.Status, 1);
    EXPECT_EQ(lauf.Aus, "");
    EXPECT_NE(lauf.Fehler.find(fall.Meldung), std::string::npos) << lauf.Fehler;
  }
  EXPECT_FALSE(fs::exists(Pfad("fehlt")));
}

TEST_F(DavoProgramm, UmlauteImDateinamen) {
  const fs::path p = Pfad("Jagdgenossenschaft Größe.ADW");
  SchreibeDatei(p, Bytes(Weber()));
  const Lauf lauf = Davo({"adressen", p.string()});
  EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Aus, "1\tWeber, Karl\tKarl Weber\t99999 Feld\t123,4567\n");
}

}  // namespace
