#include "app/Geld.h"

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

}  // namespace

std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c, Rundung rundung) {
  const bool negativ = (a < 0) != (b < 0) ? (c > 0) : (c < 0);
  std::uint64_t hoch = 0, tief = 0;
  Mal128(Betrag(a), Betrag(b), hoch, tief);
  const std::uint64_t d = Betrag(c);
  std::uint64_t rest = 0;
  std::uint64_t q = Teile128(hoch % d, tief, d, rest);  // hoch < d by contract
  // Round on the magnitude: compare the remainder with half the divisor.
  const std::uint64_t gegen = d - rest;  // 2*rest >= d  <=>  rest >= d - rest
  if (rest != 0) {
    if (rest > gegen) {
      ++q;
    } else if (rest == gegen) {
      if (rundung == Rundung::HalbWegVonNull || (q & 1u) != 0) ++q;
    }
  }
  return negativ ? static_cast<std::int64_t>(~q + 1) : static_cast<std::int64_t>(q);
}

}  // namespace davo::app
