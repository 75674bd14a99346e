#include "letters/DU_xmlEditor.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>
#include <optional>
#include <string>
#include <vector>

#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Konfiguration.h"
#include "app/QtDialogDienst.h"
#include "app/Text.h"

namespace davo::gui {

namespace {

constexpr int ZeichenSpaltenbreite = 500;
constexpr int OffsetSpaltenbreite = 90;
// A caption longer than this is shown cut (a text of megabytes between two
// tags would slow every repaint).
constexpr std::size_t LaengsterTitel = 1000;
// Below the root, its children are opened after an import when there are
// at most this many (usually one: the declaration).
constexpr int OffeneKinder = 100;
constexpr char16_t SteuerzeichenBild = 0x2400;  // U+2400.. shows the control characters
constexpr char16_t LoeschzeichenBild = 0x2421;

const char* const FilterXml = "xml-Datei|*.xml|alle Dateien|*.*";
const char* const StartordnerXml = "c:\\ZQ-soft";

}  // namespace

QString XmlSichtbar(std::string_view bytes) {
  const bool gekuerzt = bytes.size() > LaengsterTitel;
  QString text = AusAnsi(std::string(bytes.substr(0, LaengsterTitel)));
  for (QChar& c : text) {
    if (c.unicode() < 0x20)
      c = QChar(static_cast<char16_t>(SteuerzeichenBild + c.unicode()));
    else if (c.unicode() == 0x7F)
      c = QChar(LoeschzeichenBild);
  }
  if (gekuerzt) text += QChar(0x2026);
  return text;
}

// --- XmlBaumModell ---------------------------------------------------------------------

XmlBaumModell::XmlBaumModell(QObject* parent) : QAbstractItemModel(parent) {}

void XmlBaumModell::Ansicht(const letters::XmlAnsicht* ansicht) {
  beginResetModel();
  ansicht_ = ansicht;
  endResetModel();
}

std::int32_t XmlBaumModell::KnotenVon(const QModelIndex& index) {
  return index.isValid() ? static_cast<std::int32_t>(index.internalId()) : -1;
}

QModelIndex XmlBaumModell::IndexVon(std::int32_t knoten) const {
  if (!ansicht_ || knoten < 0 || knoten >= ansicht_->Knotenzahl()) return QModelIndex();
  return createIndex(knoten == 0 ? 0 : ansicht_->ZeileImEltern(knoten), 0, static_cast<quintptr>(knoten));
}

QModelIndex XmlBaumModell::index(int zeile, int spalte, const QModelIndex& eltern) const {
  if (!hasIndex(zeile, spalte, eltern)) return QModelIndex();
  if (!eltern.isValid()) return createIndex(zeile, spalte, quintptr(0));
  const std::int32_t kind = ansicht_->Kind(KnotenVon(eltern), zeile);
  return createIndex(zeile, spalte, static_cast<quintptr>(kind));
}

QModelIndex XmlBaumModell::parent(const QModelIndex& index) const {
  const std::int32_t knoten = KnotenVon(index);
  if (!ansicht_ || knoten <= 0) return QModelIndex();
  return IndexVon(ansicht_->Eltern(knoten));
}

int XmlBaumModell::rowCount(const QModelIndex& eltern) const {
  if (!ansicht_ || ansicht_->Knotenzahl() == 0) return 0;
  if (!eltern.isValid()) return 1;
  if (eltern.column() != 0) return 0;
  return ansicht_->Kinderzahl(KnotenVon(eltern));
}

int XmlBaumModell::columnCount(const QModelIndex&) const { return 1; }

QVariant XmlBaumModell::data(const QModelIndex& index, int rolle) const {
  if (rolle != Qt::DisplayRole || !ansicht_ || !checkIndex(index, CheckIndexOption::IndexIsValid)) return QVariant();
  return XmlSichtbar(ansicht_->Titel(KnotenVon(index)));
}

Qt::ItemFlags XmlBaumModell::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

// --- XmlZeilenModell -------------------------------------------------------------------

XmlZeilenModell::XmlZeilenModell(QObject* parent) : QAbstractTableModel(parent) {}

void XmlZeilenModell::Ansicht(const letters::XmlAnsicht* ansicht) {
  beginResetModel();
  ansicht_ = ansicht;
  endResetModel();
}

int XmlZeilenModell::rowCount(const QModelIndex& eltern) const {
  return eltern.isValid() || !ansicht_ ? 0 : static_cast<int>(ansicht_->Zeilenzahl());
}

int XmlZeilenModell::columnCount(const QModelIndex& eltern) const { return eltern.isValid() ? 0 : 2; }

QVariant XmlZeilenModell::data(const QModelIndex& index, int rolle) const {
  if (!ansicht_ || !checkIndex(index, CheckIndexOption::IndexIsValid)) return QVariant();
  if (rolle == Qt::FontRole && index.column() == 1) return QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (rolle != Qt::DisplayRole) return QVariant();
  if (index.column() == 0) return QString::number(letters::XmlAnsicht::Offset(index.row()));
  return XmlSichtbar(ansicht_->Zeile(index.row()));
}

Qt::ItemFlags XmlZeilenModell::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

// --- TxmlEditor ------------------------------------------------------------------------

TxmlEditor::TxmlEditor(QWidget* parent) : QDialog(parent), ansicht_(std::make_unique<letters::XmlAnsicht>()) {
  setObjectName(QStringLiteral("xmlEditor"));
  setWindowTitle(QStringLiteral("XML-Editor"));
  resize(1100, 700);

  baum_ = new XmlBaumModell(this);
  zeilen_ = new XmlZeilenModell(this);
  baum_->Ansicht(ansicht_.get());
  zeilen_->Ansicht(ansicht_.get());

  LabeledEdit1 = new QLineEdit(this);
  LabeledEdit1->setObjectName(QStringLiteral("LabeledEdit1"));
  LabeledEdit1Label = new QLabel(QStringLiteral("xml-Dateiname"), this);
  LabeledEdit1Label->setObjectName(QStringLiteral("LabeledEdit1Label"));
  LabeledEdit1Label->setBuddy(LabeledEdit1);
  BitBtn1 = new QPushButton(QStringLiteral("Datei wählen"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn2 = new QPushButton(QStringLiteral("Datei importieren"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  SuchEdit = new QLineEdit(this);
  SuchEdit->setObjectName(QStringLiteral("SuchEdit"));
  SuchEdit->setPlaceholderText(QStringLiteral("Text im Baum suchen"));
  SuchEdit->setClearButtonEnabled(true);
  SuchBtn = new QPushButton(QStringLiteral("Suchen"), this);
  SuchBtn->setObjectName(QStringLiteral("SuchBtn"));
  // Enter in an edit must not press a button of its own accord.
  for (QPushButton* knopf : {BitBtn1, BitBtn2, SuchBtn}) knopf->setAutoDefault(false);

  TreeView1 = new QTreeView(this);
  TreeView1->setObjectName(QStringLiteral("TreeView1"));
  TreeView1->setModel(baum_);
  TreeView1->setHeaderHidden(true);
  // Rows of one height: the view never measures a row, whatever the count.
  TreeView1->setUniformRowHeights(true);
  TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);

  StringGrid1 = new QTableView(this);
  StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
  StringGrid1->setModel(zeilen_);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setWordWrap(false);
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  StringGrid1->setColumnWidth(0, OffsetSpaltenbreite);
  StringGrid1->setColumnWidth(1, ZeichenSpaltenbreite);

  connect(BitBtn1, &QPushButton::clicked, this, &TxmlEditor::DateiWaehlenClick);
  connect(BitBtn2, &QPushButton::clicked, this, &TxmlEditor::DateiImportierenClick);
  connect(SuchBtn, &QPushButton::clicked, this, &TxmlEditor::SuchenClick);
  connect(SuchEdit, &QLineEdit::returnPressed, this, &TxmlEditor::SuchenClick);

  auto* dateizeile = new QHBoxLayout;
  dateizeile->addWidget(LabeledEdit1, 1);
  dateizeile->addWidget(BitBtn1);

  auto* teiler = new QSplitter(Qt::Horizontal, this);
  teiler->addWidget(TreeView1);
  teiler->addWidget(StringGrid1);
  teiler->setStretchFactor(0, 1);

  auto* unten = new QHBoxLayout;
  unten->addWidget(BitBtn2);
  unten->addStretch();
  unten->addWidget(SuchEdit);
  unten->addWidget(SuchBtn);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LabeledEdit1Label);
  layout->addLayout(dateizeile);
  layout->addWidget(teiler, 1);
  layout->addLayout(unten);
}

TxmlEditor::~TxmlEditor() = default;

void TxmlEditor::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (LabeledEdit1->text().isEmpty()) LabeledEdit1->setText(AusAnsi(app::Konfiguration.XmlDatei()));
}

void TxmlEditor::done(int ergebnis) {
  // A name the configuration cannot hold keeps the one it has.
  if (const std::optional<std::string> name = app::Utf8NachAnsiGenau(LabeledEdit1->text().toStdString())) {
    app::Konfiguration.SetzeXmlDatei(*name);
    app::SchreibeKonfiguration();
  }
  QDialog::done(ergebnis);
}

void TxmlEditor::DateiWaehlenClick() {
  app::DateiDialog dialog;
  dialog.Filter = FilterXml;
  dialog.StartOrdner = StartordnerXml;
  const std::optional<app::DateiWahl> wahl = app::OeffnenDialog(dialog);
  if (!wahl || !app::PfadDarstellbar(*wahl)) return;
  LabeledEdit1->setText(AusAnsi(wahl->Pfad));
  app::Konfiguration.SetzeXmlDatei(wahl->Pfad);
  app::SchreibeKonfiguration();
}

void TxmlEditor::Zeigen(std::unique_ptr<letters::XmlAnsicht> neu) {
  // The views let go of the old model before it goes.
  baum_->Ansicht(nullptr);
  zeilen_->Ansicht(nullptr);
  ansicht_ = std::move(neu);
  baum_->Ansicht(ansicht_.get());
  zeilen_->Ansicht(ansicht_.get());
}

void TxmlEditor::DateiImportierenClick() {
  const std::string utf8 = LabeledEdit1->text().toStdString();
  const std::optional<std::string> pfad = app::Utf8NachAnsiGenau(utf8);
  if (!pfad) {
    app::ZeigeMeldung(app::PfadNichtDarstellbarText(utf8));
    return;
  }
  // A file that is there replaces what is shown: the old one goes first, so
  // that two large files are never held at once.
  if (app::DateiExistiert(app::Kurz(*pfad, 255))) Zeigen(std::make_unique<letters::XmlAnsicht>());
  auto neu = std::make_unique<letters::XmlAnsicht>();
  if (neu->Importieren(*pfad) == letters::XmlAnsicht::Ergebnis::NichtGefunden) return;
  Zeigen(std::move(neu));

  const QModelIndex wurzel = baum_->index(0, 0);
  TreeView1->expand(wurzel);
  if (baum_->rowCount(wurzel) <= OffeneKinder)
    for (int i = 0; i < baum_->rowCount(wurzel); ++i) TreeView1->expand(baum_->index(i, 0, wurzel));
  if (!ansicht_->Abbruchmeldung().empty()) app::ZeigeMeldung(ansicht_->Abbruchmeldung());
}

void TxmlEditor::SuchenClick() {
  const QString text = SuchEdit->text();
  if (text.isEmpty()) return;
  // The text as typed, and as the bytes of a UTF-8 file show it.
  std::vector<std::string> gesucht{text.toStdString()};
  if (const std::optional<std::string> ansi = app::Utf8NachAnsiGenau(gesucht[0])) gesucht.push_back(*ansi);
  const std::int32_t knoten = ansicht_->Suchen(gesucht, XmlBaumModell::KnotenVon(TreeView1->currentIndex()));
  if (knoten < 0) {
    std::string meldung = "\"";
    meldung += NachAnsi(text);
    meldung += "\" wurde im Baum nicht gefunden.";
    app::ZeigeMeldung(meldung);
    return;
  }
  const QModelIndex index = baum_->IndexVon(knoten);
  TreeView1->setCurrentIndex(index);
  TreeView1->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

}  // namespace davo::gui
