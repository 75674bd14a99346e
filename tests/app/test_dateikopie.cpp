// Copying a file with its date: refusals, several blocks, the full medium
// with a new one or without, unreadable sources, and the creation of the
// target's folders with the question for an unusable drive.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "app/DateiIO.h"
#include "app/Dateikopie.h"
#include "app/Dialoge.h"
#include "app/IOStoerung.h"
#include "app/Pfade.h"
#include "app/Testumgebung.h"
#include "app/Text.h"

namespace davo::app {
namespace {

namespace fs = std::filesystem;
using test::SkriptDialoge;

class DateikopieTest : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    quelle = ordner / "quelle.xml";
    inhalt = test::Muster(150000, 3);  // three blocks of the copy
    test::SchreibeAlles(quelle, inhalt);
    // An odd second: the copy keeps it in two-second steps.
    fs::last_write_time(quelle, Zeit(1));
  }
  // A recent time of the file clock: an even second plus the given seconds.
  static fs::file_time_type Zeit(int plus) {
    using namespace std::chrono;
    static const auto gerade = [] {
      auto s = floor<seconds>(fs::file_time_type::clock::now()).time_since_epoch().count();
      return s - (((s % 2) + 2) % 2);
    }();
    return fs::file_time_type(duration_cast<fs::file_time_type::duration>(seconds(gerade + plus)));
  }
  std::vector<std::string> Dateien(const fs::path& wo) const {
    std::vector<std::string> namen;
    for (const auto& e : fs::recursive_directory_iterator(wo))
      namen.push_back(fs::relative(e.path(), ordner).generic_string());
    std::sort(namen.begin(), namen.end());
    return namen;
  }
  void PruefeKopie(const fs::path& ziel) const {
    EXPECT_EQ(test::LiesAlles(ziel), inhalt);
    EXPECT_EQ(fs::last_write_time(ziel), Zeit(0));
    EXPECT_FALSE(fs::exists(ziel.string() + ".neu"));
  }
  fs::path quelle;
  std::string inhalt;
};

TEST_F(DateikopieTest, KopieMitDatumUndLeereDatei) {
  const fs::path ziel = ordner / "ziel.xml";
  test::SchreibeAlles(ziel, "alter Inhalt, der ersetzt wird");
  EXPECT_TRUE(KopiereDatei(Ansi(quelle), Ansi(ziel)));
  PruefeKopie(ziel);
  EXPECT_FALSE(Abbruch);
  EXPECT_EQ(dialoge.Fortschritte,
            (std::vector<std::pair<std::string, int>>{{Kurz("kopiere Datei: " + Ansi(quelle), 80), 0}}));

  test::SchreibeAlles(quelle, "");
  inhalt.clear();
  fs::last_write_time(quelle, Zeit(1));
  EXPECT_TRUE(KopiereDatei(Ansi(quelle), Ansi(ziel)));
  PruefeKopie(ziel);
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(DateikopieTest, AbgelehnteKopienErzeugenNichts) {
  fs::create_directories(ordner / "sub");
  const struct {
    std::string Quelle, Ziel, Meldung;
  } faelle[] = {
      {Ansi(quelle), Ansi(quelle), "Datei kann nicht in sich selbst kopiert werden!"},
      // The same file under another spelling of its path.
      {Ansi(quelle), Ansi(ordner / "sub" / ".." / "quelle.xml"), "Datei kann nicht in sich selbst kopiert werden!"},
      {Ansi(ordner / "fehlt.xml"), Ansi(ordner / "ziel.xml"), "Quelldatei nicht gefunden!"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.Ziel);
    dialoge.Meldungen.clear();
    Abbruch = false;
    EXPECT_FALSE(KopiereDatei(f.Quelle, f.Ziel));
    EXPECT_TRUE(Abbruch);
    EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{f.Meldung});
    EXPECT_EQ(test::LiesAlles(quelle), inhalt);
    EXPECT_EQ(Dateien(ordner), (std::vector<std::string>{"quelle.xml", "sub"}));
  }
}

TEST_F(DateikopieTest, UnlesbareQuelleHinterlaesstKeinZiel) {
  for (IOOperation op : {IOOperation::Oeffnen, IOOperation::Lesen}) {
    dialoge.Meldungen.clear();
    SetzeIOStoerung([op](IOOperation o, const fs::path& p) {
      return o == op && p.filename() == "quelle.xml" ? io::LeseFehler : 0;
    });
    EXPECT_FALSE(KopiereDatei(Ansi(quelle), Pfad("ziel.xml")));
    SetzeIOStoerung(nullptr);
    EXPECT_TRUE(Abbruch);
    EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Fehler beim Lesen! Datei: " + Ansi(quelle)});
    EXPECT_EQ(Dateien(ordner), std::vector<std::string>{"quelle.xml"});
  }
}

