#include "app/DU_Pulldown.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace davo::gui {

TF_Pulldown::TF_Pulldown(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("F_Pulldown"));
  setWindowTitle(QStringLiteral("Bitte wählen Sie:"));

  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setTextFormat(Qt::PlainText);

  RadioGroup1 = new QGroupBox(this);
  RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
  eintragLayout_ = new QVBoxLayout(RadioGroup1);
  knoepfe_ = new QButtonGroup(this);
  knoepfe_->setExclusive(true);
  // A click on an entry is the choice; "OK" is only needed for the preset one.
  connect(knoepfe_, &QButtonGroup::idClicked, this, [this](int) { accept(); });

  auto* Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  endeBtn = new QPushButton(QStringLiteral("&OK"), Panel1);
  endeBtn->setObjectName(QStringLiteral("endeBtn"));
  endeBtn->setDefault(true);
  connect(endeBtn, &QPushButton::clicked, this, &QDialog::accept);
  auto* unten = new QHBoxLayout(Panel1);
  unten->addStretch();
  unten->addWidget(endeBtn);
  unten->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(RadioGroup1, 1);
  layout->addWidget(Panel1);
  setMinimumWidth(320);
}

std::optional<int> TF_Pulldown::Waehle(const QString& titel, const QStringList& eintraege, int index) {
  Label1->setText(titel);
  for (QAbstractButton* alt : knoepfe_->buttons()) {
    knoepfe_->removeButton(alt);
    delete alt;
  }
  for (int i = 0; i < eintraege.size(); ++i) {
    auto* knopf = new QRadioButton(eintraege[i], RadioGroup1);
    knoepfe_->addButton(knopf, i);
    eintragLayout_->addWidget(knopf);
  }
  if (QAbstractButton* vorgabe = knoepfe_->button(index)) {
    vorgabe->setChecked(true);
    vorgabe->setFocus(Qt::OtherFocusReason);
  }
  adjustSize();

  if (exec() != QDialog::Accepted) return std::nullopt;
  return knoepfe_->checkedId();
}

}  // namespace davo::gui
