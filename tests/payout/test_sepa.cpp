// The SEPA credit-transfer file: the expected files of a small run in both
// formats, valid against their schemas; the refusals and declined questions
// that leave the folder and the run counter untouched; write failures that
// leave no file; the length limits and escaping; the chooser with the copy
// and the cover sheet.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Datum.h"
#include "app/IOStoerung.h"
#include "app/Konfiguration.h"
#include "app/Testumgebung.h"
#include "payout/Adressenliste.h"
#include "payout/Einstellungen.h"
#include "payout/Sepa.h"
#include "printing/Druck.h"
#include "support/Sepaschema.h"
#include "support/TestDrucker.h"

namespace davo::payout {
namespace {

namespace fs = std::filesystem;
using addresses::TAdresse;
using app::FrageErgebnis;
using payout::Adressenliste;

constexpr const char* kName = "SEPA-JG-00004-2026-12-06T150743";

app::DatumZeit Zeit(int j, int m, int t, int h = 0, int min = 0, int s = 0) {
  app::DatumZeit d;
  d.Jahr = j;
  d.Monat = m;
  d.Tag = t;
  d.Stunde = h;
  d.Minute = min;
  d.Sekunde = s;
  d.Wochentag = app::WochentagVon(j, m, t);
  return d;
}

std::string Lies(const fs::path& p) { return test::LiesAlles(p); }

class SepaTest : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    app::AktAdrBasis = Pfad("Revier");
    addresses::AdrDateiName = Pfad("Revier.ADW");
    app::Uhr = [] { return Zeit(2026, 12, 6, 15, 7, 43); };
    fs::create_directories(ordner / "sepa");
    // 185,18 and 1.234,50 to pay; one owner without a plausible IBAN.
    Satz("Hans M\xFCller & S\xF6hne", "", "GENODEF1ABC", "DE02 1203 0000 0000 2020 51", 12345);
    Satz("Anna Berg", "Jun.", "cobadeff", "DE89370400440532013000", 82300);
    Satz("Ohne Iban", "", "GENODEF1ABC", "DE00", 10000);
    SchreibeAdressen();
    AuszahlungsEinstellungen.Leeren();
    LaufnummerDrei();
    vorgaben.Auftraggeber =
        "Jagdgenossenschaft Eulenbr\xFC"
        "ck";
    vorgaben.Adresse =
        "Dorfstra\xDF"
        "e 1, 09991 Eulenbr\xFC"
        "ck";
    vorgaben.IBAN = "DE44 5001 0517 5407 3249 31";
    vorgaben.BIC = "cobadeffxxx";
    vorgaben.Ordner = Ansi(ordner / "sepa");  // without a separator at its end
    vorgaben.Belegtext = "Jagdpacht 2026 !NAM1";
    vorgaben.Ausfuehrung = Zeit(2026, 12, 11);
  }
  void Satz(const std::string& n1, const std::string& n2, const std::string& bic, const std::string& iban,
            Currency ha) {
    TAdresse& a = saetze.emplace_back();
    a.SetzeText(addresses::Name1, n1);
    a.SetzeText(addresses::Name2, n2);
    a.SetzeText(addresses::BIC, bic);
    a.SetzeText(addresses::IBAN, iban);
    a.SetzeFlaeche(ha);
    a.SetzeAuszahlungFrei(1);
  }
  void SchreibeAdressen() {
    std::string inhalt;
    for (const TAdresse& a : saetze) inhalt.append(a.bytes.begin(), a.bytes.end());
    test::SchreibeAlles(ordner / "Revier.ADW", inhalt);
  }
  void Aufbauen() { ASSERT_TRUE(Adressenliste.FreigabelisteAufbauen(1500000, 0, vorgaben.Belegtext)); }
  // The settings file anew with the run counter 3 (a save never lowers it).
  void LaufnummerDrei() {
    fs::remove(ordner / "Revier.JGA");
    AuszahlungsEinstellungen.SetzeLaufnummer(3);
    ASSERT_TRUE(EinstellungenSchreiben());
  }
  // The run counter in the settings file.
  std::int32_t LaufnummerInDatei() const { return LaufnummerDerDatei().value_or(-1); }
  std::vector<std::string> ImOrdner() const {
    std::vector<std::string> namen;
    for (const auto& e : fs::directory_iterator(ordner / "sepa")) namen.push_back(e.path().filename().string());
    std::sort(namen.begin(), namen.end());
    return namen;
  }
  fs::path Xml() const { return ordner / "sepa" / (std::string(kName) + ".xml"); }
  fs::path Csv() const { return ordner / "sepa" / (std::string(kName) + ".csv"); }

