#pragma once
// The address list "Adressenliste": in list mode the payout list of the
// address list model as a table (the title row as column headers, one row per
// owner, the sum row last), the sort order "Sortierug" and printing; in
// release mode the check list of the released owners, pale where the bank
// data are not plausible, with "alle", "keine" and "Liste in Sepa-Datei
// speichern". The window shows the global model Adressenliste and passes
// every click on to it.

#include <QAbstractListModel>
#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QListView;
class QPushButton;
class QTableWidget;

namespace davo::gui {

// The release list of the model as items of a list view: each owner's line
// with its check mark, enabled only when plausible. Nothing is copied, so a
// list of 100,000 owners shows at once.
class Freigabeliste : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // The model's list was built anew.
  void Neu();
  // The check marks changed in the model.
  void MarkenGeaendert();
};

class TF_AdrListe : public QDialog {
  Q_OBJECT

 public:
  // Makes itself the list window the payout lists and the release list open.
  explicit TF_AdrListe(QWidget* parent = nullptr);
  ~TF_AdrListe() override;

  // Shows what the model holds now, modally; the dialog result.
  int Zeigen();

 private:
  void Anzeigen();        // the whole model -> controls
  void GitterAnzeigen();  // the table only

  QTableWidget* StringGrid1;
  QListView* CheckListBox1;
  Freigabeliste* freigabe_;
  QPushButton* ChkAlle;
  QPushButton* ChkKeine;
  QGroupBox* RGsortierung;
  QButtonGroup* sortierungen_;
  QLabel* Panel2;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QPushButton* BitBtn3;
};

}  // namespace davo::gui
