#include "addresses/DU_Adresse.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "addresses/AdrAuswahl.h"
#include "addresses/Adresse.h"
#include "app/QtDialogDienst.h"

namespace davo::gui {

using addresses::AdressenmanagerModell;

namespace {

constexpr int AnzahlBoxen = AdressenmanagerModell::AnzahlBoxen;

// Captions of the labels beside ComboBox1 .. ComboBox21.
const char* const Beschriftungen[AnzahlBoxen + 1] = {
    nullptr,
    "Anrede",
    "Name",
    "Ergänzung",
    "Sortierung",
    "Straße",
    "Postfach",
    "PLZ Ort",
    "Telefon",
    "Fax",
    "e-Mail",
    "Hompage",
    "Bankname",
    "BLZ",
    "Kontonr.",
    "IBAN",
    "BIC",
    "aktuelle MandatsNr.",
    "zuletzt verwendete Mandatsnr.",
    "Fläche",
    "Steuernummer",
    "Umsatzsteuer ID",
};

// The boxes of the left column; the rest stand in the right one.
constexpr int LinkeSpalte = 11;

constexpr int NameBox = AdressenmanagerModell::NameBox;
constexpr int IbanBox = AdressenmanagerModell::IbanBox;
constexpr int BicBox = AdressenmanagerModell::BicBox;
constexpr int FlaechenBox = AdressenmanagerModell::FlaechenBox;

// How many characters can be typed into the name box. A longer name read from
// the file is kept whole; it can only be shortened.
constexpr int NamensLaenge = 30;

// Typing in capitals only, also for pasted text.
class Grossschreibung : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& eingabe, int& position) const override {
    eingabe = eingabe.toUpper();
    if (position > eingabe.size()) position = static_cast<int>(eingabe.size());
    return Acceptable;
  }
};

void NamensgrenzeSetzen(QLineEdit* zeile, const QString& text) {
  zeile->setMaxLength(std::max(NamensLaenge, static_cast<int>(text.size())));
}

}  // namespace

TF_Adressen::TF_Adressen(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("F_Adressen"));
  setWindowTitle(QStringLiteral(" Adressenmanager"));

  addresses::AktAdresse.Leeren();
  addresses::AnzahlAdressen = 0;
  addresses::GewaehlteAdrNr = 0;

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  // Only one page is ever shown: the tab bar takes no focus.
  PageControl1->setFocusPolicy(Qt::NoFocus);
  PageControl1->tabBar()->setFocusPolicy(Qt::NoFocus);
  const char* const seiten[] = {"Adresse", "Filter", "Bemerkungen", "Aktionen", "Rechnungen", "Datum"};
  for (int i = 0; i < 6; ++i) {
    auto* seite = new QWidget(PageControl1);
    seite->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
    PageControl1->addTab(seite, QString::fromUtf8(seiten[i]));
    if (i == 0) SeiteAdresseAufbauen(seite);
  }

  WeiterBtn = new QPushButton(QStringLiteral("&Weiter"), this);
  WeiterBtn->setObjectName(QStringLiteral("WeiterBtn"));
  ZurueckBtn = new QPushButton(QStringLiteral("&Zurück"), this);
  ZurueckBtn->setObjectName(QStringLiteral("ZurueckBtn"));
  NeuBtn = new QPushButton(QStringLiteral("&Neu"), this);
  NeuBtn->setObjectName(QStringLiteral("NeuBtn"));
  SuchenBtn = new QPushButton(QStringLiteral("Adresse suchen"), this);
  SuchenBtn->setObjectName(QStringLiteral("SuchenBtn"));
  EndeBtn = new QPushButton(QStringLiteral("&Ende"), this);
  EndeBtn->setObjectName(QStringLiteral("EndeBtn"));
  AbbruchBtn = new QPushButton(QStringLiteral("&Abbruch"), this);
  AbbruchBtn->setObjectName(QStringLiteral("AbbruchBtn"));
  // Enter in a box must not move to another record.
  for (QPushButton* knopf : {WeiterBtn, ZurueckBtn, NeuBtn, SuchenBtn, EndeBtn, AbbruchBtn}) knopf->setAutoDefault(false);

  connect(WeiterBtn, &QPushButton::clicked, this, [this] { Schritt(&AdressenmanagerModell::Weiter); });
  connect(ZurueckBtn, &QPushButton::clicked, this, [this] { Schritt(&AdressenmanagerModell::Zurueck); });
  connect(NeuBtn, &QPushButton::clicked, this, &TF_Adressen::NeuClick);
  connect(SuchenBtn, &QPushButton::clicked, this, [this] { Schritt(&AdressenmanagerModell::Suchen); });
  connect(EndeBtn, &QPushButton::clicked, this, &TF_Adressen::EndeClick);
  // Closes without storing what is shown.
  connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::reject);

  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(WeiterBtn);
  knoepfe->addWidget(ZurueckBtn);
  knoepfe->addWidget(NeuBtn);
  knoepfe->addWidget(SuchenBtn);
  knoepfe->addStretch();
  knoepfe->addWidget(EndeBtn);
  knoepfe->addWidget(AbbruchBtn);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl1, 1);
  layout->addLayout(knoepfe);

  // Down the left column, down the right one, the actions, then the buttons.
  QList<QWidget*> reihe;
  for (int k = 1; k <= AnzahlBoxen; ++k) reihe << ComboBox[static_cast<std::size_t>(k)];
  reihe << CheckBox1 << CheckBox2 << WeiterBtn << ZurueckBtn << NeuBtn << SuchenBtn << EndeBtn << AbbruchBtn;
  for (qsizetype i = 0; i + 1 < reihe.size(); ++i) setTabOrder(reihe[i], reihe[i + 1]);
}

