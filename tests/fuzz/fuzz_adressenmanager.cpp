// The address manager walked through an address file of any content, from
// its last record to its first and back, without an edit. Property: every
// owner keeps his texts (the IBAN may come back in groups of four), his
// group, his area and whether his flags are set (a flag is set by a 1).

#include <cstdint>
#include <string>
#include <vector>

#include "Fuzzhilfe.h"
#include "addresses/Adresse.h"
#include "addresses/Adressenmanager.h"
#include "app/Konfiguration.h"
#include "app/Umwandlung.h"

namespace {
namespace a = davo::addresses;
constexpr std::size_t G = a::TAdresse::Groesse;

a::TAdresse SatzAus(const std::string& bytes, std::size_t nr) {
  a::TAdresse satz;
  std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(nr * G), G, satz.bytes.begin());
  return satz;
}

bool Gleich(const a::TAdresse& x, const a::TAdresse& y) {
  for (int i = 1; i <= static_cast<int>(a::TAdresse::AnzahlFelder); ++i) {
    // The IBAN is shown, and so stored, in groups of four (which an IBAN,
    // 34 characters at most, always fits into).
    if (i == a::IBAN) {
      const std::string iban = davo::app::OhneLeerzeichen(x.Text(i));
      if (iban.size() <= 34 && iban != davo::app::OhneLeerzeichen(y.Text(i))) return false;
    } else if (x.Text(i) != y.Text(i)) {
      return false;
    }
  }
  return x.Gruppe() == y.Gruppe() && x.Flaeche() == y.Flaeche() &&
         (x.AuszahlungFrei() == 1) == (y.AuszahlungFrei() == 1) &&
         (x.SerienbriefDruck() == 1) == (y.SerienbriefDruck() == 1);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
  if (n > 20 * G) return -1;
  const auto ordner = davo::fuzz::Vorbereiten();
  davo::app::KonfigOrdnerVorgabe = ordner;
  a::ZustandZuruecksetzen();
  const auto pfad = ordner / "A.ADW";
  davo::fuzz::Schreibe(pfad, daten, n);
  davo::app::Konfiguration.SetzeAdressdatei(pfad.string());

  a::AdressenmanagerModell modell;
  modell.Oeffnen();
  for (std::size_t k = 0; k < n / G; ++k) modell.Zurueck();
  for (std::size_t k = 0; k < n / G; ++k) modell.Weiter();
  modell.Ende();

  const std::string vorher(reinterpret_cast<const char*>(daten), n);
  const std::string nachher = davo::fuzz::Lies(pfad);
  if (n % G != 0) {
    DAVO_PRUEFE(nachher == vorher);  // a torn file is not written to
    return 0;
  }
  DAVO_PRUEFE(nachher.size() >= vorher.size());
  for (std::size_t k = 0; k < n / G; ++k) DAVO_PRUEFE(Gleich(SatzAus(vorher, k), SatzAus(nachher, k)));
  return 0;
}
