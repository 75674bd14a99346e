#pragma once
// Runs the built davo program as a subprocess, as a user's shell would, and
// gives back its exit status and everything it wrote; plus reading and
// writing whole files as bytes for the tests that check what it leaves behind.

#include <filesystem>
#include <string>
#include <vector>

namespace davo::test {

// One run of a program.
struct Lauf {
  int Status = -1;     // exit status; -1 when the program did not end normally
  std::string Aus;     // standard output, as bytes
  std::string Fehler;  // error output, as bytes
};

// The text quoted for a POSIX shell: one word, whatever it contains.
std::string Gequotet(const std::string& text);

// Runs programm with the arguments (each passed as one word) and no input.
// Its output goes through the files stdout.txt and stderr.txt in ordner,
// which must exist. vorne: words put before the program on the command line,
// such as "env -u VARIABLE", passed unquoted.
Lauf ProgrammStarten(const std::string& programm, const std::vector<std::string>& argumente,
                     const std::filesystem::path& ordner, const std::string& vorne = {});

// The whole file as bytes; empty when it cannot be read.
std::string LiesDatei(const std::filesystem::path& pfad);
// Creates or overwrites the file with exactly these bytes.
void SchreibeDatei(const std::filesystem::path& pfad, const std::string& bytes);

#ifdef DAVO_CLI
// The davo program of this build (the command-line tests know its path).
inline Lauf DavoStarten(const std::vector<std::string>& argumente, const std::filesystem::path& ordner,
                        const std::string& vorne = {}) {
  return ProgrammStarten(DAVO_CLI, argumente, ordner, vorne);
}
#endif

}  // namespace davo::test
