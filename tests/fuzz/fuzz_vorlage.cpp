// Form-letter templates and their placeholders, DOS and Windows text files.
// The first record's worth of bytes is an owner, the rest a template file.
// Properties: a line without placeholders comes out as it went in; a template read,
// written and read again gives the same lines.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "Fuzzhilfe.h"
#include "addresses/Adresse.h"
#include "letters/Vorlage.h"

namespace {
namespace l = davo::letters;
constexpr std::size_t G = davo::addresses::TAdresse::Groesse;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
  if (n > 64 * 1024) return -1;
  const auto ordner = davo::fuzz::Vorbereiten();
  davo::addresses::TAdresse adresse;
  const std::size_t satz = std::min(n, G);
  std::copy_n(daten, satz, adresse.bytes.begin());
  const auto vorlage = ordner / "brief.txt";
  davo::fuzz::Schreibe(vorlage, daten + satz, n - satz);

  for (const bool vonDos : {false, true}) {
    std::vector<std::string> zeilen;
    if (l::TextdateiLesen(vorlage.string(), vonDos, zeilen) != l::Leseergebnis::Gelesen) continue;
    for (const std::string& zeile : zeilen) {
      DAVO_PRUEFE(zeile.size() <= 255);
      const std::string ersetzt = l::ErsetzePlatzhalter(zeile, adresse);
      const bool ohnePlatzhalter = std::none_of(l::Platzhalter.begin(), l::Platzhalter.end(), [&](const char* p) {
        return *p != '\0' && zeile.find(p) != std::string::npos;
      });
      if (ohnePlatzhalter) DAVO_PRUEFE(ersetzt == zeile);
      DAVO_PRUEFE(l::DosNachWindows(zeile).size() == zeile.size());
    }
    const auto kopie = ordner / "kopie.txt";
    // Lines that hold a line break themselves cannot come back as they were.
    const bool ohneUmbruch = std::none_of(zeilen.begin(), zeilen.end(), [](const std::string& z) {
      return z.find_first_of("\r\n") != std::string::npos;
    });
    DAVO_PRUEFE(l::TextdateiSchreiben(kopie.string(), zeilen));
    std::vector<std::string> wieder;
    DAVO_PRUEFE(l::TextdateiLesen(kopie.string(), false, wieder) == l::Leseergebnis::Gelesen);
    if (ohneUmbruch) DAVO_PRUEFE(wieder == zeilen);
  }
  return 0;
}
