#include "letters/DU_serienbriefeditor.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStringList>
#include <QVBoxLayout>

#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "printing/QtDrucker.h"

namespace davo::gui {

using app::Konfiguration;

TF_serienbriefeditor::TF_serienbriefeditor(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("F_serienbriefeditor"));
  setWindowTitle(QStringLiteral("Serienbriefeditor"));
  resize(760, 560);

  RichEdit1 = new QPlainTextEdit(this);
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setLineWrapMode(QPlainTextEdit::NoWrap);

  const auto knopf = [this](const char* text, const char* name) {
    auto* k = new QPushButton(QString::fromUtf8(text), this);
    k->setObjectName(QString::fromLatin1(name));
    k->setAutoDefault(false);
    return k;
  };
  LadenBtn = knopf("Datei laden", "LadenBtn");
  SpeichernBtn = knopf("Datei speichern", "SpeichernBtn");
  SchriftBtn = knopf("Schrift einstellen", "SchriftBtn");
  DruckenBtn = knopf("Datei drucken", "DruckenBtn");
  VorschauCheck = NeueVorschauCheck(this);

  connect(LadenBtn, &QPushButton::clicked, this, [this] {
    TextNachModell();
    modell_.Laden();
    ModellNachText();
  });
  connect(SpeichernBtn, &QPushButton::clicked, this, [this] {
    TextNachModell();
    modell_.Speichern();
  });
  connect(SchriftBtn, &QPushButton::clicked, this, &TF_serienbriefeditor::SchriftEinstellen);
  connect(DruckenBtn, &QPushButton::clicked, this, [this] {
    TextNachModell();
    const QFont schrift = RichEdit1->font();
    const int groesse = schrift.pointSize() > 0 ? schrift.pointSize() : QFontInfo(schrift).pointSize();
    modell_.Drucken(NachAnsi(schrift.family()), groesse);
  });

  auto* unten = new QHBoxLayout;
  for (QPushButton* k : {LadenBtn, SpeichernBtn, SchriftBtn, DruckenBtn}) unten->addWidget(k);
  unten->addStretch();
  unten->addWidget(VorschauCheck);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RichEdit1, 1);
  layout->addLayout(unten);
}

TF_serienbriefeditor::~TF_serienbriefeditor() = default;

// An empty editor holds no line; otherwise every line break separates two
// lines, so lines read from a file come back unchanged.
void TF_serienbriefeditor::TextNachModell() {
  modell_.Zeilen.clear();
  const QString text = RichEdit1->toPlainText();
  if (text.isEmpty()) return;
  for (const QString& zeile : text.split(QLatin1Char('\n'))) modell_.Zeilen.push_back(NachAnsi(zeile));
}

void TF_serienbriefeditor::ModellNachText() {
  QStringList zeilen;
  zeilen.reserve(static_cast<qsizetype>(modell_.Zeilen.size()));
  for (const std::string& zeile : modell_.Zeilen) zeilen << AusAnsi(zeile);
  const QString text = zeilen.join(QLatin1Char('\n'));
  if (text != RichEdit1->toPlainText()) RichEdit1->setPlainText(text);
}

// Only name and size are taken; style, colour and character set stay.
void TF_serienbriefeditor::SchriftEinstellen() {
  QFontDialog dialog(RichEdit1->font(), this);
  dialog.setObjectName(QStringLiteral("FontDialog1"));
  if (dialog.exec() != QDialog::Accepted) return;
  const QFont gewaehlt = dialog.selectedFont();
  QFont schrift = RichEdit1->font();
  schrift.setFamily(gewaehlt.family());
  if (gewaehlt.pointSize() > 0)
    schrift.setPointSize(gewaehlt.pointSize());
  else if (gewaehlt.pixelSize() > 0)
    schrift.setPixelSize(gewaehlt.pixelSize());
  RichEdit1->setFont(schrift);
  const QFontInfo info(schrift);
  modell_.SchriftMerken(NachAnsi(schrift.family()), -info.pixelSize(),
                        schrift.pointSize() > 0 ? schrift.pointSize() : info.pointSize());
}

void TF_serienbriefeditor::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  VorschauCheckAnzeigen(VorschauCheck);
  const std::string name = Konfiguration.Schriftname();
  if (name.empty()) return;
  // Name, then height, then size: the size decides when both are stored.
  QFont schrift = RichEdit1->font();
  schrift.setFamily(AusAnsi(name));
  if (const int hoehe = Konfiguration.Schrifthoehe(); hoehe != 0) schrift.setPixelSize(hoehe < 0 ? -hoehe : hoehe);
  if (const int groesse = Konfiguration.Schriftgroesse(); groesse > 0) schrift.setPointSize(groesse);
  RichEdit1->setFont(schrift);
}

}  // namespace davo::gui
