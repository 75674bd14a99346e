#pragma once
// The seam through which tests make file operations fail: an installed
// function is asked before each operation of the file layer, and a non-zero
// answer makes that operation fail with this code without touching the disk.
// Nothing in the program installs one.

#include <chrono>
#include <filesystem>
#include <functional>

namespace davo::app {

enum class IOOperation {
  Zuordnen,
  Oeffnen,
  Anlegen,
  Suchen,
  Lesen,
  Schreiben,
  Schliessen,
  OrdnerAnlegen,
  Umbenennen,
  Nachschlagen,
  Dateizeit,
  Sperren,
  Kuerzen
};

using IOStoerfunktion = std::function<int(IOOperation, const std::filesystem::path&)>;

// Installs the function (an empty one removes it).
void SetzeIOStoerung(IOStoerfunktion stoerung);

// The code the installed function gives for an operation on a path; 0
// without one.
int IOStoerung(IOOperation operation, const std::filesystem::path& pfad);

// How long a file locked by another program is waited for before the
// operation gives up: a few seconds; tests that hold a lock themselves set
// it short.
constexpr std::chrono::milliseconds SperrWartezeitVorgabe{5000};
void SetzeSperrWartezeit(std::chrono::milliseconds zeit);
std::chrono::milliseconds SperrWartezeit();

}  // namespace davo::app
