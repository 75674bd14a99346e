// Cadastre files: imported, sorted, exported and transferred into a new
// address file. Properties: sorting only reorders the rows; the transfer is
// all or nothing, one whole record per owner, areas within the bound.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "Fuzzhilfe.h"
#include "addresses/Adresse.h"
#include "app/Geld.h"
#include "parcels/Flurstuecke.h"

namespace {
namespace p = davo::parcels;

std::vector<std::string> Zeilen(const p::Flurstuecktabelle& t) {
  std::vector<std::string> zeilen;
  for (int z = 0; z < t.Zeilenzahl(); ++z) {
    std::string zeile;
    for (int s = 0; s < p::Flurstuecktabelle::MaxSpalten; ++s) (zeile += t.Zelle(s, z)) += '\x1f';
    zeilen.push_back(zeile);
  }
  return zeilen;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
  if (n > 64 * 1024) return -1;
  const auto ordner = davo::fuzz::Vorbereiten();
  const auto kataster = ordner / "k.csv";
  davo::fuzz::Schreibe(kataster, daten, n);

  p::Flurstuecktabelle t;
  t.SetzeZeilenzahl(1);
  if (!p::DateiImportieren(t, kataster.string())) return 0;

  std::vector<std::string> vorher = Zeilen(t);
  p::Sortieren(t);
  std::vector<std::string> nachher = Zeilen(t);
  DAVO_PRUEFE(!vorher.empty() && vorher[0] == nachher[0]);  // the titles stay on top
  std::sort(vorher.begin(), vorher.end());
  std::sort(nachher.begin(), nachher.end());
  DAVO_PRUEFE(vorher == nachher);

  const auto export_ = ordner / "export.csv";
  DAVO_PRUEFE(p::ExportSchreiben(t, export_.string(), {kataster.string()}));
  DAVO_PRUEFE(!p::ExportSchreiben(t, kataster.string(), {kataster.string()}));
  DAVO_PRUEFE(davo::fuzz::Lies(kataster) == std::string(reinterpret_cast<const char*>(daten), n));

  const auto adw = ordner / "A.ADW";
  davo::addresses::Adressdatei datei(adw.string());
  const p::Uebertragungsbericht bericht = p::TabelleUebertragen(t, datei);
  const std::string bytes = davo::fuzz::Lies(adw);
  constexpr std::size_t G = davo::addresses::TAdresse::Groesse;
  DAVO_PRUEFE(bytes.size() == static_cast<std::size_t>(bericht.Angehaengt) * G);
  if (!bericht.Ergebnis.Ok()) DAVO_PRUEFE(bericht.Angehaengt == 0);
  for (std::size_t k = 0; k < bytes.size(); k += G) {
    davo::addresses::TAdresse satz;
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(k), G, satz.bytes.begin());
    DAVO_PRUEFE(satz.Flaeche() >= 0 && satz.Flaeche() <= davo::app::HoechsteFlaeche);
  }
  return 0;
}
