// The result file of the bank-data converter read back into an address file,
// and the plausibility of IBAN and BIC. The first byte says how many records
// (0-3) of the following bytes make the address file; the rest is the result
// file. Properties: only the IBAN and BIC fields of records change, the file
// keeps its length; plausibility does not depend on blanks or case.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

#include "Fuzzhilfe.h"
#include "addresses/Adresse.h"
#include "addresses/Adressexporte.h"
#include "app/Bankdaten.h"

namespace {
namespace a = davo::addresses;
constexpr std::size_t G = a::TAdresse::Groesse;

// Whether offset k of a record lies in the IBAN or BIC field.
bool BankFeld(std::size_t k) {
  for (const int feld : {a::IBAN, a::BIC}) {
    const std::size_t anfang = a::TAdresse::FeldOffset(feld);
    if (k >= anfang && k < anfang + a::TAdresse::FeldKapazitaet + 1) return true;
  }
  return false;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
  if (n == 0 || n > 64 * 1024) return -1;
  const auto ordner = davo::fuzz::Vorbereiten();
  const std::size_t saetze = std::min<std::size_t>(daten[0] % 4, (n - 1) / G);
  const std::string adressen(reinterpret_cast<const char*>(daten) + 1, saetze * G);
  const std::string ergebnis(reinterpret_cast<const char*>(daten) + 1 + saetze * G, n - 1 - saetze * G);
  const auto adw = ordner / "A.ADW";
  const auto csv = ordner / "Ergebnis.csv";
  davo::fuzz::Schreibe(adw, adressen);
  davo::fuzz::Schreibe(csv, ergebnis);

  a::Adressdatei datei(adw.string());
  a::BlzKontoEinlesen(datei, csv.string());
  const std::string nachher = davo::fuzz::Lies(adw);
  DAVO_PRUEFE(nachher.size() == adressen.size());
  for (std::size_t k = 0; k < nachher.size(); ++k) DAVO_PRUEFE(nachher[k] == adressen[k] || BankFeld(k % G));

  const std::string_view text(ergebnis.data(), std::min<std::size_t>(ergebnis.size(), 60));
  std::string anders;
  for (const char c : text) {
    if (c == ' ') continue;
    anders += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    anders += ' ';
  }
  std::string ohne;
  for (const char c : text)
    if (c != ' ') ohne += c;
  DAVO_PRUEFE(davo::app::IbanPlausibel(ohne) == davo::app::IbanPlausibel(anders));
  DAVO_PRUEFE(davo::app::BicPlausibel(ohne) == davo::app::BicPlausibel(anders));
  return 0;
}
