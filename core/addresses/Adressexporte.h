#pragma once
// The address file's exchanges with other programs: the CSV file of the
// owners marked for form letters (for a word processor's mail merge), the
// bank-code file for the external SEPA account converter, and the reading
// back of the converter's result (BIC and IBAN) into the address records.
// All text files are Windows-1252 with CR LF line ends, fields unquoted.

#include <cstdint>
#include <string>

#include "addresses/Adresse.h"
#include "addresses/Sammelaktionen.h"

namespace davo::addresses {

// The fixed files exchanged with the converter (drive paths, mapped like all).
extern const char* const BlzKontoDatei;          // "c:\zq-soft\BLZ+Konto.csv"
extern const char* const BlzKontoErgebnisDatei;  // "c:\zq-soft\Ergebnis_BLZ+Konto.csv"
// The header line of the form-letter file.
extern const char* const SerienbriefCsvKopf;

// How a transfer ended, and how many records it wrote into the file (the
// exports) or changed in the address file (the import).
struct Uebertragung {
  Aktionsergebnis Ergebnis = Aktionsergebnis::Fehler;
  std::int32_t Anzahl = 0;
};

// The converter's key of a bank account: the bank code without blanks (it
// must have 8 characters, else the key is empty), ";" and the account number
// without blanks, padded on the left with "0" to 10 characters. Each field
// counts with at most its first 30 characters.
std::string BlzKontoSchluessel(const std::string& blz, const std::string& kontonummer);
// True when the key without blanks is longer than 9 characters and its first
// ";" is its ninth character.
bool SchluesselGueltig(const std::string& schluessel);

// --- the menu commands, on the active address file ---------------------------------
// "Exportdatei Adressen für Serienbriefe erstellen ": asks whether to write the
// file at all, then SerienbriefCsvSchreiben into AktAdrBasis + ".csv".
Uebertragung SerienbriefCsvExport();
// "Exportdatei  BLZ+Kontonr. erstellen": BlzKontoSchreiben into BlzKontoDatei.
Uebertragung BlzKontoExport();
// "Sepadaten importieren": BlzKontoEinlesen from BlzKontoErgebnisDatei.
Uebertragung BlzKontoImport();

// --- the same on an address file and with the target named -------------------------
// Each shows its first file error and its messages. Writes the header and one line per record with the form-letter flag
// set. An existing file is overwritten or, when the user declines to discard it, appended to (a second header line
// follows its end). The file is replaced whole, so a failure leaves it as it was. Closes with the message that the file
// was written. The address file itself and files of the program's own kinds (.ADW, .JGA, .KON) are refused as the
// target.
Uebertragung SerienbriefCsvSchreiben(Adressdatei& adressdatei, const std::string& ziel);
// Writes the key of every record that has a valid one, overwriting or
// appending as above; missing folders above the file are created.
Uebertragung BlzKontoSchreiben(Adressdatei& adressdatei, const std::string& ziel);
// Reads the converter's result file and, after the question, stores BIC and
// IBAN of every line with status "00" into the records with that key. The
// address file is opened once; only records that change are written.
Uebertragung BlzKontoEinlesen(Adressdatei& adressdatei, const std::string& ergebnisdatei);

}  // namespace davo::addresses
