// Distances from points to the nearest of many straight segments, for checking a drawing against a curve both ways.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "tests/support/DxfReader.h"

namespace vx::test {

// Straight segments, found by position: a grid of cells at least as wide
// as the farthest distance asked about.
class SegmentIndex {
 public:
  explicit SegmentIndex(double cell) : cell_(cell) {}

  void Add(const DxfPoint& a, const DxfPoint& b);

  // The distance from p to the nearest segment; up to the cell width, else
  // something larger.
  double Distance(const DxfPoint& p) const;

 private:
  using Segment = std::pair<DxfPoint, DxfPoint>;
  long Cell(double v) const;

  double cell_;
  std::vector<Segment> segments_;
  std::map<std::pair<long, long>, std::vector<std::size_t>> cells_;
};

// Every segment of closed polylines given as point lists.
SegmentIndex IndexOf(const std::vector<std::vector<DxfPoint>>& contours, double cell);

// The farthest any point of `from` lies from the segments of `to`.
double FarthestFrom(const std::vector<std::vector<DxfPoint>>& from, const SegmentIndex& to);

}  // namespace vx::test
