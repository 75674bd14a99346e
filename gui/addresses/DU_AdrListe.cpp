#include "addresses/DU_AdrListe.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

#include "addresses/Adressenliste.h"
#include "app/QtDialogDienst.h"
#include "payout/Auszahlung.h"

namespace davo::gui {

using addresses::Adressenliste;
using addresses::AdressenlisteModell;

namespace {
constexpr int Spalten = static_cast<int>(std::tuple_size_v<AdressenlisteModell::Gitterzeile>);
}  // namespace

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
  StringGrid1->setMinimumSize(QFontMetrics(StringGrid1->font()).horizontalAdvance(QString(130, QLatin1Char('M'))),
                              360);

  RGsortierung = new QGroupBox(QStringLiteral("Sortierug"), this);
  RGsortierung->setObjectName(QStringLiteral("RGsortierung"));
  sortierungen_ = new QButtonGroup(this);
  auto* sortierLayout = new QHBoxLayout(RGsortierung);
  for (int i = 0; i < 4; ++i) {
    auto* knopf = new QRadioButton(AusAnsi(addresses::Sortierungen_Liste[i]), RGsortierung);
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
  connect(BitBtn1, &QPushButton::clicked, this, [] { Adressenliste.ListeDrucken(); });
  BitBtn2 = new QPushButton(QStringLiteral("Liste in Sepa-Datei speichern"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
  BitBtn3 = new QPushButton(QStringLiteral("Ende"), this);
  BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
  connect(BitBtn3, &QPushButton::clicked, this, &QDialog::reject);
  for (QPushButton* knopf : {BitBtn1, BitBtn2, BitBtn3}) knopf->setAutoDefault(false);

  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(BitBtn1);
  knoepfe->addWidget(BitBtn2);
  knoepfe->addStretch();
  knoepfe->addWidget(BitBtn3);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(StringGrid1, 1);
  layout->addWidget(RGsortierung);
  layout->addWidget(Panel2);
  layout->addLayout(knoepfe);

  payout::AdressenlisteFenster = [this] { Zeigen(); };
}

TF_AdrListe::~TF_AdrListe() { payout::AdressenlisteFenster = nullptr; }

int TF_AdrListe::Zeigen() {
  Anzeigen();
  return exec();
}

void TF_AdrListe::Anzeigen() {
  setWindowTitle(AusAnsi(Adressenliste.Titel));
  if (QAbstractButton* knopf = sortierungen_->button(Adressenliste.Sortierung)) knopf->setChecked(true);
  BitBtn2->setEnabled(Adressenliste.SepaSpeichernAktiv);
  GitterAnzeigen();
}

void TF_AdrListe::GitterAnzeigen() {
  const auto& gitter = Adressenliste.Gitter;
  QStringList titel;
  if (!gitter.empty())
    for (const std::string& t : gitter.front()) titel << AusAnsi(t);
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
