#pragma once
// The address manager "Adressenmanager": one owner at a time, edited in 21
// boxes and two action check boxes, moved through the file with "&Weiter",
// "&Zurück", "&Neu" and "Adresse suchen". The window only shows the model and
// passes the buttons on; every move stores the shown record first.

#include <QDialog>
#include <array>

#include "addresses/Adressenmanager.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace davo::gui {

class TF_Adressen : public QDialog {
  Q_OBJECT

 public:
  // Starts with an empty record buffer, no record counted and no chosen
  // address.
  explicit TF_Adressen(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;
  // Escape closes the window like its title bar.
  void keyPressEvent(QKeyEvent* event) override;
  // Closing by the title bar or Escape asks whether to save unsaved edits.
  void closeEvent(QCloseEvent* event) override;
  // Leaving the name box or the IBAN box.
  bool eventFilter(QObject* ziel, QEvent* event) override;

 private:
  void SeiteAdresseAufbauen(QWidget* seite);
  void Anzeigen();     // model -> controls
  void Uebernehmen();  // controls -> model
  void Schritt(void (addresses::AdressenmanagerModell::*schritt)());
  void EndeClick();
  void NeuClick();
  // After a step: the cursor into a refused area.
  void FokusNachSchritt();

  addresses::AdressenmanagerModell modell_;

  QTabWidget* PageControl1;
  std::array<QComboBox*, addresses::AdressenmanagerModell::AnzahlBoxen + 1> ComboBox{};  // ComboBox[1] .. ComboBox[21]
  QGroupBox* GroupBox1;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  QLabel* Label1;
  QLabel* Label23;
  QLabel* Ausg_LfdAdrNr;
  QLabel* IbanHinweis;  // beside the IBAN box: a wrong IBAN
  QPushButton* WeiterBtn;
  QPushButton* ZurueckBtn;
  QPushButton* NeuBtn;
  QPushButton* SuchenBtn;
  QPushButton* EndeBtn;
  QPushButton* AbbruchBtn;
};

}  // namespace davo::gui
