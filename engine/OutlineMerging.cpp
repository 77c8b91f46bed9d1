// Merged outlines: each glyph of the point store replaced by the boundary of the area the font fills.
//
// The union is Boost.Polygon's (header-only, in every Boost): it takes
// contours that cross themselves and each other, counts windings exactly on
// an integer grid, and gives back polygons with holes whose edges never
// cross. It fills where the winding number is positive, so the non-zero area
// is that of the contours as drawn together with that of the contours
// reversed. (Boost.Geometry needs valid polygons as input, which overlapping
// font contours are not; Clipper ships no source that the Windows
// cross-builds could compile.)
#include "engine/OutlineMerging.h"

#include <boost/polygon/polygon.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/PointStore.h"

namespace vx {
namespace {

namespace bp = boost::polygon;

using GridPoint = bp::point_data<int>;
using GridContour = std::vector<GridPoint>;
using GridPolygon = bp::polygon_with_holes_data<int>;

struct Vertex {
  double x = 0;
  double y = 0;
  bool operator==(const Vertex&) const = default;
};
using Contour = std::vector<Vertex>;
using Glyph = std::vector<Contour>;

// The grid spans 2^30 steps across a glyph's larger side: as fine as the
// outline's own 16.16 coordinates on the largest fonts, and within the range
// where Boost.Polygon's integer arithmetic is exact.
constexpr double kGridSpan = 1 << 30;

// The glyphs the store holds, each contour without its closing record.
std::vector<Glyph> GlyphsInStore() {
  std::vector<Glyph> glyphs;
  Glyph glyph;
  Contour contour;
  for (const TTFPoint* record = gPointList.GetHead(); record; record = record->next) {
    if (record->kind == pkPoint) {
      contour.push_back({record->x, record->y});
      continue;
    }
    glyph.push_back(std::move(contour));
    contour.clear();
    if (record->kind == pkGlyphEnd) {
      glyphs.push_back(std::move(glyph));
      glyph.clear();
    }
  }
  // A store that ends without its closing record.
  if (!contour.empty()) glyph.push_back(std::move(contour));
  if (!glyph.empty()) glyphs.push_back(std::move(glyph));
  return glyphs;
}

// One glyph's points on the integer grid and back. A grid point that stands
// for one of the glyph's own vertices goes back to that vertex exactly.
class GlyphGrid {
 public:
  // False when the glyph has no extent (or none that is finite).
  bool Fit(const Glyph& glyph) {
    double right = 0, top = 0;
    bool first = true;
    for (const Contour& contour : glyph)
      for (const Vertex& v : contour) {
        left_ = first ? v.x : std::min(left_, v.x);
        bottom_ = first ? v.y : std::min(bottom_, v.y);
        right = first ? v.x : std::max(right, v.x);
        top = first ? v.y : std::max(top, v.y);
        first = false;
      }
    const double extent = std::max(right - left_, top - bottom_);
    if (!(extent > 0) || !std::isfinite(extent)) return false;
    // A power of two, so that scaling adds no rounding of its own.
    scale_ = std::ldexp(1.0, std::ilogb(kGridSpan / extent));
    return std::isfinite(scale_) && scale_ > 0;
  }

  GridPoint ToGrid(const Vertex& v) {
    const GridPoint p(static_cast<int>(std::lround((v.x - left_) * scale_)),
                      static_cast<int>(std::lround((v.y - bottom_) * scale_)));
    originals_.emplace(Key(p), v);
    return p;
  }

  Vertex FromGrid(const GridPoint& p) const {
    if (const auto found = originals_.find(Key(p)); found != originals_.end()) return found->second;
    return {left_ + p.x() / scale_, bottom_ + p.y() / scale_};
  }

 private:
  static std::uint64_t Key(const GridPoint& p) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.x())) << 32) |
           static_cast<std::uint32_t>(p.y());
  }

  double left_ = 0, bottom_ = 0, scale_ = 1;
  std::unordered_map<std::uint64_t, Vertex> originals_;
};

