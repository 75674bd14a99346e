#pragma once
// The question window "Frage": an upper line, a question and the buttons
// "Ja" and "Nein". It stays on top and has no close box; Escape answers "Nein".

#include <QDialog>

#include "app/Dialoge.h"

class QLabel;
class QPushButton;

namespace davo::gui {

class Tbasis : public QDialog {
  Q_OBJECT

 public:
  explicit Tbasis(QWidget* parent = nullptr);

  // Shows the window modally. jaVorgewaehlt chooses the button that has the
  // focus and answers Enter. Closing the window other than by a button (or
  // Escape) gives Geschlossen.
  app::FrageErgebnis Frage(const QString& oben, const QString& frage, bool jaVorgewaehlt);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Result codes of exec(); Rejected (0) is left for closing otherwise.
  static constexpr int ErgebnisJa = 1;
  static constexpr int ErgebnisNein = 2;

  QLabel* Label1;
  QLabel* Label2;
  QPushButton* JaBtn;
  QPushButton* NeinBtn;
};

}  // namespace davo::gui