  std::vector<TAdresse> saetze;
  SepaVorgaben vorgaben;
};

TEST_F(SepaTest, ErwarteteDateienInBeidenFormaten) {
  for (SepaFormat format : {SepaFormat::Pain09, SepaFormat::Pain03}) {
    SCOPED_TRACE(SepaSchema(format));
    fs::remove_all(ordner / "sepa");
    fs::create_directories(ordner / "sepa");
    LaufnummerDrei();
    vorgaben.Format = format;
    Aufbauen();
    dialoge.Fragen.clear();
    dialoge.Antworten = {FrageErgebnis::Ja, FrageErgebnis::Ja};
    SepaLauf lauf;
    ASSERT_EQ(SepaDateienErstellen(Adressenliste, vorgaben, lauf), SepaErgebnis::Geschrieben);

    const std::string datei = format == SepaFormat::Pain09 ? "lauf-09.xml" : "lauf-03.xml";
    test::PruefeGolden(datei, Lies(Xml()), "sepa");
    test::PruefeGolden("lauf.csv", Lies(Csv()), "sepa");
    EXPECT_EQ(test::SchemaFehler(Xml(), SepaSchema(format)), "");
    EXPECT_EQ(ImOrdner(), (std::vector<std::string>{std::string(kName) + ".csv", std::string(kName) + ".xml"}));
    EXPECT_EQ(LaufnummerInDatei(), 4);
    EXPECT_EQ(lauf.Anzahl, 2);
    EXPECT_EQ(lauf.Summe, 14196800);
    EXPECT_EQ(lauf.XmlPfad, Ansi(Xml()));
    ASSERT_EQ(dialoge.Fragen.size(), 2u);
    EXPECT_EQ(dialoge.Fragen[0].Oben,
              "    2 \xDC"
              "berweisungen, Betrag:    1.419,68 EUR");
    EXPECT_EQ(dialoge.Fragen[0].Frage, "Soll die Sepadatei erstellt werden!");
    EXPECT_EQ(dialoge.Fragen[1].Oben, "Soll die Sepadatei jetzt erstellt werden?");
    EXPECT_EQ(dialoge.Fragen[1].Frage, "Dateiname: " + Ansi(Xml()));
    EXPECT_TRUE(dialoge.Meldungen.empty());
  }
}

