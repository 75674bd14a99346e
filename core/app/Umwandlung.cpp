#include "app/Umwandlung.h"

#include <algorithm>
#include <array>
#include <limits>

#include "app/Dialoge.h"
#include "app/Text.h"

namespace davo::app {

namespace {

constexpr char kKomma = ',';
constexpr char kPunkt = '.';

std::uint64_t Zehnerpotenz(int n) {
  std::uint64_t p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

std::uint64_t BetragVon(std::int64_t v) {
  return v < 0 ? ~static_cast<std::uint64_t>(v) + 1 : static_cast<std::uint64_t>(v);
}

// Decimal text of an unsigned value with four implied decimals, given the
// number of decimals to show (rounding halves away from zero on the magnitude).
// The integer part and the decimals come back separately.
void Zerlege(std::uint64_t einheiten, int stellen, std::string& ganz, std::string& nachkomma) {
  if (stellen < 4) {
    const std::uint64_t schritt = Zehnerpotenz(4 - stellen);
    const std::uint64_t rest = einheiten % schritt;
    einheiten -= rest;
    if (rest * 2 >= schritt) einheiten += schritt;
  }
  ganz = std::to_string(einheiten / 10000);
  std::string vier = std::to_string(einheiten % 10000);
  vier.insert(0, 4 - vier.size(), '0');
  nachkomma = stellen <= 4 ? vier.substr(0, static_cast<std::size_t>(stellen))
                           : vier + std::string(static_cast<std::size_t>(stellen - 4), '0');
}

// Scientific form with the given significant digits: "1,2345E+15".
std::string Exponentform(std::int64_t wert, int praezision) {
  std::uint64_t b = BetragVon(wert);
  std::string ziffern = std::to_string(b);
  int exponent = static_cast<int>(ziffern.size()) - 1 - 4;  // four implied decimals
  if (praezision < 1) praezision = 1;
  if (static_cast<int>(ziffern.size()) > praezision) {
    const bool aufrunden = ziffern[static_cast<std::size_t>(praezision)] >= '5';
    ziffern.resize(static_cast<std::size_t>(praezision));
    if (aufrunden) {
      int i = praezision - 1;
      while (i >= 0 && ziffern[static_cast<std::size_t>(i)] == '9') ziffern[static_cast<std::size_t>(i--)] = '0';
      if (i < 0) {
        ziffern.insert(ziffern.begin(), '1');
        ziffern.pop_back();
        ++exponent;
      } else {
        ++ziffern[static_cast<std::size_t>(i)];
      }
    }
  }
  ziffern.resize(static_cast<std::size_t>(praezision), '0');
  std::string text = wert < 0 ? "-" : "";
  text += ziffern.substr(0, 1);
  if (praezision > 1) text += kKomma + ziffern.substr(1);
  text += exponent < 0 ? "E-" : "E+";
  text += std::to_string(exponent < 0 ? -exponent : exponent);
  return text;
}

// Fixed-point form with the width as precision; empty when the integer part
// has more digits than that (the caller then uses the scientific form).
std::string Festkomma(std::int64_t wert, int praezision, int stellen) {
  if (stellen < 0) stellen = 0;
  if (stellen > 18) stellen = 18;
  const std::uint64_t b = BetragVon(wert);
  // Significant digits left for the decimals.
  const std::string alle = std::to_string(b);
  const int ganzStellen = b >= 10000 ? static_cast<int>(alle.size()) - 4 : 0;
  int erlaubt = stellen;
  if (b != 0) {
    int fuehrendeNullen = 0;  // zeros right of the point before the first digit
    if (ganzStellen == 0) fuehrendeNullen = 4 - static_cast<int>(alle.size());
    const int rest = ganzStellen > 0 ? praezision - ganzStellen : praezision + fuehrendeNullen;
    if (rest < erlaubt) erlaubt = rest < 0 ? 0 : rest;
  }
  std::string ganz, nachkomma;
  Zerlege(b, erlaubt, ganz, nachkomma);
  if (static_cast<int>(ganz.size()) > praezision && ganz != "0") return std::string();
  nachkomma.resize(static_cast<std::size_t>(stellen), '0');
  const bool null = ganz == "0" && nachkomma.find_first_not_of('0') == std::string::npos;
  std::string text = (wert < 0 && !null) ? "-" : "";
  text += ganz;
  if (stellen > 0) text += kKomma + nachkomma;
  return text;
}

}  // namespace

std::optional<Currency> TextNachCurrencyVoll(std::string_view text, bool ohneLeerzeichen) {
  std::size_t i = 0;
  bool negativ = false;
  if (ohneLeerzeichen)
    while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negativ = text[i] == '-';
    ++i;
  }
  std::uint64_t ganz = 0;
  std::uint64_t bruch = 0;  // the first four decimals
  int bruchStellen = 0;
  char fuenfte = '0';          // the fifth decimal
  bool restNichtNull = false;  // any decimal behind the fifth is not 0
  bool komma = false;
  bool ziffer = false;
  const std::uint64_t grenze = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' && ohneLeerzeichen) continue;
    if (c == kKomma) {
      if (komma) return std::nullopt;
      komma = true;
    } else if (c >= '0' && c <= '9') {
      ziffer = true;
      if (!komma) {
        if (ganz > grenze / 10) return std::nullopt;
        ganz = ganz * 10 + static_cast<std::uint64_t>(c - '0');
      } else if (bruchStellen < 4) {
        bruch = bruch * 10 + static_cast<std::uint64_t>(c - '0');
        ++bruchStellen;
      } else if (bruchStellen == 4) {
        fuenfte = c;
        ++bruchStellen;
      } else if (c != '0') {
        restNichtNull = true;
      }
    } else {
      return std::nullopt;
    }
  }
  if (!ziffer) return std::nullopt;
  for (int k = bruchStellen < 4 ? bruchStellen : 4; k < 4; ++k) bruch *= 10;
  // Decimals beyond the fourth round half to even.
  if (fuenfte > '5' || (fuenfte == '5' && (restNichtNull || (bruch & 1u)))) ++bruch;
  if (ganz > grenze / 10000 || ganz * 10000 > grenze - bruch) return std::nullopt;
  const std::uint64_t einheiten = ganz * 10000 + bruch;
  return negativ ? -static_cast<std::int64_t>(einheiten) : static_cast<std::int64_t>(einheiten);
}

