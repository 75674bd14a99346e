#pragma once
// Common ground for the core tests: every test starts with the program's
// globals at their start values, a fresh folder of its own (which also holds
// the configuration file) and the scripted dialogs. A test that leaves a
// question, file dialog or answer unused fails in the tear-down.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "app/Konfiguration.h"
#include "app/Pfade.h"
#include "support/SkriptDialoge.h"

namespace davo::test {

namespace fs = std::filesystem;

inline std::string LiesAlles(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline void SchreibeAlles(const fs::path& p, const std::string& inhalt) {
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f.write(inhalt.data(), static_cast<std::streamsize>(inhalt.size()));
}

// A recognisable byte pattern of length n (no two neighbours equal).
inline std::string Muster(std::size_t n, int saat) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + static_cast<std::size_t>(saat) * 31 + 1) & 0xFF);
  return s;
}

class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GlobalenZuruecksetzen();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("davo-") + info->test_suite_name() + "-" + info->name() + "-" +
                       std::to_string(static_cast<long>(::getpid()));
    for (char& c : name)
      if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') c = '_';
    ordner = fs::temp_directory_path() / name;
    fs::remove_all(ordner);
    fs::create_directories(ordner);
    app::KonfigOrdnerVorgabe = ordner;
  }

  void TearDown() override {
    auto offen = dialoge.Offen();
    std::string liste;
    for (const auto& o : offen) liste += "\n  " + o;
    EXPECT_TRUE(offen.empty()) << "Dialoge offen:" << liste;
    GlobalenZuruecksetzen();
    std::error_code ec;
    fs::remove_all(ordner, ec);
  }

  // The program's path text of a file in the test folder.
  std::string Ansi(const fs::path& p) const { return app::AnsiPfad(p).value(); }
  std::string Pfad(const std::string& name) const { return Ansi(ordner / name); }
  fs::path KonfigDatei() const { return ordner / "Davozedizarorevodo.KON"; }

  SkriptDialoge dialoge;
  fs::path ordner;
};

// For the tests of the address file "Mitglieder.ADW" in the test folder and of
// the address chooser.
class AdressdateiTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    datei = ordner / "Mitglieder.ADW";
    pfad = Ansi(datei);
  }

  // Writes the records one after another as the whole address file and
  // returns its bytes.
  std::string SchreibeSaetze(const std::vector<addresses::TAdresse>& saetze) const {
    std::string bytes;
    for (const auto& a : saetze) bytes.append(a.bytes.begin(), a.bytes.end());
    SchreibeAlles(datei, bytes);
    return bytes;
  }

  fs::path datei;    // the address file
  std::string pfad;  // its path as the program's text
};

// For the bulk actions on the active file: the test's address file is the
// active one. Every bulk change asks first, with "Nein" preselected.
class SammelaktionTestBasis : public AdressdateiTest {
 protected:
  void SetUp() override {
    AdressdateiTest::SetUp();
    addresses::AdrDateiName = pfad;
  }
  void Vergessen() {
    dialoge.Meldungen.clear();
    dialoge.Fragen.clear();
  }
  void PruefeFrage(std::size_t i, const std::string& oben, const std::string& frage) {
    ASSERT_GT(dialoge.Fragen.size(), i);
    EXPECT_EQ(dialoge.Fragen[i].Oben, oben);
    EXPECT_EQ(dialoge.Fragen[i].Frage, frage);
    EXPECT_FALSE(dialoge.Fragen[i].JaVorgewaehlt);
  }
};

// Two address files' bytes: "" when equal, else where the first difference lies.
inline std::string Unterschied(const std::string& ist, const std::string& soll) {
  constexpr std::size_t S = addresses::TAdresse::Groesse;
  if (ist.size() != soll.size()) return std::to_string(ist.size()) + " statt " + std::to_string(soll.size()) + " Bytes";
  for (std::size_t i = 0; i < ist.size(); ++i)
    if (ist[i] != soll[i]) return "Satz " + std::to_string(i / S) + ", Byte " + std::to_string(i % S);
  return "";
}

}  // namespace davo::test
