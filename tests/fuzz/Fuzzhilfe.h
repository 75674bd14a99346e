#pragma once
// Common ground of the fuzz targets: a dialog service that answers every
// question with yes and shows nothing, a working folder of the process's own,
// whole files as bytes, and a check that stops the run with its reason.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/Dialoge.h"

namespace davo::fuzz {

class StillerDienst : public app::DialogDienst {
 public:
  void Meldung(const std::string&) override {}
  app::FrageErgebnis Frage(const std::string&, const std::string&, bool) override { return app::FrageErgebnis::Ja; }
  void Fortschritt(const std::string&, int) override {}
  std::optional<int> Auswahl(const std::string&, const std::vector<std::string>&, int) override { return {}; }
  std::optional<app::DateiWahl> DateiOeffnen(const app::DateiDialog&) override { return {}; }
  std::optional<app::DateiWahl> DateiSpeichern(const app::DateiDialog&) override { return {}; }
  bool Druckdialog() override { return false; }
  void ShellOeffnen(const std::string&, const std::string&, const std::string&, int) override {}
  bool PersonAntwortet() override { return false; }
};

// The dialog service installed and the process's working folder (emptied on
// each call). Paths below it are plain ASCII, so they are program text as they
// stand.
inline std::filesystem::path Vorbereiten() {
  static StillerDienst dienst;
  static const std::filesystem::path ordner = [] {
    const auto p = std::filesystem::temp_directory_path() / ("davo_fuzz_" + std::to_string(::getpid()));
    return p;
  }();
  app::InstalliereDialogDienst(&dienst);
  std::error_code ec;
  std::filesystem::remove_all(ordner, ec);
  std::filesystem::create_directories(ordner);
  return ordner;
}

inline void Schreibe(const std::filesystem::path& pfad, const std::uint8_t* daten, std::size_t n) {
  std::ofstream aus(pfad, std::ios::binary | std::ios::trunc);
  aus.write(reinterpret_cast<const char*>(daten), static_cast<std::streamsize>(n));
}
inline void Schreibe(const std::filesystem::path& pfad, const std::string& bytes) {
  Schreibe(pfad, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

inline std::string Lies(const std::filesystem::path& pfad) {
  std::ifstream ein(pfad, std::ios::binary);
  return {std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
}

}  // namespace davo::fuzz

// A property that must hold: a violation ends the run like a crash, so the
// fuzzer keeps the input.
#define DAVO_PRUEFE(bedingung)                                                                   \
  do {                                                                                           \
    if (!(bedingung)) {                                                                          \
      std::fprintf(stderr, "%s:%d: Eigenschaft verletzt: %s\n", __FILE__, __LINE__, #bedingung); \
      std::abort();                                                                              \
    }                                                                                            \
  } while (false)
