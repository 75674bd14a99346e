#include "app/Bankdaten.h"

#include <array>
#include <cstdint>

namespace davo::app {

namespace {

struct Land {
  char Code[3];
  int Laenge;
};

// The member states of the European Union, Iceland, Liechtenstein and Norway
// with the lengths of their IBANs.
constexpr std::array<Land, 30> kLaender = {{
    {"AT", 20}, {"BE", 16}, {"BG", 22}, {"CY", 28}, {"CZ", 24}, {"DE", 22}, {"DK", 18}, {"EE", 20},
    {"ES", 24}, {"FI", 18}, {"FR", 27}, {"GR", 27}, {"HR", 21}, {"HU", 28}, {"IE", 22}, {"IS", 26},
    {"IT", 27}, {"LI", 21}, {"LT", 20}, {"LU", 20}, {"LV", 21}, {"MT", 31}, {"NL", 18}, {"NO", 15},
    {"PL", 28}, {"PT", 25}, {"RO", 24}, {"SE", 24}, {"SI", 19}, {"SK", 24},
}};

bool Buchstabe(char c) { return c >= 'A' && c <= 'Z'; }
bool Ziffer(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string BankkennungNormal(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text) {
    if (c == ' ') continue;
    s.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  return s;
}

namespace {

// The text without blanks and in capitals into a buffer of at most n
// characters; false when it is longer.
template <std::size_t N>
bool Normal(std::string_view text, std::array<char, N>& puffer, std::size_t& laenge) {
  laenge = 0;
  for (char c : text) {
    if (c == ' ') continue;
    if (laenge == N) return false;
    puffer[laenge++] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return true;
}

}  // namespace

bool IbanPlausibel(std::string_view text) {
  std::array<char, 34> iban{};
  std::size_t n = 0;
  if (!Normal(text, iban, n) || n < 4) return false;
  int laenge = 0;
  for (const Land& l : kLaender)
    if (iban[0] == l.Code[0] && iban[1] == l.Code[1]) {
      laenge = l.Laenge;
      break;
    }
  if (laenge == 0 || static_cast<int>(n) != laenge) return false;
  if (!Ziffer(iban[2]) || !Ziffer(iban[3])) return false;
  // ISO 13616: the first four characters moved to the end, letters as 10..35,
  // the number mod 97 is 1. The remainder is taken only when the number
  // grows near the top of 64 bits (the same remainder in the end).
  std::uint64_t rest = 0;
  for (std::size_t k = 0; k < n; ++k) {
    const char c = iban[k + 4 < n ? k + 4 : k + 4 - n];
    if (Ziffer(c)) {
      rest = rest * 10 + static_cast<std::uint64_t>(c - '0');
    } else if (Buchstabe(c)) {
      rest = rest * 100 + static_cast<std::uint64_t>(c - 'A' + 10);
    } else {
      return false;
    }
    if (rest >= (std::uint64_t{1} << 56)) rest %= 97;
  }
  return rest % 97 == 1;
}

bool BicPlausibel(std::string_view text) {
  std::array<char, 11> bic{};
  std::size_t n = 0;
  if (!Normal(text, bic, n) || (n != 8 && n != 11)) return false;
  for (std::size_t i = 0; i < 6; ++i)
    if (!Buchstabe(bic[i])) return false;
  if (!Buchstabe(bic[6]) && !(bic[6] >= '2' && bic[6] <= '9')) return false;
  if (!(Buchstabe(bic[7]) && bic[7] != 'O') && !Ziffer(bic[7])) return false;
  for (std::size_t i = 8; i < n; ++i)
    if (!Buchstabe(bic[i]) && !Ziffer(bic[i])) return false;
  return true;
}

}  // namespace davo::app