TEST_F(SepaTest, AblehnungenSchreibenNichts) {
  struct Fall {
    const char* Name;
    void (*Vorbereiten)(SepaVorgaben&);
    std::vector<FrageErgebnis> Antworten;
    SepaErgebnis Ergebnis;
    std::string Meldung;  // its beginning; empty: none
  };
  const std::string nichts = " Es wurde keine Sepa-Datei erstellt.";
  const Fall faelle[] = {
      {"nichts markiert",
       [](SepaVorgaben&) { Adressenliste.Keine(); },
       {},
       SepaErgebnis::Abgebrochen,
       "Keine Adresse ist f\xFCr eine \xDC"
       "berweisung ausgew\xE4hlt." +
           nichts},
      {"IBAN des Auftraggebers",
       [](SepaVorgaben& v) { v.IBAN = "DE44 5001 0517 5407 3249 32"; },
       {},
       SepaErgebnis::Abgebrochen,
       "Die IBAN des Auftraggebers ist nicht plausibel"},
      {"BIC des Auftraggebers",
       [](SepaVorgaben& v) { v.BIC = "COBADEFFX"; },
       {},
       SepaErgebnis::Abgebrochen,
       "Die BIC des Auftraggebers ist nicht plausibel"},
      {"Auftraggeber leer",
       [](SepaVorgaben& v) { v.Auftraggeber = "&&"; },
       {},
       SepaErgebnis::Abgebrochen,
       "Bitte den Auftraggeber eingeben"},
      {"Belegtext leer",
       [](SepaVorgaben& v) { v.Belegtext = "'"; },
       {},
       SepaErgebnis::Abgebrochen,
       "Bitte einen \xDC"
       "berweisungstext eingeben"},
      {"kein Ordner",
       [](SepaVorgaben& v) { v.Ordner.clear(); },
       {},
       SepaErgebnis::Abgebrochen,
       "Bitte den Ordner f\xFCr die Sepa-Datei angeben"},
      {"inzwischen ein anderer Lauf",
       [](SepaVorgaben&) {
         AuszahlungsEinstellungen.SetzeLaufnummer(5);
         EinstellungenSchreiben();
         AuszahlungsEinstellungen.SetzeLaufnummer(3);
       },
       {FrageErgebnis::Ja},
       SepaErgebnis::Abgebrochen,
       "Inzwischen wurde eine weitere Sepa-Datei erstellt (Laufnummer 5)"},
      // A run number of ten digits makes the message id longer than the bank takes.
      {"Referenz zu lang",
       [](SepaVorgaben&) {
         AuszahlungsEinstellungen.SetzeLaufnummer(999999999);
         Adressenliste.FreigabeLauf = 1000000000;
       },
       {FrageErgebnis::Ja},
       SepaErgebnis::Abgebrochen,
       "Datum zu lang: SEPA-JG-1000000000-2026-12-06T150743."},
      {"Nein zur ersten Frage", [](SepaVorgaben&) {}, {FrageErgebnis::Nein}, SepaErgebnis::Verneint, ""},
      {"Nein zur zweiten Frage",
       [](SepaVorgaben&) {},
       {FrageErgebnis::Ja, FrageErgebnis::Nein},
       SepaErgebnis::Verneint,
       ""},
      {"Nein zum \xDC"
       "berschreiben",
       [](SepaVorgaben&) {},
       {FrageErgebnis::Ja, FrageErgebnis::Ja, FrageErgebnis::Nein},
       SepaErgebnis::Verneint,
       ""},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Name);
    const bool ueberschreiben = f.Antworten.size() == 3;
    fs::remove_all(ordner / "sepa");
    fs::create_directories(ordner / "sepa");
    if (ueberschreiben) test::SchreibeAlles(Xml(), "alte Datei");
    LaufnummerDrei();
    Aufbauen();
    SepaVorgaben v = vorgaben;
    f.Vorbereiten(v);
    const std::int32_t laufVorher = LaufnummerInDatei();
    dialoge.Meldungen.clear();
    dialoge.Fragen.clear();
    dialoge.Antworten.assign(f.Antworten.begin(), f.Antworten.end());
    SepaLauf lauf;
    EXPECT_EQ(SepaDateienErstellen(Adressenliste, v, lauf), f.Ergebnis);
    EXPECT_EQ(LaufnummerInDatei(), laufVorher);
    EXPECT_EQ(ImOrdner(),
              ueberschreiben ? std::vector<std::string>{std::string(kName) + ".xml"} : std::vector<std::string>{});
    if (ueberschreiben) {
      EXPECT_EQ(Lies(Xml()), "alte Datei");
      ASSERT_EQ(dialoge.Fragen.size(), 3u);
      EXPECT_EQ(dialoge.Fragen[2].Oben, "Die Datei \"" + Ansi(Xml()) + "\" existiert bereits!");
      EXPECT_EQ(dialoge.Fragen[2].Frage,
                "Soll die Sepadatei \xFC"
                "berschrieben werden?");
      EXPECT_FALSE(dialoge.Fragen[2].JaVorgewaehlt);
    }
    if (f.Meldung.empty()) {
      EXPECT_TRUE(dialoge.Meldungen.empty());
    } else {
      ASSERT_EQ(dialoge.Meldungen.size(), 1u);
      EXPECT_EQ(dialoge.Meldungen[0].substr(0, f.Meldung.size()), f.Meldung);
    }
    EXPECT_EQ(lauf.Anzahl, 0);
  }
}

// A run made elsewhere while the list was open: the list built anew takes
// up its counter.
TEST_F(SepaTest, NeueListeNachLaufAnderswo) {
  Aufbauen();
  AuszahlungsEinstellungen.SetzeLaufnummer(5);
  ASSERT_TRUE(EinstellungenSchreiben());
  AuszahlungsEinstellungen.SetzeLaufnummer(3);
  dialoge.Antworten = {FrageErgebnis::Ja, FrageErgebnis::Ja, FrageErgebnis::Ja};
  SepaLauf lauf;
  EXPECT_EQ(SepaDateienErstellen(Adressenliste, vorgaben, lauf), SepaErgebnis::Abgebrochen);
  Aufbauen();
  EXPECT_EQ(Adressenliste.Freigabe[0].Feld(6), "00006.00001");
  EXPECT_EQ(SepaDateienErstellen(Adressenliste, vorgaben, lauf), SepaErgebnis::Geschrieben);
  EXPECT_EQ(lauf.Sammlerreferenz, "SEPA-JG-00006-2026-12-06T150743");
  EXPECT_EQ(LaufnummerInDatei(), 6);
  EXPECT_EQ(dialoge.Meldungen.size(), 1u);
}

