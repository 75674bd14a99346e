#pragma once
// The address list window: in list mode a grid of owners with their payout
// (name, BIC, IBAN, area, amount, transfer text, reference) and a sum row,
// sortable and printable.

#include <array>
#include <string>
#include <vector>

#include "app/Geld.h"

namespace davo::addresses {

class AdressenlisteModell {
 public:
  using Gitterzeile = std::array<std::string, 8>;

  std::vector<Gitterzeile> Gitter;  // row 0 titles, last row sums
  std::string Titel = "Adressenliste";
  // Printed under the caption: the date and the amount per hectare of a
  // payout list (empty: no such line).
  std::string Kopfzeile;
  int Sortierung = 0;               // "Sortierug": 0 Name, 1 BIC, 2 IBAN, 3 Fläche
  bool SepaSpeichernAktiv = false;  // "Liste in Sepa-Datei speichern"

  // Fills the grid with the payout list of a kind (1 all, 2 released, 3 not
  // released, 4 group 0, 5 group 1), reading the address file once, and sorts
  // it by name. False when a record could not be read (reported and left
  // out).
  bool AuszahlungslisteAufbauen(int art, app::Currency betragProHa, app::Currency kleinsterBetrag,
                                const std::string& belegtext);
  // Sorts the owner rows by column k (1..4), byte order, stable; the title
  // and sum rows stay in place.
  void GitterSortieren(int k);
  // "Sortierug" clicked.
  void SortierungWaehlen(int index);
  // "Liste drucken" in list mode: the caption, the line under it, then the
  // rows from the column titles to the sums (the titles again on every new
  // page), one blank between columns. The IBAN column is as wide as the
  // longest IBAN in groups of four (at least 27), so none is cut.
  void ListeDrucken();
};

extern AdressenlisteModell Adressenliste;
extern const char* const Sortierungen_Liste[4];

// Draws a line directly on the current printer page at DruckLinks and
// DruckOben + zeile × its text height, then counts zeile up.
void DruckZeileDirekt(const std::string& text, int& zeile);

}  // namespace davo::addresses
