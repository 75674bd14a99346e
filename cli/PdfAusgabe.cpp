#include "PdfAusgabe.h"

#include "Befehle.h"
#include "app/Dialoge.h"
#include "app/Text.h"

#if DAVO_MIT_PDF
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <filesystem>

#include "app/DateiIO.h"
#include "app/Pfade.h"
#endif

namespace davo::cli {

#if DAVO_MIT_PDF

// ---------------------------------------------------------------------------
// The PDF printer

PdfSammelflaeche::PdfSammelflaeche(const QString& pfad) : schreiber_(pfad), flaeche_(&schreiber_) {
  schreiber_.setPageLayout(
      QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
  schreiber_.setResolution(600);
  schreiber_.setCreator(QStringLiteral("davo"));
}

void PdfSammelflaeche::DokumentBeginnen() {
  if (begonnen_)
    flaeche_.NeueSeite();
  else
    flaeche_.DokumentBeginnen();
  begonnen_ = true;
  ++auftraege_;
}

void PdfSammelflaeche::Abschliessen() {
  if (begonnen_) flaeche_.DokumentBeenden();
  begonnen_ = false;
}

// The PDF file is the printer: the print dialog of every job says yes.
PdfDrucker::PdfDrucker(const QString& pfad) : flaeche_(pfad), vorher_(printing::Drucker()) {
  printing::InstalliereDrucker(&flaeche_);
  if (auto* terminal = dynamic_cast<TerminalDialoge*>(app::AktuellerDialogDienst())) terminal->SetzeDruckdialog(true);
}

PdfDrucker::~PdfDrucker() {
  if (auto* terminal = dynamic_cast<TerminalDialoge*>(app::AktuellerDialogDienst())) terminal->SetzeDruckdialog(false);
  flaeche_.Abschliessen();
  printing::InstalliereDrucker(vorher_);
}

// ---------------------------------------------------------------------------
// Qt

namespace {
int argc_ = 1;
char name_[] = "davo";
char* argv_[] = {name_, nullptr};
}  // namespace

QtSitzung::QtSitzung() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
#ifdef Q_OS_WIN
  // On Windows the offscreen platform reads fonts from a folder of Qt's own,
  // which an installed program lacks: it takes the system's fonts instead.
  if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR") && !qEnvironmentVariableIsEmpty("WINDIR"))
    qputenv("QT_QPA_FONTDIR", (qEnvironmentVariable("WINDIR") + QStringLiteral("\\Fonts")).toLocal8Bit());
#endif
  if (!QGuiApplication::instance()) anwendung_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

QtSitzung::~QtSitzung() = default;

// ---------------------------------------------------------------------------
// Files

namespace {

bool DieselbeDatei(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(app::DateiPfad(a), app::DateiPfad(b), ec);
}

// The output may not be one of the files read: writing it would destroy them.
bool AusgabeErlaubt(const std::string& ausgabe, const std::vector<std::string>& eingaben) {
  if (!app::DateiExistiert(ausgabe)) return true;
  for (const std::string& e : eingaben)
    if (DieselbeDatei(ausgabe, e)) {
      Melde("Die PDF-Datei darf keine der gelesenen Dateien sein: " + app::AnsiNachUtf8(ausgabe));
      return false;
    }
  return true;
}

// Creates the output file, which shows at once whether it can be written.
bool AusgabeAnlegen(const std::string& pfad) {
  app::IOSchritte schritte(pfad);
  app::Datei datei;
  datei.Zuordnen(pfad);
  if (schritte.Pruefe()) {
    datei.Anlegen(1);
    if (schritte.Pruefe()) {
      datei.Schliessen();
      schritte.Pruefe();
    }
  }
  return app::ZeigeIOErgebnis(schritte.Ergebnis());
}

}  // namespace

QString QtPfad(const std::string& ansi) { return QString::fromStdU16String(app::DateiPfad(ansi).u16string()); }

bool PdfGeschrieben(const std::string& pfad) {
  QFile datei(QtPfad(pfad));
  if (datei.open(QIODevice::ReadOnly) && datei.read(5) == "%PDF-") return true;
  Melde("Die PDF-Datei konnte nicht geschrieben werden: " + app::AnsiNachUtf8(pfad));
  return false;
}

std::optional<std::string> PdfAusgabeAnlegen(const std::string& utf8, const std::vector<std::string>& eingaben) {
  std::optional<std::string> pfad = AnsiPfad(utf8);
  if (!pfad || !AusgabeErlaubt(*pfad, eingaben) || !AusgabeAnlegen(*pfad)) return std::nullopt;
  return pfad;
}

bool PdfMoeglich() { return true; }

bool InPdfDrucken(const std::string& pdfUtf8, const std::vector<std::string>& gelesen,
                  const std::function<bool()>& drucken) {
  const std::optional<std::string> ausgabe = PdfAusgabeAnlegen(pdfUtf8, gelesen);
  if (!ausgabe) return false;
  bool ok = true;
  {
    const QtSitzung qt;
    const PdfDrucker drucker(QtPfad(*ausgabe));
    ok = drucken();
  }
  return PdfGeschrieben(*ausgabe) && ok;
}

#else

bool PdfMoeglich() {
  Melde("Diese Ausgabe von davo kann keine PDF-Dateien schreiben: Sie wurde ohne Qt gebaut.");
  return false;
}

bool InPdfDrucken(const std::string&, const std::vector<std::string>&, const std::function<bool()>&) {
  return PdfMoeglich();
}

#endif

}  // namespace davo::cli
