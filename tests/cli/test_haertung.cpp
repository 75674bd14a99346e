// Runs the built davo program where files misbehave: a full disk (a file-size
// limit), a file locked by another program, paths naming one file twice, a
// pipe in place of a file and an address file with a torn last record. Each
// run must fail with its message and leave every file as it was.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/Adresssaetze.h"
#include "support/CliLauf.h"
#include "support/CliTest.h"

namespace {

namespace fs = std::filesystem;
using namespace davo::test;

#ifndef _WIN32

const std::vector<Satz> kSaetze = {
    {.Texte = {{Name1, "Otto Abel"}, {Sortierung, "Abel, Otto"}, {Ort, "37998 Au"}}, .Gruppe = 2, .Flaeche = 10000},
    {.Texte = {{Name1, "Nina Berg"}, {Sortierung, "Berg, Nina"}, {Ort, "37998 Au"}}, .Gruppe = 2, .Flaeche = 20000},
};

const std::string kKataster = Ansi(
    "Nr;Gemarkung;Flur;Flurstück;Bejagdbarkeit;Fläche m²;Eigentümer 1\r\n"
    "1;Au;1;12;ZJEN;4812;0013, 1, Eigentümer, Abel, Otto, Weg 2, 37998 Au\r\n");

class DavoHaertung : public CliTest {
 protected:
  DavoHaertung() : CliTest("davo_haertung_") {}

  void SetUp() override {
    CliTest::SetUp();
    SchreibeDatei(Pfad("A.ADW"), Datei(kSaetze));
    SchreibeDatei(Pfad("ungerade.ADW"), Datei(kSaetze) + std::string(100, 'x'));
    SchreibeDatei(Pfad("k.csv"), kKataster);
    SchreibeDatei(Pfad("alt.pdf"), "%PDF- alt");
    fs::create_hard_link(Pfad("A.ADW"), Pfad("verweis.csv"));
    ASSERT_EQ(mkfifo(Pfad("rohr.ADW").c_str(), 0600), 0);
  }
  std::string P(const std::string& name) const { return Pfad(name).string(); }
};

// Every refused run: its status, a piece of its message, and no file changed
// or left behind.
TEST_F(DavoHaertung, AbgelehnteLaeufeAendernNichts) {
  // A file-size limit stands for the full disk; the signal it raises is
  // ignored, as by a shell that does so, so that writes just fail.
  const std::string voll = "sh -c 'trap \"\" XFSZ; ulimit -f 2; exec \"$0\" \"$@\"'";
  // 7 KiB: the address file (5894 bytes) fits, an appended record only in part.
  const std::string knapp = "sh -c 'trap \"\" XFSZ; ulimit -f 7; exec \"$0\" \"$@\"'";
  // Another program holds the address file for a while (the temporary
  // folder's path has no blanks).
  const std::string gesperrt = "sh -c 'flock -x " + P("A.ADW") + " sleep 7 & sleep 0.3; exec \"$0\" \"$@\"'";
  struct Fall {
    std::vector<std::string> Aufruf;
    std::string Vorne;
    int Status;
    std::string Meldung;
  };
  const std::vector<Fall> faelle = {
      {{"adressenliste", P("A.ADW"), "--gruppe", "2", "--pdf", P("alt.pdf")}, voll, 1, "Diskette ist voll"},
      {{"adressenliste", P("A.ADW"), "--gruppe", "2", "--pdf", P("neu.pdf")}, voll, 1, "Diskette ist voll"},
      {{"adresse", P("A.ADW"), "3", "Name1=X", "Sortierung=X"}, knapp, 1, "Diskette ist voll"},
      {{"flurstuecke", P("k.csv"), "--in-adressdatei", P("A.ADW")}, knapp, 1, "Diskette ist voll"},
      {{"--ja", "aktion", P("A.ADW"), "freigabe-ein"}, gesperrt, 1, "von einem anderen Programm benutzt"},
      {{"flurstuecke", P("k.csv"), "--export", P("k.csv")}, "", 1, "dieselbe Datei"},
      {{"flurstuecke", P("k.csv"), "--in-adressdatei", P("k.csv")}, "", 1, "dieselbe Datei"},
      {{"export", "bankdaten", P("A.ADW"), "--datei", P("verweis.csv")}, "", 1, "dieselbe Datei"},
      {{"flurstuecke", P("k.csv"), "--export", P("A.ADW")}, "", 1, "Endung .ADW"},
      {{"adressen", P("rohr.ADW")}, "", 1, "keine gewöhnliche Datei"},
      {{"adresse", P("ungerade.ADW"), "3", "Name1=X", "Sortierung=X"}, "", 1, "kein Vielfaches von 2947"},
      {{"--nein", "kuerzen", P("ungerade.ADW")}, "", 1, "Abgebrochen"},
      {{"adresse", P("A.ADW"), "1", "Flaeche=922337203685477,5807"}, "", 1, "höchstens 100.000.000 ha"},
  };
  std::vector<std::pair<fs::path, std::string>> vorher;
  for (const auto& e : fs::directory_iterator(ordner_))
    if (e.is_regular_file()) vorher.emplace_back(e.path(), LiesDatei(e.path()));
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Aufruf[0] + " " + f.Aufruf[1]);
    const Lauf lauf = DavoStarten(f.Aufruf, ordner_, f.Vorne);
    EXPECT_EQ(lauf.Status, f.Status);
    EXPECT_NE(lauf.Fehler.find(f.Meldung), std::string::npos) << lauf.Fehler;
    EXPECT_EQ((lauf.Aus + lauf.Fehler).find("eingeschaltet"), std::string::npos);
    for (const auto& [pfad, bytes] : vorher) EXPECT_TRUE(LiesDatei(pfad) == bytes) << pfad;
    for (const auto& e : fs::directory_iterator(ordner_)) {
      const std::string name = e.path().filename().string();
      EXPECT_TRUE(name == "rohr.ADW" || name == "stdout.txt" || name == "stderr.txt" ||
                  std::any_of(vorher.begin(), vorher.end(), [&](const auto& v) { return v.first == e.path(); }))
          << name;
    }
  }
}

