// Runs the built davo program's payout commands "einstellungen" and
// "auszahlungsliste" on settings files and address files written here byte
// by byte, and checks the lines it prints, the bytes it writes, its messages
// and its exit status.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/Adresssaetze.h"
#include "support/CliLauf.h"
#include "support/CliTest.h"

namespace {

namespace fs = std::filesystem;
using namespace davo::test;

// An owner of the payout tests: Name1, Name2, BIC and IBAN (UTF-8), the group,
// the release for payout and the area in hectares x 10000.
Satz Eigentuemer(const std::string& name1, const std::string& name2, const std::string& bic, const std::string& iban,
                 std::uint8_t gruppe, std::uint8_t frei, std::int64_t flaeche) {
  return {.Texte = AnsiTexte({{Name1, name1}, {Name2, name2}, {IBAN, iban}, {BIC, bic}}),
          .Gruppe = gruppe,
          .AuszahlungFrei = frei,
          .Flaeche = flaeche};
}

// At 100,00 per hectare and a smallest amount of 50,00: Müller gets 150,00,
// Berg 40,00 and so nothing, Öttinger 200,00 but has no BIC, Dorn exactly the
// smallest amount, 50,00, which is paid. Released: Müller and Öttinger;
// group 0: Müller and Dorn.
const std::vector<Satz> kSaetze = {
    Eigentuemer("Hans Müller", "", "GENODEF1ABC", "DE02120300000000202051", 0, 1, 15000),
    Eigentuemer("Anna Berg", "Jun.", "BYLADEM1001", "DE89370400440532013000", 1, 0, 4000),
    Eigentuemer("Zacharias Öttinger", "", "", "DE75512108001245126199", 1, 1, 20000),
    Eigentuemer("Carl Dorn", "", "COBADEFFXXX", "DE44500105175407324931", 0, 0, 5000),
};

// A number as the list shows it: right-aligned in twelve characters.
std::string R12(const std::string& zahl) { return std::string(12 - zahl.size(), ' ') + zahl; }

// The owner rows, the reference column left open.
const std::string kMueller =
    "Hans Mueller\tGENODEF1ABC\tDE02120300000000202051\t" + R12("1,5000") + "\t" + R12("150,00") +
    "\tPacht 2024 fuer Hans Mueller\t";
const std::string kBerg = "Anna BergJun.\tBYLADEM1001\tDE89370400440532013000\t" + R12("0,4000") + "\t" +
                          R12("0,00") + "\tPacht 2024 fuer Anna Berg\t";
const std::string kOettinger = "Zacharias Oettinger\t\tDE75512108001245126199\t" + R12("2,0000") + "\t" +
                               R12("200,00") + "\tPacht 2024 fuer Zacharias Oettinger\t";
const std::string kDorn = "Carl Dorn\tCOBADEFFXXX\tDE44500105175407324931\t" + R12("0,5000") + "\t" +
                          R12("50,00") + "\tPacht 2024 fuer Carl Dorn\t";

const std::string kTitel = "Name\tBic\tIBAN\tFläche\tBetrag\tÜberweisungstext1\tReferenz\n";

std::string Summe(const std::string& flaeche, const std::string& betrag) {
  return "\t\tSumme:\t" + R12(flaeche) + "\t" + R12(betrag) + "\t\t\n";
}

class DavoAuszahlung : public CliTest {
 protected:
  // Without QT_QPA_PLATFORM, as from a shell without a display.
  DavoAuszahlung() : CliTest("davo_ausz_", Konfigordner::Uebergeben, "env -u QT_QPA_PLATFORM") {}

  fs::path Adressen() const { return ordner_ / "Jagd Größe.ADW"; }
  fs::path EinstellungsDatei() const { return ordner_ / "Jagd Größe.JGA"; }

