#pragma once
// The program's conversation with the user goes through these free functions.
// They forward to one installed implementation: Qt windows in the desktop
// program, the terminal in the command line front end, a scripted double in
// tests. The rules that do not depend on the toolkit (cutting texts, the
// answer variable, the abort flag) live here.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace davo::app {

enum class FrageErgebnis { Ja, Nein, Geschlossen };

// A file dialog. Filter as "Beschreibung|*.x|Beschreibung|*.y"; texts cp1252.
struct DateiDialog {
  std::string Titel;
  std::string Filter;
  std::string StartOrdner;  // program path text (drive paths are mapped)
  std::string Dateiname;    // preset name or path
  int FilterIndex = 0;      // 0-based entry of the filter list to preselect
  std::string Knopf;        // caption of the accepting button; empty: the toolkit's
};

struct DateiWahl {
  std::string Pfad;         // cp1252; only valid when Darstellbar
  bool Darstellbar = true;  // false: the chosen path holds characters outside Windows-1252
  std::string PfadUtf8;     // the chosen path as the toolkit gave it
  int FilterIndex = 0;      // 0-based entry the user left selected
};

class DialogDienst {
 public:
  virtual ~DialogDienst() = default;
  virtual void Meldung(const std::string& text) = 0;
  // A message about an error or a refused input (the desktop shows it with
  // the warning icon); by default like Meldung.
  virtual void Warnung(const std::string& text) { Meldung(text); }
  virtual FrageErgebnis Frage(const std::string& oben, const std::string& frage, bool jaVorgewaehlt) = 0;
  // text empty: take the message window down.
  virtual void Fortschritt(const std::string& text, int position) = 0;
  // Returns the chosen entry, or nothing when the chooser was closed otherwise.
  virtual std::optional<int> Auswahl(const std::string& titel, const std::vector<std::string>& eintraege,
                                     int index) = 0;
  virtual std::optional<DateiWahl> DateiOeffnen(const DateiDialog& dialog) = 0;
  virtual std::optional<DateiWahl> DateiSpeichern(const DateiDialog& dialog) = 0;
  // The print dialog; true when the user wants to print.
  virtual bool Druckdialog() = 0;
  virtual void ShellOeffnen(const std::string& datei, const std::string& parameter, const std::string& verzeichnis,
                            int anzeige) = 0;
  virtual void Piep() {}
  // False when no person answers the questions (answers fixed beforehand, or
  // no one at the keyboard); questions that would be asked again and again
  // until something changes are then not asked.
  virtual bool PersonAntwortet() { return true; }
};

// Installs the implementation (not owned); nullptr removes it. Without one,
// messages go nowhere, questions get their preselected answer and dialogs
// count as cancelled.
void InstalliereDialogDienst(DialogDienst* dienst);
DialogDienst* AktuellerDialogDienst();

// Shared answer variable passed to FrageJaNein by many commands.
extern bool Antwort;
// The abort flag: set by a question closed without an answer, by a cancelled
// print dialog and by a key press in the message window; long operations
// stop when they find it set.
extern bool Abbruch;
// Entries for WaehleAus.
extern std::array<std::string, 6> Auswahltexte;

// The information box with one OK button (text cut at 255).
void ZeigeMeldung(const std::string& text);
// The same box for an error or a refused input.
void ZeigeWarnung(const std::string& text);
// Yes/no question; antwort chooses the preselected button and receives the
// answer. Clears Abbruch first; a window closed without answer sets Abbruch
// and answers no.
void FrageJaNein(const std::string& oben, const std::string& frage, bool& antwort);
// Non-modal message window with a bar (0 = no bar); empty text removes it.
void ZeigeFortschritt(const std::string& text, int position);
// Offers Auswahltexte[0 .. anzahl-1] (anzahl 1..6); index in/out, 0-based.
void WaehleAus(const std::string& titel, int anzahl, int& index);
std::optional<DateiWahl> OeffnenDialog(const DateiDialog& dialog);
std::optional<DateiWahl> SpeichernDialog(const DateiDialog& dialog);
bool ZeigeDruckdialog();
// Show modes for OeffneMitProgramm.
constexpr int AnzeigeNormal = 1;
constexpr int AnzeigeMaximiert = 3;
void OeffneMitProgramm(const std::string& datei, const std::string& parameter, const std::string& verzeichnis,
                       int anzeige);
void Piep();
// Whether a person answers the questions (false without a dialog service).
bool PersonAntwortet();

// The message a path gets that cannot be kept in the program's records.
std::string PfadNichtDarstellbarText(const std::string& pfadUtf8);
// True when the chosen path can be kept in the program's records (only
// Windows-1252 characters, at most 255 of them); otherwise says why.
bool PfadDarstellbar(const DateiWahl& wahl);

}  // namespace davo::app
