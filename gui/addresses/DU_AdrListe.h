#pragma once
// The address list "Adressenliste": in list mode the payout list of the
// address list model as a table (the title row as column headers, one row per
// owner, the sum row last), the sort order "Sortierug" and printing. The
// window shows the global model Adressenliste and passes every click on to it.

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace davo::gui {

class TF_AdrListe : public QDialog {
  Q_OBJECT

 public:
  // Makes itself the list window the payout lists open.
  explicit TF_AdrListe(QWidget* parent = nullptr);
  ~TF_AdrListe() override;

  // Shows what the model holds now, modally; the dialog result.
  int Zeigen();

 private:
  void Anzeigen();        // the whole model -> controls
  void GitterAnzeigen();  // the table only

  QTableWidget* StringGrid1;
  QGroupBox* RGsortierung;
  QButtonGroup* sortierungen_;
  QLabel* Panel2;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QPushButton* BitBtn3;
};

}  // namespace davo::gui
