#pragma once

#include <functional>
// The form-letter window: a template printed as one letter for the current
// owner or for each owner of a list put together by hand or by group, and the
// printed list. The window shows the form-letter model and hands every input
// to it before a command.

#include <QDialog>

#include "letters/Serienbrief.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace davo::gui {

class TF_Serienbrief : public QDialog {
  Q_OBJECT

 public:
  explicit TF_Serienbrief(QWidget* parent = nullptr);
  ~TF_Serienbrief() override;

  letters::SerienbriefModell& Modell() { return modell_; }

 protected:
  // Activation: the chooser's list, the caption and the template path.
  void showEvent(QShowEvent* event) override;

 private:
  void Uebernehmen();  // controls -> model
  void Anzeigen();     // model -> controls
  void Befehl(const std::function<void(letters::SerienbriefModell&)>& befehl);

  letters::SerienbriefModell modell_;
  QLineEdit* Edit1;
  QPlainTextEdit* Memo1;
  QSpinBox* SpinEdit1;
  QListWidget* ListBox1;
  QCheckBox* VorschauCheck;
  QCheckBox* EinAuftragCheck;
};

}  // namespace davo::gui