void TF_Adressen::SeiteAdresseAufbauen(QWidget* seite) {
  Label1 = new QLabel(seite);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setTextFormat(Qt::PlainText);
  QFont fett = Label1->font();
  fett.setBold(true);
  Label1->setFont(fett);
  Ausg_LfdAdrNr = new QLabel(seite);
  Ausg_LfdAdrNr->setObjectName(QStringLiteral("Ausg_LfdAdrNr"));
  Ausg_LfdAdrNr->setTextFormat(Qt::PlainText);
  Ausg_LfdAdrNr->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  auto* kopf = new QHBoxLayout;
  kopf->addWidget(Label1, 1);
  kopf->addWidget(Ausg_LfdAdrNr);

  // Two columns of label and box; the actions stand below the right one.
  QGridLayout* spalten[2] = {new QGridLayout, new QGridLayout};
  for (QGridLayout* spalte : spalten) spalte->setColumnStretch(1, 1);
  for (int k = 1; k <= AnzahlBoxen; ++k) {
    auto* box = new QComboBox(seite);
    box->setObjectName(QStringLiteral("ComboBox%1").arg(k));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(22);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox[static_cast<std::size_t>(k)] = box;

    auto* beschriftung = new QLabel(QString::fromUtf8(Beschriftungen[k]), seite);
    beschriftung->setObjectName(QStringLiteral("Beschriftung%1").arg(k));
    beschriftung->setBuddy(box);

    const bool links = k <= LinkeSpalte;
    QGridLayout* spalte = spalten[links ? 0 : 1];
    const int zeile = links ? k - 1 : k - LinkeSpalte - 1;
    spalte->addWidget(beschriftung, zeile, 0);
    spalte->addWidget(box, zeile, 1);
  }

  for (const char* anrede : addresses::AnredeVorgaben) ComboBox[1]->addItem(AusAnsi(anrede));
  ComboBox[1]->setCurrentIndex(-1);

  QLineEdit* name = ComboBox[NameBox]->lineEdit();
  name->setMaxLength(NamensLaenge);
  connect(name, &QLineEdit::textEdited, this, [name](const QString& text) { NamensgrenzeSetzen(name, text); });

  for (int k : {IbanBox, BicBox}) {
    QComboBox* box = ComboBox[static_cast<std::size_t>(k)];
    box->setValidator(new Grossschreibung(box));
    box->setInputMethodHints(Qt::ImhUppercaseOnly);
  }
  ComboBox[NameBox]->installEventFilter(this);
  ComboBox[IbanBox]->installEventFilter(this);

  IbanHinweis = new QLabel(seite);
  IbanHinweis->setObjectName(QStringLiteral("IbanHinweis"));
  IbanHinweis->setTextFormat(Qt::PlainText);
  QPalette rot = IbanHinweis->palette();
  rot.setColor(QPalette::WindowText, Qt::darkRed);
  IbanHinweis->setPalette(rot);
  spalten[1]->addWidget(IbanHinweis, IbanBox - LinkeSpalte - 1, 2);
  connect(ComboBox[IbanBox], &QComboBox::editTextChanged, this, [this](const QString& text) {
    modell_.Texte[IbanBox] = NachAnsi(text);
    IbanHinweis->setText(AusAnsi(modell_.IbanHinweis()));
  });

  GroupBox1 = new QGroupBox(QStringLiteral("Aktionen"), seite);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  CheckBox1 = new QCheckBox(QStringLiteral("Serienbrief drucken"), GroupBox1);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox2 = new QCheckBox(QStringLiteral("Auszahlung freigegeben"), GroupBox1);
  CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
  auto* aktionen = new QVBoxLayout(GroupBox1);
  aktionen->addWidget(CheckBox1);
  aktionen->addWidget(CheckBox2);

  Label23 = new QLabel(seite);
  Label23->setObjectName(QStringLiteral("Label23"));
  Label23->setTextFormat(Qt::PlainText);

  const int rechtsUnten = AnzahlBoxen - LinkeSpalte;
  spalten[1]->addWidget(GroupBox1, rechtsUnten, 0, 1, 2);
  spalten[1]->addWidget(Label23, rechtsUnten + 1, 0, 1, 2);
  for (QGridLayout* spalte : spalten) spalte->setRowStretch(spalte->rowCount(), 1);

  auto* raster = new QHBoxLayout;
  raster->addLayout(spalten[0], 1);
  raster->addSpacing(12);
  raster->addLayout(spalten[1], 1);

  auto* seitenLayout = new QVBoxLayout(seite);
  seitenLayout->addLayout(kopf);
  seitenLayout->addLayout(raster, 1);
}

