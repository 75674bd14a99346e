#pragma once
// The print settings window "druckvorschau". It is never shown; it holds the
// printer that the print dialog sets up and that the printouts draw on, and
// whether a finished printout is first shown as a preview.

#include <QDialog>
#include <memory>

class QPrinter;

namespace davo::gui {

class TF_einstDruck : public QDialog {
  Q_OBJECT

 public:
  // Re-initialises the report engine once, as at program start.
  explicit TF_einstDruck(QWidget* parent = nullptr);
  ~TF_einstDruck() override;

  // The printer, set up on first use (the default printer, high resolution).
  QPrinter* Drucker();

  // "Vor dem Drucken Vorschau zeigen": a finished printout opens the preview,
  // from which the user prints; otherwise it goes straight to the printer.
  bool VorschauZeigen() const { return vorschau_; }
  void SetzeVorschauZeigen(bool zeigen) { vorschau_ = zeigen; }

 private:
  std::unique_ptr<QPrinter> drucker_;
  bool vorschau_ = false;
};

}  // namespace davo::gui
