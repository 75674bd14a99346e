#pragma once
// The print settings window "druckvorschau". It is never shown; it holds the
// printer that the print dialog sets up and that the printouts draw on.

#include <QDialog>
#include <memory>

class QPrinter;

namespace davo::gui {

class TF_einstDruck : public QDialog {
  Q_OBJECT

 public:
  explicit TF_einstDruck(QWidget* parent = nullptr);
  ~TF_einstDruck() override;

  // The printer, set up on first use (the default printer, high resolution).
  QPrinter* Drucker();

 private:
  std::unique_ptr<QPrinter> drucker_;
};

}  // namespace davo::gui
