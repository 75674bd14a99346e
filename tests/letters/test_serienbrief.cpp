// Form-letter printing: the "!" printer keys in a template, one letter per
// job without header, the list of owners with its lines, questions and group
// import, and the printed address list.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "app/Konfiguration.h"
#include "app/Plattform.h"
#include "app/Testumgebung.h"
#include "letters/Serienbrief.h"
#include "printing/Druck.h"
#include "support/TestDrucker.h"

namespace davo::letters {
namespace {

using addresses::AktAdresse;
using addresses::TAdresse;
using app::FrageErgebnis;

const std::string kStart = "hoch\ntitel Velmora\nbeginn\ngroesse 7\n";
const std::string kKeineVorlage = "Bitte Datei f\xFCr Serienbriefausgabe w\xE4hlen!";

struct Person { const char *Sortierung, *Name1, *Name2, *Strasse, *Ort; int Gruppe, Brief; };

TAdresse Satz(const Person& p) {
  TAdresse a;
  a.SetzeText(addresses::Anrede, "Herrn");
  a.SetzeText(addresses::Sortierung, p.Sortierung);
  a.SetzeText(addresses::Name1, p.Name1);
  a.SetzeText(addresses::Name2, p.Name2);
  a.SetzeText(addresses::Strasse, p.Strasse);
  a.SetzeText(addresses::Postfach, "PF 9");
  a.SetzeText(addresses::Ort, p.Ort);
  a.SetzeText(addresses::Telefon, "0123");
  a.SetzeText(addresses::Feld9, "F9");
  a.SetzeText(addresses::IBAN, "DE02");
  a.SetzeGruppe(static_cast<std::uint8_t>(p.Gruppe));
  a.SetzeSerienbriefDruck(static_cast<std::uint8_t>(p.Brief));
  return a;
}

// Record 0 Bach, 1 Abel, 2 Claus; the list orders them Abel, Bach, Claus.
const std::vector<Person> kBestand = {
    {"Bach, Bernd", "Bernd Bach", "", "Allee 2", "Bdorf", 0, 0},
    {"Abel, Anna", "Anna Abel", "Hof", "Weg 1", "Adorf", 3, 1},
    {"Claus, Carl", "Carl Claus", "Zusatz", "Ring 3", "Cdorf", 0, 1},
};

class SerienbriefTest : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    addresses::AdrDateiName = Pfad("Mitglieder.ADW");
    Bestand(kBestand);
  }
  void TearDown() override {
    printing::InstalliereDrucker(nullptr);
    CoreTest::TearDown();
  }
  void Bestand(const std::vector<Person>& personen) {
    std::string bytes;
    for (const auto& p : personen) {
      const TAdresse a = Satz(p);
      bytes.append(a.bytes.begin(), a.bytes.end());
    }
    test::SchreibeAlles(ordner / "Mitglieder.ADW", bytes);
  }
  // A template file with these lines (cp1252, CR LF); the window names it.
  void Vorlage(const std::vector<std::string>& zeilen) {
    std::string inhalt;
    for (const auto& z : zeilen) inhalt += z + "\r\n";
    test::SchreibeAlles(ordner / "brief.txt", inhalt);
    modell.Vorlage = Pfad("brief.txt");
  }
  void Einfuegen(std::int32_t nr) {
    ASSERT_TRUE(addresses::AdresseLesen(nr));
    modell.AdresseEinfuegen();
  }
  std::vector<std::int32_t> Nummern() const {
    std::vector<std::int32_t> n;
    for (const auto& z : modell.Liste) n.push_back(z.Nr);
    return n;
  }
  std::string Band() const { return druck.band.AlsText(); }

  test::Druckaufbau druck;
  SerienbriefModell modell;
};

