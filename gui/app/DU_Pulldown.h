#pragma once
// The chooser "Bitte wählen Sie:": a title and up to six entries as radio
// buttons. Clicking an entry chooses it at once; "OK" takes the marked one.

#include <QDialog>
#include <QStringList>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace davo::gui {

class TF_Pulldown : public QDialog {
  Q_OBJECT

 public:
  explicit TF_Pulldown(QWidget* parent = nullptr);

  // Offers the entries with entry index marked and shows the window modally.
  // Returns the entry chosen (-1 when "OK" was pressed with nothing marked),
  // or nothing when the window was closed otherwise.
  std::optional<int> Waehle(const QString& titel, const QStringList& eintraege, int index);

 private:
  QLabel* Label1;
  QGroupBox* RadioGroup1;
  QVBoxLayout* eintragLayout_;
  QButtonGroup* knoepfe_;
  QPushButton* endeBtn;
};

}  // namespace davo::gui
