#include "payout/DU_AdrListe.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

#include "app/QtDialogDienst.h"
#include "payout/Adressenliste.h"
#include "payout/Auszahlung.h"

namespace davo::gui {

using payout::Adressenliste;
using payout::AdressenlisteModell;

namespace {
constexpr int Spalten = static_cast<int>(AdressenlisteModell::Gitterzeile::Spalten);

payout::Freigabeposten* Posten(const QModelIndex& index) {
  auto& liste = Adressenliste.Freigabe;
  if (!index.isValid() || index.row() < 0 || static_cast<std::size_t>(index.row()) >= liste.size()) return nullptr;
  return &liste[static_cast<std::size_t>(index.row())];
}
}  // namespace

int Freigabeliste::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Adressenliste.Freigabe.size());
}

QVariant Freigabeliste::data(const QModelIndex& index, int role) const {
  const payout::Freigabeposten* p = Posten(index);
  if (!p) return {};
  if (role == Qt::DisplayRole) return AusAnsi(p->Text);
  if (role == Qt::CheckStateRole) return p->Markiert ? Qt::Checked : Qt::Unchecked;
  return {};
}

Qt::ItemFlags Freigabeliste::flags(const QModelIndex& index) const {
  const payout::Freigabeposten* p = Posten(index);
  if (!p) return Qt::NoItemFlags;
  // A pale item shows its (empty) check box but cannot be checked.
  Qt::ItemFlags f = Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
  if (p->Aktiv) f |= Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  return f;
}

bool Freigabeliste::setData(const QModelIndex& index, const QVariant& value, int role) {
  payout::Freigabeposten* p = Posten(index);
  if (!p || role != Qt::CheckStateRole || !p->Aktiv) return false;
  p->Markiert = value.toInt() == Qt::Checked;
  emit dataChanged(index, index, {Qt::CheckStateRole});
  return true;
}

void Freigabeliste::Neu() {
  beginResetModel();
  endResetModel();
}

void Freigabeliste::MarkenGeaendert() {
  const int n = rowCount();
  if (n > 0) emit dataChanged(index(0), index(n - 1), {Qt::CheckStateRole});
}

