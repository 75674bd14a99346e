#pragma once
// The parcel table: the land register's cadastre read into one row per owner
// of a parcel, each owner's share of the huntable area, the order by owner,
// the export and the transfer of the owners into the address file.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "addresses/Adresse.h"
#include "app/DateiIO.h"
#include "app/Geld.h"
#include "app/Grossspeicher.h"

namespace davo::parcels {

// Columns of the table.
enum Spalte : int {
  Gemarkung = 1,
  Flur,
  Flurstueck,
  Bejagdbarkeit,
  Flaeche,
  Anteil,
  AnteiligeFlaeche,
  Nachname,
  Vorname,
  Strasse,
  Ort,
  Weiteres,
  Geburtstag,
  GebName
};

// Rows of 20 text cells (Windows-1252), row 0 the titles. The cells of all
// rows stand one after the other in a few large blocks of text; a row holds
// where its text starts and where each cell ends, in 28 bytes. So a table
// of a million rows takes a few hundred allocations and is released at once.
class Flurstuecktabelle {
 public:
  static constexpr int MaxSpalten = 20;

  Flurstuecktabelle();

  int Zeilenzahl() const { return static_cast<int>(zeilen_.size()); }
  int Spaltenzahl() const { return spalten_; }
  void SetzeZeilenzahl(int n);
  void SetzeSpaltenzahl(int n) { spalten_ = n; }

  std::string_view Zelle(int spalte, int zeile) const {
    if (zeile < 0 || zeile >= Zeilenzahl() || spalte < 0 || spalte >= MaxSpalten) return {};
    return Bereich(zeilen_[static_cast<std::size_t>(zeile)], spalte, spalte);
  }
  void SetzeZelle(int spalte, int zeile, std::string_view text);
  // All cells of a row at once (the views may point into this table).
  void SetzeZeile(int zeile, const std::array<std::string_view, MaxSpalten>& zellen);
  // A new last row with these cells (the views may point into this table).
  void ZeileAnhaengen(const std::array<std::string_view, MaxSpalten>& zellen);
  // Moves the data rows of teil (its rows 1 on) behind the rows of this
  // table; teil is left with one empty row (and the room its rows had).
  void Anhaengen(Flurstuecktabelle&& teil);
  // Room for this many rows and bytes of text, so that a table read from a
  // file of known size is not copied while it grows.
  void Reservieren(std::size_t zeilen, std::size_t text);

  // Sum of the cells' lengths (for figures of memory use).
  std::size_t Textgroesse() const;

  // For a walk in row order whose rows lie scattered in memory (as after
  // Sortieren): reads the start of the text of the rows von to bis - 1 in
  // one tight loop, so that the processor fetches them all at once rather
  // than one after the other while the walk works on each. Changes nothing.
  void Vorladen(int von, int bis) const;

 private:
  friend void Sortieren(Flurstuecktabelle&);
  // A row of up to 255 bytes of text holds the ends of its cells itself; a
  // longer one has them (as 16-bit numbers) in front of its text, and kLang
  // set in anfang.
  static constexpr std::uint32_t kLang = 0x80000000u;
  static constexpr std::size_t kKopf = 2 * MaxSpalten;  // bytes of those ends
  struct Zeile {
    std::uint32_t block = 0;                      // in bloecke_
    std::uint32_t anfang = 0;                     // of the row's text in its block
    std::array<std::uint8_t, MaxSpalten> ende{};  // end of cell i, from anfang
  };
  static bool HatText(const Zeile& z) { return z.anfang >= kLang || z.ende[MaxSpalten - 1] > 0; }
  // Writes the cells into the blocks and points the row at them. The views
  // may point into the blocks.
  void Ablegen(Zeile& z, const std::array<std::string_view, MaxSpalten>& zellen);
  // Copies the rows' texts into new blocks when more than half of the text
  // is that of rows replaced or dropped.
  void Verdichten();

  struct Block {
    std::unique_ptr<char[], app::GrossFreigabe> text;  // never grown or moved
    std::size_t belegt = 0;
    std::size_t groesse = 0;
    Block() = default;
    Block(Block&&) noexcept = default;
    Block& operator=(Block&&) noexcept = default;
    // A copy holds the text used, and no room behind it.
    Block(const Block& b);
    Block& operator=(const Block& b);
  };
  // A block of at least this size at the end of the blocks.
  void NeuerBlock(std::size_t groesse);

  // Where a row's cells lie: the text of cell 0 and the end of each cell
  // from there.
  struct Lage {
    const char* text = nullptr;
    std::array<std::uint16_t, MaxSpalten> ende{};
    // Cells erste to letzte as one piece of the text.
    std::string_view Bereich(int erste, int letzte) const {
      const std::size_t von = erste == 0 ? 0 : ende[static_cast<std::size_t>(erste - 1)];
      const std::size_t bis = ende[static_cast<std::size_t>(letzte)];
      return bis == von ? std::string_view() : std::string_view(text + von, bis - von);
    }
  };
  static Lage LageIn(const std::vector<Block>& bloecke, const Zeile& z);
  // Cells erste to letzte of a row as one piece of its text.
  std::string_view Bereich(const Zeile& z, int erste, int letzte) const {
    if (z.anfang >= kLang) return LageIn(bloecke_, z).Bereich(erste, letzte);
    const std::size_t von = erste == 0 ? 0 : z.ende[static_cast<std::size_t>(erste - 1)];
    const std::size_t bis = z.ende[static_cast<std::size_t>(letzte)];
    if (bis == von) return {};
    return std::string_view(bloecke_[z.block].text.get() + z.anfang + von, bis - von);
  }
  // The bytes the row takes in its block (with the ends of a long one).
  std::size_t Belegt(const Zeile& z) const {
    return z.anfang < kLang ? z.ende[MaxSpalten - 1] : kKopf + LageIn(bloecke_, z).ende[MaxSpalten - 1];
  }

