#include "payout/DU_JG_ausz.h"

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/Datum.h"
#include "app/Hauptmenue.h"
#include "app/QtDialogDienst.h"

namespace davo::gui {

namespace {

// Object names and captions of the edits, in the field order of the record.
struct Feldbeschriftung {
  const char *name, *text;
};
const Feldbeschriftung Felder[10] = {
    {"LabeledEdit1", "Auftraggeber"},
    {"LabeledEdit2", "Adresse Auftraggeber"},
    {"LabeledEdit3", "Name: Kreditinstitut"},
    {"LabeledEdit4", "BIC"},
    {"LabeledEdit5", "IBAN"},
    {"LabeledEdit6", "Kreditorennummer"},
    {"LabeledEdit7", "Auszahlungsbetrag / ha"},
    {"LabeledEdit8", "Kleinster auszuzahlender Betrag"},
    {"LabeledEdit9", "Belegtext 1"},
    {"LabeledEdit11", "Ordner zum Speichern der Sepadatei"},
};
constexpr std::size_t Ordnerfeld = 9;

// The record holds at most 255 characters per text.
constexpr int Feldlaenge = 255;

QDate AlsQDate(const app::DatumZeit& d) { return QDate(d.Jahr, d.Monat, d.Tag); }

app::DatumZeit AlsDatum(const QDate& q) {
  app::DatumZeit d;
  d.Jahr = q.year();
  d.Monat = q.month();
  d.Tag = q.day();
  d.Wochentag = app::WochentagVon(d.Jahr, d.Monat, d.Tag);
  return d;
}

}  // namespace

TF_Auszahlung::TF_Auszahlung(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("F_Auszahlung"));
  setWindowTitle(QString::fromLatin1(app::Anwendungstitel));

  std::array<QLabel*, 10> beschriftungen{};
  for (std::size_t i = 0; i < felder_.size(); ++i) {
    auto* feld = new QLineEdit(this);
    feld->setObjectName(QString::fromLatin1(Felder[i].name));
    feld->setMaxLength(Feldlaenge);
    feld->setMinimumWidth(260);
    felder_[i] = feld;
    auto* label = new QLabel(QString::fromUtf8(Felder[i].text), this);
    label->setBuddy(feld);
    beschriftungen[i] = label;
  }