BetragErgebnis BetragEinlesen(std::string_view text) {
  std::string rein;
  for (char c : text)
    if (c == '-' || c == kKomma || (c >= '0' && c <= '9')) rein.push_back(c);
  BetragErgebnis e;
  if (rein.empty() || rein == "-") return e;
  const std::optional<Currency> wert = TextNachCurrency(rein);
  if (!wert) {
    e.Fehler = true;
    Piep();
    return e;
  }
  e.Wert = *wert;
  return e;
}

namespace {

bool IstZiffer(char c) { return c >= '0' && c <= '9'; }

std::string_view OhneRandblanks(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

// Removes a unit at the end of t (compared without regard to case).
bool EinheitAbtrennen(std::string_view& t, std::string_view einheit) {
  if (t.size() < einheit.size()) return false;
  const std::string_view ende = t.substr(t.size() - einheit.size());
  for (std::size_t i = 0; i < einheit.size(); ++i) {
    const auto klein = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (klein(ende[i]) != klein(einheit[i])) return false;
  }
  t.remove_suffix(einheit.size());
  return true;
}

// The digits of a number in German form ("1.234,5" -> "1234,5"); nothing when
// it is not one: a "." must stand between groups of exactly three digits
// (the first group one to three digits, not beginning with 0).
std::optional<std::string> ZiffernOhneGruppen(std::string_view t) {
  const std::size_t komma = t.find(kKomma);
  const std::string_view ganz = t.substr(0, komma);
  const std::string_view bruch = komma == std::string_view::npos ? std::string_view() : t.substr(komma + 1);
  if (!std::all_of(bruch.begin(), bruch.end(), IstZiffer)) return std::nullopt;
  std::string ziffern;
  if (ganz.find(kPunkt) == std::string_view::npos) {
    if (!std::all_of(ganz.begin(), ganz.end(), IstZiffer)) return std::nullopt;
    ziffern = ganz;
  } else {
    std::string_view rest = ganz;
    bool erste = true;
    for (;;) {
      const std::size_t punkt = rest.find(kPunkt);
      const std::string_view gruppe = rest.substr(0, punkt);
      const bool gut = erste ? (!gruppe.empty() && gruppe.size() <= 3 && gruppe[0] != '0') : gruppe.size() == 3;
      if (!gut || !std::all_of(gruppe.begin(), gruppe.end(), IstZiffer)) return std::nullopt;
      ziffern += gruppe;
      erste = false;
      if (punkt == std::string_view::npos) break;
      rest.remove_prefix(punkt + 1);
    }
  }
  if (ziffern.empty() && bruch.empty()) return std::nullopt;
  if (komma != std::string_view::npos) ziffern += kKomma + std::string(bruch);
  return ziffern;
}

constexpr Currency kHoechsteFlaeche = 100000000 * CurrencyEins;

}  // namespace

Eingabe EingabeLesen(std::string_view text, Zahlart art) {
  Eingabe e;
  std::string_view t = OhneRandblanks(text);
  if (t.empty()) return e;
  const char* const formfehler =
      art == Zahlart::Flaeche ? "bitte mit Komma schreiben, z. B. 12,5" : "bitte mit Komma schreiben, z. B. 12,50";
  bool einheit = false;
  if (art == Zahlart::Flaeche)
    einheit = EinheitAbtrennen(t, "ha");
  else
    einheit = EinheitAbtrennen(t, "\x80") || EinheitAbtrennen(t, "EUR") || EinheitAbtrennen(t, "Euro");
  if (einheit) t = OhneRandblanks(t);
  const bool negativ = !t.empty() && t.front() == '-';
  if (negativ) t.remove_prefix(1);
  const std::optional<std::string> ziffern = t.empty() ? std::nullopt : ZiffernOhneGruppen(t);
  if (!ziffern) {
    e.Hinweis = formfehler;
    return e;
  }
  if (negativ) {
    e.Hinweis = "negative Werte sind nicht erlaubt";
    return e;
  }
  const std::optional<Currency> wert = TextNachCurrency(*ziffern);
  if (!wert || (art == Zahlart::Flaeche && *wert > kHoechsteFlaeche)) {
    e.Hinweis = art == Zahlart::Flaeche ? "h\xF6"
                                          "chstens 100.000.000 ha"
                                        : "die Zahl ist zu gro\xDF";
    return e;
  }
  e.Wert = *wert;
  return e;
}

std::string EingabeZitat(std::string_view text, const Eingabe& eingabe) {
  std::string s = "\x84";
  s += text.substr(0, 60);
  s += "\x93 \x96 ";
  s += eingabe.Hinweis;
  return s;
}

std::string EingabeFehlertext(const std::string& feld, std::string_view text, const Eingabe& eingabe) {
  std::string s = feld;
  s += ": \x84";
  s += text.substr(0, 60);
  s += "\x93 ist keine g\xFCltige Zahl \x96 ";
  s += eingabe.Hinweis;
  return Kurz(s, 255);
}

std::string BetragFormatieren(Currency wert, int breite, int stellen) {
  const int praezision = breite < 1 ? 1 : (breite > 18 ? 18 : breite);
  std::string text = Festkomma(wert, praezision, stellen);
  if (text.empty()) {
    text = Exponentform(wert, breite - 3 > 18 ? 18 : breite - 3);
    if (static_cast<int>(text.size()) < breite) text.insert(0, static_cast<std::size_t>(breite) - text.size(), ' ');
    return Kurz(text, 255);
  }
  const std::size_t komma = text.find(kKomma);
  const std::size_t pos = komma == std::string::npos ? 0 : komma + 1;  // 1-based, 0 = none
  const std::size_t grenze = (!text.empty() && text[0] == '-') ? 5 : 4;
  if (static_cast<int>(text.size()) < breite && pos > grenze) text.insert(pos - 1 - 3, 1, kPunkt);
  if (static_cast<int>(text.size()) < breite) text.insert(0, static_cast<std::size_t>(breite) - text.size(), ' ');
  if (static_cast<int>(text.size()) > breite && pos > 0) {
    const std::size_t p = text.find(kKomma) + 1;
    const std::size_t laenge = std::max(p - 1, static_cast<std::size_t>(breite));
    text = text.substr(0, laenge);
  }
  return Kurz(text, 255);
}

std::string BetragKompakt(Currency wert, int breite, int stellen) {
  return OhneLeerzeichen(BetragFormatieren(wert, breite, stellen));
}

std::string IbanGruppieren(std::string_view text) {
  std::string s = OhneLeerzeichen(text);
  for (std::size_t k = s.size() / 4; k >= 1; --k) s.insert(4 * k, 1, ' ');
  return Kurz(s, 255);
}

std::string OhneLeerzeichen(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text)
    if (c != ' ') s.push_back(c);
  return s;
}