  std::vector<Zeile, app::GrossAllokator<Zeile>> zeilen_;
  std::vector<Block> bloecke_;
  std::size_t lebend_ = 0;           // bytes of text of the current rows
  std::size_t belegt_ = 0;           // bytes used in all blocks
  std::size_t naechster_ = 0;        // size of the next block (0: the usual one)
  mutable unsigned vorgeladen_ = 0;  // what Vorladen read (so that it reads)
  int spalten_ = 13;
};

extern const char* const Spaltentitel[Flurstuecktabelle::MaxSpalten];
extern const char* const ExportPfad;        // "e:\Jagd\Flurstuecke-export.csv"
extern const char* const FilterKataster;    // file dialog filter
extern const char* const BeispielKataster;  // preset path of the window's edit

// What an import read.
struct Importbericht {
  int Flurstuecke = 0;       // parcel lines (the data lines that are not empty)
  int Eigentuemer = 0;       // owner entries in them
  bool Utf8 = false;         // the file was UTF-8 and was converted
  std::int64_t Ersetzt = 0;  // characters that Windows-1252 has no place for, now "?"
};

// Reads the cadastre file into the table and computes every row's share.
// The file is checked as it is read: every data line that is not empty must be a
// parcel (at least six ";"-separated fields, up to "Fläche", which is empty or
// a number as the share computation reads it, not negative) and no byte may
// be NUL;
// otherwise a message names the first line that fails and the table stays as
// it was. A UTF-8 file (byte order mark, or well-formed with characters of
// several bytes) is converted to Windows-1252 and the characters replaced are
// counted in a message. Empty lines are skipped. A file that cannot be opened
// is reported and leaves the table as it was. Progress goes to the message
// window; a key press there can stop it (app::Abbruch), which leaves the
// table as it was too. False when the file could not be read, was refused
// or the reading was stopped.
bool DateiImportieren(Flurstuecktabelle& tabelle, const std::string& pfad, Importbericht* bericht = nullptr);
// The import reads a file in pieces of about this many bytes, two at a
// time; 0 (the default) means 2 MB. Tests set it small.
extern std::size_t ImportStueckgroesse;

// Column 7 of one row: the owner's share of the huntable area in whole m².
void BerechneAnteil(Flurstuecktabelle& tabelle, int zeile);
// The share in 0.0001 m² (before the rounding to whole square metres).
app::Currency AnteilsFlaeche(std::string_view bejagdbarkeit, std::string_view flaeche, std::string_view anteil);

// Orders the data rows by owner (surname, first names, street, town, further
// part; upper case, byte order); rows with equal keys keep their order.
void Sortieren(Flurstuecktabelle& tabelle);

// Writes columns 0 to 14 of every row, each cell ended by ";", lines cut at
// 255, CR LF; missing folders are created. The file is replaced whole or
// not at all, and never when it is one of the files read (gelesen: the
// cadastre, the address file) or a file of the program's own kinds. False on
// a file error or such a refusal (reported).
bool ExportSchreiben(const Flurstuecktabelle& tabelle, const std::string& pfad,
                     const std::vector<std::string>& gelesen = {});

// What a transfer into an address file did.
struct Uebertragungsbericht {
  int Angehaengt = 0;        // records appended (0 when the transfer failed)
  int Uebergangen = 0;       // rows with cells but no owner's name
  bool Abgebrochen = false;  // stopped by a key press in the message window
  app::IOErgebnis Ergebnis;  // the first file error, which ended the transfer
};

// Appends one address record per owner (consecutive rows with the same
// surname, first name and street) with the summed area to the address file,
// at its end as the file measures when it is opened; a missing file is
// created. Cells are taken without blanks at their ends; rows without an
// owner's name are passed over. All or nothing: a failed write, an owner
// with more than 100 million ha ("Summe zu groß") or a stop by a key press
// ends the transfer and takes back what it appended. The file is locked
// meanwhile. Shows only its progress.
Uebertragungsbericht TabelleUebertragen(const Flurstuecktabelle& tabelle, addresses::Adressdatei& datei);
// The messages of a transfer in their order: its file error, the rows passed
// over, then "Import abgebrochen!" or "Import abgeschlossen!". True when the
// transfer is complete.
bool UebertragungMelden(const Uebertragungsbericht& bericht);
// The window's transfer into the active address file: opens (and measures)
// it first, then the two above. False when the file could not be opened or
// the transfer is not complete. *angehaengt (when given) receives the number
// of records appended. kataster: the file the table was read from, which the
// address file must not be.
bool TabelleUebertragen(const Flurstuecktabelle& tabelle, int* angehaengt = nullptr, const std::string& kataster = {});

}  // namespace davo::parcels
