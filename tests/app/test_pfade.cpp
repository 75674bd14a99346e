// Program path texts and the file-system paths they stand for.

#include <gtest/gtest.h>

#include <string>

#include "app/Pfade.h"
#include "app/Testumgebung.h"

namespace davo::app {
namespace {

namespace fs = std::filesystem;

fs::path U8(const char* utf8) { return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8))); }

class Pfade : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    HomeOrdnerFuerTests = ordner;
    fs::create_directories(ordner / "ZQ-Soft" / "Reredazo");
    fs::create_directories(ordner / U8("Jagd M\xC3\xBCller"));
    test::SchreibeAlles(ordner / "ZQ-Soft" / "Reredazo" / "Daten.ADW", "");
  }
};

TEST_F(Pfade, LaufwerkspfadImHomeOrdner) {
#ifdef _WIN32
  GTEST_SKIP() << "Laufwerkspfade werden nur außerhalb von Windows in den Home-Ordner abgebildet";
#endif
  const fs::path reredazo = ordner / "ZQ-Soft" / "Reredazo";
  struct Fall {
    std::string pfad;
    fs::path erwartet;
  };
  const Fall faelle[] = {
      {"c:\\zq-soft\\reredazo\\x.ADW", reredazo / "x.ADW"},
      {"C:\\ZQ-Soft\\Reredazo\\x.ADW", reredazo / "x.ADW"},
      {"C:/ZQ-SOFT/REREDAZO/x.ADW", reredazo / "x.ADW"},
      {"d:\\zq-soft/Reredazo\\x.ADW", reredazo / "x.ADW"},
      {"C:\\ZQ-Soft\\\\Reredazo\\.\\x.ADW", reredazo / "x.ADW"},
      {"C:\\ZQ-Soft\\Reredazo\\..\\x.ADW", ordner / "ZQ-Soft" / "x.ADW"},
      {"c:\\zq-soft\\reredazo\\DATEN.adw", reredazo / "Daten.ADW"},  // an existing file, any case
      {"C:\\ZQ-Soft\\Neu\\y.ADW", ordner / "ZQ-Soft" / "Neu" / "y.ADW"},
      {"C:\\JAGD M\xDCLLER\\a.ADW", ordner / U8("Jagd M\xC3\xBCller") / "a.ADW"},
      {"c:\\jagd m\xFCller\\a.ADW", ordner / U8("Jagd M\xC3\xBCller") / "a.ADW"},
      {"C:\\", ordner},
      {"C:", ordner},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.pfad);
    EXPECT_EQ(DateiPfad(f.pfad), f.erwartet);
  }
}

TEST_F(Pfade, PfadeOhneLaufwerk) {
  struct Fall {
    std::string pfad;
    fs::path erwartet;
  };
  const Fall faelle[] = {
      {"/tmp/a\\b.ADW", "/tmp/a/b.ADW"},
      {"Daten\\x.ADW", "Daten/x.ADW"},
      {"/tmp/M\xFC" "ller.ADW", U8("/tmp/M\xC3\xBCller.ADW")},
      {"1:\\x", "1:/x"},
      {"", ""},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.pfad);
    EXPECT_EQ(DateiPfad(f.pfad), f.erwartet);
  }
}

TEST_F(Pfade, AnsiPfad) {
  EXPECT_EQ(AnsiPfad(U8("/tmp/Jagd M\xC3\xBCller/a.ADW")), "/tmp/Jagd M\xFCller/a.ADW");
  EXPECT_EQ(AnsiPfad(U8("/tmp/\xE2\x82\xAC.ADW")), "/tmp/\x80.ADW");
  EXPECT_FALSE(AnsiPfad(U8("/tmp/\xC5\x81\xC3\xB3" "d\xC5\xBA.ADW")).has_value());
}

TEST_F(Pfade, OrdnerVon) {
  EXPECT_EQ(OrdnerVon("C:\\Daten\\a.ADW"), "C:\\Daten");
  EXPECT_EQ(OrdnerVon("/tmp/a/b.ADW"), "/tmp/a");
  EXPECT_EQ(OrdnerVon("C:\\Daten/sub\\a.ADW"), "C:\\Daten/sub");
  EXPECT_EQ(OrdnerVon("a.ADW"), "");
  EXPECT_EQ(OrdnerVon("C:\\"), "C:");
}

}  // namespace
}  // namespace davo::app
