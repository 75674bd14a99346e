#include "app/DU_basis.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace davo::gui {

Tbasis::Tbasis(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("basis"));
  setWindowTitle(QStringLiteral("Frage"));

  auto* Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameShape(QFrame::StyledPanel);

  Label1 = new QLabel(Panel1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label1->setWordWrap(true);
  Label1->setTextFormat(Qt::PlainText);

  Label2 = new QLabel(Panel1);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setAlignment(Qt::AlignCenter);
  Label2->setTextFormat(Qt::PlainText);

  JaBtn = new QPushButton(QStringLiteral("&Ja"), Panel1);
  JaBtn->setObjectName(QStringLiteral("JaBtn"));
  NeinBtn = new QPushButton(QStringLiteral("&Nein"), Panel1);
  NeinBtn->setObjectName(QStringLiteral("NeinBtn"));
  connect(JaBtn, &QPushButton::clicked, this, [this] { done(ErgebnisJa); });
  connect(NeinBtn, &QPushButton::clicked, this, [this] { done(ErgebnisNein); });

  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  knoepfe->addWidget(JaBtn);
  knoepfe->addSpacing(40);
  knoepfe->addWidget(NeinBtn);
  knoepfe->addStretch();

  auto* innen = new QVBoxLayout(Panel1);
  innen->addWidget(Label1);
  innen->addStretch();
  innen->addWidget(Label2);
  innen->addStretch();
  innen->addLayout(knoepfe);

  auto* aussen = new QVBoxLayout(this);
  aussen->setContentsMargins(0, 0, 0, 0);
  aussen->addWidget(Panel1);

  if (const QScreen* bildschirm = QGuiApplication::primaryScreen()) {
    const QRect flaeche = bildschirm->geometry();
    resize(flaeche.width() / 10 * 9, flaeche.height() / 3);
    move(flaeche.center() - rect().center());
  }
}

app::FrageErgebnis Tbasis::Frage(const QString& oben, const QString& frage, bool jaVorgewaehlt) {
  Label1->setText(oben);
  Label2->setText(frage);
  QPushButton* vorgabe = jaVorgewaehlt ? JaBtn : NeinBtn;
  JaBtn->setDefault(jaVorgewaehlt);
  NeinBtn->setDefault(!jaVorgewaehlt);
  vorgabe->setFocus(Qt::OtherFocusReason);

  switch (exec()) {
    case ErgebnisJa:
      return app::FrageErgebnis::Ja;
    case ErgebnisNein:
      return app::FrageErgebnis::Nein;
    default:
      return app::FrageErgebnis::Geschlossen;
  }
}

void Tbasis::keyPressEvent(QKeyEvent* event) {
  // QDialog would reject on Escape, which here means "closed without answer".
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    NeinBtn->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace davo::gui
