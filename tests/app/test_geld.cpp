// Exact a * b / c on Currency values, with both rounding rules.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "app/Geld.h"

namespace davo::app {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t P(int n) { return std::int64_t{1} << n; }

struct MulDivFall {
  std::int64_t a, b, c;
  std::int64_t gerade;  // half to even
  std::int64_t weg;     // half away from zero
};

TEST(Geld, MulDivRundetBeideRegeln) {
  const MulDivFall faelle[] = {
      // exact halves
      {5, 1, 2, 2, 3},
      {-5, 1, 2, -2, -3},
      {5, 1, -2, -2, -3},
      {5, -1, 2, -2, -3},
      {-5, -1, 2, 2, 3},
      {-5, 1, -2, 2, 3},
      {7, 1, 2, 4, 4},
      {3, 1, 2, 2, 2},
      {1, 1, 2, 0, 1},
      {-1, 1, 2, 0, -1},
      {10, 1, 4, 2, 3},
      {6, 1, 4, 2, 2},
      {25, 3, 6, 12, 13},  // 12.5
      // not at a half: both rules agree
      {7, 1, 3, 2, 2},
      {8, 1, 3, 3, 3},
      {-8, 1, 3, -3, -3},
      {-7, 1, 3, -2, -2},
      {5001, 1, 10000, 1, 1},
      {4999, 1, 10000, 0, 0},
      {-5001, 1, 10000, -1, -1},
      // zero and exact
      {0, 12345, 7, 0, 0},
      {12345, 0, -7, 0, 0},
      {12, 5, 3, 20, 20},
      {-12, 5, 3, -20, -20},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << f.a << " * " << f.b << " / " << f.c);
    EXPECT_EQ(MulDiv(f.a, f.b, f.c, Rundung::HalbGerade), f.gerade);
    EXPECT_EQ(MulDiv(f.a, f.b, f.c, Rundung::HalbWegVonNull), f.weg);
  }
}

TEST(Geld, MulDivAnDenGrenzen) {
  const MulDivFall faelle[] = {
      // products that need more than 64 bits
      {kMax, 10000, 10000, kMax, kMax},
      {kMax, kMax, kMax, kMax, kMax},
      {kMax, 2, 2, kMax, kMax},
      {kMin, 1, 1, kMin, kMin},
      {kMin, -1, -1, kMin, kMin},
      {kMin, 3, 3, kMin, kMin},
      {kMax, -1, 1, -kMax, -kMax},
      {kMax, 1, -1, -kMax, -kMax},
      // (2^63-1)^2 / -2^63 = -(2^63 - 2 + 2^-63)
      {kMax, kMax, kMin, -(kMax - 1), -(kMax - 1)},
      // around powers of two
      {P(32) + 1, P(32) - 1, P(32), P(32), P(32)},  // (2^64-1) / 2^32
      {P(32), P(32), P(32), P(32), P(32)},
      {P(31) - 1, P(32) + 1, 1, (P(31) - 1) * (P(32) + 1), (P(31) - 1) * (P(32) + 1)},
      {P(62), 4, 8, P(61), P(61)},
      // halves with products beyond 2^64
      {P(62) + 1, 6, 12, P(61), P(61) + 1},  // 2^61 + 1/2
      {P(62) + 3, 6, 12, P(61) + 2, P(61) + 2},  // 2^61 + 3/2
      {-(P(62) + 1), 6, 12, -P(61), -(P(61) + 1)},
      {P(62) + 1, -6, 12, -P(61), -(P(61) + 1)},
      {kMax, 3, 6, P(62), P(62)},  // 2^62 - 1/2: even neighbour is 2^62
      {kMax - 2, 3, 6, P(62) - 2, P(62) - 1},  // 2^62 - 3/2
      {-(kMax - 2), 3, 6, -(P(62) - 2), -(P(62) - 1)},
      {kMax, 10000, 20000, P(62), P(62)},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << f.a << " * " << f.b << " / " << f.c);
    EXPECT_EQ(MulDiv(f.a, f.b, f.c, Rundung::HalbGerade), f.gerade);
    EXPECT_EQ(MulDiv(f.a, f.b, f.c, Rundung::HalbWegVonNull), f.weg);
  }
}

}  // namespace
}  // namespace davo::app
