#pragma once
// The address record (2947 bytes, one per owner) and the address file: records
// back to back without header, worked on through an Adressdatei object that
// holds the path, the count and the record buffer.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/DateiIO.h"
#include "app/Geld.h"

namespace davo::addresses {

using app::Currency;

// Indices of the 30 text fields.
enum Feld : int {
  Anrede = 1, Name1, Name2, Sortierung, Strasse, Postfach, Ort, Telefon, Feld9, Fax, EMail, Homepage,
  Bankname, BLZ, Kontonummer, IBAN, BIC, MandatsNr, MandatsNrAlt, Steuernummer, UStId,
  Feld22, Feld23, Feld24, Feld25, Feld26, Feld27, Feld28, Feld29, Feld30
};

class TAdresse {
 public:
  static constexpr std::size_t Groesse = 2947;
  static constexpr std::size_t FeldKapazitaet = 50;
  static constexpr std::size_t AnzahlFelder = 30;
  static constexpr std::size_t OffsetGruppe = 1530;
  static constexpr std::size_t OffsetAuszahlungFrei = 1531;
  static constexpr std::size_t OffsetSerienbriefDruck = 1532;
  static constexpr std::size_t OffsetFlaeche = 1533;
  static constexpr std::size_t OffsetReserve1 = 1541;
  static constexpr std::size_t OffsetBemerkung = 1557;
  static constexpr std::size_t GroesseBemerkung = 1001;
  static constexpr std::size_t OffsetReserve2 = 2558;

  static constexpr std::size_t FeldOffset(int i) { return static_cast<std::size_t>(i - 1) * 51; }

  // Text field i (1..30), cp1252.
  std::string Text(int i) const;
  // The same as a view into the record.
  std::string_view TextAnsicht(int i) const;
  // Stores the text cut to 50 characters.
  void SetzeText(int i, const std::string& text);

  std::uint8_t Gruppe() const { return bytes[OffsetGruppe]; }
  void SetzeGruppe(std::uint8_t g) { bytes[OffsetGruppe] = g; }
  std::uint8_t AuszahlungFrei() const { return bytes[OffsetAuszahlungFrei]; }
  void SetzeAuszahlungFrei(std::uint8_t v) { bytes[OffsetAuszahlungFrei] = v; }
  std::uint8_t SerienbriefDruck() const { return bytes[OffsetSerienbriefDruck]; }
  void SetzeSerienbriefDruck(std::uint8_t v) { bytes[OffsetSerienbriefDruck] = v; }
  Currency Flaeche() const;
  void SetzeFlaeche(Currency v);

  void Leeren() { bytes.fill(0); }
  std::array<std::uint8_t, Groesse> bytes{};
};
static_assert(sizeof(TAdresse) == TAdresse::Groesse);

// Field name as the command line and exports call it ("Name1", "IBAN", ...);
// 0 when unknown.
int FeldNachName(const std::string& name);
const char* FeldName(int i);

// --- the address file ----------------------------------------------------------
// An address file being worked on: its path, the record count measured by
// the last access, the record buffer with the number of the record it holds,
// and the file variable, open only during one operation. The operations
// below take it as their parameter and hand back the result of their file
// steps; they show nothing. The desktop program's windows all work on one
// instance, AktiveAdressdatei, whose members carry the shared names
// AdrDateiName, AnzahlAdressen, AktAdresse and AktAdrNr; the command line
// makes one of its own from each file argument.
class Adressdatei {
 public:
  Adressdatei() = default;
  explicit Adressdatei(std::string pfad) : Pfad(std::move(pfad)) {}
  Adressdatei(const Adressdatei&) = delete;
  Adressdatei& operator=(const Adressdatei&) = delete;

  std::string Pfad;          // cp1252, as the program keeps paths
  std::int32_t Anzahl = 0;   // record count measured by the last access
  std::int64_t Laenge = 0;   // its length in bytes, measured with it
  std::int32_t Nr = 0;       // the record Satz belongs to (from 0)
  TAdresse Satz;             // the record buffer
  app::Datei Dateivariable;  // open only during one operation

