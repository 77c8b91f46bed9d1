// Distances from points to the nearest of many straight segments, for checking a drawing against a curve both ways.
#include "tests/support/NearestSegments.h"

#include <algorithm>
#include <cmath>

namespace vx::test {
namespace {

double SegmentDistance(const DxfPoint& p, const DxfPoint& a, const DxfPoint& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  const double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0;
  return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

}  // namespace

long SegmentIndex::Cell(double v) const { return std::lround(std::floor(v / cell_)); }

void SegmentIndex::Add(const DxfPoint& a, const DxfPoint& b) {
  const std::size_t index = segments_.size();
  segments_.push_back({a, b});
  for (long x = Cell(std::min(a.x, b.x)); x <= Cell(std::max(a.x, b.x)); ++x)
    for (long y = Cell(std::min(a.y, b.y)); y <= Cell(std::max(a.y, b.y)); ++y) cells_[{x, y}].push_back(index);
}

double SegmentIndex::Distance(const DxfPoint& p) const {
  double nearest = 2 * cell_;
  for (long x = Cell(p.x) - 1; x <= Cell(p.x) + 1; ++x)
    for (long y = Cell(p.y) - 1; y <= Cell(p.y) + 1; ++y) {
      const auto found = cells_.find({x, y});
      if (found == cells_.end()) continue;
      for (const std::size_t i : found->second)
        nearest = std::min(nearest, SegmentDistance(p, segments_[i].first, segments_[i].second));
    }
  return nearest;
}

SegmentIndex IndexOf(const std::vector<std::vector<DxfPoint>>& contours, double cell) {
  SegmentIndex index(cell);
  for (const auto& contour : contours)
    for (std::size_t i = 0; i < contour.size(); ++i) index.Add(contour[i], contour[(i + 1) % contour.size()]);
  return index;
}

double FarthestFrom(const std::vector<std::vector<DxfPoint>>& from, const SegmentIndex& to) {
  double farthest = 0;
  for (const auto& contour : from)
    for (const DxfPoint& p : contour) farthest = std::max(farthest, to.Distance(p));
  return farthest;
}

}  // namespace vx::test
