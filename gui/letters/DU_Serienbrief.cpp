#include "letters/DU_Serienbrief.h"

#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStringList>
#include <QVBoxLayout>

#include "app/QtDialogDienst.h"
#include "printing/QtDrucker.h"

namespace davo::gui {

using letters::SerienbriefModell;

TF_Serienbrief::TF_Serienbrief(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("F_Serienbrief"));

  const auto knopf = [this](const char* text, const char* name, std::function<void(SerienbriefModell&)> befehl) {
    auto* k = new QPushButton(QString::fromUtf8(text), this);
    k->setObjectName(QString::fromLatin1(name));
    k->setAutoDefault(false);
    if (befehl) connect(k, &QPushButton::clicked, this, [this, befehl] { Befehl(befehl); });
    return k;
  };
  const auto label = [this](const char* text, const char* name, QWidget* fuer) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    l->setObjectName(QString::fromLatin1(name));
    l->setBuddy(fuer);
    return l;
  };

  // Top: the template.
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  auto* Label1 = label("Serienbriefdatei", "Label1", Edit1);
  auto* VorlageBtn = knopf("Serienbriefdatei wählen", "VorlageBtn", &SerienbriefModell::VorlageWaehlen);

  // Left: the current address and the ways into the list.
  auto* AdresseBtn = knopf("Adresse wählen", "AdresseBtn", &SerienbriefModell::AdresseWaehlen);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* Label2 = label("Aktuelle Adresse", "Label2", Memo1);
  auto* BriefBtn = knopf("Serienbrief für aktuelle Adresse drucken", "BriefBtn", &SerienbriefModell::BriefAktuell);
  auto* EinfuegenBtn = knopf("Adresse in Liste einfügen", "EinfuegenBtn", &SerienbriefModell::AdresseEinfuegen);
  SpinEdit1 = new QSpinBox(this);
  SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
  SpinEdit1->setRange(0, 255);
  auto* Label3 = label("Aktive Adressengruppe", "Label3", SpinEdit1);
  auto* GruppeBtn =
      knopf("Adressengruppe in Adressenliste", "GruppeBtn", [](SerienbriefModell& m) { m.GruppeEinfuegen(); });
  auto* LeerenBtn = knopf("Adressenliste leeren", "LeerenBtn", &SerienbriefModell::ListeLeeren);

  // Middle: the list.
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  // The columns line up only in a fixed-pitch font.
  QFont courier(QStringLiteral("Courier"));
  courier.setStyleHint(QFont::TypeWriter);
  courier.setFixedPitch(true);
  ListBox1->setFont(courier);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setUniformItemSizes(true);
  ListBox1->setMinimumSize(QFontMetrics(ListBox1->font()).horizontalAdvance(QString(60, QLatin1Char('M'))), 320);
  auto* Label4 = label("Adressenliste ", "Label4", ListBox1);
  auto* LoeschenBtn = knopf("Zeile löschen", "LoeschenBtn", nullptr);
  connect(LoeschenBtn, &QPushButton::clicked, this, [this] {
    Uebernehmen();
    const QList<QListWidgetItem*> markiert = ListBox1->selectedItems();
    if (markiert.isEmpty()) return;
    modell_.ZeileLoeschen(ListBox1->row(markiert.first()));
    Anzeigen();
  });

  // Bottom: printing and leaving.
  auto* BriefeBtn = knopf("Serienbriefe für  Adressenliste drucken", "BriefeBtn", &SerienbriefModell::BriefeListe);
  auto* ListeBtn = knopf("Adressenliste drucken", "ListeBtn", [](SerienbriefModell& m) { m.ListeDrucken(); });
  EinAuftragCheck = new QCheckBox(QStringLiteral("Alle Briefe ohne Rückfrage in einem Druckauftrag"), this);
  EinAuftragCheck->setObjectName(QStringLiteral("EinAuftragCheck"));
  auto* EndeBtn = knopf("Ende", "EndeBtn", nullptr);
  connect(EndeBtn, &QPushButton::clicked, this, &QDialog::accept);
  VorschauCheck = NeueVorschauCheck(this);

  auto* oben = new QHBoxLayout;
  oben->addWidget(Label1);
  oben->addWidget(Edit1, 1);
  oben->addWidget(VorlageBtn);

  auto* links = new QVBoxLayout;
  links->addWidget(AdresseBtn);
  links->addWidget(Label2);
  links->addWidget(Memo1, 1);
  links->addWidget(BriefBtn);
  links->addWidget(EinfuegenBtn);
  links->addSpacing(8);
  links->addWidget(Label3);
  links->addWidget(SpinEdit1);
  links->addWidget(GruppeBtn);
  links->addWidget(LeerenBtn);

  auto* mitte = new QVBoxLayout;
  mitte->addWidget(Label4);
  mitte->addWidget(ListBox1, 1);
  mitte->addWidget(LoeschenBtn, 0, Qt::AlignLeft);

  auto* unten = new QHBoxLayout;
  unten->addWidget(BriefeBtn);
  unten->addWidget(EinAuftragCheck);
  unten->addWidget(ListeBtn);
  unten->addWidget(VorschauCheck);
  unten->addStretch();
  unten->addWidget(EndeBtn);

  auto* gitter = new QGridLayout(this);
  gitter->addLayout(oben, 0, 0, 1, 2);
  gitter->addLayout(links, 1, 0);
  gitter->addLayout(mitte, 1, 1);
  gitter->addLayout(unten, 2, 0, 1, 2);
  gitter->setColumnStretch(1, 1);

  Anzeigen();
}

TF_Serienbrief::~TF_Serienbrief() = default;

void TF_Serienbrief::Uebernehmen() {
  modell_.Vorlage = NachAnsi(Edit1->text());
  modell_.Gruppe = SpinEdit1->value();
  modell_.EinAuftrag = EinAuftragCheck->isChecked();
}

void TF_Serienbrief::Anzeigen() {
  setWindowTitle(AusAnsi(modell_.Titel));
  if (const QString pfad = AusAnsi(modell_.Vorlage); Edit1->text() != pfad) Edit1->setText(pfad);
  QStringList memo;
  for (const std::string& zeile : modell_.Memo) memo << AusAnsi(zeile);
  Memo1->setPlainText(memo.join(QLatin1Char('\n')));
  SpinEdit1->setValue(modell_.Gruppe);
  EinAuftragCheck->setChecked(modell_.EinAuftrag);
  QStringList liste;
  liste.reserve(static_cast<qsizetype>(modell_.Liste.size()));
  for (const addresses::AdrZeile& zeile : modell_.Liste) liste << AusAnsi(zeile.Text);
  ListBox1->clear();
  ListBox1->addItems(liste);
}

void TF_Serienbrief::Befehl(const std::function<void(SerienbriefModell&)>& befehl) {
  Uebernehmen();
  befehl(modell_);
  Anzeigen();
}

void TF_Serienbrief::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  VorschauCheckAnzeigen(VorschauCheck);
  Uebernehmen();
  modell_.Aktivieren();
  Anzeigen();
}

}  // namespace davo::gui
