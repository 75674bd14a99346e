#pragma once
// The form-letter windows of the desktop program, created once and opened
// from the main menu.

namespace davo::gui {

class TF_Kolvar3;

// Creates the template editor and the form-letter window (children of the
// main window, so they live as long as it does) and routes "Serienbrief
// bearbeiten" and "Serienbrief drucken" to them. A second call only routes.
void SerienbriefEinrichten(TF_Kolvar3& haupt);

}  // namespace davo::gui
