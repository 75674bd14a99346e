// The configuration record and its file.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/DateiIO.h"
#include "app/IOStoerung.h"
#include "app/Konfiguration.h"
#include "app/Testumgebung.h"

namespace davo::app {
namespace {

namespace fs = std::filesystem;
using test::LiesAlles;
using test::Muster;
using test::SchreibeAlles;

constexpr std::size_t G = TKonfiguration::Groesse;

void SetzeKurz(std::string& bytes, std::size_t offset, const std::string& text) {
  bytes[offset] = static_cast<char>(text.size());
  bytes.replace(offset + 1, text.size(), text);
}

void SetzeInt32(std::string& bytes, std::size_t offset, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

std::string Bytes(const TKonfiguration& k) { return std::string(k.bytes.begin(), k.bytes.end()); }

class KonfigurationTest : public test::CoreTest {
 protected:
  // A full record with every reserved byte set to a pattern and the fields
  // at their offsets.
  std::string VollerSatz() {
    std::string b = Muster(G, 3);
    SetzeKurz(b, 0, "C:\\Jagd\\Mitglieder.ADW");
    SetzeKurz(b, 256, "C:\\Vorlagen\\Brief.txt");
    SetzeKurz(b, 512, "C:\\Sepa\\SEPA-JG-1.xml");
    SetzeInt32(b, 2971, -13);
    SetzeInt32(b, 2975, 10);
    SetzeKurz(b, 2979, "Courier New");
    SetzeInt32(b, 4291, 7);
    SetzeInt32(b, 4295, 9);
    return b;
  }
  // What the record is after a load: left and top margins forced.
  static std::string Geladen(std::string b) {
    SetzeInt32(b, 4291, 200);
    SetzeInt32(b, 4295, 50);
    return b;
  }
  std::vector<std::string> Dateien() const {
    std::vector<std::string> namen;
    for (const auto& e : fs::directory_iterator(ordner)) namen.push_back(e.path().filename().string());
    return namen;
  }
};

TEST_F(KonfigurationTest, ErsterStartLegtDateiStillAn) {
  EXPECT_EQ(KonfigDateiPfad(), Ansi(KonfigDatei()));
  Konfiguration.bytes.fill(0x55);
  LiesKonfiguration();
  EXPECT_TRUE(dialoge.Meldungen.empty());
  ASSERT_TRUE(fs::exists(KonfigDatei()));
  EXPECT_EQ(fs::file_size(KonfigDatei()), 0u);
  EXPECT_EQ(Bytes(Konfiguration), Geladen(std::string(G, '\0')));
  EXPECT_EQ(Konfiguration.DruckLinks(), 200);
  EXPECT_EQ(Konfiguration.DruckOben(), 50);
  EXPECT_EQ(AktAdrBasis, "");

  // A file that was created but never saved reads as new again.
  Konfiguration.bytes.fill(0x55);
  LiesKonfiguration();
  EXPECT_TRUE(dialoge.Meldungen.empty());
  EXPECT_EQ(Bytes(Konfiguration), Geladen(std::string(G, '\0')));

  EXPECT_TRUE(SchreibeKonfiguration());
  EXPECT_EQ(LiesAlles(KonfigDatei()), Geladen(std::string(G, '\0')));
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

TEST_F(KonfigurationTest, FelderUndReserveUeberstehenLadenUndSpeichern) {
  const std::string satz = VollerSatz();
  SchreibeAlles(KonfigDatei(), satz);
  LiesKonfiguration();
  EXPECT_TRUE(dialoge.Meldungen.empty());
  EXPECT_EQ(Konfiguration.Adressdatei(), "C:\\Jagd\\Mitglieder.ADW");
  EXPECT_EQ(Konfiguration.Serienbriefdatei(), "C:\\Vorlagen\\Brief.txt");
  EXPECT_EQ(Konfiguration.XmlDatei(), "C:\\Sepa\\SEPA-JG-1.xml");
  EXPECT_EQ(Konfiguration.Schrifthoehe(), -13);
  EXPECT_EQ(Konfiguration.Schriftgroesse(), 10);
  EXPECT_EQ(Konfiguration.Schriftname(), "Courier New");
  EXPECT_EQ(Konfiguration.DruckLinks(), 200);
  EXPECT_EQ(Konfiguration.DruckOben(), 50);
  EXPECT_EQ(AktAdrBasis, "C:\\Jagd\\Mitglieder");
  EXPECT_EQ(IODateiName, "C:\\Jagd\\Mitglieder.ADW");
  EXPECT_EQ(Bytes(Konfiguration), Geladen(satz));

  EXPECT_TRUE(SchreibeKonfiguration());
  EXPECT_EQ(LiesAlles(KonfigDatei()), Geladen(satz));

  // Changing one field rewrites the whole record, the rest stays.
  Konfiguration.SetzeSchriftname("Arial");
  Konfiguration.SetzeSchrifthoehe(-16);
  EXPECT_TRUE(SchreibeKonfiguration());
  std::string erwartet = Geladen(satz);
  SetzeKurz(erwartet, 2979, "Arial");
  SetzeInt32(erwartet, 2971, -16);
  EXPECT_EQ(LiesAlles(KonfigDatei()), erwartet);
  EXPECT_EQ(Dateien(), std::vector<std::string>{"Davozedizarorevodo.KON"});
}

TEST_F(KonfigurationTest, JedesSpeichernHinterlaesstEinenSatz) {
  // A longer file (two records) is read as its first record and shrinks.
  SchreibeAlles(KonfigDatei(), VollerSatz() + std::string(G, 'z'));
  LiesKonfiguration();
  EXPECT_TRUE(dialoge.Meldungen.empty());
  EXPECT_EQ(Bytes(Konfiguration), Geladen(VollerSatz()));
  for (const char* pfad : {"C:\\A.ADW", "", "C:\\Sehr\\langer\\Pfad\\zur\\Datei.ADW"}) {
    SCOPED_TRACE(pfad);
    Konfiguration.SetzeAdressdatei(pfad);
    EXPECT_TRUE(SchreibeKonfiguration());
    EXPECT_EQ(fs::file_size(KonfigDatei()), G);
  }
}

TEST_F(KonfigurationTest, KurzeDateiMeldetLesefehlerUndBehaeltGelesenes) {
  const std::string anfang = VollerSatz().substr(0, 100);
  SchreibeAlles(KonfigDatei(), anfang);
  LiesKonfiguration();
  ASSERT_EQ(dialoge.Meldungen.size(), 1u);
  EXPECT_EQ(dialoge.Meldungen[0], "Fehler beim Lesen! Datei: " + Ansi(KonfigDatei()));
  EXPECT_EQ(Bytes(Konfiguration), Geladen(anfang + std::string(G - 100, '\0')));
  EXPECT_EQ(AktAdrBasis, "C:\\Jagd\\Mitglieder");
  EXPECT_EQ(LiesAlles(KonfigDatei()), anfang);
}

TEST_F(KonfigurationTest, FehlgeschlagenesSpeichernLaesstAlteDateiStehen) {
  struct Fall {
    IOOperation op;
    int code;
    std::string meldung;
  };
  const std::string pfad = Ansi(KonfigDatei());
  const Fall faelle[] = {
      {IOOperation::Anlegen, 5, "Dateizugriff verweigert (" + pfad + ")"},
      {IOOperation::Schreiben, 112, "Die Diskette ist voll!"},
      {IOOperation::Schliessen, 101, "Fehler beim Schreiben! Datei: " + pfad},
      {IOOperation::Umbenennen, 5, "Dateizugriff verweigert (" + pfad + ")"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.meldung);
    dialoge.Meldungen.clear();
    SetzeIOStoerung(nullptr);
    SchreibeAlles(KonfigDatei(), VollerSatz());
    LiesKonfiguration();
    Konfiguration.SetzeAdressdatei("D:\\Neu\\Datei.ADW");
    const std::string neu = Bytes(Konfiguration);

    SetzeIOStoerung([&](IOOperation op, const fs::path&) { return op == f.op ? f.code : 0; });
    EXPECT_FALSE(SchreibeKonfiguration());
    ASSERT_EQ(dialoge.Meldungen.size(), 1u);
    EXPECT_EQ(dialoge.Meldungen[0], f.meldung);
    EXPECT_EQ(LiesAlles(KonfigDatei()), VollerSatz());
    EXPECT_EQ(Dateien(), std::vector<std::string>{"Davozedizarorevodo.KON"});
    EXPECT_EQ(AktAdrBasis, "C:\\Jagd\\Mitglieder");
    EXPECT_EQ(Bytes(Konfiguration), neu);

    // The record in memory is offered again at the next save.
    SetzeIOStoerung(nullptr);
    EXPECT_TRUE(SchreibeKonfiguration());
    EXPECT_EQ(LiesAlles(KonfigDatei()), neu);
    EXPECT_EQ(AktAdrBasis, "D:\\Neu\\Datei");
    EXPECT_EQ(dialoge.Meldungen.size(), 1u);
  }
}

TEST_F(KonfigurationTest, DateiWederOffenNochAnlegbar) {
  SetzeIOStoerung([](IOOperation op, const fs::path&) {
    if (op == IOOperation::Oeffnen) return 2;
    if (op == IOOperation::Anlegen) return 5;
    return 0;
  });
  AktAdrBasis.clear();
  Konfiguration.bytes.fill(0x55);
  LiesKonfiguration();
  ASSERT_EQ(dialoge.Meldungen.size(), 1u);
  EXPECT_EQ(dialoge.Meldungen[0], "Dateizugriff verweigert (" + Ansi(KonfigDatei()) + ")");
  EXPECT_EQ(Bytes(Konfiguration), std::string(G, '\0'));
  EXPECT_EQ(Konfiguration.DruckLinks(), 0);
  EXPECT_EQ(AktAdrBasis, "");
  EXPECT_FALSE(fs::exists(KonfigDatei()));
}

TEST_F(KonfigurationTest, AktAdrBasisBisZumErstenPunktDesDateinamens) {
  struct Fall {
    const char* adressdatei;
    const char* basis;
  };
  const Fall faelle[] = {
      {"C:\\Jagd\\Mitglieder.ADW", "C:\\Jagd\\Mitglieder"},
      {"C:\\Daten\\jagd.2024\\Mitglieder.ADW", "C:\\Daten\\jagd.2024\\Mitglieder"},
      {"/home/max.mustermann/Jagd.2025/Mitglieder.ADW", "/home/max.mustermann/Jagd.2025/Mitglieder"},
      {"C:\\Jagd.2025\\Mitglieder", "C:\\Jagd.2025\\Mitglieder"},  // no extension: the whole path
      {"C:\\Jagd\\Mitglieder", "C:\\Jagd\\Mitglieder"},
      {"", ""},
      {".ADW", ""},
      {"C:\\J\xE4ger\\M\xFCller.alt.ADW", "C:\\J\xE4ger\\M\xFCller"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.adressdatei);
    EXPECT_EQ(BasisVon(f.adressdatei), f.basis);
    AktAdrBasis = "vorher";
    Konfiguration.SetzeAdressdatei(f.adressdatei);
    EXPECT_TRUE(SchreibeKonfiguration());
    EXPECT_EQ(AktAdrBasis, f.basis);
    EXPECT_EQ(IODateiName, f.adressdatei);
    AktAdrBasis = "vorher";
    LiesKonfiguration();
    EXPECT_EQ(AktAdrBasis, f.basis);
  }
}

// The variable that names the per-user settings folder.
#ifdef _WIN32
constexpr const char* BenutzerOrdnerVariable = "APPDATA";
void SetzeUmgebung(const char* name, const std::string& wert) { _putenv_s(name, wert.c_str()); }
void LoescheUmgebung(const char* name) { _putenv_s(name, ""); }
#else
constexpr const char* BenutzerOrdnerVariable = "XDG_CONFIG_HOME";
void SetzeUmgebung(const char* name, const std::string& wert) { ::setenv(name, wert.c_str(), 1); }
void LoescheUmgebung(const char* name) { ::unsetenv(name); }
#endif

TEST_F(KonfigurationTest, OrdnerDerKonfiguration) {
  const std::string altProgramm = ProgrammPfad;
  const char* altXdg = std::getenv(BenutzerOrdnerVariable);
  const std::string xdgVorher = altXdg ? altXdg : "";
  const fs::path xdg = ordner / "xdg";
  fs::create_directory(xdg);
  SetzeUmgebung(BenutzerOrdnerVariable, xdg.string());
  const fs::path programm = ordner / "programm";
  fs::create_directory(programm);

  KonfigOrdnerVorgabe.reset();
  ProgrammPfad = Ansi(programm);
  EXPECT_EQ(KonfigOrdner(), programm);
  EXPECT_EQ(KonfigDateiPfad(), Ansi(programm / "Davozedizarorevodo.KON"));

  // A program folder that cannot take the file: the per-user folder.
  ProgrammPfad = Ansi(ordner / "gibt-es-nicht");
  EXPECT_EQ(KonfigOrdner(), xdg / "ZQ-Davozedizarorevodo");
  EXPECT_TRUE(fs::is_directory(xdg / "ZQ-Davozedizarorevodo"));
  LiesKonfiguration();
  EXPECT_TRUE(fs::exists(xdg / "ZQ-Davozedizarorevodo" / "Davozedizarorevodo.KON"));
  EXPECT_TRUE(dialoge.Meldungen.empty());

  ProgrammPfad = altProgramm;
  if (altXdg)
    SetzeUmgebung(BenutzerOrdnerVariable, xdgVorher);
  else
    LoescheUmgebung(BenutzerOrdnerVariable);
}

}  // namespace
}  // namespace davo::app
