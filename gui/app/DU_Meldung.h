#pragma once
// The non-modal message window "Meldung": one line of text and an optional
// bar, shown while the caller keeps working. A key press in it asks whether
// the running action should stop (davo::app::Abbruch).

#include <QWidget>

class QLabel;
class QProgressBar;

namespace davo::gui {

class TF_Meldung : public QWidget {
  Q_OBJECT

 public:
  explicit TF_Meldung(QWidget* parent = nullptr);

  // Text and bar (0 hides the bar); the window comes to the front and is
  // painted before this returns. The event loop gets one turn so that a key
  // press in this window is seen while the caller goes on; any other input of
  // the user meanwhile is dropped, so no second command starts in between.
  void Zeige(const QString& text, int position);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* ziel, QEvent* event) override;

 private:
  void Zentrieren();

  QLabel* Label1;
  QProgressBar* ProgressBar1;
  bool eingabeSperre_ = false;
};

}  // namespace davo::gui
