// 16.16 fixed point, the native outline format's coordinates: the value and every conversion to and from it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vx {

struct Fixed1616 {
  std::uint16_t fract;  // fraction, in units of 1/65536
  std::int16_t value;   // signed integer part
};

// The largest magnitude of a coordinate in whole units: a value at or beyond
// it would wrap around to the other sign.
inline constexpr std::int32_t kMaxFixedCoordinate = 32767;

// The two halves of a raw 16.16 value (value × 65536 as a 32-bit integer).
constexpr Fixed1616 FixedFromRaw(std::int32_t raw) {
  const auto bits = static_cast<std::uint32_t>(raw);
  return Fixed1616{static_cast<std::uint16_t>(bits & 0xFFFFu),
                   static_cast<std::int16_t>(static_cast<std::uint16_t>(bits >> 16))};
}

// The signed integer part plus the unsigned fraction.
constexpr double FixedToDouble(Fixed1616 value) {
  return static_cast<double>(value.value) + static_cast<double>(value.fract) / 65536.0;
}

// Raw 16.16 from a value in whole units, rounded to the nearest 1/65536;
// false when the value lies outside the coordinate range (or is NaN).
inline bool DoubleToRawFixed(double value, std::int32_t& raw) {
  if (!(std::fabs(value) < kMaxFixedCoordinate)) return false;
  raw = static_cast<std::int32_t>(std::llround(value * 65536.0));
  return true;
}

// 16.16 value from a double, rounded to the nearest 1/65536. Values beyond the
// 16.16 range are pinned to its ends rather than wrapped around to the other
// sign (NaN becomes 0).
inline Fixed1616 DoubleToFixed(double value) {
  const double scaled = std::isnan(value) ? 0.0 : std::clamp(value * 65536.0, -2147483648.0, 2147483647.0);
  return FixedFromRaw(static_cast<std::int32_t>(std::lround(scaled)));
}

// The whole units below and above a raw 16.16 value.
constexpr std::int32_t RawFixedFloor(std::int32_t raw) { return raw >> 16; }
constexpr std::int32_t RawFixedCeil(std::int32_t raw) { return (raw + 0xFFFF) >> 16; }

}  // namespace vx