TEST_F(SerienbriefTest, AusrufezeichenSchluesselInDerVorlage) {
  struct Fall { std::string Zeile, Band; };
  // Condensed: cell of column c at x = 413 + 34 c; normal 55, wide 88 per column.
  const std::vector<Fall> faelle = {
      {"Gruss!FB", "fett ein\ntext 447 140 Gruss!\n"},
      {"Hallo ! Welt !da", "text 447 140 Hallo ! Welt !da\n"},
      {"!KE Rest", "groesse 10\ntext 468 140 ! Rest\n"},  // capitals: the token goes first
      {"!ke Rest", "groesse 10\ntext 468 140 Rest\n"},    // lower case: the key
      {"!GB Rest", "groesse 20\ntext 501 140 ! Rest\n"},
      {"!gb Rest", "groesse 20\ntext 501 140 Rest\n"},
      {"!FF x", "neue-seite\ntext 447 140 ! x\n"},
      {"!ff x", "neue-seite\ntext 447 140 x\n"},
      {"vor!DA nach", "text 447 140 vor\ntext 549 140 nach\n"},
      {"a!XYZb", "text 447 140 a\ntext 481 140 !\ntext 515 140 XYZb\n"},
      {"ab!c", "text 447 140 ab!c\n"},
      {"ab!fb", "text 447 140 ab\nfett ein\n"},
      {"ab!cd", "text 447 140 ab\ntext 515 140 !\ntext 549 140 cd\n"},
      {"!", "text 447 140 !\n"},
      {"", ""},
      {"!NAM1!NAM1!NAM1!NAM1!NAM1!NAM1", "text 447 140 " + std::string(255, 'n') + "\n"},  // cut at 255
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Zeile);
    AktAdresse.SetzeText(addresses::Name1, std::string(50, 'n'));
    Vorlage({f.Zeile});
    druck.band.Leeren();
    dialoge.Druckantworten.push_back(true);
    SerienbriefDrucken(modell.Vorlage);
    EXPECT_EQ(kStart + f.Band + "ende\n", Band());
  }
}

TEST_F(SerienbriefTest, BriefMitPlatzhalternUndSteuerzeichen) {
  Vorlage({"Sehr geehrte(r) !ANRE !NAM1,", "GBBetreff!DA Jagdgeld", "KEFl\xE4" "che: !HA ha!fb", "Gruss ! Ende",
           "!kb klein!XYZ", "FF", "Seite 2"});
  AktAdresse.SetzeText(addresses::Anrede, "Herr");
  AktAdresse.SetzeText(addresses::Name1, "Meier");
  AktAdresse.SetzeFlaeche(125000);
  printing::Druckzustand.OhneSeitenkopf = false;
  dialoge.Druckantworten.push_back(true);
  modell.BriefAktuell();
  EXPECT_TRUE(printing::Druckzustand.OhneSeitenkopf);
  test::PruefeGolden("brief.txt", Band());
}

TEST_F(SerienbriefTest, AbgebrochenerDruckUndFehlendeVorlage) {
  Vorlage({"FB Hallo !NAM1 !kb", "FF"});
  dialoge.Druckantworten.push_back(false);
  modell.BriefAktuell();
  EXPECT_EQ("", Band());
  EXPECT_TRUE(dialoge.Meldungen.empty());

  modell.Vorlage = Pfad("fehlt.txt");
  modell.BriefAktuell();
  Einfuegen(0);
  modell.BriefeListe();
  EXPECT_EQ((std::vector<std::string>{kKeineVorlage, kKeineVorlage}), dialoge.Meldungen);
  EXPECT_TRUE(dialoge.Fragen.empty());
  EXPECT_EQ("", Band());
}

TEST_F(SerienbriefTest, ListenzeileSpaltenUndNummer) {
  struct Fall { std::string Sortierung, Name1, Postfach; std::int32_t Nr; std::string Zeile; };
  const std::string b32(32, ' ');
  const std::vector<Fall> faelle = {
      {"Meier, Hans", "Hans Meier", "", 7, "Meier, Hans" + std::string(21, ' ') + "Hans Meier" + std::string(22, ' ') + b32 + "8"},
      {"", "", "PF 1", 0, b32 + b32 + "PF 1" + std::string(28, ' ') + "1"},
      {std::string(32, 's'), "n", "p", 122, std::string(32, 's') + "n" + std::string(31, ' ') + "p" + std::string(31, ' ') + "123"},
      {std::string(40, 's'), "n", "", 4, std::string(40, 's') + "n" + std::string(31, ' ') + b32 + "5"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Sortierung);
    TAdresse a;
    a.SetzeText(addresses::Sortierung, f.Sortierung);
    a.SetzeText(addresses::Name1, f.Name1);
    a.SetzeText(addresses::Postfach, f.Postfach);
    a.SetzeText(addresses::Ort, "nicht in der Zeile");
    EXPECT_EQ(f.Zeile, Listenzeile(a, f.Nr));
  }
}

