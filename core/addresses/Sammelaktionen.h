#pragma once
// Actions that change one byte field in every record of the active address
// file at once: the two action flags and the group number. Each asks first
// ("Nein" preselected) and walks the file once.

#include <cstdint>
#include <string>

namespace davo::addresses {

// How an action ended.
enum class Aktionsergebnis {
  Erledigt,    // ran through the file
  Abgelehnt,   // a question was answered no (or the file was not opened)
  Fehler,      // stopped by a missing file, a file error or unusable settings
};

// "Auszahlung freigegeben" := wert (0 or 1) for all records.
Aktionsergebnis AuszahlungFreiSetzen(std::uint8_t wert);
// "Serienbrief drucken" := wert (0 or 1) for all records.
Aktionsergebnis SerienbriefSetzen(std::uint8_t wert);
// Gruppe := 0 for all records.
Aktionsergebnis GruppenAufNull();
// Gruppe := SerienbriefDruck for every record.
Aktionsergebnis GruppeAusSerienbrief();
// Gruppe := AuszahlungFrei for every record.
Aktionsergebnis GruppeAusAuszahlung();
// "Serienbrief drucken" on exactly for the records whose area reaches the
// smallest payable area (from the payout settings); opens the address file
// itself after its first question.
Aktionsergebnis SerienbriefNachFlaeche();

// The smallest area that earns a payout: smallest amount / amount per hectare,
// 4 decimals; 0 when there is no smallest amount.
struct KleinsteFlaeche {
  std::int64_t Flaeche = 0;
  bool Berechenbar = true;  // false: amount per hectare 0 with a smallest amount above 0
};
KleinsteFlaeche KleinsteAuszahlungsflaeche(const std::string& betragProHaText, const std::string& kleinsterBetragText);

}  // namespace davo::addresses
