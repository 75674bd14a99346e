#pragma once
// Small conversions on short strings (cp1252, results cut at 255): amounts in
// the German number format, SEPA text and amounts, IBAN grouping.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/Geld.h"

namespace davo::app {

struct BetragErgebnis {
  Currency Wert = 0;
  bool Fehler = false;
};

// TextNachCurrency for every text, the long way.
std::optional<Currency> TextNachCurrencyVoll(std::string_view text, bool ohneLeerzeichen);

// A decimal number in German form as Currency: optional sign, digits, at most
// one "," with decimals (beyond the fourth rounded half to even). Nothing
// when the text is anything else (blanks, separators, letters, empty).
// With ohneLeerzeichen, blanks anywhere in the text are ignored. (Always
// inline: a call returns the result through memory in a way that stalls.)
[[gnu::always_inline]] inline std::optional<Currency> TextNachCurrency(std::string_view text,
                                                                       bool ohneLeerzeichen = false) {
  // Most texts are up to 14 digits with at most one comma and four decimals
  // (blanks before them where they count for nothing): read here, with no
  // rounding and no overflow possible. Anything else goes the long way.
  std::size_t j = 0;
  if (ohneLeerzeichen)
    while (j < text.size() && text[j] == ' ') ++j;
  const std::size_t anfang = j;
  std::uint64_t wert = 0;
  while (j < text.size() && j - anfang < 14 && static_cast<unsigned char>(text[j] - '0') < 10)
    wert = wert * 10 + static_cast<std::uint64_t>(text[j++] - '0');
  std::size_t ziffern = j - anfang;
  int stellen = 4;
  if (j < text.size() && text[j] == ',') {
    const std::size_t komma = ++j;
    while (j < text.size() && j - komma < 4 && static_cast<unsigned char>(text[j] - '0') < 10)
      wert = wert * 10 + static_cast<std::uint64_t>(text[j++] - '0');
    ziffern += j - komma;
    stellen = 4 - static_cast<int>(j - komma);
  }
  if (j != text.size() || ziffern == 0) return TextNachCurrencyVoll(text, ohneLeerzeichen);
  for (; stellen > 0; --stellen) wert *= 10;
  return static_cast<Currency>(wert);
}

// Reads an amount in German form: keeps "-", digits and ","; the rest (blanks,
// thousands separators, units) is dropped. Nothing or a lone "-" is 0 without
// error; an unreadable remainder is 0 with the error flag (and a beep).
BetragErgebnis BetragEinlesen(std::string_view text);

// What a number typed by a person stands for: it decides the unit that may
// follow it and the limit.
enum class Zahlart { Flaeche, Betrag };

// A number as typed, read strictly: empty is 0; otherwise digits, "." only
// between groups of exactly three digits ("1.234,50"), at most one decimal
// comma, blanks at the ends and before a unit, and the unit ("ha" for areas;
// "€", "EUR" or "Euro" for amounts, in any case). Negative numbers and areas
// above 100 million ha are refused too. Hinweis says why (empty: accepted).
struct Eingabe {
  Currency Wert = 0;
  std::string Hinweis;
  bool Gueltig() const { return Hinweis.empty(); }
};
Eingabe EingabeLesen(std::string_view text, Zahlart art);
// "<feld>: „<text>“ ist keine gültige Zahl – <Hinweis>" (cut at 255).
std::string EingabeFehlertext(const std::string& feld, std::string_view text, const Eingabe& eingabe);
// "„<text>“ – <Hinweis>": the refused text and the hint, for callers that put
// their own message first.
std::string EingabeZitat(std::string_view text, const Eingabe& eingabe);

// The value in fixed-point form with the given decimals and the width as
// precision, one thousands separator at most, padded on the left to the width.
std::string BetragFormatieren(Currency wert, int breite, int stellen);

// BetragFormatieren without any blanks.
std::string BetragKompakt(Currency wert, int breite, int stellen);

// Removes all blanks, then groups in blocks of four separated by one blank.
std::string IbanGruppieren(std::string_view text);

std::string OhneLeerzeichen(std::string_view text);
// n right-aligned in 5 characters (wider numbers take the room they need).
std::string Zahl5(std::int32_t n);
// n right-aligned in the given width.
std::string Rechtsbuendig(std::int64_t n, int breite);
// The text restricted to the SEPA character set (umlauts spelt out).
std::string SepaText(std::string_view text);
// The amount with a point and two decimals ("1234.50"), halves away from zero.
std::string SepaBetrag(Currency betrag);
// A German amount text with "." removed, the first "," made "." and blanks removed.
std::string SepaBetragText(std::string_view text);

}  // namespace davo::app
