#pragma once
// The configuration record: one 5335-byte record in Davozedizarorevodo.KON,
// kept in memory for the whole run. Reserved bytes are carried through.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace davo::app {

class TKonfiguration {
 public:
  static constexpr std::size_t Groesse = 5335;
  static constexpr std::size_t OffsetAdressdatei = 0;
  static constexpr std::size_t OffsetSerienbriefdatei = 256;
  static constexpr std::size_t OffsetXmlDatei = 512;
  static constexpr std::size_t OffsetSchrifthoehe = 2971;
  static constexpr std::size_t OffsetSchriftgroesse = 2975;
  static constexpr std::size_t OffsetSchriftname = 2979;
  static constexpr std::size_t OffsetDruckLinks = 4291;
  static constexpr std::size_t OffsetDruckOben = 4295;

  std::string Adressdatei() const;
  void SetzeAdressdatei(const std::string& pfad);
  std::string Serienbriefdatei() const;
  void SetzeSerienbriefdatei(const std::string& pfad);
  std::string XmlDatei() const;
  void SetzeXmlDatei(const std::string& pfad);
  std::int32_t Schrifthoehe() const;
  void SetzeSchrifthoehe(std::int32_t v);
  std::int32_t Schriftgroesse() const;
  void SetzeSchriftgroesse(std::int32_t v);
  std::string Schriftname() const;
  void SetzeSchriftname(const std::string& name);
  std::int32_t DruckLinks() const;
  void SetzeDruckLinks(std::int32_t v);
  std::int32_t DruckOben() const;
  void SetzeDruckOben(std::int32_t v);

  void Leeren() { bytes.fill(0); }
  std::array<std::uint8_t, Groesse> bytes{};
};
static_assert(sizeof(TKonfiguration) == TKonfiguration::Groesse);

extern TKonfiguration Konfiguration;
extern std::string KonfigName;    // "Davozedizarorevodo"
extern std::string ProgrammPfad;  // folder of the program file, no trailing separator
extern std::string AktAdrBasis;   // Adressdatei without its extension (BasisVon)

// Where the configuration file lives: set explicitly (option --konfig), else
// the program's folder when it is writable, else the per-user folder.
extern std::optional<std::filesystem::path> KonfigOrdnerVorgabe;
std::filesystem::path KonfigOrdner();
// Full path of the configuration file as program text.
std::string KonfigDateiPfad();

// The path up to the first "." of its file name (a "." in a folder name does
// not count); the whole path when the file name has none. The companion files
// of an address file (settings, form-letter export) are named from it.
std::string BasisVon(const std::string& pfad);

// Sets ProgrammPfad (from the program file) and KonfigName.
void ProgrammStart(const std::filesystem::path& programmDatei);
// Reads the file (creating it when missing) and derives AktAdrBasis.
void LiesKonfiguration();
// Writes the record through a temporary file and a rename; derives AktAdrBasis
// on success. Returns false when the save failed (the message was shown).
bool SchreibeKonfiguration();

}  // namespace davo::app
