#pragma once
// Currency: a signed 64-bit integer holding the value x 10000. All arithmetic
// on it is exact; intermediate products use a portable 128-bit helper, since
// not every target compiler has a 128-bit integer type.

#include <cstdint>

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

}  // namespace davo::app
