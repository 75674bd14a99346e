// The XML viewer's import of any file. Properties: the nodes form a tree in
// the order of a fully expanded tree (each node's parent comes before it and
// lists it among its children), the rows cover the bytes looked at, and a
// search finds a node that holds the text.

#include <algorithm>
#include <cstdint>
#include <string>

#include "Fuzzhilfe.h"
#include "letters/XmlAnsicht.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
  if (n > 256 * 1024) return -1;
  const auto ordner = davo::fuzz::Vorbereiten();
  const auto pfad = ordner / "a.xml";
  davo::fuzz::Schreibe(pfad, daten, n);

  davo::letters::XmlAnsicht xml;
  const auto ergebnis = xml.Importieren(pfad.string());
  DAVO_PRUEFE(ergebnis != davo::letters::XmlAnsicht::Ergebnis::NichtGefunden);
  DAVO_PRUEFE(xml.Knotenzahl() >= 1);
  std::int64_t kinder = 0;
  for (std::int32_t k = 0; k < xml.Knotenzahl(); ++k) {
    const std::int32_t c = xml.Kinderzahl(k);
    kinder += c;
    for (std::int32_t z = 0; z < c; ++z) {
      const std::int32_t kind = xml.Kind(k, z);
      DAVO_PRUEFE(kind > k && xml.Eltern(kind) == k && xml.ZeileImEltern(kind) == z);
    }
    (void)xml.Titel(k);
  }
  DAVO_PRUEFE(kinder == xml.Knotenzahl() - 1);

  std::int64_t bytes = 0;
  for (std::int64_t z = 0; z < xml.Zeilenzahl(); ++z) {
    const auto zeile = xml.Zeile(z);
    DAVO_PRUEFE(zeile.size() <= davo::letters::XmlAnsicht::Zeilenbreite);
    DAVO_PRUEFE(std::equal(zeile.begin(), zeile.end(), reinterpret_cast<const char*>(daten) + bytes));
    bytes += static_cast<std::int64_t>(zeile.size());
  }
  DAVO_PRUEFE(bytes <= static_cast<std::int64_t>(n));

  if (xml.Knotenzahl() > 1) {
    const std::string titel = xml.Titel(1);
    const std::string stueck = titel.substr(0, std::min<std::size_t>(titel.size(), 4));
    if (!stueck.empty() && stueck.find_first_not_of(' ') != std::string::npos) {
      const std::int32_t treffer = xml.Suchen({stueck}, 0);
      DAVO_PRUEFE(treffer >= 0 && treffer < xml.Knotenzahl());
    }
  }
  return 0;
}
