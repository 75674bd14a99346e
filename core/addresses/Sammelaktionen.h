#pragma once
// Actions that change one byte field in every record of an address file at
// once: the two action flags and the group number. Each asks first
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

// Each action works on the address file it is given (the menu commands: on
// the active one) and shows its question, its first file error and its
// closing message.
// "Auszahlung freigegeben" := wert (0 or 1) for all records.
Aktionsergebnis AuszahlungFreiSetzen(Adressdatei& datei, std::uint8_t wert);
// "Serienbrief drucken" := wert (0 or 1) for all records.
Aktionsergebnis SerienbriefSetzen(Adressdatei& datei, std::uint8_t wert);
// Gruppe := 0 for all records.
Aktionsergebnis GruppenAufNull(Adressdatei& datei);
// Gruppe := SerienbriefDruck for every record.
Aktionsergebnis GruppeAusSerienbrief(Adressdatei& datei);
// Gruppe := AuszahlungFrei for every record.
Aktionsergebnis GruppeAusAuszahlung(Adressdatei& datei);

// The walk all actions share: after the question ("Nein" preselected) aendern
// sees every record and returns true when it changed it; schluss gives the
// closing message (none when empty), shown only when the walk went through
// the whole file (a file error is shown instead). The record buffer holds
// the last record afterwards.
Aktionsergebnis Sammelaktion(Adressdatei& datei, const std::string& oben, const std::string& frage,
                             const std::function<bool(TAdresse&)>& aendern,
                             const std::function<std::string()>& schluss = {});

}  // namespace davo::addresses
