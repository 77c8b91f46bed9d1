// The palette's fit rule: the point size that makes a symbol fill its 60-pixel cell.
#pragma once

namespace vx {

// A character's larger extent may lie between these bounds (pixels, both
// included) before its cell's size is changed.
inline constexpr int kSymbolFitMin = 51;
inline constexpr int kSymbolFitMax = 60;

// The point size for a cell whose one-character text measured width × height
// pixels at points: unchanged while the larger extent (a tie takes the height)
// is 51..60, otherwise ceil(points × 60 ÷ extent). A measurement without a
// positive extent leaves the size alone.
int FitSymbolSize(int points, int width, int height);

}  // namespace vx
