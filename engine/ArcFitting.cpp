// Arc fitting: the point store's runs of curve steps replaced by circular arcs within a tolerance.
//
// Arcs are fitted to polylines, not to the spline pieces themselves: merged
// outlines are computed on polygons, and a curve of a merged contour may be
// cut anywhere by another contour, or be made of pieces of two glyph
// contours. So the outline is flattened finely (to a quarter of the
// tolerance), merged, and each run of curve steps that survives the merge is
// fitted with arcs within the remaining three quarters: the true curve and
// its arcs are then within the whole tolerance of each other, both ways.
// Greedy fitting: each arc reaches as many steps as a circle through the
// run's first, middle and last points keeps within tolerance.
#include "engine/ArcFitting.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <optional>

#include "engine/CurveSteps.h"
#include "engine/PointStore.h"

namespace vx {
namespace {

double Cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

// The least distance from c to the segment a-b.
double SegmentDistance(const PlanePoint& c, const PlanePoint& a, const PlanePoint& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((c.x - a.x) * dx + (c.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(a.x + t * dx - c.x, a.y + t * dy - c.y);
}

// The bulge of one arc through run[first..last] within tolerance, or nullopt
// when none fits. 0 when the points are in line (within tolerance of the chord).
std::optional<double> ArcBulge(const std::vector<PlanePoint>& run, std::size_t first, std::size_t last,
                               double tolerance) {
  const PlanePoint& a = run[first];
  const PlanePoint& m = run[(first + last) / 2];
  const PlanePoint& b = run[last];
  // The circle through a, m and b.
  const double bx = b.x - a.x, by = b.y - a.y, mx = m.x - a.x, my = m.y - a.y;
  const double d = 2 * Cross(mx, my, bx, by);
  const double chord = std::hypot(bx, by);
  if (!(chord > 0)) return std::nullopt;
  if (std::abs(d) <= 1e-12 * chord * chord) {
    for (std::size_t i = first + 1; i < last; ++i)
      if (SegmentDistance(run[i], a, b) > tolerance) return std::nullopt;
    return 0.0;
  }
  const double m2 = mx * mx + my * my, b2 = bx * bx + by * by;
  const PlanePoint c{a.x + (by * m2 - my * b2) / d, a.y + (mx * b2 - bx * m2) / d};
  const double r = std::hypot(a.x - c.x, a.y - c.y);
  if (!(r > tolerance) || !std::isfinite(r)) return std::nullopt;
  // The sweep from a through m to b: counter-clockwise when m lies right of the chord a-b.
  const double ux = a.x - c.x, uy = a.y - c.y;
  const auto angle = [&](const PlanePoint& p) {
    const double vx = p.x - c.x, vy = p.y - c.y;
    return std::atan2(Cross(ux, uy, vx, vy), ux * vx + uy * vy);
  };
  const bool ccw = d > 0;
  double sweep = angle(b);
  if (ccw && sweep < 0) sweep += 2 * std::numbers::pi;
  if (!ccw && sweep > 0) sweep -= 2 * std::numbers::pi;
  constexpr double kSlack = 1e-9;  // angles computed for a half turn may come out just beyond it
  if (std::abs(sweep) > std::numbers::pi + kSlack) return std::nullopt;
  for (std::size_t i = first; i <= last; ++i) {
    const double at = angle(run[i]) * (ccw ? 1 : -1);
    if (i != first && i != last && (at < -kSlack || at > std::abs(sweep) + kSlack)) return std::nullopt;
    if (std::abs(std::hypot(run[i].x - c.x, run[i].y - c.y) - r) > tolerance) return std::nullopt;
    // Between two points the distance from the centre is least at the
    // segment's nearest point (it is largest at an end, checked above).
    if (i > first && r - SegmentDistance(c, run[i - 1], run[i]) > tolerance) return std::nullopt;
  }
  return std::tan(sweep / 4);
}

std::vector<PlanePoint> ContourPoints(const TTFPoint*& record) {
  std::vector<PlanePoint> points;
  for (; record && record->kind == pkPoint; record = record->next) points.push_back({record->x, record->y});
  return points;
}

bool CurveStep(const PlanePoint& a, const PlanePoint& b) { return IsCurveStep(a.x, a.y, b.x, b.y); }

// One closed contour, each maximal run of curve steps fitted with arcs.
ArcContour FitContour(const std::vector<PlanePoint>& points, double tolerance) {
  const std::size_t n = points.size();
  const auto step = [&](std::size_t i) { return CurveStep(points[i % n], points[(i + 1) % n]); };
  // Start where a straight step ends, so that no run wraps past the start.
  std::size_t start = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (!step(i + n - 1)) {
      start = i;
      break;
    }
  ArcContour contour;
  for (std::size_t i = 0; i < n;) {
    if (!step(start + i)) {
      contour.push_back({points[(start + i) % n].x, points[(start + i) % n].y, 0});
      ++i;
      continue;
    }
    std::vector<PlanePoint> run{points[(start + i) % n]};
    for (; i < n && step(start + i); ++i) run.push_back(points[(start + i + 1) % n]);
    const ArcContour arcs = FitArcs(run, tolerance);
    contour.insert(contour.end(), arcs.begin(), arcs.end());
  }
  return contour;
}

}  // namespace

ArcContour FitArcs(const std::vector<PlanePoint>& run, double tolerance) {
  ArcContour arcs;
  for (std::size_t first = 0; first + 1 < run.size();) {
    std::size_t last = first + 1;
    double bulge = 0;
    // Each arc takes one more step while a circle fits.
    while (last + 1 < run.size()) {
      const std::optional<double> wider = ArcBulge(run, first, last + 1, tolerance);
      if (!wider) break;
      bulge = *wider;
      ++last;
    }
    arcs.push_back({run[first].x, run[first].y, bulge});
    first = last;
  }
  return arcs;
}

std::vector<ArcGlyph> FitArcsToStore(double tolerance) {
  std::vector<ArcGlyph> glyphs(1);
  for (const TTFPoint* record = gPointList.GetHead(); record;) {
    const std::vector<PlanePoint> points = ContourPoints(record);
    if (!points.empty()) glyphs.back().push_back(FitContour(points, tolerance));
    if (!record) break;
    const bool glyphEnd = record->kind == pkGlyphEnd;
    record = record->next;  // past the closing record
    if (glyphEnd) glyphs.emplace_back();
  }
  if (glyphs.back().empty()) glyphs.pop_back();
  return glyphs;
}

}  // namespace vx
