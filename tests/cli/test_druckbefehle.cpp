// Runs the built davo program's printing commands "serienbrief" and
// "adressenliste" on address files and templates written here byte by byte,
// and reads the PDF files back with pdftotext from the poppler tools.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/Adresssaetze.h"
#include "support/CliLauf.h"
#include "support/CliTest.h"

namespace {

namespace fs = std::filesystem;
using namespace davo::test;

// --- address records ------------------------------------------------------------

// Group 2 holds records 1, 3 and 4; sorted by Sortierung they come as 4, 1, 3.
const std::vector<Satz> kSaetze = {
    {.Texte = AnsiTexte({{Anrede, "Herr"},
                         {Name1, "Jürgen Größmann"},
                         {Sortierung, "Größmann, Jürgen"},
                         {Strasse, "Dorfstraße 5"},
                         {Ort, "37999 Eulenbrück"},
                         {IBAN, "DE12 3456 7890 1234 5678 90"}}),
     .Gruppe = 2,
     .Flaeche = 125000},
    {.Texte = AnsiTexte(
         {{Anrede, "Frau"}, {Name1, "Nina Berg"}, {Sortierung, "Berg, Nina"}, {Strasse, "Weg 3"}, {Ort, "37998 Au"}}),
     .Gruppe = 0,
     .Flaeche = 10000},
    {.Texte = AnsiTexte({{Anrede, "Frau"},
                         {Name1, "Änne Zander"},
                         {Name2, "Hof Zander"},
                         {Sortierung, "Zander, Änne"},
                         {Strasse, "Am Bach 1"},
                         {Ort, "37999 Eulenbrück"}}),
     .Gruppe = 2,
     .Flaeche = 30000},
    {.Texte = AnsiTexte(
         {{Anrede, "Herr"}, {Name1, "Otto Abel"}, {Sortierung, "Abel, Otto"}, {Strasse, "Weg 2"}, {Ort, "37998 Au"}}),
     .Gruppe = 2,
     .Flaeche = 10000},
};

// A short template: normal font, every placeholder the tests look for, and
// umlauts of its own.
const std::string kVorlage = Ansi(
    "KE\r\n"
    "!ANRE !NAM1\r\n"
    "!NAM2\r\n"
    "!STRA\r\n"
    "!ORT\r\n"
    "Datum: !DATUM\r\n"
    "Fläche: !HA ha\r\n"
    "IBAN: !IBAN\r\n"
    "Gruß aus Eulenbrück\r\n");

class DavoDruck : public CliTest {
 protected:
  // Without QT_QPA_PLATFORM, as from a shell without a display.
  DavoDruck() : CliTest("davo_druck_", Konfigordner::Uebergeben, "env -u QT_QPA_PLATFORM") {}

  void SetUp() override {
    CliTest::SetUp();
    SchreibeDatei(Adressen(), Datei(kSaetze));
    SchreibeDatei(Vorlage(), kVorlage);
  }

