#pragma once
// Window tests drive modal windows from a timer: the step runs as soon as the
// modal window is up, while the code under test waits in exec().

#include <QApplication>
#include <QPointer>
#include <QTimer>
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

}  // namespace davo::test
