#pragma once
// The address list window: in list mode a grid of owners with their payout
// (name, BIC, IBAN, area, amount, transfer text, reference) and a sum row,
// sortable and printable; in release mode the check list of the released
// owners who get money, from which the SEPA transfer file is written.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Geld.h"
#include "app/Reihenfolge.h"
#include "payout/Einstellungen.h"

namespace davo::payout {

// One line of the release list. Its six fields (amount, name, BIC, IBAN in
// groups, transfer text, reference) stand in one text of at most 255
// characters, separated by ";". The places of the five separators are kept
// with it: BIC and IBAN are taken as typed and may hold a ";" themselves.
struct Freigabeposten {
  std::string Text;
  std::array<std::uint8_t, 5> Trenner{};  // positions of the separators in Text
  std::int32_t Nr = 0;                    // the owner's record number (from 0)
  bool Aktiv = false;                     // plausible bank data: can be checked
  bool Markiert = false;                  // checked

  // Field k (1..6) without its separator.
  std::string_view Feld(int k) const;
};

// The limits the transfer file keeps: names 70 characters, the transfer
// text 140.
constexpr std::size_t kNamensgrenze = 70;
constexpr std::size_t kTextgrenze = 140;

// One row of the payout grid as the grid holds it: eight text cells
// (Windows-1252) side by side in one text the grid owns. Valid while the grid
// is not changed.
class Gitterzeile {
 public:
  static constexpr std::size_t Spalten = 8;

  Gitterzeile() = default;
  Gitterzeile(const char* text, const std::array<std::uint16_t, Spalten>& ende) : text_(text), ende_(ende) {}

  std::string_view Zelle(std::size_t k) const;
  // A copy of cell k.
  std::string operator[](std::size_t k) const { return std::string(Zelle(k)); }
  static constexpr std::size_t size() { return Spalten; }
  // All cells one after the other.
  std::string_view Text() const { return {text_, ende_[Spalten - 1]}; }
  const std::array<std::uint16_t, Spalten>& Enden() const { return ende_; }

 private:
  const char* text_ = nullptr;
  std::array<std::uint16_t, Spalten> ende_{};  // end of cell k in the text
};

// Rows with the same cells.
bool operator==(const Gitterzeile& a, const Gitterzeile& b);

// A row standing on its own, made up cell by cell (column titles, sums, rows
// given by hand).
class Einzelzeile {
 public:
  static constexpr std::size_t Spalten = Gitterzeile::Spalten;

  Einzelzeile() = default;
  // The cells from the first on; the rest stay empty.
  Einzelzeile(std::initializer_list<std::string_view> zellen);
  Einzelzeile(const Gitterzeile& zeile) : text_(zeile.Text()), ende_(zeile.Enden()) {}

  std::string_view Zelle(std::size_t k) const { return Gitterzeile(*this).Zelle(k); }
  std::string operator[](std::size_t k) const { return std::string(Zelle(k)); }
  void Setze(std::size_t k, std::string_view text);
  static constexpr std::size_t size() { return Spalten; }

  operator Gitterzeile() const { return {text_.data(), ende_}; }

 private:
  std::string text_;
  std::array<std::uint16_t, Spalten> ende_{};
};

// The rows of the payout grid: their texts one after the other in a few
// large blocks, each row known by where its text stands, so a list of a
// million owners is neither a million blocks to allocate and free nor a
// million strings to move when it is sorted.
class Gitterliste {
 public:
  using const_iterator = std::vector<Gitterzeile>::const_iterator;
  using iterator = const_iterator;
  using value_type = Gitterzeile;
  using size_type = std::size_t;

  Gitterliste() = default;
  Gitterliste(const std::vector<Einzelzeile>& zeilen);
  Gitterliste(const Gitterliste& andere);
  Gitterliste(Gitterliste&& andere) noexcept;
  Gitterliste& operator=(const Gitterliste& andere);
  Gitterliste& operator=(Gitterliste&& andere) noexcept;

  std::size_t size() const { return zeilen_.size(); }
  bool empty() const { return zeilen_.empty(); }
  const Gitterzeile& operator[](std::size_t r) const { return zeilen_[r]; }
  const Gitterzeile& front() const { return zeilen_.front(); }
  const Gitterzeile& back() const { return zeilen_.back(); }
  const Gitterzeile* data() const { return zeilen_.data(); }
  const_iterator begin() const { return zeilen_.begin(); }
  const_iterator end() const { return zeilen_.end(); }

  void clear();
  void reserve(std::size_t zeilen) { zeilen_.reserve(zeilen); }
  // A row of the cells from the first on (the rest empty) at the end.
  void Hinzu(std::initializer_list<std::string_view> zellen);
  void push_back(const Gitterzeile& zeile);
  // Keeps the first n rows.
  void Kuerzen(std::size_t n);
  // Row erster + i gets the row that stood at reihenfolge[i].Index.
  void Umordnen(std::size_t erster, const std::vector<app::Schluesselsatz::Eintrag>& reihenfolge);

