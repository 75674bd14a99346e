// Amounts in German form, SEPA texts and amounts, IBAN grouping, small helpers.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "app/Text.h"
#include "app/Umwandlung.h"
#include "app/Testumgebung.h"

namespace davo::app {
namespace {

class Umwandlung : public test::CoreTest {};

TEST_F(Umwandlung, BetragEinlesen) {
  struct Fall {
    const char* text;
    Currency wert;
    bool fehler;
  };
  const Fall faelle[] = {
      {"1.234,5678 ha", 12345678, false},
      {"", 0, false},
      {"-", 0, false},
      {" - ", 0, false},
      {"ha", 0, false},
      {"12", 120000, false},
      {"-12,5", -125000, false},
      {"0,0001", 1, false},
      {"1.000.000", 10000000000, false},
      {"12 345,6 \x80", 123456000, false},  // blanks and the euro sign are dropped
      {"1,2,3", 0, true},
      {"5-", 0, true},
      {"--5", 0, true},
      {"1-2", 0, true},
      {",", 0, true},
      // decimals behind the fourth: halves to even
      {"0,00005", 0, false},
      {"0,00015", 2, false},
      {"0,00025", 2, false},
      {"0,000051", 1, false},
      {"0,00004999", 0, false},
      {"0,00016", 2, false},
      {"-0,00015", -2, false},
      {"1,99995", 20000, false},
      {"922.337.203.685.477,5807", std::numeric_limits<Currency>::max(), false},
      {"922337203685477,5808", 0, true},
      {"99999999999999999999999", 0, true},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.text);
    const int vorher = dialoge.Piepser;
    const BetragErgebnis e = BetragEinlesen(f.text);
    EXPECT_EQ(e.Wert, f.wert);
    EXPECT_EQ(e.Fehler, f.fehler);
    EXPECT_EQ(dialoge.Piepser - vorher, f.fehler ? 1 : 0);
  }
  EXPECT_TRUE(dialoge.Meldungen.empty());
}

// Numbers typed by a person: what is read and what is refused, and why.
TEST_F(Umwandlung, EingabeLesen) {
  const char* const komma = "bitte mit Komma schreiben, z. B. 12,5";
  const char* const negativ = "negative Werte sind nicht erlaubt";
  constexpr Zahlart F = Zahlart::Flaeche, B = Zahlart::Betrag;
  struct Fall {
    const char* text;
    Zahlart art;
    Currency wert;
    const char* hinweis;  // nullptr: accepted
  };
  const Fall faelle[] = {
      {"", F, 0, nullptr},
      {"   ", B, 0, nullptr},
      {"12,5", F, 125000, nullptr},
      {" 0,5 ha ", F, 5000, nullptr},
      {"12,5ha", F, 125000, nullptr},
      {"1.234,5678 HA", F, 12345678, nullptr},
      {"1.234.567", F, 12345670000, nullptr},
      {",5", F, 5000, nullptr},
      {"7,", F, 70000, nullptr},
      {"0,00015", F, 2, nullptr},  // beyond the fourth decimal: half to even, as before
      {"100.000.000 ha", F, 1000000000000, nullptr},
      {"12,50 \x80", B, 125000, nullptr},
      {"12,50\x80", B, 125000, nullptr},
      {"1.000 EUR", B, 10000000, nullptr},
      {"3 euro", B, 30000, nullptr},
      {"12.5", F, 0, komma},
      {"12.50 \x80", B, 0, "bitte mit Komma schreiben, z. B. 12,50"},
      {"1 234,5", F, 0, komma},
      {"1,2,3", F, 0, komma},
      {"zw\xF6lf", F, 0, komma},
      {"0.500", F, 0, komma},
      {"1234.567", F, 0, komma},
      {"1.23", F, 0, komma},
      {"1.234,5.6", F, 0, komma},
      {"ha", F, 0, komma},
      {"12 \x80", F, 0, komma},  // the unit of the other kind
      {"12 ha", B, 0, "bitte mit Komma schreiben, z. B. 12,50"},
      {"-3", F, 0, negativ},
      {"-1.000,00 EUR", B, 0, negativ},
      {"+3", F, 0, komma},
      {"100.000.000,0001", F, 0,
       "h\xF6"
       "chstens 100.000.000 ha"},
      {"922.337.203.685.478", B, 0, "die Zahl ist zu gro\xDF"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.text);
    const Eingabe e = EingabeLesen(f.text, f.art);
    EXPECT_EQ(e.Wert, f.wert);
    EXPECT_EQ(e.Hinweis, f.hinweis ? f.hinweis : "");
  }
  EXPECT_EQ(EingabeFehlertext("Fl\xE4"
                              "che",
                              "12.5", EingabeLesen("12.5", F)),
            "Fl\xE4"
            "che: \x84"
            "12.5\x93 ist keine g\xFCltige Zahl \x96 bitte mit Komma schreiben, z. B. 12,5");
  EXPECT_TRUE(dialoge.Meldungen.empty());
  EXPECT_EQ(dialoge.Piepser, 0);
}

TEST_F(Umwandlung, BetragFormatieren) {
  struct Fall {
    Currency wert;
    int breite, stellen;
    const char* text;
  };
  const Fall faelle[] = {
      {12345670000, 13, 4, "1234.567,0000"},  // only one thousands separator
      {123456, 13, 4, "      12,3456"},
      {12345000, 13, 4, "   1.234,5000"},
      {0, 13, 4, "       0,0000"},
      {1234500, 13, 4, "     123,4500"},
      {-1234500, 13, 4, "    -123,4500"},
      {-12345000, 13, 4, "  -1.234,5000"},
      {12345678900, 12, 2, " 1234.567,89"},
      // fewer decimals: halves away from zero
      {12345, 10, 2, "      1,23"},
      {12350, 10, 2, "      1,24"},
      {1851750, 10, 2, "    185,18"},
      {-1851750, 10, 2, "   -185,18"},
      {-12350, 10, 2, "     -1,24"},
      {-50, 10, 2, "     -0,01"},
      {12345000, 8, 0, "    1235"},
      {12345, 8, 6, "1,234500"},
      // too long: the decimals go first, the integer part stays whole
      {1234567891, 8, 4, "123456,7"},
      {12345678900000, 10, 2, "1234567890"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << f.wert << " " << f.breite << " " << f.stellen);
    EXPECT_EQ(BetragFormatieren(f.wert, f.breite, f.stellen), f.text);
  }
}

TEST_F(Umwandlung, BetragFormatierenInExponentform) {
  // 123456789000 ha has twelve integer digits, more than the width 10 allows:
  // seven significant digits in exponent form.
  const std::string text = BetragFormatieren(1234567890000000, 10, 2);
  EXPECT_EQ(text.rfind("1,234568E", 0), 0u) << text;
  EXPECT_EQ(text.substr(text.size() - 2), "11") << text;
}

TEST_F(Umwandlung, BetragKompakt) {
  EXPECT_EQ(BetragKompakt(123456, 13, 4), "12,3456");
  EXPECT_EQ(BetragKompakt(12345000, 13, 4), "1.234,5000");
  EXPECT_EQ(BetragKompakt(0, 13, 4), "0,0000");
  EXPECT_EQ(BetragKompakt(-12345000, 13, 4), "-1.234,5000");
  EXPECT_EQ(BetragKompakt(12345670000, 13, 4), "1234.567,0000");
}

TEST_F(Umwandlung, IbanGruppieren) {
  struct Fall {
    const char* ein;
    const char* aus;
  };
  const Fall faelle[] = {
      {"DE89370400440532013000", "DE89 3704 0044 0532 0130 00"},
      {"DE89 3704 0044 0532 0130 00", "DE89 3704 0044 0532 0130 00"},
      {" DE8937 04004405  32013000 ", "DE89 3704 0044 0532 0130 00"},
      {"12345678901234567890", "1234 5678 9012 3456 7890 "},
      {"ABCD", "ABCD "},
      {"ABC", "ABC"},
      {"", ""},
      {"   ", ""},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.ein);
    EXPECT_EQ(IbanGruppieren(f.ein), f.aus);
  }
}

