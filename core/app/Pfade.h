#pragma once
// Paths: the program keeps every path as Windows-1252 text, as the
// configuration record stores it. Before a path reaches the file system it
// goes through DateiPfad, which accepts "\" and "/" as separators everywhere,
// and which, on systems without drive letters, maps a drive path "X:\a\b" to
// the folder a/b in the user's home folder, matching existing folder names
// without regard to case (as Windows does).

#include <filesystem>
#include <optional>
#include <string>

namespace davo::app {

std::filesystem::path DateiPfad(const std::string& ansiPfad);

// The program's path text of a file-system path; nothing when it holds a
// character that Windows-1252 has no place for.
std::optional<std::string> AnsiPfad(const std::filesystem::path& pfad);

// Everything up to (not including) the last "\" or "/"; empty when none.
std::string OrdnerVon(const std::string& ansiPfad);

// The home folder that drive paths are mapped into (tests may change it).
extern std::optional<std::filesystem::path> HomeOrdnerFuerTests;

}  // namespace davo::app
