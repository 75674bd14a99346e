#pragma once
// The payout settings of one address file: a single 5205-byte record in the
// file beside it (base name + ".JGA"). Reserved bytes are carried through.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/Geld.h"

namespace davo::payout {

using app::Currency;

class TAuszahlungsEinstellungen {
 public:
  static constexpr std::size_t Groesse = 5205;
  // Text fields in their order; each a short string of capacity 255.
  enum Text : int {
    Auftraggeber,
    AuftraggeberAdresse,
    Kreditinstitut,
    AuftraggeberBIC,
    AuftraggeberIBAN,
    Kreditorennummer,
    BetragProHaText,
    KleinsterBetragText,
    Belegtext1,
    SepaOrdner,
    AnzahlTexte
  };
  static constexpr std::size_t TextOffset(int i) { return static_cast<std::size_t>(i) * 256; }
  static constexpr std::size_t OffsetLaufnummer = 4096;
  // The format of the SEPA file, in the first reserved byte behind the run
  // counter: 0 (every older file) pain.001.001.09, 1 pain.001.001.03.
  static constexpr std::size_t OffsetSepaFormat = 4100;

  std::string Feld(int i) const;
  void SetzeFeld(int i, const std::string& text);  // cut to 255
  std::int32_t Laufnummer() const;
  void SetzeLaufnummer(std::int32_t n);
  std::uint8_t SepaFormat() const { return bytes[OffsetSepaFormat]; }
  void SetzeSepaFormat(std::uint8_t f) { bytes[OffsetSepaFormat] = f; }

  void Leeren() { bytes.fill(0); }
  std::array<std::uint8_t, Groesse> bytes{};
};
static_assert(sizeof(TAuszahlungsEinstellungen) == TAuszahlungsEinstellungen::Groesse);

// Field names as the command line shows them, in field order.
const char* EinstellungsName(int i);
int EinstellungNachName(const std::string& name);  // -1 when unknown

extern TAuszahlungsEinstellungen AuszahlungsEinstellungen;

// Path of the settings file of the active address file.
std::string EinstellungsDatei();
// Reads the settings of the active address file; a missing or unreadable file
// leaves the record cleared. When the file is missing but earlier versions
// kept the settings under the name cut at a "." in a folder name, that file is
// copied to the new name (the user is told). False when a file exists but
// could not be read or copied (reported).
bool EinstellungenLesen();
// Writes the settings through a temporary file and a rename, so a failed
// write keeps the old settings. The run counter never goes back: when the
// file holds a greater one (a run made meanwhile elsewhere), that one is
// kept, in the file and in the record. False when it failed (reported).
bool EinstellungenSchreiben();
// The run counter as the settings file holds it now; nothing when there is
// no file or it cannot be read (nothing is reported).
std::optional<std::int32_t> LaufnummerDerDatei();

}  // namespace davo::payout
