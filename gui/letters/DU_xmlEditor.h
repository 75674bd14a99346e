#pragma once
// The XML viewer "XML-Editor": a file, normally the SEPA file, shown as a
// tree of its tags and as raw rows of 50 characters, side by side, with a
// search over the tree. It never changes the file. Tree and rows are views
// over the core model, converting only what they paint, so a file of tens of
// megabytes opens at once.

#include <QAbstractItemModel>
#include <QAbstractTableModel>
#include <QDialog>
#include <memory>

#include "letters/XmlAnsicht.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTreeView;

namespace davo::gui {

// The bytes of the file as shown: Windows-1252, control characters as their
// visible symbols, so a line break keeps its place in the row.
QString XmlSichtbar(std::string_view bytes);

// The tree: one top-level row, the root; the node number is the internal id.
class XmlBaumModell : public QAbstractItemModel {
  Q_OBJECT

 public:
  explicit XmlBaumModell(QObject* parent = nullptr);

  // Shows another model (nullptr: nothing); the views start afresh.
  void Ansicht(const letters::XmlAnsicht* ansicht);
  QModelIndex IndexVon(std::int32_t knoten) const;
  static std::int32_t KnotenVon(const QModelIndex& index);

  QModelIndex index(int zeile, int spalte, const QModelIndex& eltern = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& index) const override;
  int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
  int columnCount(const QModelIndex& eltern = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  const letters::XmlAnsicht* ansicht_ = nullptr;
};

// The rows: column 0 the offset of the row's first character, column 1 the
// characters.
class XmlZeilenModell : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit XmlZeilenModell(QObject* parent = nullptr);

  void Ansicht(const letters::XmlAnsicht* ansicht);

  int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
  int columnCount(const QModelIndex& eltern = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  const letters::XmlAnsicht* ansicht_ = nullptr;
};

class TxmlEditor : public QDialog {
  Q_OBJECT

 public:
  explicit TxmlEditor(QWidget* parent = nullptr);
  ~TxmlEditor() override;

  // Every way of closing ends here: the file name is kept in the configuration.
  void done(int ergebnis) override;

  XmlBaumModell& Baum() { return *baum_; }
  XmlZeilenModell& Zeilen() { return *zeilen_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void DateiWaehlenClick();
  void DateiImportierenClick();
  void SuchenClick();
  void Zeigen(std::unique_ptr<letters::XmlAnsicht> neu);

  std::unique_ptr<letters::XmlAnsicht> ansicht_;
  XmlBaumModell* baum_;
  XmlZeilenModell* zeilen_;

  QLabel* LabeledEdit1Label;
  QLineEdit* LabeledEdit1;
  QPushButton* BitBtn1;
  QTreeView* TreeView1;
  QTableView* StringGrid1;
  QPushButton* BitBtn2;
  QLineEdit* SuchEdit;
  QPushButton* SuchBtn;
};

}  // namespace davo::gui
