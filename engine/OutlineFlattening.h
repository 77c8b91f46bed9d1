// The outline walk: native outline buffers to contours of points in the store.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/NativeOutline.h"
#include "engine/TTFPoint.h"

// Straight steps per quadratic spline piece, 1..32; 8 when the library loads.
extern int gPrecision;

// Stores the precision, clamped to 1..32 (the flattening divides by it).
void SetPrecision(int precision);

double FixedToDouble(vx::Fixed1616 value);

// Exact coordinate equality.
bool SamePoint(const TTFPoint& a, const TTFPoint& b);

// Appends p0 again, then up to gPrecision samples of the quadratic piece
// p0-p1-p2 (the last at exactly t = 1), skipping samples equal to the previous
// one. p2 receives the last point computed.
void FlattenQSpline(const TTFPoint& p0, const TTFPoint& p1, TTFPoint& p2);

namespace vx {

struct Placement {
  double scale = 1.0;
  double originX = 0.0;
  double originY = 0.0;
};

// Walks `size` bytes of native outline into gPointList. Never reads outside
// the buffer: a truncated or inconsistent buffer ends the walk with every
// contour begun so far closed, the last one by pkGlyphEnd.
void WalkOutline(const std::uint8_t* buffer, std::size_t size, const Placement& placement);

}  // namespace vx
