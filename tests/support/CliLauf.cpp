#include "support/CliLauf.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace davo::test {

namespace fs = std::filesystem;

std::string Gequotet(const std::string& text) {
  std::string q = "'";
  for (char c : text) {
    if (c == '\'')
      q += "'\\''";
    else
      q += c;
  }
  return q + "'";
}

Lauf ProgrammStarten(const std::string& programm, const std::vector<std::string>& argumente, const fs::path& ordner,
                     const std::string& vorne) {
  std::string befehl = vorne.empty() ? std::string() : vorne + " ";
  befehl += Gequotet(programm);
  for (const std::string& a : argumente) {
    befehl += ' ';
    befehl += Gequotet(a);
  }
  const fs::path aus = ordner / "stdout.txt";
  const fs::path fehler = ordner / "stderr.txt";
  befehl += " >";
  befehl += Gequotet(aus.string());
  befehl += " 2>";
  befehl += Gequotet(fehler.string());
  befehl += " </dev/null";

  Lauf lauf;
  const int roh = std::system(befehl.c_str());
#if defined(_WIN32)
  lauf.Status = roh;
#else
  lauf.Status = roh != -1 && WIFEXITED(roh) ? WEXITSTATUS(roh) : -1;
#endif
  lauf.Aus = LiesDatei(aus);
  lauf.Fehler = LiesDatei(fehler);
  return lauf;
}

std::string LiesDatei(const fs::path& pfad) {
  std::ifstream f(pfad, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void SchreibeDatei(const fs::path& pfad, const std::string& bytes) {
  std::ofstream f(pfad, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace davo::test