  // The four owners and their settings with run number 3.
  void Anlegen() const {
    SchreibeDatei(Adressen(), Datei(kSaetze));
    SchreibeDatei(EinstellungsDatei(),
                  Einstellungen({{BetragProHa, "100,00"}, {Kleinster, "50,00"}, {Beleg, Ansi("Pacht 2024 für !NAM1")}},
                                3));
  }
};

// --- einstellungen -----------------------------------------------------------------

TEST_F(DavoAuszahlung, EinstellungenWerdenGeschriebenUndWiederGezeigt) {
  // Neither the address file nor its settings exist yet: all empty, nothing written.
  const Lauf leer = Davo({"einstellungen", Adressen().string()});
  EXPECT_EQ(leer.Status, 0) << leer.Fehler;
  EXPECT_EQ(leer.Aus,
            "Auftraggeber=\nAuftraggeberAdresse=\nKreditinstitut=\nAuftraggeberBIC=\nAuftraggeberIBAN=\n"
            "Kreditorennummer=\nBetragProHaText=\nKleinsterBetragText=\nBelegtext1=\nSepaOrdner=\nSepaFormat="
            "09\nLaufnummer=0\n");
  EXPECT_FALSE(fs::exists(EinstellungsDatei()));

  const Lauf gesetzt = Davo({"einstellungen", Adressen().string(), "Auftraggeber=Jagdgenossenschaft Großdorf",
                             "auftraggeberiban=DE02 1203 0000 0000 2020 51", "Kreditinstitut=Bank €",
                             "SepaOrdner=C:\\Sepa\\", "Belegtext1=Pacht für !NAM1"});
  EXPECT_EQ(gesetzt.Status, 0) << gesetzt.Fehler;
  EXPECT_EQ(gesetzt.Aus, "");
  EXPECT_FALSE(fs::exists(Adressen()));
  const std::string bytes = LiesDatei(EinstellungsDatei());
  EXPECT_EQ(bytes.size(), kEinstellungsGroesse);
  EXPECT_EQ(bytes, Einstellungen({{Auftraggeber, Ansi("Jagdgenossenschaft Großdorf")},
                                  {Kreditinstitut, "Bank \x80"},
                                  {AuftraggeberIBAN, "DE02 1203 0000 0000 2020 51"},
                                  {Beleg, Ansi("Pacht für !NAM1")},
                                  {SepaOrdner, "C:\\Sepa\\"}},
                                 0));

  const Lauf gezeigt = Davo({"einstellungen", Adressen().string()});
  EXPECT_EQ(gezeigt.Status, 0) << gezeigt.Fehler;
  EXPECT_EQ(gezeigt.Aus,
            "Auftraggeber=Jagdgenossenschaft Großdorf\nAuftraggeberAdresse=\nKreditinstitut=Bank €\n"
            "AuftraggeberBIC=\nAuftraggeberIBAN=DE02 1203 0000 0000 2020 51\nKreditorennummer=\nBetragProHaText=\n"
            "KleinsterBetragText=\nBelegtext1=Pacht für !NAM1\nSepaOrdner=C:\\Sepa\\\nSepaFormat=09\nLaufnummer=0\n");
}

TEST_F(DavoAuszahlung, SetzenBehaeltLaufnummerUndAlleAnderenBytes) {
  // Reserved areas full of 0xA5, run number 3, an old transfer text longer
  // than the new one.
  const std::string vorher = Einstellungen(
      {{Auftraggeber, "JG Eulenbrück"}, {Beleg, "alter langer Belegtext"}, {BetragProHa, "12,50"}}, 3, '\xA5');
  SchreibeDatei(EinstellungsDatei(), vorher);

  const Lauf lauf = Davo({"einstellungen", Adressen().string(), "Belegtext1=neu"});
  EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
  const std::string nachher = LiesDatei(EinstellungsDatei());
  ASSERT_EQ(nachher.size(), kEinstellungsGroesse);
  EXPECT_EQ(Einstellungstext(nachher, Beleg), "neu");
  EXPECT_EQ(nachher.substr(0, 2048), vorher.substr(0, 2048));
  EXPECT_EQ(nachher.substr(2304), vorher.substr(2304)) << "SepaOrdner, Reserve oder Laufnummer verändert";

  const Lauf gezeigt = Davo({"einstellungen", Adressen().string()});
  EXPECT_NE(gezeigt.Aus.find("\nBetragProHaText=12,50\n"), std::string::npos) << gezeigt.Aus;
  EXPECT_NE(gezeigt.Aus.find("\nBelegtext1=neu\n"), std::string::npos) << gezeigt.Aus;
  EXPECT_TRUE(gezeigt.Aus.size() > 13 && gezeigt.Aus.substr(gezeigt.Aus.size() - 13) == "Laufnummer=3\n")
      << gezeigt.Aus;
}

TEST_F(DavoAuszahlung, EinstellungenLehnenUngeeigneteWerteAbUndAendernNichts) {
  const std::string vorher = Einstellungen({{Auftraggeber, "JG"}}, 7);
  SchreibeDatei(EinstellungsDatei(), vorher);

  // 255 characters fill the field; one more is refused.
  const Lauf voll = Davo({"einstellungen", Adressen().string(), "Belegtext1=" + std::string(255, 'x')});
  EXPECT_EQ(voll.Status, 0) << voll.Fehler;
  EXPECT_EQ(Einstellungstext(LiesDatei(EinstellungsDatei()), Beleg), std::string(255, 'x'));
  SchreibeDatei(EinstellungsDatei(), vorher);

  struct Fall {
    std::vector<std::string> Zuweisungen;
    int Status;
    std::string Meldung;
  };
  const Fall faelle[] = {
      {{"Belegtext1=" + std::string(256, 'x')}, 1, "255"},
      {{"Auftraggeber=Haken \xE2\x9C\x93"}, 1, "Windows-Zeichensatz"},
      {{"Auftraggeber=zwei\nZeilen"}, 1, "Steuerzeichen"},
      // Amounts as the payout window reads them.
      {{"BetragProHaText=12.50"}, 1, "BetragProHaText: „12.50“ ist keine gültige Zahl – bitte mit Komma schreiben"},
      {{"KleinsterBetragText=-5"}, 1, "negative Werte"},
      // One bad value stops the good ones before it as well.
      {{"Kreditinstitut=gut", "SepaOrdner=" + std::string(300, 'y')}, 1, "255"},
      {{"Laufnummer=4"}, 2, "Laufnummer"},
      {{"Kreditinstitut=gut", "Unbekannt=1"}, 2, "Unbekannt"},
      {{"Kreditinstitut"}, 2, "FELD=WERT"},
  };
  for (const Fall& fall : faelle) {
    std::vector<std::string> argumente{"einstellungen", Adressen().string()};
    argumente.insert(argumente.end(), fall.Zuweisungen.begin(), fall.Zuweisungen.end());
    const Lauf lauf = Davo(argumente);
    EXPECT_EQ(lauf.Status, fall.Status) << fall.Zuweisungen.front();
    EXPECT_NE(lauf.Fehler.find(fall.Meldung), std::string::npos) << lauf.Fehler;
    EXPECT_EQ(lauf.Aus, "");
    EXPECT_EQ(LiesDatei(EinstellungsDatei()), vorher) << fall.Zuweisungen.front();
  }

  const Lauf ohneDatei = Davo({"einstellungen"});
  EXPECT_EQ(ohneDatei.Status, 2);
  EXPECT_NE(ohneDatei.Fehler.find("Aufruf:"), std::string::npos);
}

TEST_F(DavoAuszahlung, EinstellungsdateiNebenDerAdressdateiOderUnlesbarBleibtUnberuehrt) {
  // The settings file is the address file's name up to its first "."; a "."
  // in a folder name does not count, and a name without one is taken whole.
  fs::create_directories(ordner_ / "daten.2024");
  const Lauf ordnerpunkt = Davo({"einstellungen", (ordner_ / "daten.2024" / "Jagd.ADW").string(), "Auftraggeber=JG"});
  EXPECT_EQ(ordnerpunkt.Status, 0) << ordnerpunkt.Fehler;
  EXPECT_TRUE(fs::exists(ordner_ / "daten.2024" / "Jagd.JGA"));
  const Lauf ohneEndung = Davo({"einstellungen", (ordner_ / "Jagd").string(), "Auftraggeber=JG"});
  EXPECT_EQ(ohneEndung.Status, 0) << ohneEndung.Fehler;
  EXPECT_TRUE(fs::exists(ordner_ / "Jagd.JGA"));
  EXPECT_FALSE(fs::exists(ordner_ / "daten.JGA"));

  // Too short for one record: reading fails, and setting a field would lose
  // everything else.
  const std::string kurz = Einstellungen({{Auftraggeber, "JG"}}, 5).substr(0, 4100);
  SchreibeDatei(EinstellungsDatei(), kurz);
  const Lauf unlesbar = Davo({"einstellungen", Adressen().string(), "Kreditinstitut=Bank"});
  EXPECT_EQ(unlesbar.Status, 1);
  EXPECT_NE(unlesbar.Fehler, "");
  EXPECT_EQ(LiesDatei(EinstellungsDatei()), kurz);
}

// --- auszahlungsliste ----------------------------------------------------------------

TEST_F(DavoAuszahlung, ListeAllerAdressenMitBetraegenReferenzenUndSumme) {
  Anlegen();
  const Lauf lauf = Davo({"auszahlungsliste", Adressen().string(), "--art", "1"});
  EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Fehler, "");
  // Sorted by name; the references count in file order from run number 3 + 1,
  // skipping Berg (nothing to pay) and Öttinger (no BIC).
  EXPECT_EQ(lauf.Aus, kTitel + kBerg + "\n" + kDorn + "00004.00002\n" + kMueller + "00004.00001\n" + kOettinger +
                          "Fehler!\n" + Summe("4,4000", "400,00"));
}

