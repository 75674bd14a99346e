#pragma once
// The payout rule, the checked amounts of the payout window, the proposal of
// the execution date and the payout window's commands.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/Datum.h"
#include "app/Geld.h"
#include "payout/Sepa.h"

namespace davo::payout {

using app::Currency;

// Parsed by EingabenPruefen before every action.
extern Currency BetragProHa;
extern Currency KleinsterBetrag;

// Area (ha) × amount per hectare, rounded half to even to 0.0001; 0 when
// below the smallest amount (an amount equal to it is paid). Nothing when
// the product does not fit in a Currency.
std::optional<Currency> AuszahlungsBetrag(Currency flaeche, Currency betragProHa, Currency kleinsterBetrag);

// The two amounts of a payout: per hectare and the smallest one paid.
struct Betraege {
  Currency ProHa = 0;
  Currency Kleinster = 0;
};
// Reads the two amount texts by the rule for typed numbers (EingabeLesen);
// nothing after an input error (message shown, naming the refused text).
std::optional<Betraege> EingabenLesen(const std::string& betragProHaText, const std::string& kleinsterBetragText);
// EingabenLesen into BetragProHa and KleinsterBetrag, as far as they read
// (the rest 0).
bool EingabenPruefen(const std::string& betragProHaText, const std::string& kleinsterBetragText);

// Today + 7 on a Monday, + 6 on a Tuesday, + 5 on every other day.
app::DatumZeit AusfuehrungsdatumVorschlag(const app::DatumZeit& heute);
// The date n days after d (n >= 0).
app::DatumZeit TagePlus(const app::DatumZeit& d, int n);

// The payout window: its ten edits in field order of the settings record and
// the execution date.
class AuszahlungsModell {
 public:
  std::array<std::string, 10> Texte;  // Auftraggeber .. SepaOrdner (cp1252)
  app::DatumZeit Ausfuehrungsdatum;
  std::string Titel;
  // "SEPA-Format": the settings byte as read (0 pain.001.001.09, 1
  // pain.001.001.03; any other value is kept until a format is chosen).
  std::uint8_t SepaFormatByte = 0;

  // The window is shown: caption, settings read, date proposed.
  void Oeffnen();
  // The window closes: edits into the record (cut to 255), record written.
  void Schliessen();
  // "Ordner Sepa-Datei wählen": save dialog; keeps the path up to its last
  // separator.
  void OrdnerWaehlen();
  // One of the five payout lists (kind 1..5): checks the amounts, builds the
  // list and shows the list window (not after a failure, which was shown).
  // False when the amounts did not parse.
  bool Liste(int art);
  // "Sepa-Datei  für freigegebene Flächen": checks the amounts and the
  // ordering party, builds the release list and shows it (not after a
  // failure, which was shown); on "Liste in Sepa-Datei speichern" writes the
  // SEPA file, then the chooser.
  void SepaDatei();
  // The ordering party, folder, transfer text, date and format as shown.
  SepaVorgaben Vorgaben() const;
};

// The settings record, the two amounts, the list model and the two window
// hooks back at their start values.
void ZustandZuruecksetzen();

// The list window, shown modally (installed by the desktop program).
extern std::function<void()> AdressenlisteFenster;
// The list window in release mode, shown modally: true when it was closed
// with "Liste in Sepa-Datei speichern".
extern std::function<bool()> FreigabeFenster;

}  // namespace davo::payout
