// The payout rule, the two amount edits, the proposed execution date and the
// payout window's commands (opening, closing, folder choice, the lists).

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "addresses/Adresse.h"
#include "app/Datum.h"
#include "app/Konfiguration.h"
#include "app/Testumgebung.h"
#include "app/Umwandlung.h"
#include "payout/Adressenliste.h"
#include "payout/Auszahlung.h"
#include "payout/Einstellungen.h"

namespace davo::payout {
namespace {

namespace fs = std::filesystem;
using app::DatumZeit;
using E = TAuszahlungsEinstellungen;
constexpr const char* kKommaBetrag = "bitte mit Komma schreiben, z. B. 12,50";

TEST(AuszahlungsBetrag, RegelMitKleinstemBetragUndRundung) {
  struct Fall { const char* Name; Currency Flaeche, ProHa, Kleinster, Betrag; };
  const std::vector<Fall> faelle = {
      // 1.2345 ha x 150,00 = 185.1750 exactly.
      {"Beispiel", 12345, 1500000, 0, 1851750},
      {"unter kleinstem", 12345, 1500000, 2000000, 0},
      {"gleich kleinstem", 12345, 1500000, 1851750, 1851750},
      {"knapp unter kleinstem", 12345, 1500000, 1851751, 0},
      {"Flaeche 0", 0, 1500000, 0, 0},
      {"Flaeche 0, kleinster gesetzt", 0, 1500000, 100, 0},
      {"Betrag je ha 0", 12345, 0, 0, 0},
      // Smallest 0: the least positive amount is paid (0.0001 ha x 1,00 = 0.0001).
      {"kleinster 0", 1, 10000, 0, 1},
      // Halves at the fifth decimal go to the even neighbour.
      {"0.00005 -> 0", 1, 5000, 0, 0},
      {"0.00015 -> 0.0002", 3, 5000, 0, 2},
      {"0.00025 -> 0.0002", 5, 5000, 0, 2},
      {"0.00035 -> 0.0004", 7, 5000, 0, 4},
      {"knapp ueber halb", 1, 5001, 0, 1},
      {"knapp unter halb", 1, 4999, 0, 0},
      // 2.5 ha x 0,0001 = 0.00025: half, to even 0.0002.
      {"halb bei kleinem Satz", 25000, 1, 0, 2},
      // 100000 ha x 1000000,00: the product 10^19 exceeds int64.
      {"gross", 1000000000, 10000000000, 0, 1000000000000000},
      // 1000000 ha x 1000000,00: product 10^20 exceeds 64 bits.
      {"sehr gross", 10000000000, 10000000000, 0, 10000000000000000},
      // (10^10 + 1)(10^10 + 5000) / 10^4 = 10^16 + 5001000000 + 0.5 -> even
      {"gross, halb, gerade", 10000000001, 10000005000, 0, 10000005001000000},
      // (10^10 + 3)(10^10 + 5000) / 10^4 = 10^16 + 5003000001 + 0.5 -> up
      {"gross, halb, ungerade", 10000000003, 10000005000, 0, 10000005003000002},
      {"gross, unter kleinstem", 1000000000, 10000000000, 1000000000000001, 0},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Name);
    EXPECT_EQ(AuszahlungsBetrag(f.Flaeche, f.ProHa, f.Kleinster), f.Betrag);
  }
  EXPECT_EQ(app::BetragFormatieren(*AuszahlungsBetrag(12345, 1500000, 0), 12, 2), "      185,18");
  // 100 million ha at the largest amount per hectare: no amount, not a wrapped one.
  EXPECT_EQ(AuszahlungsBetrag(app::HoechsteFlaeche, std::numeric_limits<Currency>::max(), 0), std::nullopt);
}

class AuszahlungTest : public test::CoreTest {};

// The message of EingabenPruefen for a refused text: the field's own
// message, then the text and the hint.
std::string FehlerProHa(const std::string& text, const char* hinweis = kKommaBetrag) {
  return "Eingabefehler bei Auszahlungsbetrag / ha! \x84" + text + "\x93 \x96 " + hinweis;
}
std::string FehlerKleinster(const std::string& text, const char* hinweis = kKommaBetrag) {
  return "Eingabefehler kleinster auszuzahlender Betrag! \x84" + text + "\x93 \x96 " + hinweis;
}

TEST_F(AuszahlungTest, EingabenPruefen) {
  struct Fall { const char *ProHa, *Kleinster; bool Ok; Currency R, M; std::string Meldung; };
  const std::vector<Fall> faelle = {
      {"12,50 \x80", "", true, 125000, 0, ""},
      {"1.000,00 EUR", "200,00", true, 10000000, 2000000, ""},
      {"", "", true, 0, 0, ""},
      // A point for the decimal comma would pay a hundred times the money.
      {"12.50", "5", false, 0, 0, FehlerProHa("12.50")},
      {"-", " ", false, 0, 0, FehlerProHa("-")},
      {"1,2,3", "1,2,3", false, 0, 0, FehlerProHa("1,2,3")},  // only the first message
      {"150,00", "1,2,3", false, 1500000, 0, FehlerKleinster("1,2,3")},
      {"150,00", "-5", false, 1500000, 0, FehlerKleinster("-5", "negative Werte sind nicht erlaubt")},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(std::string(f.ProHa) + " / " + f.Kleinster);
    dialoge.Meldungen.clear();
    BetragProHa = KleinsterBetrag = 777;  // left from an earlier check
    EXPECT_EQ(EingabenPruefen(f.ProHa, f.Kleinster), f.Ok);
    EXPECT_EQ(BetragProHa, f.R);
    EXPECT_EQ(KleinsterBetrag, f.M);
    EXPECT_EQ(dialoge.Meldungen, f.Meldung.empty() ? std::vector<std::string>{} : std::vector<std::string>{f.Meldung});
  }
}

DatumZeit Tag(int j, int m, int t, int wochentag) {
  DatumZeit d;
  d.Jahr = j;
  d.Monat = m;
  d.Tag = t;
  d.Stunde = 23;
  d.Minute = 59;
  d.Wochentag = wochentag;
  return d;
}

TEST(AuszahlungsDatum, VorschlagNachWochentag) {
  struct Fall { const char* Name; DatumZeit Heute; int J, M, T, Wochentag; };
  const std::vector<Fall> faelle = {
      {"Montag +7", Tag(2024, 1, 1, 1), 2024, 1, 8, 1},
      {"Dienstag +6", Tag(2024, 1, 2, 2), 2024, 1, 8, 1},
      {"Mittwoch -> Montag", Tag(2024, 1, 3, 3), 2024, 1, 8, 1},
      {"Donnerstag -> Dienstag", Tag(2024, 1, 4, 4), 2024, 1, 9, 2},
      {"Freitag -> Mittwoch", Tag(2024, 1, 5, 5), 2024, 1, 10, 3},
      {"Samstag -> Donnerstag", Tag(2024, 1, 6, 6), 2024, 1, 11, 4},
      {"Sonntag +5", Tag(2024, 1, 7, 0), 2024, 1, 12, 5},
      {"Monatsende", Tag(2024, 1, 29, 1), 2024, 2, 5, 1},
      {"auf den Schalttag", Tag(2024, 2, 24, 6), 2024, 2, 29, 4},
      {"ueber den Schalttag", Tag(2024, 2, 27, 2), 2024, 3, 4, 1},
      {"Februar ohne Schalttag", Tag(2023, 2, 28, 2), 2023, 3, 6, 1},
      {"Jahrhundert-Schaltjahr", Tag(2000, 2, 28, 1), 2000, 3, 6, 1},
      {"Jahresende Mittwoch", Tag(2025, 12, 31, 3), 2026, 1, 5, 1},
      {"Jahresende Montag", Tag(2024, 12, 30, 1), 2025, 1, 6, 1},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Name);
    const DatumZeit d = AusfuehrungsdatumVorschlag(f.Heute);
    EXPECT_EQ(app::DatumISO(d), app::DatumISO(Tag(f.J, f.M, f.T, 0)));
    EXPECT_EQ(d.Wochentag, f.Wochentag);
  }
  const DatumZeit t = TagePlus(Tag(2023, 12, 31, 0), 60);  // 31 days of January + 29 of February 2024
  EXPECT_EQ(app::DatumISO(t), "2024-02-29");
  EXPECT_EQ(t.Wochentag, 4);
}

