// The palette's fit rule: the point size that makes a symbol fill its 60-pixel cell.
#include "dialog/SymbolFit.h"

#include <climits>
#include <cstdint>

namespace vx {

int FitSymbolSize(int points, int width, int height) {
  const int extent = width > height ? width : height;
  if (extent <= 0 || points <= 0) return points;
  if (extent >= kSymbolFitMin && extent <= kSymbolFitMax) return points;
  // ceil(points × 60 ÷ extent) in whole numbers, so no rounding of a real
  // quotient can move an exact result up by one.
  const std::int64_t scaled = static_cast<std::int64_t>(points) * kSymbolFitMax;
  const std::int64_t size = (scaled + extent - 1) / extent;
  return size > INT_MAX ? INT_MAX : static_cast<int>(size);
}

}  // namespace vx