TEST_F(Umwandlung, KleineHelfer) {
  EXPECT_EQ(OhneLeerzeichen(" a b  c "), "abc");
  EXPECT_EQ(OhneLeerzeichen("\xA0x"), "\xA0x");  // only the plain blank goes
  EXPECT_EQ(Zahl5(42), "   42");
  EXPECT_EQ(Zahl5(123456), "123456");
  EXPECT_EQ(Zahl5(12345), "12345");
  EXPECT_EQ(Zahl5(0), "    0");
  EXPECT_EQ(Zahl5(-1), "   -1");
  EXPECT_EQ(Zahl5(std::numeric_limits<std::int32_t>::min()), "-2147483648");
  EXPECT_EQ(Rechtsbuendig(7, 3), "  7");
  EXPECT_EQ(Grossschrift("M\xFCller"), "M\xDCLLER");
}

TEST_F(Umwandlung, SepaText) {
  struct Fall {
    std::string ein, aus;
  };
  const Fall faelle[] = {
      {"M\xFCller & S\xF6hne", "Mueller   Soehne"},
      {"Stra\xDF" "e 5a", "Strasse 5a"},
      {"O'Neill", "O Neill"},
      {"", ""},
      {"\xC4rger", "Aerger"},
      {"\xDC\xD6\xE4\xC4\xF6\xFC\xDF", "UeOeaeAeoeuess"},
      {"a_b@c;d\"e", "a b c d e"},
      {" ()+,-./0123456789:?AZaz", " ()+,-./0123456789:?AZaz"},
      {"Ren\xE9 \x80 5%", "Ren    5 "},
      {std::string(255, '\xDF'), std::string(255, 's')},
      {std::string(254, 'a') + "\xFC", std::string(254, 'a') + "u"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(AnsiNachUtf8(f.ein.substr(0, 40)));
    EXPECT_EQ(SepaText(f.ein), f.aus);
  }
}

TEST_F(Umwandlung, SepaBetrag) {
  struct Fall {
    Currency betrag;
    const char* text;
  };
  const Fall faelle[] = {
      {12345000, "1234.50"},  {0, "0.00"},           {50, "0.01"},
      {49, "0.00"},           {-123450, "-12.35"},   {-50, "-0.01"},
      {1851750, "185.18"},    {12345670000, "1234567.00"},
      {-12345670000, "-1234567.00"},
      {10000000000000000, "1000000000000.00"},
      {std::numeric_limits<Currency>::max(), "922337203685477.58"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.betrag);
    EXPECT_EQ(SepaBetrag(f.betrag), f.text);
  }
}

TEST_F(Umwandlung, SepaBetragText) {
  EXPECT_EQ(SepaBetragText(" 1.000,00 "), "1000.00");
  EXPECT_EQ(SepaBetragText("1.234,5"), "1234.5");
  EXPECT_EQ(SepaBetragText("1,2,3"), "1.2,3");
  EXPECT_EQ(SepaBetragText("-12,34"), "-12.34");
  EXPECT_EQ(SepaBetragText(""), "");
}

}  // namespace
}  // namespace davo::app