  BitBtn1 = new QPushButton(QStringLiteral("Ordner Sepa-Datei wählen"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  connect(BitBtn1, &QPushButton::clicked, this, &TF_Auszahlung::OrdnerWaehlen);

  DateTimePicker1 = new QDateEdit(this);
  DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
  DateTimePicker1->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  DateTimePicker1->setCalendarPopup(true);
  auto* datumLabel = new QLabel(QStringLiteral("Ausführungsdatum der Sepa-Datei"), this);
  datumLabel->setBuddy(DateTimePicker1);

  SepaFormat = new QComboBox(this);
  SepaFormat->setObjectName(QStringLiteral("SepaFormat"));
  // In the order of the settings byte: 0, 1.
  SepaFormat->addItem(QStringLiteral("pain.001.001.09 (Standard)"));
  SepaFormat->addItem(QStringLiteral("pain.001.001.03 (nur für Banken, die es noch annehmen)"));
  auto* formatLabel = new QLabel(QStringLiteral("SEPA-Format"), this);
  formatLabel->setBuddy(SepaFormat);

  GroupBox1 = new QGroupBox(QStringLiteral("Sepa Einstellungen"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  auto* sepa = new QFormLayout(GroupBox1);
  sepa->setRowWrapPolicy(QFormLayout::WrapAllRows);
  for (std::size_t i = 0; i < 6; ++i) sepa->addRow(beschriftungen[i], felder_[i]);
  auto* ordner = new QHBoxLayout;
  ordner->addWidget(felder_[Ordnerfeld], 1);
  ordner->addWidget(BitBtn1);
  sepa->addRow(beschriftungen[Ordnerfeld], ordner);
  sepa->addRow(datumLabel, DateTimePicker1);
  sepa->addRow(formatLabel, SepaFormat);

  GroupBox2 = new QGroupBox(QStringLiteral("GroupBox2"), this);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  auto* betraege = new QFormLayout(GroupBox2);
  betraege->setRowWrapPolicy(QFormLayout::WrapAllRows);
  for (std::size_t i = 6; i < 9; ++i) betraege->addRow(beschriftungen[i], felder_[i]);

  GroupBox3 = new QGroupBox(QStringLiteral("Aktionen"), this);
  GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
  const auto knopf = [this](const char* name, const char* text) {
    auto* k = new QPushButton(QString::fromUtf8(text), GroupBox3);
    k->setObjectName(QString::fromLatin1(name));
    // Enter in an edit must not start a list.
    k->setAutoDefault(false);
    return k;
  };
  Button1 = knopf("Button1", "Auszahlungsliste für alle Flächen");
  Button2 = knopf("Button2", "Auszahlungsliste für freigegebene Flächen");
  Button3 = knopf("Button3", "Auszahlungsliste für nicht freigegebene Flächen");
  Button5 = knopf("Button5", "Auszahlungsliste für alle  Adressen Gruppe 0");
  Button6 = knopf("Button6", "Auszahlungsliste für alle  Adressen Gruppe 1");
  Button4 = knopf("Button4", "Sepa-Datei  für freigegebene Flächen");
  BitBtn1->setAutoDefault(false);

  connect(Button1, &QPushButton::clicked, this, [this] { Liste(1); });
  connect(Button2, &QPushButton::clicked, this, [this] { Liste(2); });
  connect(Button3, &QPushButton::clicked, this, [this] { Liste(3); });
  connect(Button5, &QPushButton::clicked, this, [this] { Liste(4); });
  connect(Button6, &QPushButton::clicked, this, [this] { Liste(5); });
  connect(Button4, &QPushButton::clicked, this, [this] {
    Uebernehmen();
    modell_.SepaDatei();
  });

  auto* aktionen = new QVBoxLayout(GroupBox3);
  for (QPushButton* k : {Button1, Button2, Button3, Button5, Button6, Button4}) aktionen->addWidget(k);
  aktionen->addStretch();

  auto* rechts = new QVBoxLayout;
  rechts->addWidget(GroupBox2);
  rechts->addWidget(GroupBox3, 1);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(GroupBox1, 1);
  layout->addLayout(rechts);
}

void TF_Auszahlung::Anzeigen() {
  setWindowTitle(AusAnsi(modell_.Titel));
  for (std::size_t i = 0; i < felder_.size(); ++i) felder_[i]->setText(AusAnsi(modell_.Texte[i]));
  DateTimePicker1->setDate(AlsQDate(modell_.Ausfuehrungsdatum));
  // A byte of another meaning shows no choice and stays until one is made.
  SepaFormat->setCurrentIndex(modell_.SepaFormatByte < SepaFormat->count() ? modell_.SepaFormatByte : -1);
}

void TF_Auszahlung::Uebernehmen() {
  for (std::size_t i = 0; i < felder_.size(); ++i) modell_.Texte[i] = NachAnsi(felder_[i]->text());
  modell_.Ausfuehrungsdatum = AlsDatum(DateTimePicker1->date());
  if (SepaFormat->currentIndex() >= 0) modell_.SepaFormatByte = static_cast<std::uint8_t>(SepaFormat->currentIndex());
}

void TF_Auszahlung::Liste(int art) {
  Uebernehmen();
  modell_.Liste(art);
}

void TF_Auszahlung::OrdnerWaehlen() {
  Uebernehmen();
  modell_.OrdnerWaehlen();
  Anzeigen();
}

void TF_Auszahlung::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window restored from the task bar is not opened again.
  if (event->spontaneous() || offen_) return;
  offen_ = true;
  modell_.Oeffnen();
  Anzeigen();
  felder_[0]->setFocus(Qt::OtherFocusReason);
}

void TF_Auszahlung::done(int ergebnis) {
  if (offen_) {
    offen_ = false;
    Uebernehmen();
    modell_.Schliessen();
  }
  QDialog::done(ergebnis);
}

}  // namespace davo::gui