  // The path up to the first "." of its file name (app::BasisVon): the
  // companion files (payout settings, form-letter export) are named from it.
  std::string Basis() const;
  // Bytes behind the last whole record as last measured (a torn record).
  std::int64_t Rest() const { return Laenge % static_cast<std::int64_t>(TAdresse::Groesse); }
};

// Every operation opens the file for itself and holds a lock on it while it
// works: a shared one for reading, an exclusive one for writing. Another
// program's operation on the same file waits for it (a few seconds at most,
// then the result is app::io::InBenutzung and nothing was changed). Records
// are written in place, each one whole.
//
// A file whose length is not a multiple of the record size can be read (its
// whole records), but nothing is written to it: the writing operations
// refuse it with app::io::UngueltigeGroesse until it is cut back
// (AufGanzeSaetzeKuerzen).
std::string UngueltigeGroesseText(const std::string& pfad, std::int64_t bytes);

// Creates the file empty (truncating one that is there) and measures it.
app::IOErgebnis Anlegen(Adressdatei& datei);
// Reads record n into Satz (cleared first; n < 0: only measures). The file
// must exist. A failed seek or read does not stop the steps after it. After a
// failed open Anzahl is 0 and Nr unchanged; otherwise Nr := n.
app::IOErgebnis Lesen(Adressdatei& datei, std::int32_t n);
// Writes Satz as record n (n == Anzahl appends) and measures the file. Only
// a missing file is created; when it cannot be opened otherwise, nothing is
// written and Anzahl is 0. An append goes behind the records the file has
// now (another program may have appended some since Anzahl was measured;
// Nr then says where it went), and a failed one leaves the file as it was.
app::IOErgebnis Schreiben(Adressdatei& datei, std::int32_t n);
// Reads record n, lets aendern change it and writes it back when it returns
// true, all under one exclusive lock: no other program changes the record in
// between. Satz holds the record afterwards.
app::IOErgebnis Aendern(Adressdatei& datei, std::int32_t n, const std::function<bool(TAdresse&)>& aendern);

// Walks the whole file with one open: calls besuche(nr, record) for each
// record in order; when it returns true the (changed) record is written back
// (only when schreiben). A record that cannot be read is skipped (or ends the
// walk, when asked); a failed write ends it. Stops early when besuche sets
// app::Abbruch. Anzahl is the count walked.
enum class BeiLesefehler { Ueberspringen, Aufhoeren };
app::IOErgebnis Durchlaufen(Adressdatei& datei, const std::function<bool(std::int32_t, TAdresse&)>& besuche,
                            bool schreiben = false, BeiLesefehler lesefehler = BeiLesefehler::Ueberspringen);
// The same walk, reading only, a record that cannot be read skipped, where
// besuche says whether to keep the record: Satz is left with the last one
// kept. The records are read some at a time into one buffer (a block that
// fails is read again record by record); the record kept is copied only when
// the next block is read over it and at the end.
app::IOErgebnis DurchlaufenBehalten(Adressdatei& datei,
                                    const std::function<bool(std::int32_t, const TAdresse&)>& besuche);
// Reads the records of the numbers given in ascending order (a number may
// come more than once; it is read once) with one open of the file, forward
// only, and hands each to besuche: a list in another order printed without
// opening the file for each line. A number outside the file or a record that
// cannot be read is passed over; the result names the first failure.
// Anzahl is measured; Satz and Nr stay as they are.
app::IOErgebnis SaetzeLesen(Adressdatei& datei, const std::vector<std::int32_t>& nummern,
                            const std::function<void(std::int32_t, const TAdresse&)>& besuche);

// Appends many records with one open of the file, from its end as it is when
// opened (Anzahl := the file's count); Anzahl counts up with each record. A
// missing file is created. All or nothing: after the first failure nothing
// more is written and the file is cut back to what it was, and so it is
// when the appended records are dropped (Verwerfen) or not all of them reach
// the disk. The records go out through the file's buffer of whole records,
// so a failed write may show a few records after the one that met it.
class AdrAnhaenger {
 public:
  explicit AdrAnhaenger(Adressdatei& datei);
  ~AdrAnhaenger();
  AdrAnhaenger(const AdrAnhaenger&) = delete;
  AdrAnhaenger& operator=(const AdrAnhaenger&) = delete;
  bool Anhaengen(const TAdresse& satz);
  // Takes the records back out again and closes the file.
  void Verwerfen();
  // Closes the file; the first failure of all steps.
  app::IOErgebnis Schliessen();

 private:
  void Zurueck();
  Adressdatei& datei_;
  app::IOSchritte schritte_;
  std::int64_t anfang_ = 0;  // the length before the first record
  std::int32_t vorher_ = 0;  // the count before the first record
};

// Cuts a file whose length is not a multiple of the record size back to its
// whole records. First a copy of the whole file as it is goes beside it
// (sicherung receives its path); nothing is cut when that fails.
app::IOErgebnis AufGanzeSaetzeKuerzen(Adressdatei& datei, std::string& sicherung);

// --- the active address file of the desktop program -----------------------------
extern Adressdatei AktiveAdressdatei;
extern TAdresse& AktAdresse;          // its record buffer
extern std::int32_t& AktAdrNr;        // record AktAdresse belongs to (from 0)
extern std::int32_t& AnzahlAdressen;  // count measured by the last access
extern std::string& AdrDateiName;     // its path (cp1252)

// All of the above, the chooser's lists and model and its window back at
// their start values.
void ZustandZuruecksetzen();

// The access operations on the active file. Each failure of a file step is
// shown and left in IODateiName, IOCode and IOFehler, as PruefeIO does.
// Makes sure an address file is chosen and exists (asking to create it),
// measures it and makes it the active file. A torn last record is said, and
// cutting it off is offered. False: the command stops.
bool AdrDateiOeffnen();
// Lesen of record n, after asking to create a missing file; false when the
// question was declined or a step failed.
bool AdresseLesen(std::int32_t n);
// Schreiben of AktAdresse as record n; false when any step failed.
bool AdresseSchreiben(std::int32_t n);
// Durchlaufen of the active file; false after any file error.
bool AdressenDurchlaufen(const std::function<bool(std::int32_t, TAdresse&)>& besuche, bool schreiben = false,
                         BeiLesefehler lesefehler = BeiLesefehler::Ueberspringen);

// --- menu commands ---------------------------------------------------------------
// "Aktive Adressendatei wählen"
void AktiveAdressendateiWaehlen();
// "Neue Adressendatei anlegen"
void NeueAdressendateiAnlegen();

// The file dialog filters and start folders of the address file dialogs.
extern const char* const FilterAdressdateiMenue;   // main window
extern const char* const StartordnerAdressdateiMenue;
extern const char* const FilterAdressdatei;        // address file opening
extern const char* const StartordnerAdressdatei;

}  // namespace davo::addresses
