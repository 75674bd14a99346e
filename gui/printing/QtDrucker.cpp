#include "printing/QtDrucker.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPaintEngine>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSignalBlocker>
#include <optional>
#include <string>

#include "QtDruckflaeche.h"
#include "app/DU_Einstdruck.h"
#include "app/DateiIO.h"
#include "app/Dialoge.h"
#include "app/Text.h"

namespace davo::gui {

namespace {

QtDrucker* aktiv = nullptr;

QWidget* Elternfenster() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

// The printer as the drawing target of a replay: the job title becomes the
// document name; whether the printer could be started is kept.
class Druckziel : public qtdruck::QtDruckflaeche {
 public:
  explicit Druckziel(QPrinter& drucker) : QtDruckflaeche(&drucker), drucker_(drucker) {}

  void SetzeTitel(const std::string& titel) override {
    QtDruckflaeche::SetzeTitel(titel);
    drucker_.setDocName(titel_);
  }

  void DokumentBeginnen() override {
    QtDruckflaeche::DokumentBeginnen();
    if (maler_->isActive()) return;
    // Nothing more is drawn (and nothing set on a painter that is not active).
    gescheitert_ = true;
    maler_.reset();
  }

  bool Gescheitert() const { return gescheitert_; }

 private:
  QPrinter& drucker_;
  bool gescheitert_ = false;
};

}  // namespace

// Measures on the printer; back to the printer's default font after each job,
// as the replay starts from it.
class QtDrucker::Messflaeche : public qtdruck::QtDruckflaeche {
 public:
  using QtDruckflaeche::QtDruckflaeche;
  void Zuruecksetzen() {
    schrift_ = QFont();
    titel_.clear();
  }
};

// The recording the program draws on; its end hands the job on.
class QtDrucker::Band : public printing::Aufzeichnung {
 public:
  Band(Messflaeche* messen, QtDrucker& drucker) : Aufzeichnung(messen), drucker_(drucker) {}
  void DokumentBeenden() override {
    Aufzeichnung::DokumentBeenden();
    drucker_.Abgeschlossen();
  }

 private:
  QtDrucker& drucker_;
};

QtDrucker::QtDrucker(TF_einstDruck& einstellungen)
    : einstellungen_(einstellungen),
      messen_(std::make_unique<Messflaeche>(einstellungen.Drucker())),
      band_(std::make_unique<Band>(messen_.get(), *this)) {
  aktiv = this;
  printing::InstalliereDrucker(band_.get());
}

QtDrucker::~QtDrucker() {
  if (printing::Drucker() == band_.get()) printing::InstalliereDrucker(nullptr);
  if (aktiv == this) aktiv = nullptr;
}

QtDrucker* QtDrucker::Aktiv() { return aktiv; }

QPrinter* QtDrucker::Drucker() { return einstellungen_.Drucker(); }

void QtDrucker::Abgeschlossen() {
  // The job is taken off the band first, so the next job starts empty even
  // while this one is still in the preview.
  printing::Aufzeichnung auftrag(nullptr);
  band_->Wiedergeben(auftrag);
  band_->Leeren();
  messen_->Zuruecksetzen();
  ++auftraege_;
  if (Beobachter) Beobachter(auftrag);
  Ausgeben(auftrag);
}

void QtDrucker::Ausgeben(const printing::Aufzeichnung& auftrag) {
  QPrinter* drucker = Drucker();
  if (!einstellungen_.VorschauZeigen()) {
    if (!Wiedergeben(auftrag, *drucker)) app::ZeigeMeldung("Der Drucker konnte nicht angesprochen werden.");
    return;
  }
  QPrintPreviewDialog vorschau(drucker, Elternfenster());
  vorschau.setObjectName(QStringLiteral("Druckvorschau"));
  QObject::connect(&vorschau, &QPrintPreviewDialog::paintRequested, &vorschau,
                   [&auftrag](QPrinter* ziel) { Wiedergeben(auftrag, *ziel); });
  vorschau.exec();
}

bool QtDrucker::Wiedergeben(const printing::Aufzeichnung& auftrag, QPrinter& drucker) {
  // (The preview draws on the same printer through an engine of its own.)
  const bool inPdfDatei = drucker.outputFormat() == QPrinter::PdfFormat && drucker.paintEngine() &&
                          drucker.paintEngine()->type() == QPaintEngine::Pdf;
  const QString pdf = inPdfDatei ? drucker.outputFileName() : QString();
  const std::optional<std::string> ziel = app::Utf8NachAnsiGenau(pdf.toStdString());
  if (pdf.isEmpty() || !ziel) {
    Druckziel geraet(drucker);
    auftrag.Wiedergeben(geraet);
    return !geraet.Gescheitert();
  }
  // Printed into a PDF file: the document goes into a new file beside it,
  // which takes the file's place only once it is complete. A full disk
  // leaves the old file (or none), never a part of a document.
  const std::string neu = *ziel + ".neu";
  drucker.setOutputFileName(QString::fromStdString(app::AnsiNachUtf8(neu)));
  bool gestartet = false;
  {
    Druckziel geraet(drucker);
    auftrag.Wiedergeben(geraet);
    gestartet = !geraet.Gescheitert();
  }
  drucker.setOutputFileName(pdf);
  if (!gestartet) {
    app::DateiLoeschen(neu);
    return false;
  }
  QFile datei(QString::fromStdString(app::AnsiNachUtf8(neu)));
  const bool vollstaendig = datei.open(QIODevice::ReadOnly) && app::PdfVollstaendig(datei.readAll().toStdString());
  datei.close();
  app::IOSchritte schritte(*ziel);
  if (vollstaendig) {
    app::DateiUmbenennen(neu, *ziel);
    schritte.Pruefe();
  }
  if (!vollstaendig || !schritte.Ok()) {
    app::DateiLoeschen(neu);
    if (schritte.Ok()) schritte.Uebernimm(app::IOErgebnis::Fehler(app::io::SchreibFehler, *ziel));
    app::ZeigeIOErgebnis(schritte.Ergebnis());
  }
  return true;
}

QCheckBox* NeueVorschauCheck(QWidget* parent) {
  auto* check = new QCheckBox(QStringLiteral("Vor dem Drucken Vorschau zeigen"), parent);
  check->setObjectName(QStringLiteral("VorschauCheck"));
  QObject::connect(check, &QCheckBox::toggled, check, [](bool an) {
    if (QtDrucker* drucker = QtDrucker::Aktiv()) drucker->Einstellungen().SetzeVorschauZeigen(an);
  });
  VorschauCheckAnzeigen(check);
  return check;
}

void VorschauCheckAnzeigen(QCheckBox* check) {
  QtDrucker* drucker = QtDrucker::Aktiv();
  const QSignalBlocker sperre(check);
  check->setEnabled(drucker != nullptr);
  check->setChecked(drucker && drucker->Einstellungen().VorschauZeigen());
}

}  // namespace davo::gui