TEST_F(SerienbriefTest, BriefeFuerDieListeNurBeiJa) {
  Vorlage({"Brief an !NAM1"});
  for (std::int32_t nr : {0, 1, 2}) Einfuegen(nr);
  ASSERT_EQ((std::vector<std::int32_t>{1, 0, 2}), Nummern());
  EXPECT_EQ("Abel, Anna" + std::string(22, ' ') + "Anna Abel" + std::string(23, ' ') + "PF 9" +
                std::string(28, ' ') + "2",
            modell.Liste[0].Text);
  dialoge.Antworten = {FrageErgebnis::Ja, FrageErgebnis::Nein, FrageErgebnis::Ja};
  dialoge.Druckantworten = {true, true};  // only the two letters answered yes ask
  modell.BriefeListe();
  EXPECT_EQ(kStart + "text 447 140 Brief an Anna Abel\nende\n" + kStart + "text 447 140 Brief an Carl Claus\nende\n",
            Band());
  ASSERT_EQ(3u, dialoge.Fragen.size());
  const char* namen[] = {"Anna Abel", "Bernd Bach", "Carl Claus"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(namen[i], dialoge.Fragen[i].Oben);
    EXPECT_EQ("Adresse drucken? ", dialoge.Fragen[i].Frage);
    EXPECT_TRUE(dialoge.Fragen[i].JaVorgewaehlt);
  }
}