// A user who may read the files but not write them (as on a write-protected
// medium) can look at everything; a change is refused.
TEST_F(DavoHaertung, LesenOhneSchreibrecht) {
  if (::getuid() != 0) GTEST_SKIP() << "nur als root kann der Test einen anderen Benutzer nehmen";
  const std::string gast = "setpriv --reuid=65534 --regid=65534 --clear-groups";
  const std::string alt = LiesDatei(Pfad("A.ADW"));
  const std::vector<std::pair<std::vector<std::string>, int>> faelle = {
      {{"adresse", P("A.ADW"), "2"}, 0},
      {{"adressen", P("A.ADW")}, 0},
      {{"auszahlungsliste", P("A.ADW"), "--art", "1"}, 0},
      {{"adresse", P("A.ADW"), "2", "Name1=X"}, 1},
  };
  for (const auto& [aufruf, status] : faelle) {
    SCOPED_TRACE(aufruf[0] + " " + std::to_string(aufruf.size()));
    const Lauf lauf = DavoStarten(aufruf, ordner_, gast);
    EXPECT_EQ(lauf.Status, status) << lauf.Fehler;
    EXPECT_EQ(lauf.Fehler.find("Dateizugriff verweigert") == std::string::npos, status == 0) << lauf.Fehler;
  }
  EXPECT_TRUE(LiesDatei(Pfad("A.ADW")) == alt);
}

TEST_F(DavoHaertung, KuerzenLegtSicherungAnUndSchneidetDenRestAb) {
  const std::string alt = LiesDatei(Pfad("ungerade.ADW"));
  const Lauf lauf = Davo({"--ja", "kuerzen", P("ungerade.ADW")});
  EXPECT_EQ(lauf.Status, 0) << lauf.Fehler;
  EXPECT_EQ(lauf.Aus, "Adressen: 2\nSicherungskopie: " + P("ungerade.ADW.sicherung") + "\n");
  EXPECT_EQ(LiesDatei(Pfad("ungerade.ADW")), Datei(kSaetze));
  EXPECT_EQ(LiesDatei(Pfad("ungerade.ADW.sicherung")), alt);
  // Whole again, it takes changes.
  EXPECT_EQ(Davo({"adresse", P("ungerade.ADW"), "3", "Name1=X", "Sortierung=X"}).Status, 0);
}

#endif

}  // namespace