  fs::path Adressen() const { return Pfad("Eigentümer.ADW"); }
  fs::path Vorlage() const { return Pfad("Brief.txt"); }
  fs::path Pdf() const { return Pfad("Ausgabe Größe.pdf"); }
};

#if DAVO_MIT_PDF

// --- reading the PDF back ----------------------------------------------------------

std::string Heute() {
  const std::time_t jetzt = std::time(nullptr);
  std::tm t{};
#if defined(_WIN32)
  localtime_s(&t, &jetzt);
#else
  localtime_r(&jetzt, &t);
#endif
  char puffer[16];
  std::strftime(puffer, sizeof puffer, "%d.%m.%Y", &t);
  return puffer;
}

bool Vorhanden(const std::string& programm) {
  return std::system(("command -v " + programm + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs of blanks become one, so that the layout of the extraction does not
// matter; form feeds (page ends) stay.
std::string Verdichtet(const std::string& text) {
  std::string v;
  for (char c : text) {
    if (c == ' ' && !v.empty() && v.back() == ' ') continue;
    v += c;
  }
  return v;
}

// The pages of the text, in order.
std::vector<std::string> Seiten(const std::string& text) {
  std::vector<std::string> seiten;
  std::stringstream ein(text);
  for (std::string seite; std::getline(ein, seite, '\f');) seiten.push_back(seite);
  if (!seiten.empty() && seiten.back().find_first_not_of(" \n") == std::string::npos) seiten.pop_back();
  return seiten;
}

// The text of the PDF with blanks compressed; empty when pdftotext fails.
std::string PdfText(const fs::path& pdf) {
  const fs::path text = pdf.parent_path() / "pdf.txt";
  const std::string befehl =
      "pdftotext -layout -enc UTF-8 " + Gequotet(pdf.string()) + " " + Gequotet(text.string()) + " >/dev/null 2>&1";
  if (std::system(befehl.c_str()) != 0) return {};
  return Verdichtet(LiesDatei(text));
}

// --- letters ----------------------------------------------------------------------

TEST_F(DavoDruck, SerienbriefFuerEineAdresseFuelltDiePlatzhalter) {
  const std::string vorher = Heute();
  const Lauf lauf =
      Davo({"serienbrief", Vorlage().string(), Adressen().string(), "--adresse", "1", "--pdf", Pdf().string()});
  const std::string nachher = Heute();
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Aus, "");
  ASSERT_EQ(LiesDatei(Pdf()).substr(0, 5), "%PDF-");

  if (!Vorhanden("pdftotext")) GTEST_SKIP() << "pdftotext fehlt (Paket poppler-utils)";
  const std::string text = PdfText(Pdf());
  EXPECT_EQ(Seiten(text).size(), 1u) << text;
  EXPECT_NE(text.find("Herr Jürgen Größmann\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Dorfstraße 5\n"), std::string::npos) << text;
  EXPECT_NE(text.find("37999 Eulenbrück\n"), std::string::npos) << text;
  EXPECT_TRUE(text.find("Datum: " + vorher + "\n") != std::string::npos ||
              text.find("Datum: " + nachher + "\n") != std::string::npos)
      << text;
  EXPECT_NE(text.find("Fläche: 12,5000 ha\n"), std::string::npos) << text;
  EXPECT_NE(text.find("IBAN: DE12 3456 7890 1234 5678 90\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Gruß aus Eulenbrück\n"), std::string::npos) << text;
  EXPECT_EQ(text.find('!'), std::string::npos) << "no placeholder or key is left: " << text;
  EXPECT_EQ(text.find("KE"), std::string::npos) << "the font token is not printed: " << text;
  EXPECT_EQ(text.find("Zander"), std::string::npos) << "only the chosen address: " << text;
}

TEST_F(DavoDruck, SerienbriefFuerGruppeDrucktJedeAdresseAufEigenerSeiteInListenordnung) {
  const Lauf lauf =
      Davo({"serienbrief", Vorlage().string(), Adressen().string(), "--gruppe=2", "--pdf", Pdf().string()});
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;
  ASSERT_EQ(LiesDatei(Pdf()).substr(0, 5), "%PDF-");

  if (!Vorhanden("pdftotext")) GTEST_SKIP() << "pdftotext fehlt (Paket poppler-utils)";
  const std::vector<std::string> seiten = Seiten(PdfText(Pdf()));
  ASSERT_EQ(seiten.size(), 3u) << "one page per letter of group 2";
  // The order of the form-letter window's list (by Sortierung), not file order.
  EXPECT_NE(seiten[0].find("Herr Otto Abel\n"), std::string::npos) << seiten[0];
  EXPECT_NE(seiten[1].find("Herr Jürgen Größmann\n"), std::string::npos) << seiten[1];
  EXPECT_NE(seiten[2].find("Frau Änne Zander\nHof Zander\nAm Bach 1\n"), std::string::npos) << seiten[2];
  for (const std::string& seite : seiten) {
    EXPECT_EQ(seite.find("Nina Berg"), std::string::npos) << "group 0 is not printed";
    EXPECT_NE(seite.find("Gruß aus Eulenbrück"), std::string::npos) << "every letter is whole: " << seite;
  }
  // Every letter starts on its page with its first line: no page header,
  // nothing of the letter before.
  for (const std::string& seite : seiten) {
    const std::size_t erstes = seite.find_first_not_of(" \n");
    ASSERT_NE(erstes, std::string::npos) << "an empty page";
    const std::string anfang = seite.substr(erstes, 5);
    EXPECT_TRUE(anfang == "Herr " || anfang == "Frau ") << seite;
  }

  if (Vorhanden("pdfinfo")) {
    const fs::path info = Pfad("info.txt");
    ASSERT_EQ(std::system(("pdfinfo " + Gequotet(Pdf().string()) + " >" + Gequotet(info.string())).c_str()), 0);
    const std::string angaben = Verdichtet(LiesDatei(info));
    EXPECT_NE(angaben.find("Pages: 3\n"), std::string::npos) << angaben;
    EXPECT_NE(angaben.find("(A4)"), std::string::npos) << angaben;
  }
}

TEST_F(DavoDruck, MitgelieferteVorlageErgibtVollstaendigenBrief) {
  const fs::path beispiel =
      fs::path(DAVO_TESTDATEN).parent_path().parent_path() / "beispiele" / "Serienbrief-Auszahlung.txt";
  ASSERT_TRUE(fs::exists(beispiel)) << beispiel;
  const std::string bytes = LiesDatei(beispiel);
  EXPECT_EQ(bytes.find("\xC3"), std::string::npos) << "the template is Windows-1252, not UTF-8";
  for (std::size_t p = bytes.find('\n'); p != std::string::npos; p = bytes.find('\n', p + 1))
    ASSERT_TRUE(p > 0 && bytes[p - 1] == '\r') << "every line ends with CR LF";

  const Lauf lauf =
      Davo({"serienbrief", beispiel.string(), Adressen().string(), "--adresse", "1", "--pdf", Pdf().string()});
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;
  ASSERT_EQ(LiesDatei(Pdf()).substr(0, 5), "%PDF-");

  if (!Vorhanden("pdftotext")) GTEST_SKIP() << "pdftotext fehlt (Paket poppler-utils)";
  const std::string text = PdfText(Pdf());
  EXPECT_EQ(Seiten(text).size(), 1u) << text;
  // The wide heading is not cut at the end of its cell.
  EXPECT_NE(text.find("Jagdgenossenschaft Eulenbrück\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Sehr geehrte(r) Herr Jürgen Größmann,"), std::string::npos) << text;
  EXPECT_NE(text.find("Eulenbrück, den " + Heute()), std::string::npos) << text;
  EXPECT_NE(text.find("DE12 3456 7890 1234 5678 90"), std::string::npos) << text;
  EXPECT_NE(text.find("12,5000 ha"), std::string::npos) << text;
  EXPECT_NE(text.find("Mit freundlichen Grüßen"), std::string::npos) << text;
  EXPECT_EQ(text.find('!'), std::string::npos) << text;
  for (const char* token : {"KB", "KE", "GB", "GE", "UB", "UE", "FB", "FE", "LF", "FF"})
    EXPECT_EQ(text.find(token), std::string::npos) << token << " is a control token, never text";
}

// --- the address list ------------------------------------------------------------------

TEST_F(DavoDruck, AdressenlisteHatSeitenkopfUndDieZeilenDerGruppe) {
  const Lauf lauf = Davo({"adressenliste", Adressen().string(), "--gruppe", "2", "--pdf", Pdf().string()});
  ASSERT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_NE(lauf.Fehler.find("Eigentümer.htm nicht gefunden!"), std::string::npos) << lauf.Fehler;
  ASSERT_EQ(LiesDatei(Pdf()).substr(0, 5), "%PDF-");

  if (!Vorhanden("pdftotext")) GTEST_SKIP() << "pdftotext fehlt (Paket poppler-utils)";
  const std::string text = PdfText(Pdf());
  EXPECT_EQ(Seiten(text).size(), 1u) << text;
  const std::size_t kopf = text.find("Blatt: 1");
  const std::size_t abel = text.find("Otto Abel; ; Weg 2; 37998 Au\n");
  const std::size_t groessmann = text.find("Jürgen Größmann; ; Dorfstraße 5; 37999 Eulenbrück\n");
  const std::size_t zander = text.find("Änne Zander; Hof Zander; Am Bach 1; 37999 Eulenbrück\n");
  ASSERT_NE(kopf, std::string::npos) << text;
  ASSERT_NE(abel, std::string::npos) << text;
  ASSERT_NE(groessmann, std::string::npos) << text;
  ASSERT_NE(zander, std::string::npos) << text;
  EXPECT_TRUE(kopf < abel && abel < groessmann && groessmann < zander) << text;
  EXPECT_EQ(text.find("Nina Berg"), std::string::npos) << text;
}

// --- refusals ----------------------------------------------------------------------

TEST_F(DavoDruck, FalscherAufrufEndetMitZweiOhneDatei) {
  const std::string v = Vorlage().string();
  const std::string a = Adressen().string();
  const std::string p = Pdf().string();
  const std::vector<std::vector<std::string>> aufrufe = {
      {"serienbrief", v, a, "--adresse", "1"},                               // no --pdf
      {"serienbrief", v, a, "--pdf", p},                                     // neither --adresse nor --gruppe
      {"serienbrief", v, a, "--adresse", "1", "--gruppe", "2", "--pdf", p},  // both
      {"serienbrief", a, "--adresse", "1", "--pdf", p},                      // no template
      {"serienbrief", v, a, a, "--adresse", "1", "--pdf", p},                // a file too many
      {"serienbrief", v, a, "--adresse", "eins", "--pdf", p},
      {"serienbrief", v, a, "--gruppe", "256", "--pdf", p},
      {"serienbrief", v, a, "--gruppe", "-1", "--pdf", p},
      {"serienbrief", v, a, "--adresse", "1", "--pdf"},
      {"serienbrief", v, a, "--adresse", "1", "--pdf", p, "--pdf", p},
      {"serienbrief", v, a, "--adresse", "1", "--pdf", p, "--farbe", "rot"},
      {"adressenliste", a, "--pdf", p},                                     // no --gruppe
      {"adressenliste", a, "--gruppe", "2"},                                // no --pdf
      {"adressenliste", a, "--adresse", "1", "--gruppe", "2", "--pdf", p},  // no such option here
      {"adressenliste", "--gruppe", "2", "--pdf", p},
  };
  for (const auto& aufruf : aufrufe) {
    std::string zeile;
    for (const std::string& s : aufruf) zeile += s + " ";
    const Lauf lauf = Davo(aufruf);
    EXPECT_EQ(lauf.Status, 2) << zeile << lauf.Fehler;
    EXPECT_NE(lauf.Fehler.find("Aufruf: davo"), std::string::npos) << zeile << lauf.Fehler;
    EXPECT_FALSE(fs::exists(Pdf())) << zeile;
  }
}

TEST_F(DavoDruck, FehlendeOderUnbrauchbareDateienEndenMitEins) {
  const std::string v = Vorlage().string();
  const std::string a = Adressen().string();
  const std::string p = Pdf().string();
  const std::string adressbytes = LiesDatei(Adressen());

  Lauf lauf = Davo({"serienbrief", Pfad("fehlt.txt").string(), a, "--adresse", "1", "--pdf", p});
  EXPECT_EQ(lauf.Status, 1);
  EXPECT_NE(lauf.Fehler.find("Bitte Datei für Serienbriefausgabe wählen!"), std::string::npos) << lauf.Fehler;

  lauf = Davo({"serienbrief", v, Pfad("fehlt.ADW").string(), "--gruppe", "2", "--pdf", p});
  EXPECT_EQ(lauf.Status, 1);
  EXPECT_NE(lauf.Fehler.find("fehlt.ADW"), std::string::npos) << lauf.Fehler;

  lauf = Davo({"adressenliste", Pfad("fehlt.ADW").string(), "--gruppe", "2", "--pdf", p});
  EXPECT_EQ(lauf.Status, 1);
  EXPECT_NE(lauf.Fehler.find("fehlt.ADW"), std::string::npos) << lauf.Fehler;

  lauf = Davo({"serienbrief", v, a, "--adresse", "5", "--pdf", p});
  EXPECT_EQ(lauf.Status, 1);
  EXPECT_NE(lauf.Fehler.find("Die Adresse Nr. 5 gibt es nicht: Die Datei enthält 4 Adressen."), std::string::npos)
      << lauf.Fehler;

  for (const char* befehl : {"serienbrief", "adressenliste"}) {
    std::vector<std::string> argumente = {befehl, a, "--gruppe", "7", "--pdf", p};
    if (argumente[0] == "serienbrief") argumente.insert(argumente.begin() + 1, v);
    lauf = Davo(argumente);
    EXPECT_EQ(lauf.Status, 1) << befehl;
    EXPECT_NE(lauf.Fehler.find("Keine Adresse der Datei gehört zur Gruppe 7"), std::string::npos) << lauf.Fehler;
  }
  EXPECT_FALSE(fs::exists(Pdf())) << "no PDF file is left after a refusal";

  lauf = Davo({"serienbrief", v, a, "--adresse", "1", "--pdf", Pfad("kein Ordner/brief.pdf").string()});
  EXPECT_EQ(lauf.Status, 1);
  EXPECT_NE(lauf.Fehler.find("brief.pdf"), std::string::npos) << lauf.Fehler;

  // The output may not overwrite a file it reads.
  lauf = Davo({"serienbrief", v, a, "--adresse", "1", "--pdf", a});
  EXPECT_EQ(lauf.Status, 1);
  lauf = Davo({"adressenliste", a, "--gruppe", "2", "--pdf", a});
  EXPECT_EQ(lauf.Status, 1);
  EXPECT_EQ(LiesDatei(Adressen()), adressbytes);
  lauf = Davo({"serienbrief", v, a, "--adresse", "1", "--pdf", v});
  EXPECT_EQ(lauf.Status, 1);
  EXPECT_EQ(LiesDatei(Vorlage()), kVorlage);
}

#endif

// Without its PDF part (a build without Qt, or davo copied away from the
// program beside it that writes PDF files) a printing command is refused and
// writes nothing.
TEST_F(DavoDruck, OhnePdfTeileWerdenDieDruckbefehleAbgelehnt) {
  fs::path davo = DAVO_CLI;
#if DAVO_MIT_PDF
  if (!fs::exists(davo.parent_path() / "davo-pdf")) GTEST_SKIP() << "davo writes PDF files itself";
  fs::create_directories(Pfad("allein"));
  fs::copy_file(davo, Pfad("allein") / "davo");
  davo = Pfad("allein") / "davo";
#endif
  for (const std::vector<std::string>& aufruf :
       {std::vector<std::string>{"serienbrief", Vorlage().string(), Adressen().string(), "--adresse", "1", "--pdf",
                                 Pdf().string()},
        std::vector<std::string>{"adressenliste", Adressen().string(), "--gruppe", "2", "--pdf", Pdf().string()}}) {
    std::vector<std::string> argumente{"--konfig", KonfigOrdner().string()};
    argumente.insert(argumente.end(), aufruf.begin(), aufruf.end());
    const Lauf lauf = ProgrammStarten(davo.string(), argumente, Pfad(""));
    EXPECT_EQ(lauf.Status, 1);
    EXPECT_NE(lauf.Fehler.find("keine PDF-Dateien schreiben"), std::string::npos) << lauf.Fehler;
    EXPECT_FALSE(fs::exists(Pdf()));
  }
}

}  // namespace
