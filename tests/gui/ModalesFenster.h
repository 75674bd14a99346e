#pragma once
// Window tests drive modal windows from a timer: the step runs as soon as the
// modal window is up, while the code under test waits in exec(). The step
// types where the user types: into the window's focus widget.

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace davo::test {

// Runs schritt on the modal window once it is shown. Should schritt leave the
// window open (a failed check returns early), the window is closed, so the
// test fails instead of hanging.
inline void AmModalenFenster(std::function<void(QWidget*)> schritt, int versuche = 200) {
  QTimer::singleShot(10, [schritt = std::move(schritt), versuche]() mutable {
    QPointer<QWidget> modal = QApplication::activeModalWidget();
    if (!modal) {
      if (versuche > 0) AmModalenFenster(std::move(schritt), versuche - 1);
      return;
    }
    schritt(modal);
    if (modal && modal->isVisible() && QApplication::activeModalWidget() == modal) modal->close();
  });
}

// Where a key goes when the user types in a window: its focus widget, or the
// window itself when no widget has the focus.
inline QWidget* Tastaturziel(QWidget* fenster) {
  QWidget* fokus = fenster->focusWidget();
  return fokus ? fokus : fenster;
}

// The object name of a window's focus widget, empty when none has the focus.
inline QString Fokusname(const QWidget* fenster) {
  return fenster->focusWidget() ? fenster->focusWidget()->objectName() : QString();
}

}  // namespace davo::test