// --- the window's commands ---------------------------------------------------

class AuszahlungsModellTest : public AuszahlungTest {
 protected:
  void SetUp() override {
    AuszahlungTest::SetUp();
    app::AktAdrBasis = Pfad("Revier");
    addresses::AdrDateiName = Pfad("Revier.ADW");
    einstellungen = ordner / "Revier.JGA";
    app::Uhr = [] { return Tag(2024, 1, 3, 3); };  // a Wednesday
  }
  // A settings file with the ten texts, patterned reserved bytes and run counter.
  std::string Datei(const std::vector<std::string>& texte, std::uint8_t lauf) {
    std::string s = test::Muster(E::Groesse, 11);
    for (std::size_t i = 0; i < 10; ++i) {
      s[i * 256] = static_cast<char>(texte[i].size());
      s.replace(i * 256 + 1, texte[i].size(), texte[i]);
    }
    s.replace(4096, 4, std::string(1, static_cast<char>(lauf)) + std::string(3, '\0'));
    test::SchreibeAlles(einstellungen, s);
    return s;
  }
  const std::vector<std::string> texte = {"JG S\xFC" "dfeld", "Weg 1", "Bank", "WELADED1XXX", "DE02 1203",
                                          "K-1", "150,00", "10,00", "Pacht !NAM1", "C:\\Sepa\\"};
  fs::path einstellungen;
  AuszahlungsModell modell;
};

