#include "app/DU_Meldung.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Text.h"

namespace davo::gui {

namespace {

bool IstBedienung(QEvent::Type typ) {
  switch (typ) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
      return true;
    default:
      return false;
  }
}

bool IstNurUmschalttaste(int taste) {
  switch (taste) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
      return true;
    default:
      return false;
  }
}

}  // namespace

TF_Meldung::TF_Meldung(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName(QStringLiteral("F_Meldung"));
  setWindowTitle(QStringLiteral("Meldung"));
  setAttribute(Qt::WA_QuitOnClose, false);
  setFocusPolicy(Qt::StrongFocus);
  setFixedSize(555, 69);

  Label1 = new QLabel(QStringLiteral("Programm wird gestartet"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setTextFormat(Qt::PlainText);

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(20);
  ProgressBar1->setTextVisible(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(ProgressBar1);

  Zentrieren();
}

void TF_Meldung::Zentrieren() {
  if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
    move(bildschirm->geometry().center() - rect().center());
}

void TF_Meldung::Zeige(const QString& text, int position) {
  position = std::clamp(position, 0, 100);
  Label1->setText(text);
  ProgressBar1->setValue(position);
  ProgressBar1->setVisible(position != 0);

  if (!isVisible()) {
    show();
    activateWindow();
  }
  raise();
  repaint();

  // The caller is a long loop that does not return to the event loop, so the
  // one turn here is the only chance for a key press to arrive. AllEvents
  // rather than ExcludeUserInputEvents: the latter would hold the key back
  // until the loop has ended. The filter drops input meant for other windows.
  QPointer<TF_Meldung> selbst(this);
  eingabeSperre_ = true;
  qApp->installEventFilter(this);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (selbst) {
    qApp->removeEventFilter(this);
    eingabeSperre_ = false;
  }
}

void TF_Meldung::keyPressEvent(QKeyEvent* event) {
  if (event->isAutoRepeat() || IstNurUmschalttaste(event->key())) {
    event->accept();
    return;
  }
  event->accept();
  // The question window needs its own input while it is open.
  const bool sperre = eingabeSperre_;
  eingabeSperre_ = false;
  bool antwort = false;
  app::FrageJaNein(app::Utf8NachAnsi("Sie haben eine Taste gedrückt!"),
                   app::Utf8NachAnsi("Wollen Sie die Aktion abbrechen?"), antwort);
  if (antwort) app::Abbruch = true;
  eingabeSperre_ = sperre;
}

bool TF_Meldung::eventFilter(QObject* ziel, QEvent* event) {
  if (eingabeSperre_ && IstBedienung(event->type())) {
    auto* widget = qobject_cast<QWidget*>(ziel);
    if (!widget || widget->window() != this) {
      // Shortcuts go to actions, not widgets; window-level events reach the
      // widget afterwards and are decided there.
      if (widget || event->type() == QEvent::Shortcut) return true;
    }
  }
  return QWidget::eventFilter(ziel, event);
}

}  // namespace davo::gui
