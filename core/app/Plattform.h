#pragma once
// The one place that knows the operating system: file handles with wide names
// on Windows, the local time, the program's own file, the per-user folders,
// the shell's open service and the locale-dependent comparison.

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace davo::app::plattform {

// fopen with a path that may hold any character: "rb", "r+b", "wb" or "w+b";
// with an "x" behind them ("w+bx") the file must not exist yet. Only a
// regular file is opened: a device, a pipe or a socket is refused without
// waiting on it (nullptr, and keineDatei set when given), so is a folder
// (errno EISDIR). Otherwise nullptr with errno as fopen leaves it.
std::FILE* OeffneDatei(const std::filesystem::path& pfad, const char* modus, bool* keineDatei = nullptr);

// Locks of a whole open file, held by that open file (not by the process):
// a second opening of the same file, in this program or another, is kept
// out like any other program. Closing the file ends its lock.
enum class Sperrversuch {
  Gesperrt,       // the lock is held now
  Belegt,         // another open file holds a lock in the way
  NichtMoeglich,  // the file system keeps no locks: nothing to wait for
  Fehlgeschlagen  // errno says why
};
// One attempt, without waiting: shared (many readers) or exclusive (one writer).
Sperrversuch Sperre(std::FILE* f, bool exklusiv);
void Entsperre(std::FILE* f);
// Cuts the file to laenge bytes, after flushing what is buffered (a buffer
// that cannot be written is dropped); false with errno on failure.
bool Kuerze(std::FILE* f, std::int64_t laenge);
bool Positioniere(std::FILE* f, std::int64_t pos);
std::int64_t Position(std::FILE* f);
std::int64_t Dateilaenge(std::FILE* f);  // -1 on failure
// Flushes the C buffer and the system's cache to the disk.
bool Sichere(std::FILE* f);
// Renames von over nach, replacing nach; 0 or an errno value.
int Ersetze(const std::filesystem::path& von, const std::filesystem::path& nach);

std::tm Ortszeit(std::time_t t);

std::filesystem::path ProgrammDatei();         // full path of the running program
std::filesystem::path HomeOrdner();            // $HOME / %USERPROFILE%
std::filesystem::path BenutzerKonfigOrdner();  // $XDG_CONFIG_HOME or ~/.config; %APPDATA%
#ifndef _WIN32
// The arguments this process was started with, as the system holds them (the
// first is the program's name); empty when they cannot be read.
std::vector<std::string> ProgrammArgumente();
// Runs the program at pfad in this process's place, with these arguments;
// returns only when it could not be started (errno says why).
void ProgrammErsetzen(const std::filesystem::path& pfad, const std::vector<std::string>& argumente);
#endif

// Hands a file to the desktop's open service; no result is checked.
void ShellOeffnen(const std::filesystem::path& datei, const std::string& parameter,
                  const std::filesystem::path& verzeichnis, int anzeige);

// Sort key of a Windows-1252 text: comparing two keys byte by byte orders the
// texts as a German system does, without regard to case.
std::string Sortierschluessel(std::string_view ansi);
// The same key appended to schluessel: the keys of many texts in one buffer,
// without a string of their own each.
void SortierschluesselAnhaengen(std::string_view ansi, std::string& schluessel);

// The same order character by character, where the collation allows it:
// the weights of every Windows-1252 byte as small ranks, primary (the letter
// without accent or case) and secondary (the accent), and the pairs of bytes
// that count as one. Two texts compare as their sort keys do when their
// primary ranks are compared first and, where those are equal, their
// secondary ranks. Ranks are numbered in the order of the weights; a byte the
// order ignores has none.
struct Zeichengewichte {
  struct Gewichte {
    std::uint8_t Primaer[4] = {};    // ranks from 2, a 0 ends the list
    std::uint8_t Sekundaer[4] = {};  // ranks from 1, a 0 ends the list
  };
  struct Paar {
    unsigned char Erstes = 0, Zweites = 0;
    Gewichte G;
  };
  Gewichte Zeichen[256];
  bool BeginntPaar[256] = {};
  // The one primary rank of a byte that has exactly one and starts no pair;
  // 0 for every other byte.
  std::uint8_t Einfach[256] = {};
  std::vector<Paar> Paare;
};
// nullptr where the order cannot be taken character by character (then only
// the sort keys give it).
const Zeichengewichte* DeutscheZeichengewichte();

// Terminal helpers for the command line front end.
bool IstTerminal(std::FILE* f);

// n bytes (uninitialised) for a large table; its whole large pages (2 MB) as
// such where the system gives them on request. Never nullptr: std::bad_alloc.
// Freed with GrossFreigeben (nullptr is allowed).
void* GrossHolen(std::size_t n);
void GrossFreigeben(void* p) noexcept;
// The program's arguments in UTF-8 (Windows hands them over in its ANSI code
// page; the wide command line has them all).
std::vector<std::string> ArgumenteUtf8(int argc, char** argv);
// Makes the console show UTF-8 output (Windows); elsewhere nothing to do.
void KonsoleUtf8();

}  // namespace davo::app::plattform
