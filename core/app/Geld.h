#pragma once
// Currency: a signed 64-bit integer holding the value x 10000. All arithmetic
// on it is exact; intermediate products use a portable 128-bit helper, since
// not every target compiler has a 128-bit integer type.

#include <cstdint>
#include <optional>

namespace davo::app {

using Currency = std::int64_t;
constexpr Currency CurrencyEins = 10000;

enum class Rundung {
  HalbGerade,       // half to even (banker's rounding)
  HalbWegVonNull,   // half away from zero
};

// a * b / c rounded as asked; c must not be 0. The exact quotient must fit in
// int64 (the callers' values are bounded far below that).
std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c, Rundung rundung);
// The same for values that are not bounded: nothing when the rounded
// quotient does not fit in int64.
std::optional<std::int64_t> MulDivGeprueft(std::int64_t a, std::int64_t b, std::int64_t c, Rundung rundung);

// a + b; nothing when the sum does not fit.
std::optional<Currency> Summe(Currency a, Currency b);

// The largest area an owner can have: 100 million hectares (Germany has
// 35.8 million), in hectares x 10000.
constexpr Currency HoechsteFlaeche = 100000000 * CurrencyEins;

}  // namespace davo::app