TEST_F(SepaTest, SchreibfehlerHinterlassenKeineDatei) {
  struct Fall {
    const char* Name;
    app::IOOperation Op;
    std::string Datei;  // file name the fault hits
    int Code;
    SepaErgebnis Ergebnis;
    std::string Meldung;
  };
  const std::string xml = std::string(kName) + ".xml", csv = std::string(kName) + ".csv";
  const Fall faelle[] = {
      {"XML voll", app::IOOperation::Schreiben, xml + ".neu", app::io::DiskVoll, SepaErgebnis::Fehlgeschlagen,
       "Die Diskette ist voll!"},
      {"CSV anlegen", app::IOOperation::Anlegen, csv + ".neu", app::io::ZugriffVerweigert, SepaErgebnis::Fehlgeschlagen,
       "Dateizugriff verweigert (" + Ansi(Csv()) + ")"},
      {"CSV umbenennen", app::IOOperation::Umbenennen, csv, app::io::ZugriffVerweigert, SepaErgebnis::Fehlgeschlagen,
       "Dateizugriff verweigert (" + Ansi(Csv()) + ")"},
      {"Laufnummer speichern", app::IOOperation::Umbenennen, "Revier.JGA", app::io::ZugriffVerweigert,
       SepaErgebnis::LaufnummerNichtGespeichert, ""},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Name);
    fs::remove_all(ordner / "sepa");
    fs::create_directories(ordner / "sepa");
    Aufbauen();
    dialoge.Meldungen.clear();
    dialoge.Antworten = {FrageErgebnis::Ja, FrageErgebnis::Ja};
    app::SetzeIOStoerung(
        [&f](app::IOOperation op, const fs::path& p) { return op == f.Op && p.filename() == f.Datei ? f.Code : 0; });
    SepaLauf lauf;
    EXPECT_EQ(SepaDateienErstellen(Adressenliste, vorgaben, lauf), f.Ergebnis);
    app::SetzeIOStoerung(nullptr);
    EXPECT_EQ(LaufnummerInDatei(), 3);
    if (f.Ergebnis == SepaErgebnis::Fehlgeschlagen) {
      EXPECT_EQ(ImOrdner(), std::vector<std::string>{});
      EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{f.Meldung});
    } else {
      // The files are there; the program says plainly that the counter is not.
      EXPECT_EQ(ImOrdner(), (std::vector<std::string>{csv, xml}));
      ASSERT_EQ(dialoge.Meldungen.size(), 2u);
      EXPECT_NE(dialoge.Meldungen[1].find("die Laufnummer konnte nicht gespeichert werden"), std::string::npos);
      // The next save of the settings catches up.
      EXPECT_TRUE(EinstellungenSchreiben());
      EXPECT_EQ(LaufnummerInDatei(), 4);
    }
  }
}

