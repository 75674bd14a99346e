#pragma once
// The report engine: prints lines of text on the printer as on a typewriter
// grid. Callers write at a column and line, send control codes for line feed,
// page break, bold and the three font modes; every page can get a boxed
// header with the sheet number. A line that would reach below the bottom
// margin starts a new page of its own accord (with its header), so a long
// list keeps every line. One job at a time; after a cancelled print dialog
// (or with no job open) output and control codes do nothing.

#include <array>
#include <cstdint>
#include <string>

namespace davo::printing {

struct TDruckeinstellungen {
  std::uint8_t GroesseSchmal = 0, SchrittSchmal = 0;
  std::uint8_t GroesseNormal = 0, SchrittNormal = 0;
  std::uint8_t GroesseBreit = 0, SchrittBreit = 0;
};

// An optional stored printer font; empty name: the printer's default font.
struct TDruckerschrift {
  std::string Name;
  bool Fett = false;
};

// The 75 printer control keys as the run starts; a key's index is the control
// code it sends.
std::array<std::string, 75> NeueSteuertabelle();

// --- engine state ------------------------------------------------------------
// Everything the engine keeps between calls, one instance for the whole run.
// A value-initialised instance is the state at program start.
struct TDruckzustand {
  int Seite = 0, Zeile = 0, Spalte = 0;
  int Zeilenschritt = 0, Spaltenbreite = 0, Zeileneinheit = 0;
  // Height of a text in the font of the current mode, in pixels; the line
  // step of the mode is never less.
  int Texthoehe = 0;
  int RandLinks = 0, RandRechts = 0, RandOben = 0, RandUnten = 0;
  int Nutzbreite = 0, Nutzhoehe = 0;
  int ZeilenProSeite = 0;
  bool Schmalschrift = false, Breitschrift = false;
  bool KopfFaellig = false;
  bool OhneSeitenkopf = false;
  bool SeiteBeschrieben = false;  // the caller has drawn on this page
  bool ImKopf = false;            // the page header is being drawn
  // Page header texts, rows 1..4 and cells 1..3 (index 0 unused), cp1252.
  std::array<std::array<std::string, 4>, 5> Kopfzellen;
  TDruckeinstellungen Druckeinstellungen;
  TDruckerschrift Druckerschrift;
  // The printer control keys.
  std::array<std::string, 75> Steuertabelle = NeueSteuertabelle();
  // Lines per page that DruckBeginn starts a job with (set by DruckReset).
  int GespeicherteZeilenProSeite = 90;
  bool JobOffen = false;     // between DruckBeginn and DruckEnde
  bool DirektOffen = false;  // between DirektdruckBeginnen and DirektdruckBeenden
};
extern TDruckzustand Druckzustand;

// Control codes.
enum Steuercode : int {
  DruckerInit1 = 0, DruckerInit2, SchmalEin, SchmalAus, BreitEin, BreitAus, UnterstreichenEin,
  UnterstreichenAus, FettEin, FettAus, Zeilenvorschub, Seitenvorschub, EliteEin, EliteAus
};
extern const char* const Steuercodenamen[14];

// --- operations ----------------------------------------------------------------
void DruckReset();
// Opens a job (print dialog first). Abbruch is true afterwards when the
// dialog was cancelled; then no job is open.
void DruckBeginn();
void DruckText(const std::string& text);
void DruckZelle(const std::string& text, int breite);
void DruckZeichen(const std::string& text);
void DruckRechts(const std::string& text, int breite);
void DruckSteuerung(int code);
void DruckEnde();
// A whole line drawn at pixel column x on the current line of the job (below
// the page header, on a new page when it does not fit), then a line feed.
void DruckZeileBei(int x, const std::string& text);
// Within a job: a new page on which output starts as on the first page of a
// job of its own (line and column 0, condensed mode, the stored font's weight,
// sheet numbers from 1), so several documents can go out as one job.
void DruckNeuerTeil();

// Whether a printer document is open (a job, or a direct printout).
bool DokumentOffen();
// Direct printing (the template editor): a document opened and closed by the
// caller, on which control codes still act (font, bold, page break).
void DirektdruckBeginnen();
void DirektdruckBeenden();

// All state back to the start of the run (tests).
void DruckZuruecksetzen();

// --- printer control keys --------------------------------------------------------
// True when kennung (up to three characters) is a key; sends its code first.
bool IstSteuerkennung(const std::string& kennung);

}  // namespace davo::printing
