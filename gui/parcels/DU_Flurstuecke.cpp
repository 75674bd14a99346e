#include "parcels/DU_Flurstuecke.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <string>

#include "app/Dialoge.h"
#include "app/QtDialogDienst.h"
#include "app/Text.h"

namespace davo::gui {

namespace {

constexpr int Spaltenbreite = 150;
// Folders above the program folder that are searched for the sample.
constexpr int Elternstufen = 3;

}  // namespace

// --- FlurstueckModell -------------------------------------------------------------

FlurstueckModell::FlurstueckModell(parcels::Flurstuecktabelle& tabelle, QObject* parent)
    : QAbstractTableModel(parent), tabelle_(tabelle) {}

int FlurstueckModell::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, tabelle_.Zeilenzahl() - 1);
}

int FlurstueckModell::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : tabelle_.Spaltenzahl();
}

QVariant FlurstueckModell::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) return QVariant();
  return AusAnsi(std::string(tabelle_.Zelle(index.column(), index.row() + 1)));
}

QVariant FlurstueckModell::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount())
    return QVariant();
  return AusAnsi(std::string(tabelle_.Zelle(section, 0)));
}

Qt::ItemFlags FlurstueckModell::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  // Column 0 is the grid's fixed column: shown, never selected.
  if (index.column() == 0) return Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void FlurstueckModell::Veraendern(const std::function<void(parcels::Flurstuecktabelle&)>& aenderung) {
  beginResetModel();
  aenderung(tabelle_);
  endResetModel();
}

// --- sample path ------------------------------------------------------------------

QString Beispielkataster(const QString& programmOrdner) {
  const QString relativ = AusAnsi(parcels::BeispielKataster);
  QStringList ordner;
  QDir stufe(programmOrdner);
  for (int i = 0; i <= Elternstufen; ++i) {
    ordner << stufe.absolutePath();
    if (!stufe.cdUp()) break;
  }
  // Installed as a package: program in <prefix>/bin, data in <prefix>/share.
  ordner << QDir(programmOrdner).absoluteFilePath(QStringLiteral("../share/zq-davozedizarorevodo"));
  for (const QString& o : ordner) {
    const QString pfad = QDir(o).absoluteFilePath(relativ);
    if (QFileInfo(pfad).isFile()) return QDir::toNativeSeparators(QDir::cleanPath(pfad));
  }
  return relativ;
}

// --- Tf_Flurstuecke ---------------------------------------------------------------