// The target runs full in its second block; the medium is changed (its
// folder is gone) and the copy starts again with the whole file.
TEST_F(DateikopieTest, VolleDisketteNeueEinlegen) {
  struct Fall {
    const char* Name;
    bool Person;
    std::vector<FrageErgebnis> Antworten;
    bool Kopiert;
  };
  const Fall faelle[] = {
      {"Ja", true, {FrageErgebnis::Ja}, true},
      {"Nein", true, {FrageErgebnis::Nein}, false},
      {"niemand antwortet", false, {}, false},
  };
  const fs::path medium = ordner / "medium" / "sepa";
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Name);
    fs::remove_all(ordner / "medium");
    fs::create_directories(medium);
    dialoge.Meldungen.clear();
    dialoge.Fragen.clear();
    dialoge.Fortschritte.clear();
    dialoge.Person = f.Person;
    dialoge.Antworten.assign(f.Antworten.begin(), f.Antworten.end());
    Abbruch = false;
    int schreiben = 0;
    SetzeIOStoerung([&](IOOperation op, const fs::path& p) {
      if (op != IOOperation::Schreiben || p.filename() != "kopie.xml.neu" || ++schreiben != 2) return 0;
#ifndef _WIN32
      // Windows removes no open file; there the new medium keeps the folder.
      fs::remove_all(ordner / "medium");
#endif
      return io::DiskVoll;
    });
    const bool kopiert = KopiereDatei(Ansi(quelle), Ansi(medium / "kopie.xml"));
    SetzeIOStoerung(nullptr);
    EXPECT_EQ(kopiert, f.Kopiert);
    EXPECT_EQ(Abbruch, !f.Kopiert);
    EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Die Diskette ist voll!"});
    if (f.Person) {
      ASSERT_EQ(dialoge.Fragen.size(), 1u);
      EXPECT_EQ(dialoge.Fragen[0].Oben, "Die Diskette ist voll! Bitte eine neue einlegen!");
      EXPECT_EQ(dialoge.Fragen[0].Frage, "Datensicherung fortsetzen?");
      EXPECT_TRUE(dialoge.Fragen[0].JaVorgewaehlt);
    } else {
      EXPECT_TRUE(dialoge.Fragen.empty());
    }
    if (f.Kopiert) {
      PruefeKopie(medium / "kopie.xml");
      EXPECT_EQ(schreiben, 5);  // two blocks, then all three again
    } else {
#ifdef _WIN32
      EXPECT_EQ(Dateien(ordner), (std::vector<std::string>{"medium", "medium/sepa", "quelle.xml"}));
#else
      EXPECT_EQ(Dateien(ordner), std::vector<std::string>{"quelle.xml"});
#endif
      EXPECT_EQ(dialoge.Fortschritte.back(), (std::pair<std::string, int>{"", 0}));
    }
  }
}

TEST_F(DateikopieTest, LegePfadAnBisZumLetztenTrenner) {
#ifdef _WIN32
  // A drive path names a real drive there.
  EXPECT_TRUE(LegePfadAn(Ansi(ordner) + "\\A\\B\\datei.xml"));
#else
  HomeOrdnerFuerTests = ordner;
  EXPECT_TRUE(LegePfadAn("C:\\A\\B\\datei.xml"));
#endif
  EXPECT_TRUE(LegePfadAn(Ansi(ordner) + "/C/D/"));
  EXPECT_EQ(Dateien(ordner), (std::vector<std::string>{"A", "A/B", "C", "C/D", "quelle.xml"}));
  EXPECT_TRUE(dialoge.Meldungen.empty());

  // A folder that cannot be made is reported; the walk goes on.
  test::SchreibeAlles(ordner / "E", "eine Datei, kein Ordner");
  EXPECT_TRUE(LegePfadAn(Ansi(ordner / "E" / "F" / "x")));
  EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Suchweg nicht gefunden! Datei: " + Ansi(ordner / "E" / "F")});
}

TEST_F(DateikopieTest, UnbrauchbaresLaufwerk) {
  struct Fall {
    const char* Name;
    bool Person;
    std::vector<FrageErgebnis> Antworten;
    bool Angelegt;
  };
  const Fall faelle[] = {
      {"abbrechen", true, {FrageErgebnis::Ja}, false},
      {"noch einmal", true, {FrageErgebnis::Nein}, true},
      {"niemand antwortet", false, {}, false},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.Name);
    fs::remove_all(ordner / "lw");
    dialoge.Meldungen.clear();
    dialoge.Fragen.clear();
    dialoge.Person = f.Person;
    dialoge.Antworten.assign(f.Antworten.begin(), f.Antworten.end());
    Abbruch = false;
    int blicke = 0;
    SetzeIOStoerung([&](IOOperation op, const fs::path& p) {
      return op == IOOperation::Nachschlagen && p.filename() == "lw" && ++blicke == 1 ? 152 : 0;
    });
    EXPECT_EQ(LegePfadAn(Ansi(ordner / "lw" / "x.xml")), f.Angelegt);
    SetzeIOStoerung(nullptr);
    EXPECT_EQ(Abbruch, !f.Angelegt);
    EXPECT_EQ(fs::is_directory(ordner / "lw"), f.Angelegt);
    if (f.Person) {
      ASSERT_EQ(dialoge.Fragen.size(), 1u);
      EXPECT_EQ(dialoge.Fragen[0].Oben, "Das Ziellaufwerk ist nicht OK!");
      EXPECT_EQ(dialoge.Fragen[0].Frage, "Kopiervorgang abbrechen?");
      EXPECT_TRUE(dialoge.Fragen[0].JaVorgewaehlt);
    } else {
      EXPECT_EQ(dialoge.Meldungen, std::vector<std::string>{"Das Ziellaufwerk ist nicht OK!"});
    }
  }
}

}  // namespace
}  // namespace davo::app
