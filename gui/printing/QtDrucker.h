#pragma once
// The program's printer in the desktop program. Every job (a report engine
// job or the template editor's direct printout) is recorded, measured on the
// printer the print dialog set up; when the job ends, the recording is drawn
// on that printer, or, when the user asked for a preview, shown in Qt's print
// preview, from which the user prints it. Both draw the same recording on the
// same printer, so preview and paper agree to the pixel.

#include <functional>
#include <memory>

#include "printing/Druckflaeche.h"

class QCheckBox;
class QPrinter;
class QWidget;

namespace davo::gui {

class TF_einstDruck;

class QtDrucker {
 public:
  // Installs itself as the program's printer, over the printer of the print
  // settings window (which must outlive it).
  explicit QtDrucker(TF_einstDruck& einstellungen);
  // Uninstalls itself.
  ~QtDrucker();
  QtDrucker(const QtDrucker&) = delete;
  QtDrucker& operator=(const QtDrucker&) = delete;

  // The installed one, else nullptr.
  static QtDrucker* Aktiv();

  TF_einstDruck& Einstellungen() { return einstellungen_; }
  QPrinter* Drucker();

  // Jobs handed on so far (each finished job counts once, whether it was
  // printed, previewed or the preview closed without printing).
  int Auftraege() const { return auftraege_; }
  // Called with each finished job before it goes out.
  std::function<void(const printing::Aufzeichnung&)> Beobachter;

  // Draws a recorded job on a printer as one document; false when the
  // printer could not be started (nothing drawn). A PDF file printed into is
  // whole or left as it was; a failure to write it is said here.
  static bool Wiedergeben(const printing::Aufzeichnung& auftrag, QPrinter& drucker);

 private:
  class Messflaeche;
  class Band;

  void Abgeschlossen();
  void Ausgeben(const printing::Aufzeichnung& auftrag);

  TF_einstDruck& einstellungen_;
  std::unique_ptr<Messflaeche> messen_;
  std::unique_ptr<Band> band_;
  int auftraege_ = 0;
};

// The check box "Vor dem Drucken Vorschau zeigen" of the printing windows
// (object name "VorschauCheck"): it sets the print settings' preview choice
// of the installed printer.
QCheckBox* NeueVorschauCheck(QWidget* parent);
// Shows the current choice (on activation; the windows share it). Disabled
// while no printer is installed.
void VorschauCheckAnzeigen(QCheckBox* check);

}  // namespace davo::gui
