// Amounts, areas, SEPA texts and dates as typed or read from files, against a
// plain reference written for this purpose.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "Fuzzhilfe.h"
#include "app/Datum.h"
#include "app/Geld.h"
#include "app/Umwandlung.h"

namespace {

using davo::app::Currency;

// Sign, digits, at most one comma, at least one digit; four decimals kept,
// the rest rounded half to even; nothing beyond the range of Currency.
std::optional<Currency> Referenz(std::string_view t) {
  std::size_t i = 0;
  bool negativ = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negativ = t[i++] == '-';
  std::string ganz, bruch;
  bool komma = false;
  for (; i < t.size(); ++i) {
    if (t[i] == ',') {
      if (komma) return std::nullopt;
      komma = true;
    } else if (t[i] >= '0' && t[i] <= '9') {
      (komma ? bruch : ganz) += t[i];
    } else {
      return std::nullopt;
    }
  }
  if (ganz.empty() && bruch.empty()) return std::nullopt;
  while (ganz.size() > 1 && ganz[0] == '0') ganz.erase(0, 1);
  if (ganz.size() > 19) return std::nullopt;
  unsigned __int128 wert = 0;
  for (char c : ganz) wert = wert * 10 + static_cast<unsigned>(c - '0');
  for (std::size_t k = 0; k < 4; ++k) wert = wert * 10 + (k < bruch.size() ? static_cast<unsigned>(bruch[k] - '0') : 0);
  if (bruch.size() > 4) {
    const std::string rest = bruch.substr(4);
    const bool ueberHalb = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
    if (ueberHalb || (rest[0] == '5' && !ueberHalb && (wert & 1))) ++wert;
  }
  if (wert > static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
  const auto betrag = static_cast<Currency>(wert);
  return negativ ? -betrag : betrag;
}

// Cents, halves away from zero, with a point: "-12.35".
std::string SepaReferenz(Currency v) {
  const unsigned __int128 betrag =
      v < 0 ? static_cast<unsigned __int128>(-(v + 1)) + 1 : static_cast<unsigned __int128>(v);
  const auto cent = static_cast<std::uint64_t>((betrag + 50) / 100);
  std::string nachkomma = std::to_string(cent % 100);
  if (nachkomma.size() < 2) nachkomma.insert(0, "0");
  return (v < 0 && cent != 0 ? "-" : "") + std::to_string(cent / 100) + "." + nachkomma;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t n) {
  davo::fuzz::Vorbereiten();
  const std::string_view text(reinterpret_cast<const char*>(daten), n);

  const std::optional<Currency> wert = davo::app::TextNachCurrency(text);
  const std::optional<Currency> erwartet = Referenz(text);
  DAVO_PRUEFE(wert == erwartet);
  if (wert) {
    DAVO_PRUEFE(davo::app::SepaBetrag(*wert) == SepaReferenz(*wert));
    // Written with four decimals in the widest form (18 digits), a value
    // that has no more digits reads back as it was.
    const bool passt = *wert > -1000000000000000000 && *wert < 1000000000000000000;
    const std::string kompakt = davo::app::BetragKompakt(*wert, 30, 4);
    std::string ohnePunkte;
    for (char c : kompakt)
      if (c != '.') ohnePunkte += c;
    if (passt) DAVO_PRUEFE(davo::app::TextNachCurrency(ohnePunkte) == wert);
  }

  // A typed area or amount is never negative, and an area stays within the bound.
  for (const auto art : {davo::app::Zahlart::Flaeche, davo::app::Zahlart::Betrag}) {
    const davo::app::Eingabe e = davo::app::EingabeLesen(text, art);
    if (!e.Gueltig()) continue;
    DAVO_PRUEFE(e.Wert >= 0);
    if (art == davo::app::Zahlart::Flaeche) DAVO_PRUEFE(e.Wert <= davo::app::HoechsteFlaeche);
  }

  const davo::app::BetragErgebnis b = davo::app::BetragEinlesen(text);
  DAVO_PRUEFE(!b.Fehler || b.Wert == 0);

  // IBAN groups: the same characters, in blocks of four.
  const std::string iban = davo::app::IbanGruppieren(text);
  DAVO_PRUEFE(davo::app::OhneLeerzeichen(iban) ==
              davo::app::OhneLeerzeichen(text).substr(0, davo::app::OhneLeerzeichen(iban).size()));

  // SEPA text keeps to the SEPA character set.
  for (const unsigned char c : davo::app::SepaText(text)) {
    const bool erlaubt = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                         std::string_view("/-?:().,'+ ").find(static_cast<char>(c)) != std::string_view::npos;
    DAVO_PRUEFE(erlaubt);
  }
  // Dates: the day of the week and both forms against the calendar of the
  // standard library.
  if (n >= 4) {
    const int jahr = 1 + ((daten[0] << 8) | daten[1]) % 9999, monat = 1 + daten[2] % 12, tag = 1 + daten[3] % 31;
    const std::chrono::year_month_day ymd{std::chrono::year(jahr), std::chrono::month(static_cast<unsigned>(monat)),
                                          std::chrono::day(static_cast<unsigned>(tag))};
    if (ymd.ok()) {
      DAVO_PRUEFE(davo::app::WochentagVon(jahr, monat, tag) ==
                  static_cast<int>(std::chrono::weekday(std::chrono::sys_days(ymd)).c_encoding()));
      davo::app::DatumZeit d;
      d.Jahr = jahr;
      d.Monat = monat;
      d.Tag = tag;
      char iso[16], deutsch[16];
      std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", jahr, monat, tag);
      std::snprintf(deutsch, sizeof deutsch, "%02d.%02d.%04d", tag, monat, jahr);
      DAVO_PRUEFE(davo::app::DatumISO(d) == iso && davo::app::DatumDeutsch(d) == deutsch);
    }
  }
  return 0;
}
