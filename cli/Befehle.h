#pragma once
// The commands of the command line front end. Arguments arrive as UTF-8 and
// are converted to Windows-1252 here; everything printed is UTF-8. Refusals
// and file errors are shown through the installed dialog service (Melde);
// usage errors are written to the error stream with a hint.
//
// Every command is one entry of the command table (Befehlstabelle): its name,
// its arguments and options with the checks of their values, its usage line,
// its part of the help text and its handler. The help text, the usage errors
// and the dispatch all come from the table; a handler only gets a command
// line that passed its entry's checks.

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "TerminalDialoge.h"
#include "addresses/Adresse.h"
#include "app/Datum.h"
#include "app/Dialoge.h"
#include "payout/Einstellungen.h"

namespace davo::cli {

// Exit status of the program.
constexpr int ExitErledigt = 0;
constexpr int ExitAbgelehnt = 1;  // refused input or file error
constexpr int ExitAufruf = 2;     // wrong usage

// The command line split into the global options and the command.
struct Aufruf {
  Vorgabe Antwort = Vorgabe::Keine;
  std::optional<std::string> KonfigOrdner;  // UTF-8
  bool Hilfe = false;
  bool Version = false;
  bool Handbuch = false;
  std::string Befehl;
  std::vector<std::string> Argumente;
  std::string Fehler;  // usage error (UTF-8); empty when the line is fine
};

Aufruf LiesAufruf(const std::vector<std::string>& argumente);

// --- the command table ----------------------------------------------------------

// Checks one value as typed (UTF-8): empty when it is fine, else the usage
// error that says why not.
using Pruefung = std::string (*)(const std::string& wert);

// What a value names: nothing on the disk, a file or folder, or an address
// file (which is also a file). No two files named by one command line may be
// the same file; an address file with a torn last record is said before the
// command runs.
enum class Pfadart { Keiner, Datei, Adressdatei };

// An argument that is no option, in its place on the command line.
struct Argument {
  const char* Name;           // as the usage line calls it, e.g. "DATEI.ADW"
  Pruefung Pruefe = nullptr;  // nullptr: any text
  bool Wiederholt = false;    // the last one: any number of them, none too
  Pfadart Pfad = Pfadart::Keiner;
};

// An option: "--name", "--name WERT" or "--name=WERT". A separate value is
// the next argument unless that begins with "--"; a value is missing when
// there is none or it is empty.
struct Option {
  const char* Name;           // "--sortierung"
  bool MitWert = true;        // false: a switch, which takes no value
  Pruefung Pruefe = nullptr;  // nullptr: any value that is not empty
  bool Pflicht = false;       // the command cannot do without it
  bool Mehrfach = false;      // may be given more than once
  bool LeerErlaubt = false;   // an empty value goes to the command (which refuses it itself)
  Pfadart Pfad = Pfadart::Keiner;
};

// A command line that passed the checks of its entry. Every argument that
// begins with "--" is an option; all others are the words, in their order.
struct Argumente {
  std::vector<std::string> Woerter;
  std::map<std::string, std::vector<std::string>> Optionen;  // switch: one empty value