TEST_F(AuszahlungsModellTest, OeffnenLiestEinstellungenUndSchlaegtDatumVor) {
  Datei(texte, 3);
  modell.Oeffnen();
  EXPECT_EQ(modell.Titel, " ZQ-Davozedizarorevodo  // " + Pfad("Revier"));
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(modell.Texte[i], texte[i]) << i;
  EXPECT_EQ(app::DatumISO(modell.Ausfuehrungsdatum), "2024-01-08");
  EXPECT_EQ(modell.Ausfuehrungsdatum.Wochentag, 1);
  EXPECT_TRUE(dialoge.Meldungen.empty());

  // Without a settings file every edit is empty.
  fs::remove(einstellungen);
  modell.Texte.fill("alt");
  modell.Oeffnen();
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(modell.Texte[i], "") << i;
  EXPECT_EQ(AuszahlungsEinstellungen.Laufnummer(), 0);
  EXPECT_FALSE(fs::exists(einstellungen));
}

TEST_F(AuszahlungsModellTest, SchliessenSchreibtTexteUndBehaeltLaufnummer) {
  const std::string alt = Datei(texte, 3);
  modell.Oeffnen();
  modell.Texte[E::Auftraggeber] = std::string(300, 'A');
  modell.Texte[E::Belegtext1] = "";
  modell.Schliessen();
  std::string soll = alt;
  soll[0] = static_cast<char>(255);
  soll.replace(1, 255, std::string(255, 'A'));
  soll[2048] = 0;  // empty: only the length byte changes
  EXPECT_EQ(test::LiesAlles(einstellungen), soll);
  EXPECT_TRUE(dialoge.Meldungen.empty());

  // Closing without a settings file creates one with run counter 0.
  fs::remove(einstellungen);
  modell.Oeffnen();
  modell.Texte[E::SepaOrdner] = "D:\\";
  modell.Schliessen();
  std::string neu(E::Groesse, '\0');
  neu.replace(2304, 4, "\x03" "D:\\");
  EXPECT_EQ(test::LiesAlles(einstellungen), neu);
}

