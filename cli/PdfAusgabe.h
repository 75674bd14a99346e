#pragma once
// The PDF output shared by the printing commands: InPdfDrucken prints into
// a new PDF file through a PDF writer installed as the printer for one
// command, a dialog service that says yes to the print dialog, Qt without a
// display, and the checks of the output file. Builds without Qt have none of
// it and refuse.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#if DAVO_MIT_PDF
#include <QBuffer>
#include <QByteArray>
#include <QPdfWriter>
#include <QString>
#include <memory>

#include "Befehle.h"
#include "QtDruckflaeche.h"
#include "printing/Druckflaeche.h"

class QGuiApplication;
#endif

namespace davo::cli {

// Whether this build writes PDF files; says so when it does not.
bool PdfMoeglich();

// Prints whatever drucken prints into a PDF file, whose path is given as
// typed (UTF-8); the files read (program text) are kept from being
// overwritten. The document is made in memory and written through the file
// layer in place of the file once it is complete: the file is then whole or
// not there (an old one stays as it was). drucken returns whether its own
// part went well. False, with a message, when the file could not be written,
// or drucken failed.
bool InPdfDrucken(const std::string& pdfUtf8, const std::vector<std::string>& gelesen,
                  const std::function<bool()>& drucken);

#if DAVO_MIT_PDF

// One PDF document (A4, 600 dpi) for every print job of a command, written
// into ziel: the first job starts the document, each further job starts a
// new page of it, and the end of a job ends nothing; Abschliessen ends the
// document.
class PdfSammelflaeche : public printing::Druckflaeche {
 public:
  explicit PdfSammelflaeche(QIODevice* ziel);

  int SeitenBreite() override { return flaeche_.SeitenBreite(); }
  int SeitenHoehe() override { return flaeche_.SeitenHoehe(); }
  bool Querformat() override { return flaeche_.Querformat(); }
  void SetzeQuerformat(bool quer) override { flaeche_.SetzeQuerformat(quer); }
  void SetzeTitel(const std::string& titel) override { flaeche_.SetzeTitel(titel); }
  void DokumentBeginnen() override;
  void NeueSeite() override { flaeche_.NeueSeite(); }
  void DokumentBeenden() override {}
  void SetzeSchrift(const std::string& name) override { flaeche_.SetzeSchrift(name); }
  void SetzeSchriftgroesse(int punkte) override { flaeche_.SetzeSchriftgroesse(punkte); }
  void SetzeFett(bool fett) override { flaeche_.SetzeFett(fett); }
  int TextBreite(const std::string& text) override { return flaeche_.TextBreite(text); }
  int TextHoehe(const std::string& text) override { return flaeche_.TextHoehe(text); }
  void Text(int x, int y, const std::string& text) override { flaeche_.Text(x, y, text); }
  void Linie(int x1, int y1, int x2, int y2) override { flaeche_.Linie(x1, y1, x2, y2); }

  void Abschliessen();
  int Auftraege() const { return auftraege_; }

 private:
  QPdfWriter schreiber_;  // declared first: outlives the surface drawing on it
  qtdruck::QtDruckflaeche flaeche_;
  bool begonnen_ = false;
  int auftraege_ = 0;
};

// Qt for fonts and the PDF writer, without a display unless one is asked
// for; an application object that exists already is used.
class QtSitzung {
 public:
  QtSitzung();
  ~QtSitzung();
  QtSitzung(const QtSitzung&) = delete;
  QtSitzung& operator=(const QtSitzung&) = delete;

 private:
  std::unique_ptr<QGuiApplication> anwendung_;
};

// The PDF printer installed in place of the printer for one command.
class PdfDrucker {
 public:
  explicit PdfDrucker(QIODevice* ziel);
  ~PdfDrucker();
  PdfDrucker(const PdfDrucker&) = delete;
  PdfDrucker& operator=(const PdfDrucker&) = delete;

  int Auftraege() const { return flaeche_.Auftraege(); }

 private:
  PdfSammelflaeche flaeche_;
  printing::Druckflaeche* vorher_;
};

#endif

}  // namespace davo::cli