// "Alle Briefe ohne Rückfrage in einem Druckauftrag": one question, one print
// dialog, one job; each letter on a page of its own, starting as a job of its
// own would (condensed, not bold), though the one before ended wide and bold.
TEST_F(SerienbriefTest, AlleBriefeInEinemAuftrag) {
  Vorlage({"GBBrief an !NAM1!fb", "Gruss"});
  for (std::int32_t nr : {0, 1, 2}) Einfuegen(nr);
  modell.EinAuftrag = true;
  dialoge.Antworten = {FrageErgebnis::Ja};
  dialoge.Druckantworten = {true};
  modell.BriefeListe();
  ASSERT_EQ(1u, dialoge.Fragen.size());
  EXPECT_EQ("Vorlage: " + modell.Vorlage, dialoge.Fragen[0].Oben);
  EXPECT_EQ("3 Briefe drucken?", dialoge.Fragen[0].Frage);
  EXPECT_TRUE(dialoge.Fragen[0].JaVorgewaehlt);
  EXPECT_EQ(3, druck.band.Seiten());
  test::PruefeGolden("briefe_ein_auftrag.txt", Band());

  // "Nein" asks for no printer; a cancelled print dialog prints nothing.
  druck.band.Leeren();
  dialoge.Antworten = {FrageErgebnis::Nein, FrageErgebnis::Ja};
  dialoge.Druckantworten = {false};
  modell.BriefeListe();
  modell.BriefeListe();
  EXPECT_EQ("", Band());
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(SerienbriefTest, LangeFelderBrechenDieNummerNicht) {
  std::vector<Person> bestand = kBestand;
  const std::string lang(50, 'L');
  bestand.push_back({lang.c_str(), lang.c_str(), "", "", "", 0, 0});
  Bestand(bestand);
  Vorlage({"!NAM2 an !ORT"});
  Einfuegen(3);
  Einfuegen(2);
  ASSERT_EQ((std::vector<std::int32_t>{2, 3}), Nummern());
  dialoge.Antworten = {FrageErgebnis::Geschlossen, FrageErgebnis::Ja};  // closing skips like no
  dialoge.Druckantworten = {true};
  modell.BriefeListe();
  EXPECT_EQ(kStart + "text 447 140  an \nende\n", Band());
  EXPECT_EQ(lang, dialoge.Fragen.at(1).Oben);
}

TEST_F(SerienbriefTest, GruppeInListeUndLetzterSatzImPuffer) {
  modell.Gruppe = 0;
  modell.GruppeEinfuegen();
  EXPECT_EQ((std::vector<std::int32_t>{0, 2}), Nummern());
  EXPECT_EQ(2, addresses::AktAdrNr);
  EXPECT_EQ("Carl Claus", AktAdresse.Text(addresses::Name1));
  modell.Gruppe = 3;
  modell.GruppeEinfuegen();
  modell.Gruppe = 0;
  modell.GruppeEinfuegen();  // no comparison with the lines already there
  EXPECT_EQ((std::vector<std::int32_t>{1, 0, 0, 2, 2}), Nummern());
  EXPECT_EQ("Carl Claus", AktAdresse.Text(addresses::Name1));

  // So the letter for the current address goes to the last record.
  Vorlage({"!NAM1"});
  dialoge.Druckantworten.push_back(true);
  modell.BriefAktuell();
  EXPECT_EQ(kStart + "text 447 140 Carl Claus\nende\n", Band());

  modell.ZeileLoeschen(-1);
  modell.ZeileLoeschen(5);
  modell.ZeileLoeschen(1);
  EXPECT_EQ((std::vector<std::int32_t>{1, 0, 2, 2}), Nummern());
  modell.ListeLeeren();
  EXPECT_TRUE(modell.Liste.empty());

  Bestand({});
  modell.GruppeEinfuegen();
  EXPECT_TRUE(modell.Liste.empty());
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

// A large group collected in one go, twice and beside a line added by hand,
// lies in the order that adding its owners one by one gives: each behind the
// lines whose text is equal to its own in the order.
TEST_F(SerienbriefTest, GrosseGruppeWieEinzelnEingefuegt) {
  const char* const namen[] = {"M\xFCller", "Muller", "mueller", "M\xDCLLER", "abt",    "Abt",    "\xC4rger",
                               "Arger",     "",       "Oertel",  "\xD6rtel",  "zander", "Zander", "von der Heide"};
  std::vector<TAdresse> saetze;
  std::string bytes;
  for (std::uint32_t i = 0, z = 7; i < 3000; ++i) {
    z = z * 1103515245u + 12345u;
    TAdresse a;
    a.SetzeText(addresses::Sortierung, std::string(namen[(z >> 8) % std::size(namen)]) + ", Anna");
    a.SetzeText(addresses::Name1, namen[(z >> 16) % std::size(namen)]);
    a.SetzeGruppe(static_cast<std::uint8_t>(1 + (z >> 24) % 2));
    saetze.push_back(a);
    bytes.append(a.bytes.begin(), a.bytes.end());
  }
  test::SchreibeAlles(ordner / "Mitglieder.ADW", bytes);

  std::vector<std::pair<std::string, std::int32_t>> erwartet;  // collation key, record
  const auto einzeln = [&](std::int32_t nr) {
    const std::pair<std::string, std::int32_t> z{app::plattform::Sortierschluessel(Listenzeile(saetze[nr], nr)), nr};
    erwartet.insert(std::upper_bound(erwartet.begin(), erwartet.end(), z,
                                     [](const auto& a, const auto& b) { return a.first < b.first; }),
                    z);
  };
  Einfuegen(17);
  einzeln(17);
  for (const int gruppe : {1, 1, 2}) {
    modell.Gruppe = gruppe;
    ASSERT_TRUE(modell.GruppeEinfuegen());
    for (std::int32_t nr = 0; nr < 3000; ++nr)
      if (saetze[nr].Gruppe() == gruppe) einzeln(nr);
  }
  std::vector<std::int32_t> nummern;
  for (const auto& [schluessel, nr] : erwartet) nummern.push_back(nr);
  EXPECT_EQ(nummern, Nummern());
}

TEST_F(SerienbriefTest, AdresseWaehlenZeigtAchtFelder) {
  addresses::AdrAuswahlFenster = [] { return addresses::AdrAuswahl.UebernehmenZeile(2); };
  modell.AdresseWaehlen();
  const std::vector<std::string> claus = {"Herrn", "Carl Claus", "Zusatz", "Ring 3", "PF 9", "Cdorf", "0123", "F9"};
  EXPECT_EQ(claus, modell.Memo);
  EXPECT_EQ(2, addresses::AktAdrNr);

  // Closed without a choice: the previous choice is read again.
  ASSERT_TRUE(addresses::AdresseLesen(0));
  addresses::AdrAuswahlFenster = [] { return false; };
  modell.AdresseWaehlen();
  EXPECT_EQ(claus, modell.Memo);
  EXPECT_EQ("Carl Claus", AktAdresse.Text(addresses::Name1));
}

TEST_F(SerienbriefTest, AktivierenUndVorlageWaehlen) {
  app::Konfiguration.SetzeSerienbriefdatei("alt.txt");
  modell.Aktivieren();
  EXPECT_EQ(" Serienbrief // " + Pfad("Mitglieder.ADW"), modell.Titel);
  EXPECT_EQ("alt.txt", modell.Vorlage);
  EXPECT_EQ(3u, addresses::AdrListeAlle.size());

  dialoge.BrichDateidialogAb();
  modell.VorlageWaehlen();
  EXPECT_EQ("alt.txt", modell.Vorlage);
  dialoge.WaehleDatei((ordner / "neu.txt").string());
  modell.VorlageWaehlen();
  EXPECT_EQ(Pfad("neu.txt"), modell.Vorlage);
  EXPECT_EQ(Pfad("neu.txt"), app::Konfiguration.Serienbriefdatei());
  ASSERT_EQ(2u, dialoge.Dateidialoge.size());
  EXPECT_EQ("Textdateien|*.txt|alle Dateien|*.*", dialoge.Dateidialoge[0].Filter);
  EXPECT_EQ("C:\\zq-soft\\virezizo", dialoge.Dateidialoge[0].StartOrdner);
  EXPECT_EQ("alt.txt", dialoge.Dateidialoge[0].Dateiname);
}

TEST_F(SerienbriefTest, AdressenlisteDrucken) {
  modell.ListeDrucken();  // empty list: nothing at all
  EXPECT_EQ("", Band());
  EXPECT_TRUE(dialoge.Meldungen.empty());

  app::AktAdrBasis = Pfad("Mitglieder");
  Einfuegen(0);
  Einfuegen(1);
  Einfuegen(0);  // two identical lines are both printed
  dialoge.Druckantworten.push_back(true);
  modell.ListeDrucken();
  test::PruefeGolden("adressenliste.txt", Band());
  EXPECT_EQ(std::vector<std::string>{"Datei: " + Pfad("Mitglieder") + ".htm nicht gefunden!"}, dialoge.Meldungen);
  EXPECT_EQ(0, addresses::AktAdrNr);

  test::SchreibeAlles(ordner / "Mitglieder.htm", "<html></html>");
  dialoge.Druckantworten.push_back(true);
  modell.ListeDrucken();
  EXPECT_EQ(std::vector<std::string>{Pfad("Mitglieder.htm")}, dialoge.GeoeffnetMitProgramm);
  EXPECT_EQ(1u, dialoge.Meldungen.size());
}

// A list longer than its page goes on on further pages, each with its
// header, and keeps every line. The page of 1754 px has one pixel per line
// unit: the condensed step grows from 10 units to the 70 px its text is high,
// so that 18 lines fit below the header.
TEST_F(SerienbriefTest, LangeAdressenlisteAufMehrerenSeiten) {
  druck.messen.Breite = 1240;
  druck.messen.Hoehe = 1754;
  std::string bytes;
  for (int i = 1; i <= 40; ++i) {
    TAdresse a;
    const std::string nr = (i < 10 ? "0" : "") + std::to_string(i);
    a.SetzeText(addresses::Sortierung, "Eigner " + nr);
    a.SetzeText(addresses::Name1, "Eigner " + nr);
    a.SetzeText(addresses::Ort, "Ort " + nr);
    a.SetzeGruppe(1);
    bytes.append(a.bytes.begin(), a.bytes.end());
  }
  test::SchreibeAlles(ordner / "Mitglieder.ADW", bytes);
  modell.Gruppe = 1;
  ASSERT_TRUE(modell.GruppeEinfuegen());
  dialoge.Druckantworten.push_back(true);
  modell.ListeDrucken();
  test::PruefeGolden("adressenliste_seiten.txt", Band());
}

}  // namespace
}  // namespace davo::letters