TEST_F(DavoAuszahlung, JedeArtWaehltIhreAdressen) {
  Anlegen();
  struct Fall {
    const char* Art;
    std::string Zeilen;
  };
  const Fall faelle[] = {
      {"2", kMueller + "00004.00001\n" + kOettinger + "Fehler!\n" + Summe("3,5000", "350,00")},
      {"3", kBerg + "\n" + kDorn + "00004.00001\n" + Summe("0,9000", "50,00")},
      {"4", kDorn + "00004.00002\n" + kMueller + "00004.00001\n" + Summe("2,0000", "200,00")},
      {"5", kBerg + "\n" + kOettinger + "Fehler!\n" + Summe("2,4000", "200,00")},
  };
  for (const Fall& fall : faelle) {
    const Lauf lauf = Davo({"auszahlungsliste", Adressen().string(), std::string("--art=") + fall.Art});
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    EXPECT_EQ(lauf.Aus, kTitel + fall.Zeilen) << "Art " << fall.Art;
  }
}

TEST_F(DavoAuszahlung, SortierungOrdnetNurDieAdressenzeilen) {
  Anlegen();
  struct Fall {
    const char* Sortierung;
    std::string Zeilen;
  };
  const std::string mueller = kMueller + "00004.00001\n";
  const std::string berg = kBerg + "\n";
  const std::string oettinger = kOettinger + "Fehler!\n";
  const std::string dorn = kDorn + "00004.00002\n";
  const Fall faelle[] = {
      {"iban", mueller + dorn + oettinger + berg},  // DE02, DE44, DE75, DE89
      {"bic", oettinger + berg + dorn + mueller},   // (empty), BYLA, COBA, GENO
      {"flaeche", berg + dorn + mueller + oettinger},
      {"NAME", berg + dorn + mueller + oettinger},
  };
  for (const Fall& fall : faelle) {
    const Lauf lauf = Davo({"auszahlungsliste", Adressen().string(), "--art", "1", "--sortierung", fall.Sortierung});
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    EXPECT_EQ(lauf.Aus, kTitel + fall.Zeilen + Summe("4,4000", "400,00")) << fall.Sortierung;
  }
}

