// The outline walk: native outline buffers to contours of points in the store.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/NativeOutline.h"
#include "engine/TTFPoint.h"

namespace vx {

// The precision range: straight steps per spline piece (quadratic or cubic).
inline constexpr int kPrecisionMin = 1;
inline constexpr int kPrecisionMax = 32;
inline constexpr int kDefaultPrecision = 8;

}  // namespace vx

// Straight steps per spline piece, kPrecisionMin..kPrecisionMax;
// kDefaultPrecision when the library loads.
extern int gPrecision;

// Stores the precision, clamped to kPrecisionMin..kPrecisionMax (the
// flattening divides by it).
void SetPrecision(int precision);

// Largest distance, in drawing units, allowed between a spline piece and its
// straight steps. 0 (when the library loads) keeps the fixed step count
// gPrecision; a positive value gives each piece its own count instead.
extern double gTolerance;

// Stores the tolerance; anything not greater than 0 (NaN included) is 0.
void SetTolerance(double tolerance);

// The most steps a piece gets under a tolerance, however small the tolerance.
inline constexpr int kMaxToleranceSteps = 1024;

// Steps of the piece p0-p1-p2 under a tolerance: ceil(sqrt(|p0 - 2 p1 + p2| /
// (4 tolerance))), at least 1 and at most kMaxToleranceSteps. With uniform
// parameter steps of 1/n, every point of the piece lies within
// |p0 - 2 p1 + p2| / (4 n^2) of its step, so this is the fewest steps that
// keep that distance within the tolerance.
int ToleranceSteps(const TTFPoint& p0, const TTFPoint& p1, const TTFPoint& p2, double tolerance);

// Steps of the cubic piece p0-p1-p2-p3 under a tolerance: ceil(sqrt(3 M /
// (4 tolerance))) with M = max(|p0 - 2 p1 + p2|, |p1 - 2 p2 + p3|), at least 1
// and at most kMaxToleranceSteps. Why that keeps every point of the piece
// within the tolerance of its steps:
//   - Between two samples h = 1/n apart in t, the curve B and the chord
//     joining its ends differ by e(t), which is 0 at both ends. For any unit
//     vector u, u.e(t) is a scalar function that vanishes at both ends with
//     second derivative u.B''(t), so (linear interpolation's error)
//     |u.e(t)| <= (h^2 / 8) max |B''|; with u along e(t), |e(t)| is bounded
//     alike, and the chord point is a point of the polyline.
//   - B''(t) = 6 ((1 - t) (p0 - 2 p1 + p2) + t (p1 - 2 p2 + p3)), a convex
//     combination, so |B''| <= 6 M.
//   - Hence every point lies within 6 M / (8 n^2) = 3 M / (4 n^2) of the
//     polyline. (The quadratic bound above is the same argument with
//     B'' = 2 (p0 - 2 p1 + p2).)
int ToleranceSteps(const TTFPoint& p0, const TTFPoint& p1, const TTFPoint& p2, const TTFPoint& p3,
                   double tolerance);

// Exact coordinate equality.
bool SamePoint(const TTFPoint& a, const TTFPoint& b);

// Appends p0 again, then up to gPrecision samples (or, under a tolerance,
// ToleranceSteps samples) of the quadratic piece p0-p1-p2, the last at exactly
// t = 1, skipping samples equal to the previous one. p2 receives the last
// point computed. Like the walk below, it raises std::bad_alloc when a record
// cannot be allocated (the store keeps the records appended before).
void FlattenQSpline(const TTFPoint& p0, const TTFPoint& p1, TTFPoint& p2);

// The same for the cubic piece p0-p1-p2-p3 (two controls, then the end):
// p0 again, then gPrecision (or ToleranceSteps) samples, the last at exactly
// t = 1, skipping repeats; p3 receives the last point computed.
void FlattenCSpline(const TTFPoint& p0, const TTFPoint& p1, const TTFPoint& p2, TTFPoint& p3);

namespace vx {

struct Placement {
  double scale = 1.0;
  double originX = 0.0;
  double originY = 0.0;
};

// Walks `size` bytes of native outline into gPointList: line records step
// straight to each point; quadratic records are pieces through the midpoints
// of their controls; cubic records are triples (two controls, then the end);
// records of other types add nothing. A polygon of the type
// kPolygonTypeOpenStroke is an open stroke, ended (pkOpenEnd, pkOpenGlyphEnd)
// on its last point instead of closed. Under a tolerance, each piece keeps
// within it of the outline its 16.16 points were rounded from: the steps get
// the tolerance less that rounding (half a step of 1/65536, times the scale).
// Never reads outside
// the buffer: a truncated or inconsistent buffer ends the walk with every
// contour begun so far closed, the last one by pkGlyphEnd. A record that
// cannot be allocated raises std::bad_alloc.
void WalkOutline(const std::uint8_t* buffer, std::size_t size, const Placement& placement);

}  // namespace vx
