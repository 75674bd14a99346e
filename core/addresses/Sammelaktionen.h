#pragma once
// Actions that change one byte field in every record of the active address
// file at once: the two action flags and the group number. Each asks first
// ("Nein" preselected) and walks the file once.

#include <cstdint>
#include <functional>
#include <string>

#include "addresses/Adresse.h"

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

// The walk all actions share, on the active address file: after the question
// ("Nein" preselected) aendern sees every record and returns true when it
// changed it; schluss gives the closing message (none when empty), shown
// whenever the walk ran, also after a file error on the way.
Aktionsergebnis Sammelaktion(const std::string& oben, const std::string& frage,
                             const std::function<bool(TAdresse&)>& aendern,
                             const std::function<std::string()>& schluss = {});
}  // namespace davo::addresses
