#pragma once
// Sets up the payout windows of the desktop program: the payout window and
// the address list window its lists open, each created once and owned by the
// main window, and the main menu command "Auszahlung".

namespace davo::gui {

class TF_Kolvar3;

// Call once at program start.
void AuszahlungEinrichten(TF_Kolvar3& haupt);

}  // namespace davo::gui
