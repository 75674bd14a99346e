#pragma once
// A measuring printer for tests: a page of fixed size and a font whose metrics
// follow from its size alone. It records nothing itself; tests put it under an
// Aufzeichnung, which they install as the program's printer and whose AlsText
// they compare, often with a golden file under tests/data/druck.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "printing/Druckflaeche.h"

namespace davo::test {

class TestDrucker : public printing::Druckflaeche {
 public:
  // Page in portrait orientation; landscape swaps the two.
  int Breite = 4960;
  int Hoehe = 7016;
  bool Quer = false;
  // Font state as the program set it last (the printer's default: 10 points).
  std::string Schrift;
  int Groesse = 10;
  bool Fett = false;

  // Every character is 3 pixels per point wide (7 pt: 21 px, 10 pt: 30 px,
  // 20 pt: 60 px); a text is 10 pixels per point high.
  int Zeichenbreite() const { return 3 * Groesse; }

  int SeitenBreite() override { return Quer ? Hoehe : Breite; }
  int SeitenHoehe() override { return Quer ? Breite : Hoehe; }
  bool Querformat() override { return Quer; }
  void SetzeQuerformat(bool quer) override { Quer = quer; }
  void SetzeTitel(const std::string&) override {}
  void DokumentBeginnen() override {}
  void NeueSeite() override {}
  void DokumentBeenden() override {}
  void SetzeSchrift(const std::string& name) override { Schrift = name; }
  void SetzeSchriftgroesse(int punkte) override { Groesse = punkte; }
  void SetzeFett(bool fett) override { Fett = fett; }
  int TextBreite(const std::string& text) override;
  int TextHoehe(const std::string& text) override;
  void Text(int, int, const std::string&) override {}
  void Linie(int, int, int, int) override {}
};

// The test printer under a recording, installed as the program's printer for
// the lifetime of the object; the report engine starts from scratch.
struct Druckaufbau {
  Druckaufbau();
  ~Druckaufbau();
  Druckaufbau(const Druckaufbau&) = delete;
  Druckaufbau& operator=(const Druckaufbau&) = delete;

  TestDrucker messen;
  printing::Aufzeichnung band{&messen};
};

// Compares a recording's text (or another expected file) with
// tests/data/<ordner>/<name> byte for byte. With DAVO_GOLDEN_NEU=1 in the
// environment the file is rewritten instead (check every line of a new file
// by hand before keeping it).
inline void PruefeGolden(const std::string& name, const std::string& ist, const char* ordner = "druck") {
  const std::filesystem::path datei = std::filesystem::path(DAVO_TESTDATEN) / ordner / name;
  const char* neu = std::getenv("DAVO_GOLDEN_NEU");
  if (neu && std::string(neu) == "1") {
    std::filesystem::create_directories(datei.parent_path());
    std::ofstream aus(datei, std::ios::binary | std::ios::trunc);
    aus.write(ist.data(), static_cast<std::streamsize>(ist.size()));
    ADD_FAILURE() << "Golden-Datei neu geschrieben, bitte von Hand pruefen: " << datei;
    return;
  }
  std::ifstream ein(datei, std::ios::binary);
  ASSERT_TRUE(ein.good()) << "Golden-Datei fehlt: " << datei << " (DAVO_GOLDEN_NEU=1 legt sie an)";
  const std::string soll((std::istreambuf_iterator<char>(ein)), std::istreambuf_iterator<char>());
  EXPECT_EQ(soll, ist) << "Golden-Datei " << datei;
}

}  // namespace davo::test
