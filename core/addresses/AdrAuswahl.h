#pragma once
// The address chooser: all owners of the active file as fixed-width lines in
// one of five orders, a jump by prefix, a search by text and the take-over of
// one owner as the current record.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "addresses/Adresse.h"

namespace davo::addresses {

struct AdrZeile {
  std::string Text;     // three columns of 30 characters, then the number from 1
  std::int32_t Nr = 0;  // record number (from 0) the line belongs to
};

// A list kept in the locale's order, ignoring case, duplicates kept. The
// collation keys of its lines are computed where an order is made: once per
// line to sort or merge many lines, once per step of a binary search.
using AdrListe = std::vector<AdrZeile>;

// Sorts the lines; lines whose texts are equal in the order keep theirs.
void AdrListeSortieren(AdrListe& liste);
// Puts the lines of neue, taken in their order, into the ordered list, each
// behind the lines equal to it, as inserting them one by one would: neue is
// sorted once and merged in.
void AdrListeEinordnen(AdrListe& liste, AdrListe neue);
// Puts one line into the ordered list behind the lines equal to it.
void AdrListeEinfuegen(AdrListe& liste, AdrZeile zeile);

extern AdrListe AdrListeAlle;
extern AdrListe AdrListeSuche;
extern std::int32_t GewaehlteAdrNr;

// Names of the five orders, as the radio group shows them.
extern const char* const Sortierungen[5];

// The lines of a file in one buffer, in the list's order: for whoever only
// writes them out, without a string of their own each.
class AdrZeilen {
 public:
  std::size_t size() const { return zeilen_.size(); }
  std::string_view Text(std::size_t i) const {
    return std::string_view(text_).substr(zeilen_[i].Anfang, zeilen_[i].Laenge);
  }
  std::int32_t Nr(std::size_t i) const { return zeilen_[i].Nr; }

 private:
  struct Zeile {
    std::size_t Anfang = 0;
    std::uint32_t Laenge = 0;
    std::int32_t Nr = 0;
  };
  std::string text_;
  std::vector<Zeile> zeilen_;
  friend app::IOErgebnis AdrZeilenAufbauen(Adressdatei& datei, int sortierung, AdrZeilen& zeilen);
  friend bool AdrZeilenSuchen(AdrZeilen& zeilen, const std::string& text);
};

// The line of one record for an order (0..4); nr counts from 0.
std::string AdrZeileText(const TAdresse& adresse, int sortierung, std::int32_t nr);
// The lines of every record of the address file in that order, into liste.
// A read error ends the walk; the list holds what could be read.
app::IOErgebnis AdrListeAufbauen(Adressdatei& datei, int sortierung, AdrListe& liste);
// The same lines into one buffer.
app::IOErgebnis AdrZeilenAufbauen(Adressdatei& datei, int sortierung, AdrZeilen& zeilen);
// Keeps the lines that contain text, ignoring case; an empty text is refused
// as by AdrListeSuchen.
bool AdrZeilenSuchen(AdrZeilen& zeilen, const std::string& text);
// The lines of alle that contain text, ignoring case, into treffer. An empty
// text is refused with a message (false).
bool AdrListeSuchen(const AdrListe& alle, const std::string& text, AdrListe& treffer);
// Index of the first line not ordered before text (== size when none).
std::size_t AdrListeSprung(const AdrListe& liste, const std::string& text);

// The same for the chooser of the desktop program, on the active file:
// fills AdrListeAlle and empties AdrListeSuche; false after a file error
// (shown and kept as PruefeIO does).
bool AdrListeAufbauen(int sortierung);
// Fills AdrListeSuche from AdrListeAlle.
bool AdrListeSuchen(const std::string& text);

// The chooser's state between its openings and its button effects.
class AdrAuswahlModell {
 public:
  int Sortierung = 0;    // "Sortierung"
  int AktiveListe = 0;   // "Aktive Liste": 0 all, 1 search results (kept between openings)
  std::string GeheZu;    // "Gehe zu"
  std::string Suchtext;  // "Suche"
  int Auswahl = -1;      // selected line of the shown list, -1 none

  // The lines shown now.
  const AdrListe& Angezeigt() const;
  // The window is about to be shown: rebuild and show all addresses.
  void Oeffnen();
  void SortierungWaehlen(int index);
  void AktiveListeWaehlen(int index);
  void GeheZuGeaendert(const std::string& text);
  void SucheStarten();
  // Takes the selected line over; true when the window closes.
  bool Uebernehmen();
  bool UebernehmenZeile(int index);

 private:
  bool zeigtSuche_ = false;
};

extern AdrAuswahlModell AdrAuswahl;

// Shows the chooser modally (installed by the desktop program); true when an
// address was taken over.
extern std::function<bool()> AdrAuswahlFenster;

// Rebuilds the list in the chosen order and shows the chooser. AktAdrNr holds
// the taken-over record afterwards, or is unchanged.
void AdresseWaehlen();

}  // namespace davo::addresses
