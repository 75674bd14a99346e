#include "app/Konfiguration.h"

#include <system_error>

#include "app/DateiIO.h"
#include "app/Pfade.h"
#include "app/Plattform.h"
#include "app/Text.h"

namespace fs = std::filesystem;

namespace davo::app {

TKonfiguration Konfiguration;
std::string KonfigName = "Davozedizarorevodo";
std::string ProgrammPfad;
std::string AktAdrBasis;
std::optional<fs::path> KonfigOrdnerVorgabe;

namespace {

constexpr std::size_t kPfadKapazitaet = 255;

std::string Feld(const TKonfiguration& k, std::size_t offset) { return LiesKurzText(k.bytes.data() + offset, kPfadKapazitaet); }

void SetzeFeld(TKonfiguration& k, std::size_t offset, const std::string& text) {
  SchreibeKurzText(k.bytes.data() + offset, kPfadKapazitaet, text);
}

// True when a file can be created in the folder.
bool Beschreibbar(const fs::path& ordner) {
  std::error_code ec;
  if (ordner.empty() || !fs::is_directory(ordner, ec)) return false;
  fs::path probe = ordner / ".davo-schreibprobe";
  std::FILE* f = plattform::OeffneDatei(probe, "wb");
  if (!f) return false;
  std::fclose(f);
  fs::remove(probe, ec);
  return true;
}

}  // namespace

std::string TKonfiguration::Adressdatei() const { return Feld(*this, OffsetAdressdatei); }
void TKonfiguration::SetzeAdressdatei(const std::string& p) { SetzeFeld(*this, OffsetAdressdatei, p); }
std::string TKonfiguration::Serienbriefdatei() const { return Feld(*this, OffsetSerienbriefdatei); }
void TKonfiguration::SetzeSerienbriefdatei(const std::string& p) { SetzeFeld(*this, OffsetSerienbriefdatei, p); }
std::string TKonfiguration::XmlDatei() const { return Feld(*this, OffsetXmlDatei); }
void TKonfiguration::SetzeXmlDatei(const std::string& p) { SetzeFeld(*this, OffsetXmlDatei, p); }
std::int32_t TKonfiguration::Schrifthoehe() const { return LiesInt32(bytes.data() + OffsetSchrifthoehe); }
void TKonfiguration::SetzeSchrifthoehe(std::int32_t v) { SchreibeInt32(bytes.data() + OffsetSchrifthoehe, v); }
std::int32_t TKonfiguration::Schriftgroesse() const { return LiesInt32(bytes.data() + OffsetSchriftgroesse); }
void TKonfiguration::SetzeSchriftgroesse(std::int32_t v) { SchreibeInt32(bytes.data() + OffsetSchriftgroesse, v); }
std::string TKonfiguration::Schriftname() const { return Feld(*this, OffsetSchriftname); }
void TKonfiguration::SetzeSchriftname(const std::string& n) { SetzeFeld(*this, OffsetSchriftname, n); }
std::int32_t TKonfiguration::DruckLinks() const { return LiesInt32(bytes.data() + OffsetDruckLinks); }
void TKonfiguration::SetzeDruckLinks(std::int32_t v) { SchreibeInt32(bytes.data() + OffsetDruckLinks, v); }
std::int32_t TKonfiguration::DruckOben() const { return LiesInt32(bytes.data() + OffsetDruckOben); }
void TKonfiguration::SetzeDruckOben(std::int32_t v) { SchreibeInt32(bytes.data() + OffsetDruckOben, v); }

std::string BasisVon(const std::string& pfad) {
  const std::size_t trenner = pfad.find_last_of("\\/");
  const std::size_t p = pfad.find('.', trenner == std::string::npos ? 0 : trenner + 1);
  return p == std::string::npos ? pfad : pfad.substr(0, p);
}

void ProgrammStart(const fs::path& programmDatei) {
  auto ansi = AnsiPfad(programmDatei.parent_path());
  ProgrammPfad = ansi ? *ansi : Utf8NachAnsi(std::string(reinterpret_cast<const char*>(programmDatei.parent_path().u8string().c_str())));
  KonfigName = "Davozedizarorevodo";
}

fs::path KonfigOrdner() {
  if (KonfigOrdnerVorgabe) return *KonfigOrdnerVorgabe;
  fs::path programm = DateiPfad(ProgrammPfad);
  if (!ProgrammPfad.empty() && Beschreibbar(programm)) return programm;
  fs::path benutzer = plattform::BenutzerKonfigOrdner() / "ZQ-Davozedizarorevodo";
  std::error_code ec;
  fs::create_directories(benutzer, ec);
  return benutzer;
}

std::string KonfigDateiPfad() {
  fs::path p = KonfigOrdner() / (KonfigName + ".KON");
  auto ansi = AnsiPfad(p);
  return ansi ? *ansi : Utf8NachAnsi(std::string(reinterpret_cast<const char*>(p.u8string().c_str())));
}

void LiesKonfiguration() {
  Konfiguration.Leeren();
  IODateiName = KonfigDateiPfad();
  Datei datei;
  datei.Zuordnen(IODateiName);
  PruefeIO();
  // Read only: a write-protected file still gives its settings. Only a
  // missing one is created.
  datei.OeffnenLesen(TKonfiguration::Groesse);
  bool neu = false;
  if (OffenesIOErgebnis() == io::DateiNichtGefunden) {
    LiesIOErgebnis();
    datei.Anlegen(TKonfiguration::Groesse);
    neu = true;
  }
  PruefeIO();
  if (IOFehler) return;
  // A file that holds no record yet (created but never saved) reads as new.
  if (!neu && datei.LaengeInBytes() > 0) {
    datei.Lesen(Konfiguration.bytes.data());
    PruefeIO();
  }
  Konfiguration.SetzeDruckLinks(200);
  Konfiguration.SetzeDruckOben(50);
  datei.Schliessen();
  PruefeIO();
  IODateiName = Konfiguration.Adressdatei();
  AktAdrBasis = BasisVon(Konfiguration.Adressdatei());
}

bool SchreibeKonfiguration() {
  IODateiName = KonfigDateiPfad();
  DateiErsetzen(IODateiName, Konfiguration.bytes.data(), Konfiguration.bytes.size());
  PruefeIO();
  if (IOFehler) return false;
  IODateiName = Konfiguration.Adressdatei();
  AktAdrBasis = BasisVon(Konfiguration.Adressdatei());
  return true;
}

}  // namespace davo::app
