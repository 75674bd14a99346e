#pragma once
// The desktop program's printer in the window tests, set up the way Qt's
// print dialog sets it for "Drucken in PDF-Datei": every job goes into a PDF
// file.

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <memory>

#include "app/DU_Einstdruck.h"
#include "printing/Druckflaeche.h"
#include "printing/QtDrucker.h"

namespace davo::test {

// Print settings that write the PDF file pdf, and the printer over them.
inline void PdfDruckerEinrichten(std::unique_ptr<gui::TF_einstDruck>& einstellungen,
                                 std::unique_ptr<gui::QtDrucker>& drucker, const QString& pdf) {
  einstellungen = std::make_unique<gui::TF_einstDruck>();
  einstellungen->Drucker()->setOutputFormat(QPrinter::PdfFormat);
  einstellungen->Drucker()->setOutputFileName(pdf);
  drucker = std::make_unique<gui::QtDrucker>(*einstellungen);
}

// From now on the text of every job the printer hands on goes into auftraege,
// which starts empty and must outlive the printer.
inline void AuftraegeMitschreiben(gui::QtDrucker& drucker, QStringList& auftraege) {
  auftraege.clear();
  drucker.Beobachter = [&auftraege](const printing::Aufzeichnung& a) {
    auftraege << QString::fromStdString(a.AlsText());
  };
}

}  // namespace davo::test
