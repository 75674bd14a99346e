#pragma once
// The commands of the command line front end. Arguments arrive as UTF-8 and
// are converted to Windows-1252 here; everything printed is UTF-8. Refusals
// and file errors are shown through the installed dialog service (ZeigeMeldung);
// usage errors are written to the error stream with a hint.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "TerminalDialoge.h"
#include "app/Dialoge.h"

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

// The German usage text (UTF-8).
std::string Hilfetext();

// The whole program: options, dialog service, command. Returns the exit status.
int Hauptprogramm(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);

// Runs one command with the dialog service that is installed.
int BefehlAusfuehren(const std::string& befehl, const std::vector<std::string>& argumente, std::ostream& aus,
                     std::ostream& fehler);

// "adressen DATEI": one tab-separated line per record.
int AdressenAuflisten(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "adresse DATEI NR [Feld=Wert ...]": shows or changes one record.
int AdresseBearbeiten(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "waehlen DATEI [--sortierung N] [--suche TEXT]": the lines of the address
// chooser in their order, or its search results.
int AdressenWaehlen(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "aktion DATEI NAME": one of the actions that change a field in every record.
int AktionAusfuehren(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "flurstuecke KATASTER.CSV [--sortieren] [--export DATEI] [--tabelle]
// [--in-adressdatei DATEI.ADW]": imports the cadastre, then sorts, writes the
// export, prints the table and appends the owners to the address file, in
// this order, as the options ask.
int FlurstueckeVerarbeiten(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "serienbrief VORLAGE.TXT DATEI.ADW (--adresse NR | --gruppe G) --pdf
// AUSGABE.PDF": the form letters for one record or for every record of a
// group, one print job each, into one PDF file. Without the PDF parts built
// in (no Qt) it says so and refuses.
int SerienbriefeDrucken(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "adressenliste DATEI.ADW --gruppe G --pdf AUSGABE.PDF": the printed address
// list of the form-letter window for group G, as a PDF file.
int AdressenlisteDrucken(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "einstellungen DATEI.ADW [Feld=Wert ...]": shows or changes the payout
// settings kept beside the address file.
int EinstellungenBearbeiten(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "auszahlungsliste DATEI.ADW --art 1-5 [--sortierung S] [--pdf DATEI]": the
// payout list of one kind as tab-separated lines, or printed into a PDF file.
int AuszahlungslisteZeigen(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "export serienbrief DATEI.ADW" and "export bankdaten DATEI.ADW [--datei
// DATEI]": the form-letter CSV beside the address file, or the bank-code file.
int Exportieren(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "import bankdaten DATEI.ADW [--datei DATEI]": BIC and IBAN from the
// converter's result file.
int Importieren(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "dos-import ALT.ADR --format jagd|buchhaltung": the DOS address file as an
// address file beside it.
int DosImportieren(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "xml DATEI [--roh]": the viewer's tree, or its rows of 50 bytes.
int XmlZeigen(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "freigabeliste DATEI.ADW [--ohne NR,...] [--pdf DATEI]": the release list
// of the SEPA file as lines "frei", "gesperrt" or "fehlerhaft", a tab and the
// item, or printed into a PDF file.
int FreigabelisteZeigen(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "sepa DATEI.ADW [--ohne NR,...] [--ausfuehrung TT.MM.JJJJ] [--ordner ORDNER]
// [--format 03|09] [--begleitzettel DATEI.pdf] [--liste DATEI.pdf]
// [--kopie-nach ORDNER]": writes the SEPA file and its CSV twin for the
// released owners, then the chosen actions of the chooser.
int SepaDateiErstellen(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);
// "kopiere QUELLE ZIEL": copies a file with its date, creating the target's
// folders; ZIEL may be a folder.
int DateiKopieren(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler);

// --- pieces the commands are built from ----------------------------------------

// Writes a usage error and the usage lines to fehler; returns ExitAufruf.
int Aufruffehler(std::ostream& fehler, const std::string& text);

// The file argument as program text; shows a message when it cannot be one.
std::optional<std::string> AnsiPfad(const std::string& utf8);

// True when something exists at the path; else the file-not-found message.
bool DateiVorhanden(const std::string& pfad);

// Makes pfad (program text; utf8 as typed, for the message) the active
// address file in memory for the core operations that open the active file.
// Those save the configuration, so an existing configuration file is read
// first and keeps all its other fields. False, with a message, when the
// configuration cannot hold the path (more than 255 characters).
bool AktiveDateiSetzen(const std::string& pfad, const std::string& utf8);

// Makes the address file the one whose settings are read and written (in
// memory only) and reads them; false when they could not be read (reported).
bool EinstellungenDerDatei(const std::string& pfad);

// The names "aktion" takes, in the order the help lists them.
const std::vector<std::string>& Aktionsnamen();

// The fields the command line shows and sets, in the order they are shown.
const std::vector<std::string>& Feldnamen();

// Index into Feldnamen (case does not matter), or nothing.
std::optional<std::size_t> FeldNachKommandoName(const std::string& name);

// A record number as typed: optional sign and digits only. Numbers too large
// for 64 bits come back clamped, so they still count as out of range.
std::optional<std::int64_t> LiesNummer(const std::string& text);

// A text for one output line: control characters become blanks.
std::string Einzeilig(const std::string& utf8);

}  // namespace davo::cli
