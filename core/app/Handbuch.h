#pragma once
// The user guide (one HTML file) and the "Über" text of the help menu. Both
// programs look for the guide in the same places, relative to the folder of
// the running program:
//   handbuch/                                 beside the program (Windows installation)
//   ../share/zq-davozedizarorevodo/handbuch/  the installed data folder (Linux)
//   ../doc/handbuch/                          the build tree (./davo.sh handbuch)

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace davo::app {

extern const char* const HandbuchDatei;  // "handbuch.html"

// The folders searched for the guide, in order, without "." and "..".
std::vector<std::filesystem::path> HandbuchOrdner(const std::filesystem::path& programmOrdner);

// The guide's file in the first folder that has it; nothing when none has.
std::optional<std::filesystem::path> HandbuchFinden(const std::filesystem::path& programmOrdner);

// The message for a missing guide (cp1252), naming every folder searched.
std::string HandbuchFehltText(const std::filesystem::path& programmOrdner);

// "Hilfe" > "Handbuch": hands the guide to the desktop's open service, or
// says where it was looked for.
void HandbuchZeigen(const std::filesystem::path& programmOrdner);

// "Hilfe" > "Über ZQ-Davozedizarorevodo" (cp1252, lines separated by "\n"):
// version, licence, and where the configuration, the active address file,
// its settings (einstellungsdatei, shown when an address file is chosen), the
// SEPA files and the guide are, and the folder the file dialog for new
// address files starts in (program path text).
std::string UeberText(const std::filesystem::path& programmOrdner, const std::string& einstellungsdatei,
                      const std::string& startordnerAdressdateien);

}  // namespace davo::app
