#pragma once
// The payout window: the ordering party and its account, the folder for SEPA
// files, the execution date, the format of the SEPA file, the amount per
// hectare, the smallest amount and the transfer text, and the buttons that
// start the payout lists and the SEPA file. The window shows the payout
// model; opening reads the settings of the active address file, every way of
// closing writes them back.

#include <QDialog>
#include <array>

#include "payout/Auszahlung.h"

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace davo::gui {

class TF_Auszahlung : public QDialog {
  Q_OBJECT

 public:
  explicit TF_Auszahlung(QWidget* parent = nullptr);

  // Every way of closing ends here: the edits are stored in the settings file.
  void done(int ergebnis) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Anzeigen();     // model -> controls
  void Uebernehmen();  // controls -> model
  void Liste(int art);
  void OrdnerWaehlen();

  payout::AuszahlungsModell modell_;
  bool offen_ = false;  // opened and not yet closed

  // The edits in the field order of the settings record:
  // LabeledEdit1 .. LabeledEdit9, LabeledEdit11.
  std::array<QLineEdit*, 10> felder_{};
  QGroupBox* GroupBox1;
  QGroupBox* GroupBox2;
  QGroupBox* GroupBox3;
  QPushButton* BitBtn1;
  QDateEdit* DateTimePicker1;
  QComboBox* SepaFormat;
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button4;
  QPushButton* Button5;
  QPushButton* Button6;
};

}  // namespace davo::gui
