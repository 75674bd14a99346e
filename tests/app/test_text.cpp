// Windows-1252 <-> UTF-8, short strings, upper case, little-endian integers.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "app/Text.h"

namespace davo::app {
namespace {

TEST(Text, AlleBytesUeberlebenDenWegUeberUtf8) {
  std::string alle;
  for (int b = 0; b < 256; ++b) alle.push_back(static_cast<char>(b));
  const std::string utf8 = AnsiNachUtf8(alle);
  auto zurueck = Utf8NachAnsiGenau(utf8);
  ASSERT_TRUE(zurueck.has_value());
  EXPECT_EQ(*zurueck, alle);
  // Byte by byte as well, so a mix-up of two neighbours cannot cancel out.
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const std::string ein(1, static_cast<char>(b));
    bool ok = false;
    EXPECT_EQ(Utf8NachAnsi(AnsiNachUtf8(ein), &ok), ein);
    EXPECT_TRUE(ok);
  }
}

TEST(Text, ZeichenDerCodepage) {
  struct Fall {
    unsigned char byte;
    const char* utf8;
  };
  const Fall faelle[] = {
      {0x41, "A"},           {0x7F, "\x7F"},         {0x80, "\xE2\x82\xAC"},  // Euro sign
      {0x84, "\xE2\x80\x9E"},  // low double quote
      {0x8A, "\xC5\xA0"},    // S caron
      {0x93, "\xE2\x80\x9C"}, {0x96, "\xE2\x80\x93"},  // left quote, en dash
      {0x9F, "\xC5\xB8"},    // Y diaeresis
      {0x81, "\xC2\x81"},    {0x8D, "\xC2\x8D"},     {0x8F, "\xC2\x8F"},
      {0x90, "\xC2\x90"},    {0x9D, "\xC2\x9D"},     // unassigned: C1 controls
      {0xA0, "\xC2\xA0"},    {0xC4, "\xC3\x84"},     {0xDF, "\xC3\x9F"},
      {0xFC, "\xC3\xBC"},    {0xFF, "\xC3\xBF"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(static_cast<int>(f.byte));
    const std::string ansi(1, static_cast<char>(f.byte));
    EXPECT_EQ(AnsiNachUtf8(ansi), f.utf8);
    EXPECT_EQ(Utf8NachAnsiGenau(f.utf8), ansi);
  }
  EXPECT_EQ(AnsiNachUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Text, ZeichenAusserhalbDerCodepage) {
  struct Fall {
    const char* utf8;
    const char* ansi;  // what the lenient conversion gives
  };
  const Fall faelle[] = {
      {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "?\xF3" "d?"},  // Lodz with Polish letters
      {"x\xF0\x9F\x98\x80y", "x?y"},                   // a four-byte character
      {"a\xC3", "a?"},                                  // cut-off sequence
      {"\x80" "b", "?b"},                               // stray continuation byte
      {"\xC3(", "?("},                                  // broken sequence
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.utf8);
    bool ok = true;
    EXPECT_EQ(Utf8NachAnsi(f.utf8, &ok), f.ansi);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(Utf8NachAnsiGenau(f.utf8).has_value());
  }
  bool ok = false;
  EXPECT_EQ(Utf8NachAnsi("M\xC3\xBCller \xE2\x82\xAC", &ok), "M\xFCller \x80");
  EXPECT_TRUE(ok);
}

TEST(Text, UeberlangeFormenSindKeinGueltigesUtf8) {
  // Overlong forms and surrogates are malformed, even where they would decode
  // to a character of the code page (a "/" or a u-umlaut).
  for (const char* kaputt : {"\xC0\xAF", "a\xC1\xBC", "\xE0\x83\xBC", "\xE0\x80\xAF", "\xF0\x80\x80\xAF",
                             "\xED\xA0\x80", "\xF8\x88\x80\x80\x80"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(kaputt)));
    bool vollstaendig = true;
    Utf8NachAnsi(kaputt, &vollstaendig);
    EXPECT_FALSE(vollstaendig);
    EXPECT_FALSE(Utf8NachAnsiGenau(kaputt).has_value());
  }
}

TEST(Text, KurzTextSpeichern) {
  std::array<std::uint8_t, 51> feld{};
  const std::string sechzig(60, 'x');
  SchreibeKurzText(feld.data(), 50, sechzig);
  EXPECT_EQ(feld[0], 50);
  EXPECT_EQ(LiesKurzText(feld.data(), 50), std::string(50, 'x'));

  // A shorter text leaves the bytes behind its length as they were.
  SchreibeKurzText(feld.data(), 50, "M\xFCller");
  EXPECT_EQ(feld[0], 6);
  EXPECT_EQ(LiesKurzText(feld.data(), 50), "M\xFCller");
  for (std::size_t i = 7; i <= 50; ++i) EXPECT_EQ(feld[i], 'x') << i;

  SchreibeKurzText(feld.data(), 50, "");
  EXPECT_EQ(feld[0], 0);
  EXPECT_EQ(LiesKurzText(feld.data(), 50), "");
  EXPECT_EQ(feld[1], 'M');

  // A damaged length byte reads no further than the capacity.
  feld[0] = 0xFF;
  EXPECT_EQ(LiesKurzText(feld.data(), 50).size(), 50u);
  feld[0] = 51;
  EXPECT_EQ(LiesKurzText(feld.data(), 50).size(), 50u);
}

TEST(Text, Grossschrift) {
  struct Fall {
    const char* ein;
    const char* aus;
  };
  const Fall faelle[] = {
      {"M\xFCller", "M\xDCLLER"},
      {"\xE4\xF6\xFC", "\xC4\xD6\xDC"},
      {"stra\xDF" "e", "STRA\xDF" "E"},  // sharp s stays
      {"\xB5m", "\xB5M"},                // micro sign stays
      {"\xE9t\xE9", "\xC9T\xC9"},
      {"\xE0\xFE", "\xC0\xDE"},
      {"\xF7", "\xF7"},                  // division sign is no letter
      {"\xFF", "\x9F"},
      {"\x9A\x9C\x9E", "\x8A\x8C\x8E"},
      {"Abc 12-/z", "ABC 12-/Z"},
      {"", ""},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(AnsiNachUtf8(f.ein));
    EXPECT_EQ(Grossschrift(f.ein), f.aus);
  }
  // Nothing outside the letters moves.
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    const bool klein = (b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFF && b != 0xF7) || b == 0x9A ||
                       b == 0x9C || b == 0x9E;
    if (!klein) {
      EXPECT_EQ(GrossBuchstabe(c), c) << b;
    }
  }
}

TEST(Text, GanzzahlenLittleEndian) {
  std::array<std::uint8_t, 8> p{};
  SchreibeInt32(p.data(), -2);
  EXPECT_EQ(p, (std::array<std::uint8_t, 8>{0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
  SchreibeInt32(p.data(), 200);
  EXPECT_EQ(p, (std::array<std::uint8_t, 8>{200, 0, 0, 0, 0, 0, 0, 0}));
  SchreibeInt64(p.data(), 0x0807060504030201LL);
  EXPECT_EQ(p, (std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(LiesInt32(p.data()), 0x04030201);
  const std::array<std::uint8_t, 8> minus = {0, 0, 0, 0, 0, 0, 0, 0x80};
  EXPECT_EQ(LiesInt64(minus.data()), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(LiesInt32(minus.data() + 4), std::numeric_limits<std::int32_t>::min());
  for (std::int64_t v : {std::int64_t{-1}, std::int64_t{12345678}, std::numeric_limits<std::int64_t>::max()}) {
    SchreibeInt64(p.data(), v);
    EXPECT_EQ(LiesInt64(p.data()), v);
  }
}

}  // namespace
}  // namespace davo::app
