#pragma once
// The parcel window "Flurstücke": a cadastre file chosen and read into the
// parcel table, the table shown, ordered by owner, written out and handed on
// to the address file. The table lives in the window for the whole run; the
// grid is a view over it that converts only the cells it paints, so tables of
// some hundred thousand rows open and scroll at once.

#include <QAbstractTableModel>
#include <QDialog>
#include <functional>
#include <string>

#include "parcels/Flurstuecke.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace davo::gui {

// The parcel table as a Qt model: table row 0 (the titles) is the horizontal
// header, table rows 1 .. are the model's rows 0 .. . Nothing is copied; a
// cell is converted when it is asked for. Cells cannot be edited.
class FlurstueckModell : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit FlurstueckModell(parcels::Flurstuecktabelle& tabelle, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Every change of the table goes through here, so the views start afresh.
  void Veraendern(const std::function<void(parcels::Flurstuecktabelle&)>& aenderung);

 private:
  parcels::Flurstuecktabelle& tabelle_;
};

// The preset of the path box: the sample cadastre looked for in the program
// folder and up to three folders above it (the build tree lies inside the
// source tree), then in ../share/zq-davozedizarorevodo beside the program
// folder (installed package); the relative path when it is in none of them.
QString Beispielkataster(const QString& programmOrdner);

class Tf_Flurstuecke : public QDialog {
  Q_OBJECT

 public:
  explicit Tf_Flurstuecke(QWidget* parent = nullptr);
  ~Tf_Flurstuecke() override;

  FlurstueckModell& Modell() { return *modell_; }

 private:
  void DateiAuswaehlenClick();
  void DateiImportierenClick();
  void SortierenClick();
  void ExportSchreibenClick();
  void UebertragenClick();

  parcels::Flurstuecktabelle tabelle_;
  FlurstueckModell* modell_;
  std::string eingelesen_;  // the cadastre file the table was read from

  QLabel* LabeledEdit1Label;
  QLineEdit* LabeledEdit1;
  QPushButton* BitBtn1;
  QTableView* StringGrid1;
  QPushButton* BitBtn2;
  QPushButton* BitBtn3;
  QPushButton* BitBtn4;
  QPushButton* ImportBtn;
  // What the last import or transfer did.
  QLabel* StatusLabel;
};

}  // namespace davo::gui
