// The product logo's outline: a V drawn as the polyline the program makes of a letter.
#pragma once

#include <array>

namespace vx {

// The logo is drawn on a square of kLogoDrawnSize units: the outline's
// corners, each marked with a small square.
inline constexpr double kLogoDrawnSize = 168;
struct LogoPoint {
  double x;
  double y;
};
inline constexpr std::array<LogoPoint, 7> kLogoOutline{
    {{24, 28}, {62, 28}, {84, 108}, {106, 28}, {144, 28}, {102, 140}, {66, 140}}};

}  // namespace vx
