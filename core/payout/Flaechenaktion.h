#pragma once
// The bulk action that marks for form letters exactly the owners who get a
// payout: "Serienbrief drucken" on for every record whose area reaches the
// smallest payable area of the payout settings, off for all others.

#include <cstdint>
#include <string>

#include "addresses/Sammelaktionen.h"

namespace davo::payout {

// "Adressen mit Auszahlung "Serienbrief drucken" einschalten": opens the
// active address file itself after its first question and takes the amounts
// from AuszahlungsEinstellungen.
addresses::Aktionsergebnis SerienbriefNachFlaeche();
// The same on an address file and its own settings file, which are only
// read.
addresses::Aktionsergebnis SerienbriefNachFlaeche(addresses::Adressdatei& datei);

// The smallest area that earns a payout: smallest amount / amount per hectare,
// 4 decimals; 0 when there is no smallest amount.
struct KleinsteFlaeche {
  std::int64_t Flaeche = 0;
  bool Berechenbar = true;  // false: amount per hectare 0 with a smallest amount above 0
};
KleinsteFlaeche KleinsteAuszahlungsflaeche(const std::string& betragProHaText, const std::string& kleinsterBetragText);

}  // namespace davo::payout