 private:
  // Room for n bytes of row text.
  char* Platz(std::size_t n);

  std::vector<Gitterzeile> zeilen_;
  std::vector<std::unique_ptr<char[]>> bloecke_;
  char* frei_ = nullptr;  // the unused rest of the last block
  std::size_t rest_ = 0;
};

bool operator==(const Gitterliste& a, const Gitterliste& b);

class AdressenlisteModell {
 public:
  using Gitterzeile = payout::Gitterzeile;
  using Einzelzeile = payout::Einzelzeile;

  enum class Modus { Liste, Freigabe };

  Modus Ansicht = Modus::Liste;
  Gitterliste Gitter;                    // row 0 titles, last row sums
  std::vector<Freigabeposten> Freigabe;  // the check list of the release mode
  std::int32_t FreigabeLauf = 0;         // run number (Laufnummer + 1) of the references
  std::string Titel = "Adressenliste";
  // Printed under the caption: the date and the amount per hectare of a
  // payout list (empty: no such line).
  std::string Kopfzeile;
  int Sortierung = 0;               // "Sortierug": 0 Name, 1 BIC, 2 IBAN, 3 Fläche
  bool SepaSpeichernAktiv = false;  // "Liste in Sepa-Datei speichern"

  // Fills the grid with the payout list of a kind (1 all, 2 released, 3 not
  // released, 4 group 0, 5 group 1), reading the address file once, and sorts
  // it by name. References from the run number Laufnummer + 1 of the payout
  // settings e (which first take up a greater Laufnummer the settings file
  // holds by now). A record that cannot be read is left out (the result
  // says so).
  app::IOErgebnis AuszahlungslisteAufbauen(addresses::Adressdatei& datei, TAuszahlungsEinstellungen& e, int art,
                                           app::Currency betragProHa, app::Currency kleinsterBetrag,
                                           const std::string& belegtext);
  // Release mode: one item per owner with AuszahlungFrei = 1 whose amount is
  // above 0, in file order, read with one pass over the file; references as
  // above. An item is checked and enabled when IBAN and BIC are plausible,
  // the name and the transfer text (after its placeholders) are not blank
  // and its amount reads back; otherwise it is pale. Sets the caption and
  // enables "Liste in Sepa-Datei speichern".
  app::IOErgebnis FreigabelisteAufbauen(addresses::Adressdatei& datei, TAuszahlungsEinstellungen& e,
                                        app::Currency betragProHa, app::Currency kleinsterBetrag,
                                        const std::string& belegtext);
  // Both on the active address file and AuszahlungsEinstellungen; a file
  // error is shown and kept as PruefeIO does (false).
  bool AuszahlungslisteAufbauen(int art, app::Currency betragProHa, app::Currency kleinsterBetrag,
                                const std::string& belegtext);
  bool FreigabelisteAufbauen(app::Currency betragProHa, app::Currency kleinsterBetrag, const std::string& belegtext);
  // "alle": checks every enabled item. "keine": unchecks every item.
  void Alle();
  void Keine();
  // Sorts the owner rows by column k (1..4), byte order, stable; the title
  // and sum rows stay in place.
  void GitterSortieren(int k);
  // "Sortierug" clicked.
  void SortierungWaehlen(int index);
  // "Liste drucken". List mode: the caption, the line under it, then the rows
  // from the column titles to the sums (the titles again on every new page),
  // one blank between columns; the IBAN column is as wide as the longest IBAN
  // in groups of four (at least 27), so none is cut. Release mode: the
  // released, the blocked and the faulty items, each section with its count
  // and sum.
  // False when the sums of a release list do not fit (nothing printed).
  bool ListeDrucken();

 private:
  void GitterDrucken();
  void FreigabeDrucken();
};

extern AdressenlisteModell Adressenliste;
extern const char* const Listensortierungen[4];

// An area (stellen 4) or amount (stellen 2) as BetragFormatieren(wert, 12,
// stellen) shows it, written into puffer without taking memory; nothing for
// the values it shows otherwise than plainly (below zero, a million or more).
std::optional<std::string_view> Zwoelfstellig(app::Currency wert, int stellen, std::array<char, 12>& puffer);

// Draws a line directly on the current printer page at DruckLinks, then
// counts zeile up. Within a job of the report engine the line stands on the
// engine's current line (below the page header) and feeds a line; on a page
// opened for direct printing it stands at DruckOben + zeile × its height.
void DruckZeileDirekt(const std::string& text, int& zeile);

}  // namespace davo::payout