// Where the winding number is positive when each contour counts in the
// given sense (counter-clockwise: as drawn; clockwise: reversed).
std::vector<GridPolygon> PositiveArea(const std::vector<GridContour>& contours, bp::direction_1d sense) {
  bp::polygon_set_data<int> set;
  for (const GridContour& contour : contours) set.insert_vertex_sequence(contour.begin(), contour.end(), sense, false);
  std::vector<GridPolygon> area;
  set.get(area);
  return area;
}

// Where the winding number is not zero. A font's outer contours all run one
// way, so one of the two parts is nearly always empty.
std::vector<GridPolygon> NonZeroArea(const std::vector<GridContour>& contours) {
  std::vector<GridPolygon> positive = PositiveArea(contours, bp::COUNTERCLOCKWISE);
  std::vector<GridPolygon> negative = PositiveArea(contours, bp::CLOCKWISE);
  if (positive.empty()) return negative;
  if (negative.empty()) return positive;
  bp::polygon_set_data<int> both;
  both.insert(positive.begin(), positive.end());
  both.insert(negative.begin(), negative.end());
  std::vector<GridPolygon> area;
  both.get(area);
  return area;
}

// Twice the signed area: positive for a counter-clockwise contour (y up).
double DoubleArea(const Contour& contour) {
  double sum = 0;
  for (std::size_t i = 0, n = contour.size(); i < n; ++i) {
    const Vertex& a = contour[i];
    const Vertex& b = contour[(i + 1) % n];
    sum += a.x * b.y - b.x * a.y;
  }
  return sum;
}

// A boundary ring back in drawing units, without repeated vertices, running
// counter-clockwise for an outer contour and clockwise for a hole. Empty when
// nothing with an area is left.
template <typename Points>
Contour BoundaryContour(const GlyphGrid& grid, const Points& points, bool hole) {
  Contour contour;
  for (const GridPoint& p : points) {
    const Vertex v = grid.FromGrid(p);
    if (contour.empty() || !(contour.back() == v)) contour.push_back(v);
  }
  while (contour.size() > 1 && contour.back() == contour.front()) contour.pop_back();
  const double area = contour.size() < 3 ? 0 : DoubleArea(contour);
  if (area == 0) return {};
  if ((area < 0) != hole) std::reverse(contour.begin(), contour.end());
  return contour;
}

Glyph MergedGlyph(const Glyph& glyph) {
  GlyphGrid grid;
  if (!grid.Fit(glyph)) return {};
  std::vector<GridContour> contours;
  for (const Contour& contour : glyph) {
    GridContour& onGrid = contours.emplace_back();
    for (const Vertex& v : contour) onGrid.push_back(grid.ToGrid(v));
  }
  Glyph merged;
  const auto keep = [&merged](Contour contour) {
    if (!contour.empty()) merged.push_back(std::move(contour));
  };
  for (const GridPolygon& polygon : NonZeroArea(contours)) {
    keep(BoundaryContour(grid, polygon.self_.coords_, false));
    for (const auto& hole : polygon.holes_) keep(BoundaryContour(grid, hole.coords_, true));
  }
  return merged;
}

void Append(double x, double y, int kind) {
  if (!gPointList.Add(x, y, kind)) throw std::bad_alloc();
}

// A glyph's contours as store records: the vertices, then the first vertex
// again as the closing record.
void AppendGlyph(const Glyph& glyph) {
  for (std::size_t i = 0; i < glyph.size(); ++i) {
    for (const Vertex& v : glyph[i]) Append(v.x, v.y, pkPoint);
    const Vertex& first = glyph[i].front();
    Append(first.x, first.y, i + 1 == glyph.size() ? pkGlyphEnd : pkContourEnd);
  }
}

}  // namespace

void MergeGlyphOutlines() {
  std::vector<Glyph> merged;
  for (const Glyph& glyph : GlyphsInStore()) merged.push_back(MergedGlyph(glyph));
  gPointList.Clear();
  gCursor = nullptr;
  for (const Glyph& glyph : merged) AppendGlyph(glyph);
}

}  // namespace vx
