// NativeOutlineWriter: font contours (on-curve points, quadratic and cubic controls) into the native outline buffer.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vx {

// One outline point, already transformed, as raw 16.16 fixed values.
struct FixedPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool onCurve = true;
  bool cubic = false;  // an off-curve point that is a cubic (PostScript) control
};

// Appends one polygon per contour: a header whose pfxStart is an on-curve
// point (the implied midpoint of the last and first points when the contour
// has quadratic controls only), line records for runs of on-curve points, one
// quadratic spline record per run of quadratic controls, ending on the
// on-curve point that follows the run (the start point for a run that closes
// the contour), and one cubic spline record per run of cubic pieces, each
// piece two cubic controls and the on-curve point after them.
// contourEnds holds each contour's last point index, ascending, as FreeType
// gives them. Contours of fewer than two points enclose nothing and are left
// out. Returns false, appending nothing, when the contours are inconsistent
// (cubic controls that do not come in pairs before an on-curve point, a
// contour of cubic controls only, controls of both kinds in one run) or a
// record would need more than 65535 points.
bool WriteNativeOutline(std::span<const FixedPoint> points, std::span<const int> contourEnds,
                        std::vector<std::uint8_t>& out);

// Appends one open stroke (a single-line face's polyline) as a polygon of
// the type kPolygonTypeOpenStroke: its first point in the header, the rest
// in one line record. A stroke of fewer than two points draws nothing and is
// left out. Returns false, appending nothing, when it has more than 65536 points.
bool AppendOpenStroke(std::span<const FixedPoint> stroke, std::vector<std::uint8_t>& out);

}  // namespace vx
