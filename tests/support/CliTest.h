#pragma once
// Common ground for the command-line tests: every test gets a fresh folder of
// its own below the temporary folder, removed again at its end, and runs the
// built davo program in it. Only for test programs that know the program's
// path (DAVO_CLI).

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "support/CliLauf.h"

#ifdef DAVO_CLI

namespace davo::test {

// What a fixture does with the subfolder "konfig" of its folder.
enum class Konfigordner {
  Keiner,     // there is none
  Angelegt,   // created before the test
  Uebergeben  // created, and every run starts with "--konfig <folder>/konfig"
};

class CliTest : public ::testing::Test {
 protected:
  // praefix: the folder's name is this, the test's name, "_" and a random
  // number. vorne: words before the program, such as "env -u QT_QPA_PLATFORM".
  explicit CliTest(std::string praefix, Konfigordner konfig = Konfigordner::Keiner, std::string vorne = {})
      : praefix_(std::move(praefix)), konfig_(konfig), vorne_(std::move(vorne)) {}

  void SetUp() override {
    std::random_device zufall;
    std::string name = praefix_;
    name += ::testing::UnitTest::GetInstance()->current_test_info()->name();
    name += '_';
    name += std::to_string(zufall());
    ordner_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(konfig_ == Konfigordner::Keiner ? ordner_ : KonfigOrdner());
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(ordner_, ec);
  }

  std::filesystem::path Pfad(const std::string& name) const { return ordner_ / name; }
  std::filesystem::path KonfigOrdner() const { return ordner_ / "konfig"; }
  std::filesystem::path KonfigDatei() const { return KonfigOrdner() / "Davozedizarorevodo.KON"; }

  // The program with these arguments, run in the folder.
  Lauf Davo(const std::vector<std::string>& argumente) const {
    if (konfig_ != Konfigordner::Uebergeben) return DavoStarten(argumente, ordner_, vorne_);
    std::vector<std::string> alle{"--konfig", KonfigOrdner().string()};
    alle.insert(alle.end(), argumente.begin(), argumente.end());
    return DavoStarten(alle, ordner_, vorne_);
  }

  // Each call is refused as a wrong call: exit status 2, nothing on standard
  // output and the usage ("Aufruf: davo ...") on error output.
  void ErwarteAufruffehler(const std::vector<std::vector<std::string>>& aufrufe) const {
    for (const auto& aufruf : aufrufe) {
      std::string text;
      for (const auto& a : aufruf) text += a + " ";
      SCOPED_TRACE(text);
      const Lauf lauf = Davo(aufruf);
      EXPECT_EQ(lauf.Status, 2);
      EXPECT_EQ(lauf.Aus, "");
      EXPECT_NE(lauf.Fehler.find("Aufruf: davo"), std::string::npos) << lauf.Fehler;
    }
  }

  std::filesystem::path ordner_;

 private:
  std::string praefix_;
  Konfigordner konfig_;
  std::string vorne_;
};

}  // namespace davo::test

#endif