  bool Hat(const std::string& option) const { return Optionen.count(option) > 0; }
  // The value of an option (the last one given); nothing when not given.
  std::optional<std::string> Wert(const std::string& option) const;
  // Every value of an option in the order given.
  std::vector<std::string> Werte(const std::string& option) const;
};

using Handler = int (*)(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);

struct Befehl {
  const char* Name;
  const char* Aufruf;    // the usage line of the usage errors, "davo ..."
  const char* Erwartet;  // what a wrong number of words misses: "<Name> erwartet <Erwartet>: <Aufruf>"
  std::vector<Argument> Woerter;
  std::vector<Option> Optionen;
  Handler Ausfuehren;
  const char* Hilfe;  // its lines in the help text, each ending with "\n"
  // A check of the whole line after all others (options that go together or
  // exclude each other); empty when fine, else the usage error.
  std::string (*PruefeZusammen)(const Befehl& befehl, const Argumente& argumente) = nullptr;
};

// Every command, in the order the help lists them.
const std::vector<Befehl>& Befehlstabelle();
// The entry of a command; nullptr when there is none.
const Befehl* SucheBefehl(std::string_view name);
// Splits and checks a command's arguments; empty when they are fine, else
// the usage error.
std::string LiesArgumente(const Befehl& befehl, const std::vector<std::string>& argumente, Argumente& ergebnis);

// The German usage text (UTF-8).
std::string Hilfetext();

// The whole program: options, dialog service, command. Returns the exit status.
int Hauptprogramm(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);

// Runs one command with the dialog service that is installed.
int BefehlAusfuehren(const std::string& befehl, const std::vector<std::string>& argumente, std::ostream& aus,
                     std::ostream& fehler);

// --- the handlers ---------------------------------------------------------------

// "adressen DATEI": one tab-separated line per record.
int AdressenAuflisten(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "adresse DATEI NR [Feld=Wert ...]": shows or changes one record.
int AdresseBearbeiten(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "waehlen DATEI [--sortierung N] [--suche TEXT]": the lines of the address
// chooser in their order, or its search results.
int AdressenWaehlen(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "aktion DATEI NAME": one of the actions that change a field in every record.
int AktionAusfuehren(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "flurstuecke KATASTER.CSV [--sortieren] [--export DATEI] [--tabelle]
// [--in-adressdatei DATEI.ADW]": imports the cadastre, then sorts, writes the
// export, prints the table and appends the owners to the address file, in
// this order, as the options ask.
int FlurstueckeVerarbeiten(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "serienbrief VORLAGE.TXT DATEI.ADW (--adresse NR | --gruppe G) --pdf
// AUSGABE.PDF": the form letters for one record or for every record of a
// group, one print job each, into one PDF file.
int SerienbriefeDrucken(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "adressenliste DATEI.ADW --gruppe G --pdf AUSGABE.PDF": the printed address
// list of the form-letter window for group G, as a PDF file.
int AdressenlisteDrucken(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "einstellungen DATEI.ADW [Feld=Wert ...]": shows or changes the payout
// settings kept beside the address file.
int EinstellungenBearbeiten(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "auszahlungsliste DATEI.ADW --art 1-5 [--sortierung S] [--pdf DATEI]": the
// payout list of one kind as tab-separated lines, or printed into a PDF file.
int AuszahlungslisteZeigen(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "export serienbrief DATEI.ADW" and "export bankdaten DATEI.ADW [--datei
// DATEI]": the form-letter CSV beside the address file, or the bank-code file.
int Exportieren(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "import bankdaten DATEI.ADW [--datei DATEI]": BIC and IBAN from the
// converter's result file.
int Importieren(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "dos-import ALT.ADR --format jagd|buchhaltung": the DOS address file as an
// address file beside it.
int DosImportieren(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "xml DATEI [--roh]": the viewer's tree, or its rows of 50 bytes.
int XmlZeigen(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "freigabeliste DATEI.ADW [--ohne NR,...] [--pdf DATEI]": the release list
// of the SEPA file as lines "frei", "gesperrt" or "fehlerhaft", a tab and the
// item, or printed into a PDF file.
int FreigabelisteZeigen(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "sepa DATEI.ADW [--ohne NR,...] [--ausfuehrung TT.MM.JJJJ] [--ordner ORDNER]
// [--format 03|09] [--begleitzettel DATEI.pdf] [--liste DATEI.pdf]
// [--kopie-nach ORDNER]": writes the SEPA file and its CSV twin for the
// released owners, then the chosen actions of the chooser.
int SepaDateiErstellen(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "kopiere QUELLE ZIEL": copies a file with its date, creating the target's
// folders; ZIEL may be a folder.
int DateiKopieren(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);
// "kuerzen DATEI.ADW": cuts an address file with a torn last record back to
// its whole records, after a backup copy.
int AdressdateiKuerzen(const Argumente& argumente, std::ostream& aus, std::ostream& fehler);

// --- pieces the commands are built from ----------------------------------------

// Writes a usage error and the usage lines to fehler; returns ExitAufruf.
int Aufruffehler(std::ostream& fehler, const std::string& text);

// Shows a message written here in UTF-8 through the dialog service.
void Melde(std::string_view utf8);

// The file argument as program text; shows a message when it cannot be one.
std::optional<std::string> AnsiPfad(const std::string& utf8);

// True when something exists at the path; else the file-not-found message.
bool DateiVorhanden(const std::string& pfad);

// Reads the payout settings kept beside the address file into e; false when
// they could not be read (the message was shown).
bool EinstellungenDerDatei(const addresses::Adressdatei& datei, payout::TAuszahlungsEinstellungen& e);

// The names "aktion" takes, in the order the help lists them.
const std::vector<std::string>& Aktionsnamen();

// The fields the command line shows and sets, in the order they are shown.
const std::vector<std::string>& Feldnamen();

// Index into Feldnamen (case does not matter), or nothing.
std::optional<std::size_t> FeldNachKommandoName(const std::string& name);

// A text field of the payout settings by its name (case does not matter), or
// nothing.
std::optional<int> EinstellungNachKommandoName(const std::string& name);

// Whether two names are the same, without regard to ASCII case.
bool GleichOhneGrossUndKlein(std::string_view a, std::string_view b);

// A record number as typed: optional sign and digits only. Numbers too large
// for 64 bits come back clamped, so they still count as out of range.
std::optional<std::int64_t> LiesNummer(const std::string& text);

// A date written TT.MM.JJJJ that exists in the calendar.
std::optional<app::DatumZeit> LiesDatum(const std::string& text);

// The record numbers of "--ohne" (from 1, separated by commas).
std::optional<std::vector<std::int64_t>> LiesNummernliste(const std::string& text);

// A text for one output line: control characters become blanks.
std::string Einzeilig(const std::string& utf8);

// Output of many lines written in large blocks: program texts converted to
// UTF-8 as Einzeilig gives them. Ende writes the rest and flushes.
class Blockausgabe {
 public:
  explicit Blockausgabe(std::ostream& aus) : aus_(aus) {}
  void Text(std::string_view ansi);
  void Zeichen(char c) { block_ += c; }
  void Zeilenende();
  void Ende();

 private:
  std::ostream& aus_;
  std::string block_;
};

}  // namespace davo::cli
