#pragma once
// The payout settings of one address file: a single 5205-byte record in the
// file beside it (base name + ".JGA"). Reserved bytes are carried through.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
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

// --- the settings of an address file ----------------------------------------------
// Path of the settings file of an address file: its base name + ".JGA".
std::string EinstellungsDatei(const addresses::Adressdatei& adressdatei);
// Reads the settings of the address file into e; a missing file leaves e
// cleared, and so does one that cannot be read (the result then says why).
// When the file is missing but earlier versions kept the settings under the
// name cut at a "." in a folder name, that file is copied to the new name
// (and the user is told).
app::IOErgebnis EinstellungenLesen(const addresses::Adressdatei& adressdatei, TAuszahlungsEinstellungen& e);
// Writes e through a temporary file and a rename, so a failed write keeps
// the old settings. The run counter never goes back: when the file holds a
// greater one (a run made meanwhile elsewhere), that one is kept, in the file
// and in e.
app::IOErgebnis EinstellungenSchreiben(const addresses::Adressdatei& adressdatei, TAuszahlungsEinstellungen& e);
// The run counter as the settings file holds it now; nothing when there is
// no file or it cannot be read. A failure pending in the file layer stays.
std::optional<std::int32_t> LaufnummerDerDatei(const addresses::Adressdatei& adressdatei);

// --- the settings of the active address file ---------------------------------------
// The desktop program's record, for the active address file.
extern TAuszahlungsEinstellungen AuszahlungsEinstellungen;

// The operations above on the active file and AuszahlungsEinstellungen; a
// failure is shown and kept in IODateiName, IOCode and IOFehler as PruefeIO
// does. False when a step failed.
std::string EinstellungsDatei();
bool EinstellungenLesen();
bool EinstellungenSchreiben();
std::optional<std::int32_t> LaufnummerDerDatei();

}  // namespace davo::payout
