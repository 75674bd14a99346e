// davo export, import, dos-import and xml: how the questions are answered on
// the command line, what is printed, the exit status, and the files left.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/Adresssaetze.h"
#include "support/CliLauf.h"
#include "support/CliTest.h"

namespace {

namespace fs = std::filesystem;
using namespace davo::test;

class DavoUebertragung : public CliTest {
 protected:
  DavoUebertragung() : CliTest("davo_uebertr_") {}

  // With HOME in the test folder, so that c:\zq-soft lies there.
  Lauf DavoZuhause(const std::vector<std::string>& argumente) const {
    return DavoStarten(argumente, ordner_, "env HOME=" + Gequotet(ordner_.string()));
  }

  fs::path Adressen() const {
    Satz s;
    s.Texte = {{Name1, Ansi("Müller")}, {BLZ, "370 500 00"}, {Kontonummer, "123456789"}};
    s.SerienbriefDruck = 1;
    s.Flaeche = 12345;
    const fs::path p = Pfad("Mitglieder.ADW");
    SchreibeDatei(p, Bytes(s));
    return p;
  }
};

TEST_F(DavoUebertragung, FalscherAufruf) {
  const std::string d = Adressen().string();
  ErwarteAufruffehler({
      {"export"},
      {"export", d},
      {"export", "briefe", d},
      {"export", "serienbrief", d, "--datei", "x.csv"},
      {"export", "bankdaten", d, "--datei"},
      {"export", "bankdaten", d, "--datei", "a", "--datei", "b"},
      {"export", "bankdaten", d, "--unsinn"},
      {"import", "bankdaten"},
      {"import", "serienbrief", d},
      {"dos-import", "ALT.ADR"},
      {"dos-import", "ALT.ADR", "--format", "dos"},
      {"dos-import", "--format", "jagd"},
      {"xml"},
      {"xml", "a.xml", "b.xml"},
      {"xml", "a.xml", "--roh=ja"},
  });
}

// The command is the answer to "Soll die Datei jetzt erstellt werden?"; the
// file that exists is overwritten (the preselected answer), or appended to
// with --nein.
TEST_F(DavoUebertragung, ExporteUeberschreibenOderHaengenAn) {
  const std::string d = Adressen().string();
  const std::string brief =
      "Anrede;Name1;Name2;Strasse;Postfach;Ort;Telefon;IBAN;BIC;Flaeche\r\n;" + Ansi("Müller") + ";;;;;;;;1,2345\r\n";
  const fs::path csv = Pfad("Mitglieder.csv");
  const fs::path blz = ordner_ / "zq-soft" / "BLZ+Konto.csv";
  struct Fall {
    std::vector<std::string> Aufruf;
    fs::path Datei;
    std::string Inhalt;
  };
  const Fall faelle[] = {
      {{"export", "serienbrief", d}, csv, brief},
      {{"--nein", "export", "serienbrief", d}, csv, brief + brief},
      {{"export", "serienbrief", d}, csv, brief},
      {{"export", "bankdaten", d}, blz, "37050000;0123456789\r\n"},
      {{"--nein", "export", "bankdaten", d}, blz, "37050000;0123456789\r\n37050000;0123456789\r\n"},
      {{"--ja", "export", "bankdaten", d, "--datei", Pfad("eigen.csv").string()},
       Pfad("eigen.csv"),
       "37050000;0123456789\r\n"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Aufruf[1] + " " + f.Aufruf[2]);
    const Lauf lauf = DavoZuhause(f.Aufruf);
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    EXPECT_EQ(lauf.Aus, "Datei: " + f.Datei.string() + "\nAnzahl: 1\n");
    EXPECT_EQ(LiesDatei(f.Datei), f.Inhalt);
  }
  EXPECT_EQ(DavoZuhause({"export", "serienbrief", d}).Fehler, " Datei: \"" + csv.string() + "\" wurde erstellt!\n");

  // The first "." in a folder name would put the file elsewhere: refused.
  fs::create_directory(Pfad("a.b"));
  fs::copy_file(d, Pfad("a.b/Liste"));
  const Lauf ohnePunkt = DavoZuhause({"export", "serienbrief", Pfad("a.b/Liste").string()});
  EXPECT_EQ(ohnePunkt.Status, 1);
  EXPECT_NE(ohnePunkt.Fehler.find("muss im Dateinamen stehen"), std::string::npos) << ohnePunkt.Fehler;
  EXPECT_FALSE(fs::exists(Pfad("a.csv")));
}

TEST_F(DavoUebertragung, ImportFragtUndZaehlt) {
  const fs::path d = Adressen();
  const std::string vorher = LiesDatei(d);
  const fs::path ergebnis = Pfad("Ergebnis.csv");
  SchreibeDatei(ergebnis, "37050000;0123456789;COBADEFFXXX;DE89370400440532013000;00\r\n");

  // Without --ja and without a terminal the preselected "Nein" holds.
  const Lauf abgelehnt = Davo({"import", "bankdaten", d.string(), "--datei", ergebnis.string()});
  EXPECT_EQ(abgelehnt.Status, 1);
  EXPECT_EQ(abgelehnt.Fehler, "Abgebrochen.\n");
  EXPECT_EQ(LiesDatei(d), vorher);

  for (const char* aktualisiert : {"Aktualisiert: 1\n", "Aktualisiert: 0\n"}) {
    const Lauf lauf = Davo({"--ja", "import", "bankdaten", d.string(), "--datei", ergebnis.string()});
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    EXPECT_EQ(lauf.Aus, aktualisiert);
  }
  EXPECT_EQ(Textfeld(LiesDatei(d), 0, BIC), "COBADEFFXXX");

  const Lauf ohneDatei = DavoZuhause({"--ja", "import", "bankdaten", d.string()});
  EXPECT_EQ(ohneDatei.Status, 1);
  EXPECT_EQ(ohneDatei.Fehler, " Übergabedatei nicht gefunden!\n");
}

TEST_F(DavoUebertragung, DosImportZeigtZielUndAnzahl) {
  DosSatz s;
  s.Texte = {{2, "M\x81ller"}};
  const fs::path alt = Pfad("ALT.ADR");
  SchreibeDatei(alt, DosBytes(s, true) + DosBytes(s, true));
  const fs::path ziel = Pfad("ALT.ADW");

  const Lauf lauf = Davo({"dos-import", alt.string(), "--format", "jagd"});
  EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Aus, "Datei: " + ziel.string() + "\nAnzahl: 2\n");
  EXPECT_EQ(lauf.Fehler, "Datei " + ziel.string() + "wird erstellt\n");
  EXPECT_EQ(Textfeld(LiesDatei(ziel), 1, Name1), Ansi("Müller"));

