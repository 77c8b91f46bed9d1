// Conversion of doubles into the 16.16 fixed point of native outlines.
#include "engine/NativeOutline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vx {

Fixed1616 DoubleToFixed(double value) {
  // Round to the nearest 1/65536 and keep the two's-complement halves. Values
  // beyond the 16.16 range are pinned to its ends rather than wrapped around
  // to the other sign (NaN becomes 0).
  const double scaled = std::isnan(value) ? 0.0 : std::clamp(value * 65536.0, -2147483648.0, 2147483647.0);
  const auto raw = static_cast<std::int32_t>(std::lround(scaled));
  const auto bits = static_cast<std::uint32_t>(raw);
  return Fixed1616{static_cast<std::uint16_t>(bits & 0xFFFFu),
                   static_cast<std::int16_t>(static_cast<std::uint16_t>(bits >> 16))};
}

}  // namespace vx