TF_AdrListe::TF_AdrListe(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("F_AdrListe"));
  setWindowTitle(QStringLiteral("Adressenliste"));

  StringGrid1 = new QTableWidget(0, Spalten, this);
  StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  // Area and amount are right-aligned in texts of equal width.
  StringGrid1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid1->verticalHeader()->hide();
  // Column 0 stays empty; the columns keep the numbers of the model.
  StringGrid1->setColumnHidden(0, true);
  StringGrid1->setMinimumSize(QFontMetrics(StringGrid1->font()).horizontalAdvance(QString(130, QLatin1Char('M'))), 360);

  freigabe_ = new Freigabeliste(this);
  CheckListBox1 = new QListView(this);
  CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
  CheckListBox1->setModel(freigabe_);
  // The fields of the lines stand under each other.
  CheckListBox1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  CheckListBox1->setUniformItemSizes(true);
  CheckListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  CheckListBox1->setMinimumSize(StringGrid1->minimumSize());

  ChkAlle = new QPushButton(QStringLiteral("alle"), this);
  ChkAlle->setObjectName(QStringLiteral("ChkAlle"));
  connect(ChkAlle, &QPushButton::clicked, this, [this] {
    Adressenliste.Alle();
    freigabe_->MarkenGeaendert();
  });
  ChkKeine = new QPushButton(QStringLiteral("keine"), this);
  ChkKeine->setObjectName(QStringLiteral("ChkKeine"));
  connect(ChkKeine, &QPushButton::clicked, this, [this] {
    Adressenliste.Keine();
    freigabe_->MarkenGeaendert();
  });

  RGsortierung = new QGroupBox(QStringLiteral("Sortierug"), this);
  RGsortierung->setObjectName(QStringLiteral("RGsortierung"));
  sortierungen_ = new QButtonGroup(this);
  auto* sortierLayout = new QHBoxLayout(RGsortierung);
  for (int i = 0; i < 4; ++i) {
    auto* knopf = new QRadioButton(AusAnsi(payout::Listensortierungen[i]), RGsortierung);
    sortierungen_->addButton(knopf, i);
    sortierLayout->addWidget(knopf);
  }
  connect(sortierungen_, &QButtonGroup::idClicked, this, [this](int index) {
    Adressenliste.SortierungWaehlen(index);
    GitterAnzeigen();
  });

  Panel2 = new QLabel(QStringLiteral("Blass geschriebene Einträge sind nicht plausibel. "), this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setFrameShape(QFrame::Panel);
  Panel2->setFrameShadow(QFrame::Sunken);

  BitBtn1 = new QPushButton(QStringLiteral("Liste drucken"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  connect(BitBtn1, &QPushButton::clicked, this, [this] {
    Adressenliste.ListeDrucken();
    // Items whose amount did not read were unchecked.
    freigabe_->MarkenGeaendert();
  });
  BitBtn2 = new QPushButton(QStringLiteral("Liste in Sepa-Datei speichern"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
  BitBtn3 = new QPushButton(QStringLiteral("Ende"), this);
  BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
  connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
  for (QPushButton* knopf : {ChkAlle, ChkKeine, BitBtn1, BitBtn2, BitBtn3}) knopf->setAutoDefault(false);

  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(ChkAlle);
  knoepfe->addWidget(ChkKeine);
  knoepfe->addWidget(BitBtn1);
  knoepfe->addWidget(BitBtn2);
  knoepfe->addStretch();
  knoepfe->addWidget(BitBtn3);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(StringGrid1, 1);
  layout->addWidget(CheckListBox1, 1);
  layout->addWidget(RGsortierung);
  layout->addWidget(Panel2);
  layout->addLayout(knoepfe);

  payout::AdressenlisteFenster = [this] { Zeigen(); };
  payout::FreigabeFenster = [this] { return Zeigen() == QDialog::Accepted; };
}

TF_AdrListe::~TF_AdrListe() {
  payout::AdressenlisteFenster = nullptr;
  payout::FreigabeFenster = nullptr;
}

int TF_AdrListe::Zeigen() {
  Anzeigen();
  return exec();
}

void TF_AdrListe::Anzeigen() {
  setWindowTitle(AusAnsi(Adressenliste.Titel));
  const bool freigabe = Adressenliste.Ansicht == AdressenlisteModell::Modus::Freigabe;
  StringGrid1->setVisible(!freigabe);
  RGsortierung->setVisible(!freigabe);
  CheckListBox1->setVisible(freigabe);
  ChkAlle->setVisible(freigabe);
  ChkKeine->setVisible(freigabe);
  freigabe_->Neu();
  if (QAbstractButton* knopf = sortierungen_->button(Adressenliste.Sortierung)) knopf->setChecked(true);
  BitBtn2->setEnabled(Adressenliste.SepaSpeichernAktiv);
  GitterAnzeigen();
}

void TF_AdrListe::GitterAnzeigen() {
  const auto& gitter = Adressenliste.Gitter;
  QStringList titel;
  if (!gitter.empty())
    for (int c = 0; c < Spalten; ++c) titel << AusAnsi(gitter.front()[static_cast<std::size_t>(c)]);
  else
    for (int c = 0; c < Spalten; ++c) titel << QString();
  StringGrid1->setHorizontalHeaderLabels(titel);

  const int zeilen = gitter.empty() ? 0 : static_cast<int>(gitter.size()) - 1;
  StringGrid1->clearContents();
  StringGrid1->setRowCount(zeilen);
  for (int r = 0; r < zeilen; ++r) {
    const AdressenlisteModell::Gitterzeile& zeile = gitter[static_cast<std::size_t>(r) + 1];
    for (int c = 0; c < Spalten; ++c)
      StringGrid1->setItem(r, c, new QTableWidgetItem(AusAnsi(zeile[static_cast<std::size_t>(c)])));
  }
  StringGrid1->resizeColumnsToContents();
}

}  // namespace davo::gui