TEST_F(DavoAuszahlung, BetragstexteUndFehlendeDateien) {
  Anlegen();
  const std::string adressen = LiesDatei(Adressen());

  // Without settings every amount is 0: listed, summed, no reference.
  fs::remove(EinstellungsDatei());
  const Lauf ohne = Davo({"auszahlungsliste", Adressen().string(), "--art", "4"});
  EXPECT_EQ(ohne.Status, 0) << ohne.Fehler;
  EXPECT_EQ(ohne.Aus, kTitel + "Carl Dorn\tCOBADEFFXXX\tDE44500105175407324931\t" + R12("0,5000") + "\t" +
                          R12("0,00") + "\t\t\n" + "Hans Mueller\tGENODEF1ABC\tDE02120300000000202051\t" +
                          R12("1,5000") + "\t" + R12("0,00") + "\t\t\n" + Summe("2,0000", "0,00"));
  EXPECT_FALSE(fs::exists(EinstellungsDatei()));

  struct Fall {
    std::string ProHa, Kleinster, Meldung;
  };
  const Fall faelle[] = {
      {"1,2,3", "50,00", "Eingabefehler bei Auszahlungsbetrag / ha! „1,2,3“"},
      {"12.50", "50,00", "Eingabefehler bei Auszahlungsbetrag / ha! „12.50“ – bitte mit Komma schreiben"},
      {"100,00", "5,0,0", "Eingabefehler kleinster auszuzahlender Betrag! „5,0,0“"},
  };
  for (const Fall& fall : faelle) {
    SchreibeDatei(EinstellungsDatei(), Einstellungen({{BetragProHa, fall.ProHa}, {Kleinster, fall.Kleinster}}, 0));
    const Lauf lauf = Davo({"auszahlungsliste", Adressen().string(), "--art", "1"});
    EXPECT_EQ(lauf.Status, 1);
    EXPECT_EQ(lauf.Aus, "");
    EXPECT_NE(lauf.Fehler.find(fall.Meldung), std::string::npos) << lauf.Fehler;
  }

  const Lauf fehlt = Davo({"auszahlungsliste", (ordner_ / "Fehlt.ADW").string(), "--art", "1"});
  EXPECT_EQ(fehlt.Status, 1);
  EXPECT_EQ(fehlt.Aus, "");
  EXPECT_NE(fehlt.Fehler.find("Fehlt.ADW"), std::string::npos) << fehlt.Fehler;
  EXPECT_FALSE(fs::exists(ordner_ / "Fehlt.ADW"));
  EXPECT_EQ(LiesDatei(Adressen()), adressen);
}

