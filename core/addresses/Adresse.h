#pragma once
// The address record (2947 bytes, one per owner) and the address file: records
// back to back without header. The program reads and writes owners through the
// one shared buffer AktAdresse.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

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

// --- shared state -------------------------------------------------------------
extern TAdresse AktAdresse;
extern std::int32_t AktAdrNr;        // record AktAdresse belongs to (from 0)
extern std::int32_t AnzahlAdressen;  // count measured by the last access
extern std::string AdrDateiName;     // path the access operations use (cp1252)

// All of the above, the chooser's lists and model and its window back at
// their start values.
void ZustandZuruecksetzen();

// --- access operations -------------------------------------------------------
// Makes sure an address file is chosen and exists (asking to create it),
// measures it and makes it the active file. False: the command stops.
bool AdrDateiOeffnen();
// Reads record n into AktAdresse (n < 0: count only). Each failed step is
// reported and the following steps still run; the result is false when any
// step failed (or the creation question was declined).
bool AdresseLesen(std::int32_t n);
// Writes AktAdresse as record n (n == AnzahlAdressen appends); false when any
// step failed.
bool AdresseSchreiben(std::int32_t n);

// Walks the whole file with one open: calls besuche(nr, record) for each
// record in order; when it returns true the (changed) record is written back.
// A record that cannot be read is reported and skipped (or ends the walk,
// when asked); a failed write ends it. Stops early when besuche sets
// app::Abbruch. Returns false after any file error (each reported through
// PruefeIO).
enum class BeiLesefehler { Ueberspringen, Aufhoeren };
bool AdressenDurchlaufen(const std::function<bool(std::int32_t, TAdresse&)>& besuche, bool schreiben = false,
                         BeiLesefehler lesefehler = BeiLesefehler::Ueberspringen);
// The same walk over the address file at pfad.
bool AdressenDurchlaufen(const std::string& pfad, const std::function<bool(std::int32_t, TAdresse&)>& besuche,
                         bool schreiben = false, BeiLesefehler lesefehler = BeiLesefehler::Ueberspringen);

// Appends many records with one open of the file: each goes to record number
// AnzahlAdressen, which then counts up. Failures are reported through
// PruefeIO; after the first one nothing more is written.
class AdrAnhaenger {
 public:
  AdrAnhaenger();
  ~AdrAnhaenger();
  AdrAnhaenger(const AdrAnhaenger&) = delete;
  AdrAnhaenger& operator=(const AdrAnhaenger&) = delete;
  bool Anhaengen(const TAdresse& satz);
  // Closes the file; false when any step failed.
  bool Schliessen();

 private:
  struct Offen;
  Offen* offen_;
  bool ok_ = true;
};

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
