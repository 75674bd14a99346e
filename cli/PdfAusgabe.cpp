#include "PdfAusgabe.h"

#include "Befehle.h"
#include "app/Dialoge.h"
#include "app/Text.h"

#if DAVO_MIT_PDF
#include <QByteArray>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <filesystem>

#include "app/DateiIO.h"
#include "app/Pfade.h"
#elif defined(DAVO_PDF_PROGRAMM)
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "app/Plattform.h"
#endif

namespace davo::cli {

#if DAVO_MIT_PDF

// ---------------------------------------------------------------------------
// The PDF printer

PdfSammelflaeche::PdfSammelflaeche(QIODevice* ziel) : schreiber_(ziel), flaeche_(&schreiber_) {
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
PdfDrucker::PdfDrucker(QIODevice* ziel) : flaeche_(ziel), vorher_(printing::Drucker()) {
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

// The output may not be one of the files read: writing it would destroy them.
bool AusgabeErlaubt(const std::string& ausgabe, const std::vector<std::string>& eingaben) {
  for (const std::string& e : eingaben)
    if (app::DieselbeDatei(ausgabe, e)) {
      Melde("Die PDF-Datei darf keine der gelesenen Dateien sein: " + app::AnsiNachUtf8(ausgabe));
      return false;
    }
  return true;
}

}  // namespace

bool PdfVollstaendig(const QByteArray& pdf) { return pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"); }

bool PdfMoeglich() { return true; }

bool InPdfDrucken(const std::string& pdfUtf8, const std::vector<std::string>& gelesen,
                  const std::function<bool()>& drucken) {
  const std::optional<std::string> ausgabe = AnsiPfad(pdfUtf8);
  if (!ausgabe || !AusgabeErlaubt(*ausgabe, gelesen)) return false;
  // The new file beside the target first: a target that cannot be written
  // shows before anything is printed.
  app::IOSchritte schritte(*ausgabe);
  app::ErsatzDatei datei(*ausgabe);
  if (!schritte.Pruefe()) return app::ZeigeIOErgebnis(schritte.Ergebnis());
  QByteArray pdf;
  bool ok = true;
  {
    QBuffer puffer(&pdf);
    puffer.open(QIODevice::WriteOnly);
    const QtSitzung qt;
    const PdfDrucker drucker(&puffer);
    ok = drucken();
  }
  // A document with a part missing is no result either: what drucken could
  // not print it has said, and the file stays as it was.
  if (!ok) {
    datei.Verwerfen();
    return false;
  }
  if (!app::PdfVollstaendig(std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())))) {
    datei.Verwerfen();
    Melde("Die PDF-Datei konnte nicht geschrieben werden: " + app::AnsiNachUtf8(*ausgabe));
    return false;
  }
  const bool eingesetzt = datei.Schreiben(pdf.constData(), static_cast<std::size_t>(pdf.size())) && datei.Einsetzen();
  schritte.Pruefe();
  return app::ZeigeIOErgebnis(schritte.Ergebnis()) && eingesetzt;
}

#elif defined(DAVO_PDF_PROGRAMM)

// This program does without Qt, which would slow the start of every
// command; a command that writes a PDF file is run from its start by the
// program beside it that has Qt, in this one's place.
bool PdfMoeglich() {
  // Only beside this program: never one found in the working folder.
  const std::filesystem::path programm = app::plattform::ProgrammDatei();
  const std::filesystem::path zwilling = programm.parent_path() / DAVO_PDF_PROGRAMM;
  std::vector<std::string> argumente = app::plattform::ProgrammArgumente();
  if (programm.is_absolute() && !argumente.empty()) {
    argumente[0] = zwilling.string();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    app::plattform::ProgrammErsetzen(zwilling, argumente);
  }
  Melde("Diese Ausgabe von davo kann keine PDF-Dateien schreiben: " + zwilling.string() + " ist nicht zu starten.");
  return false;
}

bool InPdfDrucken(const std::string&, const std::vector<std::string>&, const std::function<bool()>&) {
  return PdfMoeglich();
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
