#pragma once
// The address chooser: all owners of the active file as fixed-width lines in
// one of five orders, a jump by prefix ("Gehe zu"), a search ("Suche") and the
// take-over of one line as the current record. The window shows the global
// chooser model AdrAuswahl and passes every change on to it.

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace davo::gui {

class TF_WaehlAdr : public QDialog {
  Q_OBJECT

 public:
  // Makes itself the chooser the program opens to pick an address.
  explicit TF_WaehlAdr(QWidget* parent = nullptr);
  ~TF_WaehlAdr() override;

  // Shows the lines the model offers now, modally; true when a line was taken
  // over (AktAdrNr then holds its record).
  bool Zeigen();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Anzeigen();         // the whole model -> controls
  void ListeAnzeigen();    // the shown list and its selected line
  void AuswahlAnzeigen();  // only the selected line

  QListWidget* ListBox1;
  QGroupBox* RadioGroup1;
  QButtonGroup* sortierungen_;
  QLineEdit* edit1;
  QLineEdit* Edit2;
  QPushButton* SucheBtn;
  QGroupBox* RadioGroup2;
  QButtonGroup* listen_;
  QPushButton* UebernehmenBtn;
  QPushButton* AbbruchBtn;
  bool zeigeAn_ = false;  // selection changes come from the model
};

}  // namespace davo::gui
