// The command table: a usage error comes from a command's entry (exit
// status 2, the message and the usage lines on the error stream, nothing
// run), the words and options that pass reach the handler as given, and the
// help lists every entry in its order.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Befehle.h"

namespace davo::cli {
namespace {

TEST(Befehlstabelle, AufruffehlerKommenAusDemEintrag) {
  const struct {
    std::vector<std::string> Zeile;
    std::string Meldung;
  } faelle[] = {
      {{"gibtsnicht"}, "Unbekannter Befehl \"gibtsnicht\"."},
      {{"adressen"}, "adressen erwartet genau einen Dateinamen: davo adressen DATEI.ADW"},
      {{"adressen", ""}, "Der Dateiname ist leer."},
      {{"adresse", "a.ADW", "x"}, "Die Adressennummer muss eine Zahl sein, nicht \"x\"."},
      {{"adresse", "a.ADW", "1", "Farbe=rot"},
       "Unbekanntes Feld \"Farbe\". Bekannte Felder: Anrede, Name1, Name2, "
       "Sortierung, Strasse, Postfach, Ort, Telefon, Feld9, Fax, EMail, "
       "Homepage, Bankname, BLZ, Kontonummer, IBAN, BIC, MandatsNr, "
       "MandatsNrAlt, Steuernummer, UStId, Gruppe, AuszahlungFrei, "
       "SerienbriefDruck, Flaeche."},
      {{"waehlen", "a", "--sortierung", "9"}, "Die Sortierung muss eine Zahl von 0 bis 4 sein, nicht \"9\"."},
      {{"waehlen", "a", "--farbe=rot"}, "Unbekannte Option --farbe für waehlen."},
      {{"flurstuecke", "k.csv", "--tabelle=ja"}, "Die Option --tabelle hat keinen Wert."},
      {{"flurstuecke", "k.csv", "--export", "--tabelle"}, "Nach --export fehlt der Wert."},
      {{"adressenliste", "a", "--gruppe", "1", "--gruppe=2"}, "Die Option --gruppe ist doppelt angegeben."},
      {{"auszahlungsliste", "a"},
       "Es fehlt die Option --art: davo auszahlungsliste DATEI.ADW --art 1-5 [--sortierung name|bic|iban|flaeche] "
       "[--pdf AUSGABE.PDF]"},
      {{"serienbrief", "v.txt", "a", "--pdf", "x.pdf"},
       "serienbrief erwartet entweder --adresse oder --gruppe: davo serienbrief VORLAGE.TXT DATEI.ADW (--adresse NR "
       "| --gruppe G) --pdf AUSGABE.PDF"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Zeile.front());
    std::ostringstream aus, fehler;
    const std::vector<std::string> argumente(f.Zeile.begin() + 1, f.Zeile.end());
    EXPECT_EQ(BefehlAusfuehren(f.Zeile.front(), argumente, aus, fehler), ExitAufruf);
    EXPECT_EQ(aus.str(), "");
    EXPECT_EQ(fehler.str(), "davo: " + f.Meldung +
                                "\nAufruf: davo [--konfig ORDNER] [--ja | --nein] BEFEHL [ARGUMENTE]\n"
                                "Mehr dazu: davo --help\n");
  }
}

TEST(Befehlstabelle, WoerterUndOptionenWieGegeben) {
  Argumente a;
  // A word with one "-" is a word (a negative number too); repeatable
  // options keep every value; an empty search text goes to the command.
  ASSERT_EQ(LiesArgumente(*SucheBefehl("adresse"), {"a.ADW", "-1", "Name1=-x"}, a), "");
  EXPECT_EQ(a.Woerter, (std::vector<std::string>{"a.ADW", "-1", "Name1=-x"}));
  ASSERT_EQ(LiesArgumente(*SucheBefehl("freigabeliste"), {"--ohne", "2", "a", "--ohne=1,3"}, a), "");
  EXPECT_EQ(a.Werte("--ohne"), (std::vector<std::string>{"2", "1,3"}));
  EXPECT_EQ(a.Woerter, std::vector<std::string>{"a"});
  ASSERT_EQ(LiesArgumente(*SucheBefehl("waehlen"), {"a", "--suche", ""}, a), "");
  EXPECT_EQ(a.Wert("--suche"), "");
  EXPECT_FALSE(a.Hat("--sortierung"));
}

TEST(Befehlstabelle, HilfeListetJedenEintrag) {
  const std::string hilfe = Hilfetext();
  std::size_t nach = 0;
  for (const Befehl& b : Befehlstabelle()) {
    SCOPED_TRACE(b.Name);
    EXPECT_EQ(std::string(b.Hilfe).rfind(std::string("  ") + b.Name + " ", 0), 0u);
    const std::size_t stelle = hilfe.find(b.Hilfe);
    ASSERT_NE(stelle, std::string::npos);
    EXPECT_GE(stelle, nach);
    nach = stelle;
  }
}

}  // namespace
}  // namespace davo::cli
