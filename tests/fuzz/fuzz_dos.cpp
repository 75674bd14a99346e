// Address files of the DOS programs, in both formats: converted into a new
// address file. Properties: the new file holds one whole record per old
// record (a short last one fails the conversion, which leaves no file), with
// areas within the bound; the old file is untouched.

#include <cstdint>
#include <string>

#include "Fuzzhilfe.h"
#include "addresses/Adresse.h"
#include "app/Geld.h"
#include "letters/DosUmwandlung.h"

namespace {
namespace l = davo::letters;
constexpr std::size_t G = davo::addresses::TAdresse::Groesse;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
  if (n > 200 * 454) return -1;
  const auto ordner = davo::fuzz::Vorbereiten();
  const std::string alt(reinterpret_cast<const char*>(daten), n);
  for (const auto format : {l::DosFormat::Jagd, l::DosFormat::Buchhaltung}) {
    const auto quelle = ordner / (format == l::DosFormat::Jagd ? "jagd.adr" : "buch.adr");
    davo::fuzz::Schreibe(quelle, alt);
    const l::DosErgebnis e = l::DosAdressdateiUmwandeln(quelle.string(), format);
    DAVO_PRUEFE(davo::fuzz::Lies(quelle) == alt);
    const std::size_t groesse = l::DosSatzgroesse(format);
    const std::string neu = davo::fuzz::Lies(e.Ziel);
    if (e.Ergebnis == davo::addresses::Aktionsergebnis::Erledigt) {
      DAVO_PRUEFE(n % groesse == 0);
      DAVO_PRUEFE(static_cast<std::size_t>(e.Anzahl) == n / groesse && neu.size() == n / groesse * G);
      for (std::size_t k = 0; k < neu.size(); k += G) {
        davo::addresses::TAdresse satz;
        std::copy_n(neu.begin() + static_cast<std::ptrdiff_t>(k), G, satz.bytes.begin());
        DAVO_PRUEFE(satz.Flaeche() >= 0 && satz.Flaeche() <= davo::app::HoechsteFlaeche);
      }
    } else {
      DAVO_PRUEFE(!std::filesystem::exists(e.Ziel) && !std::filesystem::exists(e.Ziel + ".neu"));
    }
  }
  if (n >= 6) {
    const auto flaeche = l::Real48NachFlaeche(daten);
    if (flaeche) DAVO_PRUEFE(*flaeche >= 0 && *flaeche <= davo::app::HoechsteFlaeche);
  }
  return 0;
}