TEST_F(AuszahlungsModellTest, OrdnerWaehlen) {
  struct Fall { const char* Name; std::string Start; const char* Wahl; std::string Ordner; std::size_t Meldungen; };
  const std::vector<Fall> faelle = {
      {"Backslash", "C:\\Sepa\\", "D:\\Bank\\Auszahlung\\lauf.xml", "D:\\Bank\\Auszahlung\\", 0},
      {"Schraegstrich", "C:\\Sepa\\", "/home/jg/sepa/datei.xml", "/home/jg/sepa/", 0},
      {"gemischt, letzter zaehlt", "", "C:\\a/b\\c.xml", "C:\\a/b\\", 0},
      {"Umlaut", "", "/home/jg/S\xC3\xBC" "d/x.xml", "/home/jg/S\xFC" "d/", 0},
      {"abgebrochen", "C:\\Sepa\\", nullptr, "C:\\Sepa\\", 0},
      {"nicht darstellbar", "C:\\Sepa\\", "/home/\xCE\xA9/x.xml", "C:\\Sepa\\", 1},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Name);
    dialoge.Meldungen.clear();
    dialoge.Dateidialoge.clear();
    modell.Texte.fill("bleibt");
    modell.Texte[E::SepaOrdner] = f.Start;
    if (f.Wahl) dialoge.WaehleDatei(f.Wahl);
    else dialoge.BrichDateidialogAb();
    modell.OrdnerWaehlen();
    ASSERT_EQ(dialoge.Dateidialoge.size(), 1u);
    EXPECT_EQ(dialoge.Dateidialoge[0].Dateiname, f.Start + "sepa.xml");
    EXPECT_EQ(modell.Texte[E::SepaOrdner], f.Ordner);
    EXPECT_EQ(dialoge.Meldungen.size(), f.Meldungen);
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(modell.Texte[i], "bleibt");
  }
}

// Two owners: 1.2345 ha and 2 ha.
void ZweiEigentuemer(const fs::path& datei) {
  std::string inhalt;
  for (Currency flaeche : {Currency{12345}, Currency{20000}}) {
    addresses::TAdresse a;
    a.SetzeText(addresses::Name1, "Hans");
    a.SetzeText(addresses::BIC, "WELADED1XXX");
    a.SetzeText(addresses::IBAN, "DE02120300000000202051");
    a.SetzeFlaeche(flaeche);
    inhalt.append(a.bytes.begin(), a.bytes.end());
  }
  test::SchreibeAlles(datei, inhalt);
}

TEST_F(AuszahlungsModellTest, ListePrueftBetraegeUndZeigtDasFenster) {
  ZweiEigentuemer(ordner / "Revier.ADW");
  int aufrufe = 0;
  std::size_t zeilenImFenster = 0;
  AdressenlisteFenster = [&] {
    ++aufrufe;
    zeilenImFenster = payout::Adressenliste.Gitter.size();
  };
  struct Fall { const char *ProHa, *Kleinster; bool Ok; std::string Meldung; };
  const std::vector<Fall> faelle = {
      {"1,2,3", "0", false, FehlerProHa("1,2,3")},
      {"150,00", "12.5", false, FehlerKleinster("12.5")},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(std::string(f.ProHa) + " / " + f.Kleinster);
    dialoge.Meldungen.clear();
    payout::Adressenliste.Gitter.clear();
    modell.Texte[E::BetragProHaText] = f.ProHa;
    modell.Texte[E::KleinsterBetragText] = f.Kleinster;
    EXPECT_FALSE(modell.Liste(1));
    EXPECT_EQ(aufrufe, 0);
    EXPECT_TRUE(payout::Adressenliste.Gitter.empty()) << "no list built";
    EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{f.Meldung});
  }

  // The edits count, not the saved settings: 200,00 as smallest amount pays
  // only the 2 ha owner (300,00).
  Datei(texte, 3);
  modell.Oeffnen();  // 150,00 and 10,00 from the file
  dialoge.Meldungen.clear();
  modell.Texte[E::KleinsterBetragText] = "200,00";
  modell.Texte[E::Belegtext1] = "Text";
  payout::Adressenliste.SepaSpeichernAktiv = true;
  payout::Adressenliste.Sortierung = 2;
  EXPECT_TRUE(modell.Liste(1));
  EXPECT_EQ(aufrufe, 1);
  EXPECT_EQ(zeilenImFenster, 4u) << "the window shows the finished list";
  const auto& g = payout::Adressenliste.Gitter;
  ASSERT_EQ(g.size(), 4u);
  EXPECT_EQ(g[1][5], "        0,00");
  EXPECT_EQ(g[2][5], "      300,00");
  EXPECT_EQ(g[1][6], "Text");
  EXPECT_EQ(g[2][7], "00004.00001");
  EXPECT_FALSE(payout::Adressenliste.SepaSpeichernAktiv);
  EXPECT_EQ(payout::Adressenliste.Sortierung, 0);
  EXPECT_EQ(BetragProHa, 1500000);
  EXPECT_EQ(KleinsterBetrag, 2000000);
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

}  // namespace
}  // namespace davo::payout
