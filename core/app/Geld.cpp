#include "app/Geld.h"

#include <limits>

namespace davo::app {

namespace {

std::uint64_t Betrag(std::int64_t v) {
  return v < 0 ? ~static_cast<std::uint64_t>(v) + 1 : static_cast<std::uint64_t>(v);
}

// Full 64 x 64 -> 128-bit product of unsigned values.
void Mal128(std::uint64_t a, std::uint64_t b, std::uint64_t& hoch, std::uint64_t& tief) {
  const std::uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
  const std::uint64_t b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t mitte = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
  tief = (mitte << 32) | (p00 & 0xFFFFFFFFu);
  hoch = p11 + (p01 >> 32) + (p10 >> 32) + (mitte >> 32);
}

// (hoch:tief) / d with hoch < d, so the quotient fits in 64 bits.
std::uint64_t Teile128(std::uint64_t hoch, std::uint64_t tief, std::uint64_t d, std::uint64_t& rest) {
  if (hoch == 0) {
    rest = tief % d;
    return tief / d;
  }
  std::uint64_t q = 0;
  for (int i = 63; i >= 0; --i) {
    const bool ueberlauf = (hoch >> 63) != 0;
    hoch = (hoch << 1) | (tief >> 63);
    tief <<= 1;
    q <<= 1;
    if (ueberlauf || hoch >= d) {
      hoch -= d;
      q |= 1;
    }
  }
  rest = hoch;
  return q;
}

// a * b / c rounded as asked; nothing when the quotient does not fit.
std::optional<std::int64_t> Rechnen(std::int64_t a, std::int64_t b, std::int64_t c, Rundung rundung) {
  const bool negativ = (a < 0) != (b < 0) ? (c > 0) : (c < 0);
  std::uint64_t hoch = 0, tief = 0;
  Mal128(Betrag(a), Betrag(b), hoch, tief);
  const std::uint64_t d = Betrag(c);
  if (hoch >= d) return std::nullopt;  // the quotient has more than 64 bits
  std::uint64_t rest = 0;
  std::uint64_t q = Teile128(hoch, tief, d, rest);
  // Round on the magnitude: compare the remainder with half the divisor.
  const std::uint64_t gegen = d - rest;  // 2*rest >= d  <=>  rest >= d - rest
  bool auf = false;
  if (rest != 0) {
    if (rest > gegen)
      auf = true;
    else if (rest == gegen)
      auf = rundung == Rundung::HalbWegVonNull || (q & 1u) != 0;
  }
  // A negative result may have one unit more magnitude than a positive one.
  const std::uint64_t grenze =
      static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negativ ? 1u : 0u);
  if (q > grenze || (auf && q == grenze)) return std::nullopt;
  if (auf) ++q;
  return negativ ? static_cast<std::int64_t>(~q + 1) : static_cast<std::int64_t>(q);
}

}  // namespace

std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c, Rundung rundung) {
  if (const std::optional<std::int64_t> q = Rechnen(a, b, c, rundung)) return *q;
  // Out of range (which callers rule out): the low 64 bits.
  std::uint64_t hoch = 0, tief = 0, rest = 0;
  Mal128(Betrag(a), Betrag(b), hoch, tief);
  const std::uint64_t d = Betrag(c);
  const std::uint64_t q = Teile128(hoch % d, tief, d, rest);
  const bool negativ = (a < 0) != (b < 0) ? (c > 0) : (c < 0);
  return negativ ? static_cast<std::int64_t>(~q + 1) : static_cast<std::int64_t>(q);
}

std::optional<std::int64_t> MulDivGeprueft(std::int64_t a, std::int64_t b, std::int64_t c, Rundung rundung) {
  return Rechnen(a, b, c, rundung);
}

std::optional<Currency> Summe(Currency a, Currency b) {
  constexpr Currency kMax = std::numeric_limits<Currency>::max();
  constexpr Currency kMin = std::numeric_limits<Currency>::min();
  if ((b > 0 && a > kMax - b) || (b < 0 && a < kMin - b)) return std::nullopt;
  return a + b;
}

}  // namespace davo::app
