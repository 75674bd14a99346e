// Every path that writes a file, with each of its file operations failing in
// turn: the file holds its old bytes or its whole new ones (an address file:
// each record old or new), success is said only when it holds the new ones,
// and no stray file is left.

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Dateikopie.h"
#include "app/IOStoerung.h"
#include "app/Konfiguration.h"
#include "app/Testumgebung.h"
#include "letters/Vorlage.h"
#include "parcels/Flurstuecke.h"
#include "payout/Einstellungen.h"

namespace davo {
namespace {

namespace fs = std::filesystem;
using test::LiesAlles;
using test::Muster;
using test::SchreibeAlles;

constexpr std::size_t G = addresses::TAdresse::Groesse;

addresses::TAdresse Satz(int saat) {
  addresses::TAdresse a;
  const std::string m = Muster(G, saat);
  std::copy(m.begin(), m.end(), a.bytes.begin());
  return a;
}

std::string P(const fs::path& ordner, const std::string& name) { return (ordner / name).string(); }

class IOStoerungen : public test::CoreTest {
 protected:
  void TearDown() override {
    app::SetzeIOStoerung(nullptr);
    test::CoreTest::TearDown();
  }
};

struct Schreibweg {
  const char* Name;
  std::string Datei;                               // the file it writes (in the test's folder)
  std::string Vorher;                              // its bytes before ("" : none)
  bool GanzeSaetze;                                // an address file written in place: per record old or new
  std::function<bool(const fs::path&)> Schreiben;  // true: success reported
};

TEST_F(IOStoerungen, JederSchrittScheitertEinmal) {
  dialoge.Person = false;  // a full medium ends a copy without a question
  const std::string drei = Muster(3 * G, 1);
  // Record 9's bytes written as record nr of the three (3 appends).
  const auto satzSchreiben = [](std::int32_t nr) {
    return [nr](const fs::path& o) {
      addresses::Adressdatei d(P(o, "A.ADW"));
      d.Anzahl = 3;
      d.Satz = Satz(9);
      return addresses::Schreiben(d, nr).Ok();
    };
  };
  const std::vector<Schreibweg> pfade = {
      {"Adresse schreiben", "A.ADW", drei, true, satzSchreiben(1)},
      {"Adresse anhaengen", "A.ADW", drei, true, satzSchreiben(3)},
      {"Adresse aendern", "A.ADW", drei, true,
       [](const fs::path& o) {
         addresses::Adressdatei d(P(o, "A.ADW"));
         return addresses::Aendern(d, 2,
                                   [](addresses::TAdresse& a) {
                                     a.SetzeGruppe(7);
                                     return true;
                                   })
             .Ok();
       }},
      {"Sammelaktion", "A.ADW", drei, true,
       [](const fs::path& o) {
         addresses::Adressdatei d(P(o, "A.ADW"));
         return addresses::Durchlaufen(
                    d,
                    [](std::int32_t, addresses::TAdresse& a) {
                      a.SetzeSerienbriefDruck(1);
                      return true;
                    },
                    true)
             .Ok();
       }},
      {"Uebertragung", "A.ADW", drei, false,
       [](const fs::path& o) {
         addresses::Adressdatei d(P(o, "A.ADW"));
         addresses::AdrAnhaenger anhaenger(d);
         for (int k = 0; k < 3; ++k) anhaenger.Anhaengen(Satz(10 + k));
         return anhaenger.Schliessen().Ok();
       }},
      {"Kuerzen", "A.ADW", drei + "Rest", false,
       [](const fs::path& o) {
         addresses::Adressdatei d(P(o, "A.ADW"));
         std::string sicherung;
         return addresses::Lesen(d, -1).Ok() && addresses::AufGanzeSaetzeKuerzen(d, sicherung).Ok();
       }},
      {"Einstellungen", "A.JGA", Muster(payout::TAuszahlungsEinstellungen::Groesse, 2), false,
       [](const fs::path& o) {
         addresses::Adressdatei d(P(o, "A.ADW"));
         payout::TAuszahlungsEinstellungen e;
         e.SetzeFeld(payout::TAuszahlungsEinstellungen::Belegtext1, "Jagdgeld");
         return payout::EinstellungenSchreiben(d, e).Ok();
       }},
      {"Konfiguration", "Davozedizarorevodo.KON", Muster(app::TKonfiguration::Groesse, 3), false,
       [](const fs::path&) {
         app::Konfiguration.SetzeAdressdatei("C:\\Jagd\\neu.ADW");
         return app::SchreibeKonfiguration();
       }},
      {"Vorlage", "brief.txt", "alt\r\n", false,
       [](const fs::path& o) {
         return letters::TextdateiSchreiben(P(o, "brief.txt"), {"Sehr geehrte !ANRE", ""});
       }},
      {"Flurstueckexport", "export.csv", "alt;\r\n", false,
       [](const fs::path& o) {
         parcels::Flurstuecktabelle tabelle;
         tabelle.SetzeZeilenzahl(2);
         tabelle.SetzeZelle(8, 1, "Abel");
         return parcels::ExportSchreiben(tabelle, P(o, "export.csv"));
       }},
      {"Kopie", "ziel.txt", "alt", false,
       [](const fs::path& o) {
         SchreibeAlles(o / "quelle.txt", "neuer Inhalt");
         return app::KopiereDatei(P(o, "quelle.txt"), P(o, "ziel.txt"));
       }},
  };

  for (const Schreibweg& pfad : pfade) {
    SCOPED_TRACE(pfad.Name);
    const fs::path datei = ordner / pfad.Datei;
    const auto neuAnfangen = [&] {
      fs::remove_all(ordner);
      fs::create_directories(ordner);
      if (!pfad.Vorher.empty()) SchreibeAlles(datei, pfad.Vorher);
      app::LiesKonfiguration();
      app::VerwirfIOErgebnis();
    };
    const auto namen = [&] {
      std::set<std::string> n;
      for (const auto& e : fs::directory_iterator(ordner)) n.insert(e.path().filename().string());
      return n;
    };

    // Undisturbed: what it writes and how many file operations it takes.
    neuAnfangen();
    int schritte = 0;
    app::SetzeIOStoerung([&](app::IOOperation, const fs::path&) {
      ++schritte;
      return 0;
    });
    ASSERT_TRUE(pfad.Schreiben(ordner));
    app::SetzeIOStoerung(nullptr);
    const std::string neu = LiesAlles(datei);
    const std::set<std::string> danach = namen();
    ASSERT_NE(neu, pfad.Vorher);
    ASSERT_GT(schritte, 0);

    for (int fehler = 0; fehler < schritte; ++fehler) {
      SCOPED_TRACE("Schritt " + std::to_string(fehler));
      neuAnfangen();
      const std::set<std::string> vorher = namen();
      int zaehler = 0;
      app::SetzeIOStoerung([&](app::IOOperation, const fs::path&) { return zaehler++ == fehler ? 112 : 0; });
      const bool ok = pfad.Schreiben(ordner);
      app::SetzeIOStoerung(nullptr);
      app::VerwirfIOErgebnis();
      const std::string jetzt = LiesAlles(datei);
      // Success is said only of the whole new content.
      if (ok) {
        EXPECT_EQ(jetzt, neu);
      }
      if (pfad.GanzeSaetze) {
        ASSERT_TRUE(jetzt.size() == pfad.Vorher.size() || jetzt.size() == neu.size());
        for (std::size_t k = 0; k < jetzt.size(); k += G) {
          const std::string satz = jetzt.substr(k, G);
          EXPECT_TRUE(satz == pfad.Vorher.substr(k, G) || satz == neu.substr(k, G)) << "Satz " << k / G;
        }
      } else {
        EXPECT_TRUE(jetzt == pfad.Vorher || jetzt == neu);
      }
      const std::set<std::string> bleibt = namen();
      EXPECT_TRUE(bleibt == vorher || bleibt == danach) << bleibt.size();
    }
  }
}

}  // namespace
}  // namespace davo