TEST_F(SepaTest, GrenzenUndMaskierung) {
  saetze.clear();
  std::string lang;
  for (int i = 0; i < 10; ++i)
    lang +=
        "Gro\xDF"
        "grundbesitz ";  // 130 characters as SEPA text
  Satz(lang.substr(0, 50), lang.substr(0, 50), "GENODEF1ABC", "DE89370400440532013000", 10000);
  Satz("Kurz", "", "GENODEF1ABC", "DE89370400440532013000", 10000);
  SchreibeAdressen();
  vorgaben.Auftraggeber = lang;
  vorgaben.Belegtext = lang + lang;
  Aufbauen();
  dialoge.Antworten = {FrageErgebnis::Ja, FrageErgebnis::Ja};
  SepaLauf lauf;
  ASSERT_EQ(SepaDateienErstellen(Adressenliste, vorgaben, lauf), SepaErgebnis::Geschrieben);
  const std::string x = Lies(Xml());
  EXPECT_EQ(test::SchemaFehler(Xml(), "pain.001.001.09"), "");
  // The lengths of the values behind each occurrence of a start tag.
  const auto laengen = [&x](const std::string& anfang) {
    std::vector<std::size_t> l;
    for (std::size_t a = x.find(anfang); a != std::string::npos; a = x.find(anfang, a + 1))
      l.push_back(x.find('<', a + anfang.size()) - a - anfang.size());
    return l;
  };
  using L = std::vector<std::size_t>;
  EXPECT_EQ(laengen("<InitgPty><Nm>"), L{70});
  EXPECT_EQ(laengen("<Dbtr><Nm>"), L{70});
  EXPECT_EQ(laengen("<Cdtr><Nm>"), (L{70, 5}));
  // The long name leaves 119 characters of the item for the transfer text.
  EXPECT_EQ(laengen("<Ustrd>"), (L{119, 140}));
  EXPECT_EQ(laengen("<EndToEndId>"), (L{11, 11}));

  // Every value is escaped, whatever reaches the file.
  fs::remove_all(ordner / "sepa");
  fs::create_directories(ordner / "sepa");
  payout::Freigabeposten& p = Adressenliste.Freigabe[0];
  p.Text = "       1,00;A;B&<C>\"';D;T;00005.00001";
  p.Trenner = {11, 13, 21, 23, 25};
  LaufnummerDrei();
  dialoge.Antworten = {FrageErgebnis::Ja, FrageErgebnis::Ja};
  ASSERT_EQ(SepaDateienErstellen(Adressenliste, vorgaben, lauf), SepaErgebnis::Geschrieben);
  EXPECT_NE(Lies(Xml()).find("<BICFI>B&amp;&lt;C&gt;&quot;&apos;</BICFI>"), std::string::npos);
  EXPECT_EQ(test::SchemaFehler(Xml(), ""), "");
}

// --- after the files: the chooser ----------------------------------------------------

class SepaAuswahlTest : public SepaTest {
 protected:
  void TearDown() override {
    printing::InstalliereDrucker(nullptr);
    SepaTest::TearDown();
  }
  test::Druckaufbau druck;
};

TEST_F(SepaAuswahlTest, KopieUndBegleitzettel) {
  app::Konfiguration.SetzeSchriftname("Courier New");
  app::Konfiguration.SetzeDruckLinks(100);
  app::Konfiguration.SetzeDruckOben(20);
  fs::create_directories(ordner / "stick");
  Aufbauen();
  dialoge.Antworten = {FrageErgebnis::Ja, FrageErgebnis::Ja};
  // Copy (the name typed in the dialog is not used), close the chooser
  // without a choice (copy once more: cancelled), cover sheet, leave.
  dialoge.Auswahlen = {0, std::nullopt, 1, 3};
  dialoge.WaehleDatei(Ansi(ordner / "stick" / "anders.xml"));
  dialoge.BrichDateidialogAb();
  dialoge.Druckantworten = {true};
  ASSERT_EQ(SepaDateiSchreiben(Adressenliste, vorgaben), SepaErgebnis::Geschrieben);

  EXPECT_EQ(Lies(ordner / "stick" / (std::string(kName) + ".xml")), Lies(Xml()));
  EXPECT_FALSE(fs::exists(ordner / "stick" / "anders.xml"));
  ASSERT_EQ(dialoge.Dateidialoge.size(), 2u);
  EXPECT_EQ(dialoge.Dateidialoge[0].Titel, "Sepadatei kopieren nach:");
  EXPECT_EQ(dialoge.Dateidialoge[0].Dateiname, std::string(kName) + ".xml");
  EXPECT_EQ(dialoge.Dateidialoge[0].StartOrdner, vorgaben.Ordner);
  test::PruefeGolden("begleitzettel.txt", druck.band.AlsText());
  EXPECT_TRUE(dialoge.Meldungen.empty());

  // Without a person to choose, no chooser.
  dialoge.Person = false;
  dialoge.Antworten = {FrageErgebnis::Ja, FrageErgebnis::Ja};
  app::Uhr = [] { return Zeit(2026, 12, 6, 15, 8, 0); };
  Aufbauen();
  ASSERT_EQ(SepaDateiSchreiben(Adressenliste, vorgaben), SepaErgebnis::Geschrieben);
}

}  // namespace
}  // namespace davo::payout
