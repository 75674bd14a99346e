#include "addresses/DU_WaehlAdr.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "addresses/AdrAuswahl.h"
#include "app/QtDialogDienst.h"

namespace davo::gui {

using addresses::AdrAuswahl;

TF_WaehlAdr::TF_WaehlAdr(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("F_WaehlAdr"));
  setWindowTitle(QStringLiteral("Adresse wählen"));

  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  // The three columns line up only in a fixed-pitch font.
  ListBox1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setUniformItemSizes(true);
  ListBox1->setMinimumSize(QFontMetrics(ListBox1->font()).horizontalAdvance(QString(96, QLatin1Char('M'))), 320);
  connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] {
    if (zeigeAn_) return;
    const QList<QListWidgetItem*> markiert = ListBox1->selectedItems();
    AdrAuswahl.Auswahl = markiert.isEmpty() ? -1 : ListBox1->row(markiert.first());
  });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* zeile) {
    if (AdrAuswahl.UebernehmenZeile(ListBox1->row(zeile))) accept();
  });

  RadioGroup1 = new QGroupBox(QStringLiteral("Sortierung"), this);
  RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
  sortierungen_ = new QButtonGroup(this);
  auto* sortierLayout = new QVBoxLayout(RadioGroup1);
  for (int i = 0; i < 5; ++i) {
    auto* knopf = new QRadioButton(AusAnsi(addresses::Sortierungen[i]), RadioGroup1);
    sortierungen_->addButton(knopf, i);
    sortierLayout->addWidget(knopf);
  }
  connect(sortierungen_, &QButtonGroup::idClicked, this, [this](int index) {
    AdrAuswahl.SortierungWaehlen(index);
    ListeAnzeigen();
  });

  auto* Label1 = new QLabel(QStringLiteral("Gehe zu"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  edit1 = new QLineEdit(this);
  edit1->setObjectName(QStringLiteral("edit1"));
  Label1->setBuddy(edit1);
  connect(edit1, &QLineEdit::textChanged, this, [this](const QString& text) {
    AdrAuswahl.GeheZuGeaendert(NachAnsi(text));
    AuswahlAnzeigen();
  });

  auto* Label2 = new QLabel(QStringLiteral("Suche"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Edit2 = new QLineEdit(this);
  Edit2->setObjectName(QStringLiteral("Edit2"));
  Label2->setBuddy(Edit2);
  SucheBtn = new QPushButton(QStringLiteral("Suche starten"), this);
  SucheBtn->setObjectName(QStringLiteral("SucheBtn"));
  connect(SucheBtn, &QPushButton::clicked, this, [this] {
    AdrAuswahl.Suchtext = NachAnsi(Edit2->text());
    AdrAuswahl.SucheStarten();
    Anzeigen();
  });

  RadioGroup2 = new QGroupBox(QStringLiteral("Aktive Liste"), this);
  RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
  listen_ = new QButtonGroup(this);
  auto* listenLayout = new QVBoxLayout(RadioGroup2);
  const char* const listen[] = {"Alle Adressen", "Suchergebnisse"};
  for (int i = 0; i < 2; ++i) {
    auto* knopf = new QRadioButton(QString::fromUtf8(listen[i]), RadioGroup2);
    listen_->addButton(knopf, i);
    listenLayout->addWidget(knopf);
  }
  connect(listen_, &QButtonGroup::idClicked, this, [this](int index) {
    AdrAuswahl.AktiveListeWaehlen(index);
    ListeAnzeigen();
  });

  UebernehmenBtn = new QPushButton(QStringLiteral("Adresse übernehmen"), this);
  UebernehmenBtn->setObjectName(QStringLiteral("UebernehmenBtn"));
  connect(UebernehmenBtn, &QPushButton::clicked, this, [this] {
    if (AdrAuswahl.Uebernehmen()) accept();
  });
  // Closes like the title-bar button: the current record stays as it is.
  AbbruchBtn = new QPushButton(QStringLiteral("Abbruch"), this);
  AbbruchBtn->setObjectName(QStringLiteral("AbbruchBtn"));
  connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::reject);
  for (QPushButton* knopf : {SucheBtn, UebernehmenBtn, AbbruchBtn}) knopf->setAutoDefault(false);

  auto* rechts = new QVBoxLayout;
  rechts->addWidget(RadioGroup1);
  rechts->addWidget(Label1);
  rechts->addWidget(edit1);
  rechts->addSpacing(8);
  rechts->addWidget(Label2);
  rechts->addWidget(Edit2);
  rechts->addWidget(SucheBtn);
  rechts->addSpacing(8);
  rechts->addWidget(RadioGroup2);
  rechts->addStretch();
  rechts->addWidget(UebernehmenBtn);
  rechts->addWidget(AbbruchBtn);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(ListBox1, 1);
  layout->addLayout(rechts);

  addresses::AdrAuswahlFenster = [this] { return Zeigen(); };
}

TF_WaehlAdr::~TF_WaehlAdr() { addresses::AdrAuswahlFenster = nullptr; }

bool TF_WaehlAdr::Zeigen() {
  Anzeigen();
  return exec() == QDialog::Accepted;
}

void TF_WaehlAdr::Anzeigen() {
  if (QAbstractButton* knopf = sortierungen_->button(AdrAuswahl.Sortierung)) knopf->setChecked(true);
  if (QAbstractButton* knopf = listen_->button(AdrAuswahl.AktiveListe)) knopf->setChecked(true);
  {
    const QSignalBlocker sperre(edit1);
    edit1->setText(AusAnsi(AdrAuswahl.GeheZu));
  }
  Edit2->setText(AusAnsi(AdrAuswahl.Suchtext));
  ListeAnzeigen();
}

void TF_WaehlAdr::ListeAnzeigen() {
  zeigeAn_ = true;
  ListBox1->clear();
  QStringList zeilen;
  const addresses::AdrListe& liste = AdrAuswahl.Angezeigt();
  zeilen.reserve(static_cast<qsizetype>(liste.size()));
  for (const addresses::AdrZeile& zeile : liste) zeilen << AusAnsi(zeile.Text);
  ListBox1->addItems(zeilen);
  zeigeAn_ = false;
  AuswahlAnzeigen();
}

void TF_WaehlAdr::AuswahlAnzeigen() {
  zeigeAn_ = true;
  const int zeile = AdrAuswahl.Auswahl;
  if (zeile >= 0 && zeile < ListBox1->count()) {
    ListBox1->setCurrentRow(zeile);
    ListBox1->scrollToItem(ListBox1->item(zeile), QAbstractItemView::PositionAtTop);
  } else {
    ListBox1->setCurrentRow(-1);
    ListBox1->clearSelection();
  }
  zeigeAn_ = false;
}

void TF_WaehlAdr::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  edit1->setFocus(Qt::OtherFocusReason);
}

}  // namespace davo::gui