  const Lauf nochmal = Davo({"dos-import", "--format=buchhaltung", alt.string()});
  EXPECT_EQ(nochmal.Status, 1);
  EXPECT_EQ(nochmal.Aus, "");
  EXPECT_EQ(nochmal.Fehler, "Abbruch! Windowsdatei existiert bereits!\n");
}

// Every byte shows as a character of Windows-1252, except the escaped ones.
TEST_F(DavoUebertragung, XmlAlsBaumUndAlsZeilen) {
  const fs::path xml = Pfad("sepa.xml");
  SchreibeDatei(xml, "<?xml?>\r\n<a\tb=\"c\\d\">\x01\x81\x80M\xC3\xBCller</a>" + std::string(30, '.') + "<z>");
  const std::string w = xml.string();
  struct Fall {
    std::vector<std::string> Aufruf;
    std::string Aus;
  };
  const Fall faelle[] = {
      {{"xml", w},
       w + "\n  <?xml?>  \\r\\n\n    <a\\tb=\"c\\\\d\">  \\x01\\x81€MÃ¼ller\n    </a>  " + std::string(30, '.') + "\n"},
      {{"xml", "--roh", w},
       "0\t<?xml?>\\r\\n<a\\tb=\"c\\\\d\">\\x01\\x81€MÃ¼ller</a>" + std::string(16, '.') + "\n50\t" +
           std::string(14, '.') + "<z>\n"},
  };
  for (const Fall& f : faelle) {
    const Lauf lauf = Davo(f.Aufruf);
    EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
    EXPECT_EQ(lauf.Aus, f.Aus);
    EXPECT_EQ(lauf.Fehler, "");
  }

  std::string tief;
  for (int i = 0; i < 102; ++i) tief += "<a>";
  SchreibeDatei(xml, tief);
  const Lauf abgebrochen = Davo({"xml", w});
  EXPECT_EQ(abgebrochen.Status, 1);
  EXPECT_EQ(abgebrochen.Aus.size(), w.size() + 1 + 100 * 101 + 100 * 6);  // root, then 100 levels of "<a>  "
  EXPECT_EQ(abgebrochen.Fehler,
            "Import abgebrochen bei Byte 300: Das Tag <a> läge in Ebene 101, mehr als 100 Ebenen zeigt der Baum "
            "nicht.\n");

  const Lauf fehlt = Davo({"xml", Pfad("fehlt.xml").string()});
  EXPECT_EQ(fehlt.Status, 1);
  EXPECT_EQ(fehlt.Aus, "");
  EXPECT_EQ(fehlt.Fehler, " xml-Datei \"" + Pfad("fehlt.xml").string() + "\" nicht gefunden!\n");
}

}  // namespace