void TF_Adressen::Anzeigen() {
  for (int k = 1; k <= AnzahlBoxen; ++k) {
    const QString text = AusAnsi(modell_.Texte[static_cast<std::size_t>(k)]);
    QComboBox* box = ComboBox[static_cast<std::size_t>(k)];
    if (k == NameBox) NamensgrenzeSetzen(box->lineEdit(), text);
    box->setEditText(text);
  }
  CheckBox1->setChecked(modell_.SerienbriefDrucken);
  CheckBox2->setChecked(modell_.AuszahlungFreigegeben);
  Label23->setText(AusAnsi(modell_.LabelGruppe));
  Ausg_LfdAdrNr->setText(AusAnsi(modell_.LabelNummer));
  Label1->setText(AusAnsi(modell_.LabelName));
}

void TF_Adressen::Uebernehmen() {
  for (int k = 1; k <= AnzahlBoxen; ++k)
    modell_.Texte[static_cast<std::size_t>(k)] = NachAnsi(ComboBox[static_cast<std::size_t>(k)]->currentText());
  modell_.SerienbriefDrucken = CheckBox1->isChecked();
  modell_.AuszahlungFreigegeben = CheckBox2->isChecked();
}

void TF_Adressen::Schritt(void (AdressenmanagerModell::*schritt)()) {
  Uebernehmen();
  (modell_.*schritt)();
  Anzeigen();
  FokusNachSchritt();
}

void TF_Adressen::NeuClick() {
  Uebernehmen();
  const bool neu = modell_.Neu();
  Anzeigen();
  if (neu)
    ComboBox[1]->setFocus(Qt::OtherFocusReason);
  else
    FokusNachSchritt();
}

void TF_Adressen::EndeClick() {
  Uebernehmen();
  if (modell_.Ende()) {
    accept();
    return;
  }
  Anzeigen();
  FokusNachSchritt();
}

void TF_Adressen::FokusNachSchritt() {
  if (!modell_.FlaecheAbgelehnt) return;
  QComboBox* flaeche = ComboBox[FlaechenBox];
  flaeche->setFocus(Qt::OtherFocusReason);
  flaeche->lineEdit()->selectAll();
}

void TF_Adressen::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window restored from the task bar is not opened again.
  if (event->spontaneous()) return;
  for (int i = 1; i < PageControl1->count(); ++i) PageControl1->setTabVisible(i, false);
  PageControl1->setCurrentIndex(0);
  modell_.Oeffnen();
  setWindowTitle(AusAnsi(modell_.Titel));
  Anzeigen();
  ComboBox[1]->setFocus(Qt::OtherFocusReason);
}

void TF_Adressen::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TF_Adressen::closeEvent(QCloseEvent* event) {
  Uebernehmen();
  switch (modell_.Verlassen()) {
    case AdressenmanagerModell::Abschluss::Gespeichert:
      event->accept();
      accept();
      return;
    case AdressenmanagerModell::Abschluss::Verworfen:
      QDialog::closeEvent(event);
      return;
    case AdressenmanagerModell::Abschluss::Bleiben:
      event->ignore();
      Anzeigen();
      FokusNachSchritt();
      return;
  }
}

bool TF_Adressen::eventFilter(QObject* ziel, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    // Opening the drop-down list or switching to another window does not
    // leave the box.
    const Qt::FocusReason grund = static_cast<QFocusEvent*>(event)->reason();
    if (grund != Qt::PopupFocusReason && grund != Qt::ActiveWindowFocusReason) {
      if (ziel == ComboBox[NameBox]) {
        Uebernehmen();
        modell_.NameVerlassen();
        Anzeigen();
      } else if (ziel == ComboBox[IbanBox]) {
        Uebernehmen();
        modell_.IbanVerlassen();
        Anzeigen();
      }
    }
  }
  return QDialog::eventFilter(ziel, event);
}

}  // namespace davo::gui
