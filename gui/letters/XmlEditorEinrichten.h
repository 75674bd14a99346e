#pragma once
// The XML viewer in the program: created once, beside the main window, and
// shown modally by "SEPA" > "Sepadatei anzeigen".

namespace davo::gui {

class TF_Kolvar3;

// Creates the viewer (owned by the main window) unless it exists, and routes
// the menu command to it. The viewer keeps its tree and rows between openings.
void XmlEditorEinrichten(TF_Kolvar3& haupt);

}  // namespace davo::gui