std::string Rechtsbuendig(std::int64_t n, int breite) {
  std::string s = std::to_string(n);
  if (static_cast<int>(s.size()) < breite) s.insert(0, static_cast<std::size_t>(breite) - s.size(), ' ');
  return s;
}

std::string Zahl5(std::int32_t n) { return Rechtsbuendig(n, 5); }

std::string SepaText(std::string_view text) {
  // One pass: spelling out the umlauts one after another and cutting the
  // text at 255 characters after each gives the same as spelling them out
  // all at once and cutting once (no replacement makes another umlaut).
  static constexpr std::pair<char, const char*> kUmlaute[] = {
      {'\xFC', "ue"}, {'\xDC', "Ue"}, {'\xE4', "ae"}, {'\xC4', "Ae"}, {'\xF6', "oe"}, {'\xD6', "Oe"}, {'\xDF', "ss"}};
  // Per byte its umlaut spelt out, or else itself when allowed, else a blank.
  struct Tabelle {
    std::array<const char*, 256> Ersatz{};
    std::array<char, 256> Zeichen{};
  };
  static const Tabelle tabelle = [] {
    Tabelle t;
    for (int i = 0; i < 256; ++i) {
      const char c = static_cast<char>(i);
      const bool erlaubt = c == ' ' || c == '(' || c == ')' || c == '+' || c == ',' || c == '-' || c == '.' ||
                           c == '/' || c == ':' || c == '?' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                           (c >= 'a' && c <= 'z');
      t.Zeichen[static_cast<std::size_t>(i)] = erlaubt ? c : ' ';
    }
    for (const auto& [umlaut, ausgeschrieben] : kUmlaute) t.Ersatz[static_cast<unsigned char>(umlaut)] = ausgeschrieben;
    return t;
  }();
  if (text.size() > 255) text = text.substr(0, 255);
  std::string s;
  s.reserve(text.size() + 8);
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (const char* ersatz = tabelle.Ersatz[b])
      s += ersatz;
    else
      s.push_back(tabelle.Zeichen[b]);
  }
  if (s.size() > 255) s.resize(255);
  return s;
}

std::string SepaBetrag(Currency betrag) {
  std::string ganz, nachkomma;
  Zerlege(BetragVon(betrag), 2, ganz, nachkomma);
  const bool null = ganz == "0" && nachkomma == "00";
  std::string text = (betrag < 0 && !null) ? "-" : "";
  text += ganz + kKomma + nachkomma;
  return SepaBetragText(text);
}

std::string SepaBetragText(std::string_view text) {
  std::string s;
  bool erstesKomma = true;
  for (char c : text) {
    if (c == '.' || c == ' ') continue;
    if (c == kKomma && erstesKomma) {
      s.push_back('.');
      erstesKomma = false;
      continue;
    }
    s.push_back(c);
  }
  return Kurz(s, 255);
}

}  // namespace davo::app