Tf_Flurstuecke::Tf_Flurstuecke(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("f_Flurstuecke"));
  setWindowTitle(QStringLiteral("Flurstücke"));
  resize(1000, 640);

  modell_ = new FlurstueckModell(tabelle_, this);

  LabeledEdit1 = new QLineEdit(Beispielkataster(QCoreApplication::applicationDirPath()), this);
  LabeledEdit1->setObjectName(QStringLiteral("LabeledEdit1"));
  LabeledEdit1Label = new QLabel(QStringLiteral("CSV-Datei zum Importieren von Flurstücken"), this);
  LabeledEdit1Label->setObjectName(QStringLiteral("LabeledEdit1Label"));
  LabeledEdit1Label->setBuddy(LabeledEdit1);

  BitBtn1 = new QPushButton(QStringLiteral("CSV-Datei auswählen"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn2 = new QPushButton(QStringLiteral("Datei importieren"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn3 = new QPushButton(QStringLiteral("Sortieren"), this);
  BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
  BitBtn4 = new QPushButton(QStringLiteral("Exportdatei schreiben"), this);
  BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
  ImportBtn = new QPushButton(QStringLiteral("Tabelle in Adressendatei  importieren"), this);
  ImportBtn->setObjectName(QStringLiteral("ImportBtn"));
  // Enter in the path box must not start an action.
  for (QPushButton* knopf : {BitBtn1, BitBtn2, BitBtn3, BitBtn4, ImportBtn}) knopf->setAutoDefault(false);

  StatusLabel = new QLabel(this);
  StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
  StatusLabel->setTextFormat(Qt::PlainText);

  StringGrid1 = new QTableView(this);
  StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  StringGrid1->setModel(modell_);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
  StringGrid1->setWordWrap(false);
  // Column 0 stands in for the row headers.
  StringGrid1->verticalHeader()->hide();
  // Rows of one height: the view never measures a row, whatever the count.
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 8);
  QHeaderView* kopf = StringGrid1->horizontalHeader();
  kopf->setSectionResizeMode(QHeaderView::Interactive);
  kopf->setDefaultSectionSize(Spaltenbreite);
  kopf->setStretchLastSection(false);
  kopf->setHighlightSections(false);

  connect(BitBtn1, &QPushButton::clicked, this, &Tf_Flurstuecke::DateiAuswaehlenClick);
  connect(BitBtn2, &QPushButton::clicked, this, &Tf_Flurstuecke::DateiImportierenClick);
  connect(BitBtn3, &QPushButton::clicked, this, &Tf_Flurstuecke::SortierenClick);
  connect(BitBtn4, &QPushButton::clicked, this, &Tf_Flurstuecke::ExportSchreibenClick);
  connect(ImportBtn, &QPushButton::clicked, this, &Tf_Flurstuecke::UebertragenClick);

  auto* dateizeile = new QHBoxLayout;
  dateizeile->addWidget(LabeledEdit1, 1);
  dateizeile->addWidget(BitBtn1);

  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(BitBtn2);
  knoepfe->addWidget(BitBtn3);
  knoepfe->addWidget(BitBtn4);
  knoepfe->addStretch();
  knoepfe->addWidget(ImportBtn);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LabeledEdit1Label);
  layout->addLayout(dateizeile);
  layout->addLayout(knoepfe);
  layout->addWidget(StringGrid1, 1);
  layout->addWidget(StatusLabel);
}

Tf_Flurstuecke::~Tf_Flurstuecke() = default;

void Tf_Flurstuecke::DateiAuswaehlenClick() {
  app::DateiDialog dialog;
  dialog.Filter = parcels::FilterKataster;
  dialog.Dateiname = NachAnsi(LabeledEdit1->text());
  const std::optional<app::DateiWahl> wahl = app::OeffnenDialog(dialog);
  if (!wahl || !app::PfadDarstellbar(*wahl)) return;
  LabeledEdit1->setText(AusAnsi(wahl->Pfad));
}

void Tf_Flurstuecke::DateiImportierenClick() {
  const std::string utf8 = LabeledEdit1->text().toStdString();
  const std::optional<std::string> pfad = app::Utf8NachAnsiGenau(utf8);
  if (!pfad) {
    app::ZeigeMeldung(app::PfadNichtDarstellbarText(utf8));
    return;
  }
  parcels::Importbericht bericht;
  bool ok = false;
  modell_->Veraendern([&](parcels::Flurstuecktabelle& t) { ok = parcels::DateiImportieren(t, *pfad, &bericht); });
  if (!ok) {
    StatusLabel->clear();
    return;
  }
  eingelesen_ = *pfad;
  QString text =
      QStringLiteral("%1 %2 mit %3 %4 eingelesen.")
          .arg(bericht.Flurstuecke)
          .arg(bericht.Flurstuecke == 1 ? QStringLiteral("Flurstückszeile") : QStringLiteral("Flurstückszeilen"))
          .arg(bericht.Eigentuemer)
          .arg(bericht.Eigentuemer == 1 ? QStringLiteral("Eigentümer") : QStringLiteral("Eigentümern"));
  if (bericht.Utf8) text += QStringLiteral(" Die Datei war in UTF-8 geschrieben.");
  StatusLabel->setText(text);
}

void Tf_Flurstuecke::SortierenClick() {
  modell_->Veraendern([](parcels::Flurstuecktabelle& t) { parcels::Sortieren(t); });
}

void Tf_Flurstuecke::ExportSchreibenClick() { parcels::ExportSchreiben(tabelle_, parcels::ExportPfad, {eingelesen_}); }

void Tf_Flurstuecke::UebertragenClick() {
  int angehaengt = 0;
  parcels::TabelleUebertragen(tabelle_, &angehaengt, eingelesen_);
  StatusLabel->setText(QStringLiteral("%1 Eigentümer %2 an die Adressendatei angehängt.")
                           .arg(angehaengt)
                           .arg(angehaengt == 1 ? QStringLiteral("wurde") : QStringLiteral("wurden")));
}

}  // namespace davo::gui
