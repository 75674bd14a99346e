#pragma once
// The SEPA credit-transfer file: from the checked items of the release list
// one XML file (pain.001.001.09, or pain.001.001.03 for banks that still take
// it) with one payment block and one transaction per item, and its CSV twin
// with the item texts; the run counter advances with each complete file.
// Afterwards the chooser offers to copy the file, print the cover sheet or
// print the transfer list.

#include <cstdint>
#include <optional>
#include <string>

#include "addresses/Adresse.h"
#include "app/Datum.h"
#include "app/Geld.h"
#include "payout/Einstellungen.h"

namespace davo::payout {

class AdressenlisteModell;

using app::Currency;

// The format byte of the settings: 0 pain.001.001.09, 1 pain.001.001.03.
enum class SepaFormat : std::uint8_t { Pain09 = 0, Pain03 = 1 };
// "pain.001.001.09" or "pain.001.001.03".
const char* SepaSchema(SepaFormat format);
// The format a settings byte stands for; nothing for an unknown byte.
std::optional<SepaFormat> SepaFormatAusByte(std::uint8_t byte);

// What a run is given: the ordering party and its account as typed in the
// payout window, the folder for the files, the transfer text, the execution
// date and the format.
struct SepaVorgaben {
  std::string Auftraggeber;
  std::string Adresse;
  std::string BIC;
  std::string IBAN;
  std::string Ordner;
  std::string Belegtext;
  app::DatumZeit Ausfuehrung;
  SepaFormat Format = SepaFormat::Pain09;
};

// A finished run, kept for the chooser's actions.
struct SepaLauf {
  std::int32_t Anzahl = 0;      // transactions
  Currency Summe = 0;           // sum of their amounts
  std::string Sammlerreferenz;  // message and payment-information id
  std::string DateiName;        // Sammlerreferenz + ".xml"
  std::string XmlPfad, CsvPfad;
  std::string Zeitstempel;  // of the run: yyyy-MM-ddThh:mm:ss
  std::string Datum;        // of the run: dd.MM.yyyy
};

struct SepaSumme {
  std::int32_t Anzahl = 0;
  Currency Summe = 0;
};

// Counts the checked items and sums their amounts (field 1 read back); an
// item whose amount does not read is unchecked. Nothing when the sum is too
// large (reported).
std::optional<SepaSumme> SepaSummeBilden(AdressenlisteModell& liste);

// Checks the ordering party before anything is written: name and transfer
// text not blank in the SEPA character set, IBAN and BIC plausible, a folder
// given. False after the message that names the field.
bool AuftraggeberPruefen(const SepaVorgaben& vorgaben);

// The folder text with a separator at its end (none added to an empty text).
std::string OrdnerMitTrenner(const std::string& ordner);

enum class SepaErgebnis {
  Geschrieben,                 // both files in place, run counter saved
  LaufnummerNichtGespeichert,  // both files in place, the counter could not be saved (said)
  Abgebrochen,                 // refused (said why): nothing written
  Verneint,                    // a question answered "Nein": nothing written
  Fehlgeschlagen,              // a file error: nothing written (reported)
};

// The questions, the two files (each written under a temporary name and
// renamed into place when both are complete), the run counter advanced in
// the settings e of the address file the list was built from and saved
// beside it at once. Without any checked item nothing is written. Every
// refusal and the first file error are shown. The state of the run goes into
// lauf when the files are in place.
SepaErgebnis SepaDateienErstellen(AdressenlisteModell& liste, const addresses::Adressdatei& datei,
                                  TAuszahlungsEinstellungen& e, const SepaVorgaben& vorgaben, SepaLauf& lauf);
// The same for the active address file and AuszahlungsEinstellungen.
SepaErgebnis SepaDateienErstellen(AdressenlisteModell& liste, const SepaVorgaben& vorgaben, SepaLauf& lauf);

// SepaDateienErstellen, then, when the files are in place and a person
// answers, the chooser: copy the file, print the cover sheet, print the
// transfer list, or close.
SepaErgebnis SepaDateiSchreiben(AdressenlisteModell& liste, const SepaVorgaben& vorgaben);

// The cover sheet of a run on the printer chosen in the print dialog. False
// when the dialog was cancelled (or there is no printer).
bool BegleitzettelDrucken(const SepaLauf& lauf, const SepaVorgaben& vorgaben);

// The chooser's copy: the save dialog picks the target folder; the XML file
// is copied there under its own name. False when cancelled or failed.
bool SepaDateiKopieren(const SepaLauf& lauf, const SepaVorgaben& vorgaben);

// Copies the XML file of the run into a folder, creating it when missing.
bool SepaDateiKopierenNach(const SepaLauf& lauf, const std::string& zielordner);

}  // namespace davo::payout
