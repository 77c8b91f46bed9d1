// The palette's fit rule on a table of measured extents and sizes.
#include <gtest/gtest.h>

#include <climits>

#include "dialog/SymbolFit.h"

namespace vx {
namespace {

struct FitCase {
  const char* what;
  int points, width, height, expected;
};

TEST(SymbolFit, SizeFollowsTheLargerExtent) {
  const FitCase cases[] = {
      {"upper bound 60 keeps the size", 40, 30, 60, 40},
      {"lower bound 51 keeps the size", 40, 51, 20, 40},
      {"width inside the bounds keeps the size", 40, 55, 12, 40},
      {"61 shrinks, rounding up", 40, 61, 20, 40},  // 39.34 -> 40: the size stays
      {"65 shrinks", 40, 10, 65, 37},               // 36.92 -> 37
      {"50 grows", 40, 50, 10, 48},
      {"exact quotient is not raised by one", 40, 48, 10, 50},
      {"exact quotient from a small size", 25, 10, 50, 30},
      {"a tie takes the height", 40, 62, 62, 39},  // 38.7 -> 39
      {"a wider glyph is measured by its width", 40, 70, 53, 35},
      {"a taller glyph is measured by its height", 40, 53, 70, 35},
      {"a one-pixel measurement", 40, 1, 1, 2400},
      {"a huge measurement", 40, 6000, 10, 1},
  };
  for (const FitCase& c : cases) {
    EXPECT_EQ(FitSymbolSize(c.points, c.width, c.height), c.expected) << c.what;
  }
}

TEST(SymbolFit, AMeasurementWithoutPositiveExtentLeavesTheSizeAlone) {
  EXPECT_EQ(FitSymbolSize(40, 0, 0), 40);
  EXPECT_EQ(FitSymbolSize(33, -5, 0), 33);
  EXPECT_EQ(FitSymbolSize(33, -5, -7), 33);
}

TEST(SymbolFit, AVeryLargeSizeDoesNotOverflow) {
  EXPECT_EQ(FitSymbolSize(INT_MAX, 1, 1), INT_MAX);
  EXPECT_EQ(FitSymbolSize(INT_MAX / 2, 120, 1), INT_MAX / 4 + 1);
}

}  // namespace
}  // namespace vx
