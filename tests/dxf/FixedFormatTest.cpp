// Coordinate text must be exactly what C's "%f" writes in the C locale.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

#include "dxf/FixedFormat.h"

namespace vx::test {
namespace {

std::string Printf(double value) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, "%f", value);
  return buffer;
}

std::string Formatted(double value) {
  std::string out;
  AppendFixed6(out, value);
  return out;
}

void ExpectSameAsPrintf(double value) {
  ASSERT_EQ(Formatted(value), Printf(value)) << std::hexfloat << value;
}

TEST(FixedFormat, ExamplesFromTheFileFormat) {
  EXPECT_EQ(Formatted(12.5), "12.500000");
  EXPECT_EQ(Formatted(-3.25), "-3.250000");
  EXPECT_EQ(Formatted(0.0), "0.000000");
  std::string appended = "x=";
  AppendFixed6(appended, 1.0);
  EXPECT_EQ(appended, "x=1.000000");
}

TEST(FixedFormat, EdgeValuesMatchPrintf) {
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {
      0.0, -0.0, 1e-7, -1e-7, -4e-7, -5e-7, -6e-7, 5e-7, 4.9999999e-7, 1e-300, -1e-300,
      std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::denorm_min(),
      DBL_MIN, 0.0078125, -0.0078125, 0.0234375, 1.0 / 3, -2.0 / 3, 0.9999995, 0.99999949999,
      9.9999995, 999999.9999995, 1e15, -1e15, 1e15 + 0.25, 123456789.123456789, 4503599627370495.5,
      9007199254740993.0, 1e17, 1e22, 1e300, DBL_MAX, -DBL_MAX, 2.5e-6, 1.25e-6, 0.5, 2.5, 1e6,
      inf, -inf};
  for (double v : values) ExpectSameAsPrintf(v);
}

// The spellings of GNU C's printf, written out: Windows' C library drops the
// sign of a negative NaN, and the text must be the same on every system.
TEST(FixedFormat, NotANumberIsSpelledAsGnuPrintfSpellsIt) {
  EXPECT_EQ(Formatted(std::numeric_limits<double>::quiet_NaN()), "nan");
  EXPECT_EQ(Formatted(-std::numeric_limits<double>::quiet_NaN()), "-nan");
}

TEST(FixedFormat, HalfwayCasesRoundLikePrintf) {
  // k/128 for odd k lies exactly halfway between two six-decimal texts.
  for (int k = -40001; k <= 40001; k += 2) ExpectSameAsPrintf(k / 128.0);
}

TEST(FixedFormat, NearlyHalfwayCasesRoundLikePrintf) {
  // Neighbours of exact halfway values, and decimals whose seventh digit is
  // 5 (never exact in binary, so just above or below halfway), at magnitudes
  // up to where a millionth is close to the resolution of a double.
  for (int k = -4001; k <= 4001; k += 2) {
    for (double v = k / 128.0, n = 0; n < 3; ++n) {
      v = std::nextafter(v, INFINITY);
      ExpectSameAsPrintf(v);
    }
    for (double v = k / 128.0, n = 0; n < 3; ++n) {
      v = std::nextafter(v, -INFINITY);
      ExpectSameAsPrintf(v);
    }
  }
  std::mt19937_64 random(5);
  for (double magnitude = 1; magnitude <= 1e10; magnitude *= 10) {
    std::uniform_int_distribution<std::int64_t> tenMillionths(0, static_cast<std::int64_t>(magnitude * 1e6));
    for (int i = 0; i < 3000; ++i) {
      const double v = (tenMillionths(random) * 10 + 5) / 1e7;
      ExpectSameAsPrintf(v);
      ExpectSameAsPrintf(-v);
      ExpectSameAsPrintf(std::nextafter(v, INFINITY));
      ExpectSameAsPrintf(std::nextafter(v, 0.0));
    }
  }
}

TEST(FixedFormat, RandomValuesOfEveryMagnitudeMatchPrintf) {
  std::mt19937_64 random(7);
  for (int exponent = -9; exponent <= 17; ++exponent) {
    std::uniform_real_distribution<double> within(-std::pow(10.0, exponent), std::pow(10.0, exponent));
    for (int i = 0; i < 4000; ++i) ExpectSameAsPrintf(within(random));
  }
  for (int i = 0; i < 20000; ++i) {  // any bit pattern that is a finite double
    const std::uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value)) ExpectSameAsPrintf(value);
  }
}

TEST(FixedFormat, CoordinatesOfFlattenedGlyphsMatchPrintf) {
  // Typical output: outline units times a text scale such as 2.5 / 200.
  for (int fx = -70000; fx <= 70000; fx += 7) ExpectSameAsPrintf(fx / 65536.0 * (2.5 / 200) + 12.375);
}

}  // namespace
}  // namespace vx::test
