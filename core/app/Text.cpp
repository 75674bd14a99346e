#include "app/Text.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace davo::app {

namespace {

// Unicode code points of the bytes 0x80..0x9F in Windows-1252; the five
// unassigned bytes keep their C1 control code point.
constexpr std::array<char32_t, 32> kC1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ZeichenVon(unsigned char b) {
  if (b >= 0x80 && b < 0xA0) return kC1[b - 0x80];
  return b;
}

void Utf8Anhaengen(std::string& aus, char32_t c) {
  if (c < 0x80) {
    aus.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    aus.push_back(static_cast<char>(0xC0 | (c >> 6)));
    aus.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    aus.push_back(static_cast<char>(0xE0 | (c >> 12)));
    aus.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    aus.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// -1 when the code point has no byte in Windows-1252.
int ByteVon(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (int i = 0; i < 32; ++i)
    if (kC1[static_cast<std::size_t>(i)] == c) return 0x80 + i;
  return -1;
}

}  // namespace

std::string AnsiNachUtf8(std::string_view ansi) {
  std::string aus;
  aus.reserve(ansi.size() + ansi.size() / 4);
  AnsiNachUtf8Anhaengen(ansi, aus);
  return aus;
}

void AnsiNachUtf8Anhaengen(std::string_view ansi, std::string& aus) {
  // Runs of ASCII as they are, each other byte as its sequence.
  std::size_t i = 0;
  while (i < ansi.size()) {
    std::size_t j = i;
    for (std::uint64_t acht = 0; j + 8 <= ansi.size(); j += 8) {
      std::memcpy(&acht, ansi.data() + j, 8);
      if (acht & 0x8080808080808080u) break;
    }
    while (j < ansi.size() && static_cast<unsigned char>(ansi[j]) < 0x80) ++j;
    aus.append(ansi.data() + i, j - i);
    if (j == ansi.size()) break;
    Utf8Anhaengen(aus, ZeichenVon(static_cast<unsigned char>(ansi[j])));
    i = j + 1;
  }
}

std::u16string AnsiNachUtf16(std::string_view ansi) {
  std::u16string aus;
  AnsiNachUtf16(ansi, aus);
  return aus;
}

void AnsiNachUtf16(std::string_view ansi, std::u16string& aus) {
  aus.resize(ansi.size());
  for (std::size_t i = 0; i < ansi.size(); ++i)
    aus[i] = static_cast<char16_t>(ZeichenVon(static_cast<unsigned char>(ansi[i])));
}

namespace {

// One character of UTF-8 at i: its code point and length; length 0 when the
// bytes there are malformed (overlong forms, surrogates and values beyond
// Unicode included).
std::size_t Utf8Zeichen(std::string_view utf8, std::size_t i, char32_t& c) {
  auto b = static_cast<unsigned char>(utf8[i]);
  std::size_t laenge = 0;
  if (b < 0x80) {
    c = b;
    return 1;
  } else if ((b & 0xE0) == 0xC0) {
    c = b & 0x1F;
    laenge = 2;
  } else if ((b & 0xF0) == 0xE0) {
    c = b & 0x0F;
    laenge = 3;
  } else if ((b & 0xF8) == 0xF0) {
    c = b & 0x07;
    laenge = 4;
  } else {
    return 0;
  }
  if (i + laenge > utf8.size()) return 0;
  for (std::size_t k = 1; k < laenge; ++k) {
    auto f = static_cast<unsigned char>(utf8[i + k]);
    if ((f & 0xC0) != 0x80) return 0;
    c = (c << 6) | (f & 0x3F);
  }
  static constexpr char32_t kMinimum[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kMinimum[laenge] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
  return laenge;
}

}  // namespace

bool IstUtf8(std::string_view text, bool* mehrbyte) {
  bool lang = false;
  for (std::size_t i = 0; i < text.size();) {
    if (i + 8 <= text.size()) {  // plain ASCII eight bytes at a time
      std::uint64_t acht;
      std::memcpy(&acht, text.data() + i, 8);
      if ((acht & 0x8080808080808080ull) == 0) {
        i += 8;
        continue;
      }
    }
    char32_t c = 0;
    const std::size_t n = Utf8Zeichen(text, i, c);
    if (n == 0) return false;
    lang = lang || n > 1;
    i += n;
  }
  if (mehrbyte) *mehrbyte = *mehrbyte || lang;
  return true;
}

std::string Utf8NachAnsiGezaehlt(std::string_view utf8, std::size_t& ersetzt) {
  std::string aus;
  aus.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    const std::size_t n = Utf8Zeichen(utf8, i, c);
    const int byte = n == 0 ? -1 : ByteVon(c);
    if (byte < 0) {
      aus.push_back('?');
      ++ersetzt;
    } else {
      aus.push_back(static_cast<char>(byte));
    }
    i += n == 0 ? 1 : n;
  }
  return aus;
}

std::string Utf8NachAnsi(std::string_view utf8, bool* vollstaendig) {
  std::size_t ersetzt = 0;
  std::string aus = Utf8NachAnsiGezaehlt(utf8, ersetzt);
  if (vollstaendig) *vollstaendig = ersetzt == 0;
  return aus;
}

std::optional<std::string> Utf8NachAnsiGenau(std::string_view utf8) {
  bool ok = true;
  std::string s = Utf8NachAnsi(utf8, &ok);
  if (!ok) return std::nullopt;
  return s;
}

std::string Kurz(std::string_view text, std::size_t n) { return std::string(text.substr(0, n)); }

std::string LiesKurzText(const std::uint8_t* feld, std::size_t kapazitaet) {
  std::size_t laenge = feld[0];
  if (laenge > kapazitaet) laenge = kapazitaet;
  return std::string(reinterpret_cast<const char*>(feld + 1), laenge);
}

void SchreibeKurzText(std::uint8_t* feld, std::size_t kapazitaet, std::string_view text) {
  std::size_t laenge = text.size() < kapazitaet ? text.size() : kapazitaet;
  feld[0] = static_cast<std::uint8_t>(laenge);
  for (std::size_t i = 0; i < laenge; ++i) feld[1 + i] = static_cast<std::uint8_t>(text[i]);
}

char GrossBuchstabe(char ch) {
  auto c = static_cast<unsigned char>(ch);
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char>(c - 0x20);
  switch (c) {
    case 0x9A: return static_cast<char>(0x8A);  // š
    case 0x9C: return static_cast<char>(0x8C);  // œ
    case 0x9E: return static_cast<char>(0x8E);  // ž
    case 0xFF: return static_cast<char>(0x9F);  // ÿ
    default: return ch;
  }
}

std::string Grossschrift(std::string_view text) {
  std::string aus(text);
  for (char& c : aus) c = GrossBuchstabe(c);
  return aus;
}

std::int32_t LiesInt32(const std::uint8_t* p) {
  std::uint32_t v = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                    (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  return static_cast<std::int32_t>(v);
}

void SchreibeInt32(std::uint8_t* p, std::int32_t wert) {
  auto v = static_cast<std::uint32_t>(wert);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::int64_t LiesInt64(const std::uint8_t* p) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  return static_cast<std::int64_t>(v);
}

void SchreibeInt64(std::uint8_t* p, std::int64_t wert) {
  auto v = static_cast<std::uint64_t>(wert);
  for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace davo::app