TEST_F(DavoAuszahlung, FalscherAufrufEndetMitZwei) {
  Anlegen();
  const std::string a = Adressen().string();
  const std::vector<std::vector<std::string>> faelle = {
      {"auszahlungsliste", a},
      {"auszahlungsliste", "--art", "1"},
      {"auszahlungsliste", a, a, "--art", "1"},
      {"auszahlungsliste", a, "--art", "0"},
      {"auszahlungsliste", a, "--art", "6"},
      {"auszahlungsliste", a, "--art", "12"},
      {"auszahlungsliste", a, "--art", "1", "--art", "2"},
      {"auszahlungsliste", a, "--art"},
      {"auszahlungsliste", a, "--art", "1", "--sortierung", "ort"},
      {"auszahlungsliste", a, "--art", "1", "--pdf"},
      {"auszahlungsliste", a, "--art", "1", "--gruppe", "1"},
  };
  for (const std::vector<std::string>& argumente : faelle) {
    const Lauf lauf = Davo(argumente);
    std::string zeile;
    for (const std::string& arg : argumente) zeile += " " + arg;
    EXPECT_EQ(lauf.Status, 2) << zeile;
    EXPECT_EQ(lauf.Aus, "") << zeile;
    EXPECT_NE(lauf.Fehler.find("Aufruf:"), std::string::npos) << zeile << "\n" << lauf.Fehler;
  }
}

#if DAVO_MIT_PDF

TEST_F(DavoAuszahlung, PdfEnthaeltUeberschriftUndAdressen) {
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext fehlt";
  Anlegen();
  const fs::path pdf = ordner_ / "Liste Größe.pdf";
  const Lauf lauf = Davo({"auszahlungsliste", Adressen().string(), "--art", "1", "--pdf", pdf.string()});
  EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Aus, "");
  ASSERT_EQ(LiesDatei(pdf).substr(0, 5), "%PDF-");

  const fs::path text = ordner_ / "pdf.txt";
  ASSERT_EQ(std::system(("pdftotext -layout -enc UTF-8 " + Gequotet(pdf.string()) + " " + Gequotet(text.string()))
                            .c_str()),
            0);
  std::string inhalt;
  for (char c : LiesDatei(text))
    if (c != ' ' || inhalt.empty() || inhalt.back() != ' ') inhalt += c;
  EXPECT_NE(inhalt.find("4 Adressen wurden in der Adressenverwaltung erfasst!"), std::string::npos) << inhalt;
  EXPECT_NE(inhalt.find("Hans Mueller"), std::string::npos) << inhalt;
  EXPECT_NE(inhalt.find("Summe: 4,4000 400,00"), std::string::npos) << inhalt;
  // Columns 6 and 7 are not printed.
  EXPECT_EQ(inhalt.find("00004.00001"), std::string::npos) << inhalt;
}

#endif

}  // namespace
