#pragma once
// The parcel window in the program: created once, beside the main window, and
// shown modally by the menu command "Flurstücke" > "CSV-Datei einlesen".

namespace davo::gui {

class TF_Kolvar3;

// Creates the window (owned by the main window) unless it exists, and routes
// the menu command to it. The window keeps its table between openings.
void FlurstueckeEinrichten(TF_Kolvar3& haupt);

}  // namespace davo::gui
