#pragma once
// The template editor "Serienbriefeditor": the template as plain lines in an
// edit field filling the window, and at the bottom loading, saving, the font
// and printing the text for the current owner. The commands are the editor
// model's; the window hands the text to it before each command and shows it
// again afterwards.

#include <QDialog>

#include "letters/Vorlage.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace davo::gui {

class TF_serienbriefeditor : public QDialog {
  Q_OBJECT

 public:
  explicit TF_serienbriefeditor(QWidget* parent = nullptr);
  ~TF_serienbriefeditor() override;

  letters::EditorModell& Modell() { return modell_; }

 protected:
  // Activation: the stored editor font, when one is stored.
  void showEvent(QShowEvent* event) override;

 private:
  void TextNachModell();
  void ModellNachText();
  void SchriftEinstellen();

  letters::EditorModell modell_;
  QPlainTextEdit* RichEdit1;
  QPushButton* LadenBtn;
  QPushButton* SpeichernBtn;
  QPushButton* SchriftBtn;
  QPushButton* DruckenBtn;
  QCheckBox* VorschauCheck;
};

}  // namespace davo::gui
