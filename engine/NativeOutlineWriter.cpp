// NativeOutlineWriter: font contours (on-curve points, quadratic and cubic controls) into the native outline buffer.
#include "engine/NativeOutlineWriter.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "engine/NativeOutline.h"

namespace vx {
namespace {

OutlinePoint ToOutlinePoint(std::int32_t x, std::int32_t y) {
  return OutlinePoint{FixedFromRaw(x), FixedFromRaw(y)};
}

void AppendBytes(std::vector<std::uint8_t>& out, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out.insert(out.end(), bytes, bytes + size);
}

// Builds the records of one contour; `ring` is the contour rotated so that
// ring[0] is its start (an on-curve point), or, for a contour of off-curve
// points only, the contour as it is with `start` their implied midpoint.
class PolygonBuilder {
 public:
  explicit PolygonBuilder(std::vector<std::uint8_t>& out) : out_(out), headerAt_(out.size()) {}

  void Begin(const FixedPoint& start, std::uint32_t type = kPolygonTypeTT) {
    PolygonHeader header{0, type, ToOutlinePoint(start.x, start.y)};
    AppendBytes(out_, &header, sizeof header);
  }

  // Starts a curve record; points follow through Add.
  void Record(std::uint16_t type) {
    recordAt_ = out_.size();
    PolyCurveHead head{type, 0};
    AppendBytes(out_, &head, sizeof head);
  }

  bool Add(const FixedPoint& p) {
    PolyCurveHead head;
    std::memcpy(&head, out_.data() + recordAt_, sizeof head);
    if (head.cpfx == std::numeric_limits<std::uint16_t>::max()) return false;
    ++head.cpfx;
    std::memcpy(out_.data() + recordAt_, &head, sizeof head);
    const OutlinePoint point = ToOutlinePoint(p.x, p.y);
    AppendBytes(out_, &point, sizeof point);
    return true;
  }

  void End() {
    const auto cb = static_cast<std::uint32_t>(out_.size() - headerAt_);
    std::memcpy(out_.data() + headerAt_, &cb, sizeof cb);
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::size_t headerAt_;
  std::size_t recordAt_ = 0;
};

// What a point of a contour is.
enum class PointKind { OnCurve, Quadratic, Cubic };

PointKind KindOf(const FixedPoint& p) {
  return p.onCurve ? PointKind::OnCurve : p.cubic ? PointKind::Cubic : PointKind::Quadratic;
}

// A cubic record from ring[i]: pieces of two cubic controls and the on-curve
// point after them (the start for a piece that closes the contour), for as
// long as cubic controls follow. False when the controls do not pair up.
bool WriteCubicRun(std::span<const FixedPoint> ring, std::size_t& i, const FixedPoint& start,
                   PolygonBuilder& polygon) {
  polygon.Record(kPrimCSpline);
  while (i < ring.size() && KindOf(ring[i]) == PointKind::Cubic) {
    if (i + 1 >= ring.size() || KindOf(ring[i + 1]) != PointKind::Cubic) return false;
    const FixedPoint& end = i + 2 < ring.size() ? ring[i + 2] : start;
    if (!end.onCurve) return false;
    if (!polygon.Add(ring[i]) || !polygon.Add(ring[i + 1]) || !polygon.Add(end)) return false;
    i = std::min(i + 3, ring.size());
  }
  return true;
}

// Records after the start: runs of on-curve points become line records, runs
// of quadratic controls a spline record closed by the next on-curve point,
// runs of cubic pieces a cubic record.
bool WriteRing(std::span<const FixedPoint> ring, std::size_t first, const FixedPoint& start,
               PolygonBuilder& polygon) {
  std::size_t i = first;
  while (i < ring.size()) {
    const PointKind kind = KindOf(ring[i]);
    if (kind == PointKind::Cubic) {
      if (!WriteCubicRun(ring, i, start, polygon)) return false;
      continue;
    }
    const bool line = kind == PointKind::OnCurve;
    polygon.Record(line ? kPrimLine : kPrimQSpline);
    while (i < ring.size() && KindOf(ring[i]) == kind) {
      if (!polygon.Add(ring[i])) return false;
      ++i;
    }
    if (!line) {
      if (i < ring.size() && !ring[i].onCurve) return false;  // a cubic control after quadratic ones
      const FixedPoint& end = i < ring.size() ? ring[i] : start;
      if (!polygon.Add(end)) return false;
      if (i < ring.size()) ++i;
    }
  }
  return true;
}

bool WriteContour(std::span<const FixedPoint> contour, std::vector<FixedPoint>& ring,
                  std::vector<std::uint8_t>& out) {
  const std::size_t n = contour.size();
  std::size_t firstOn = 0;
  while (firstOn < n && !contour[firstOn].onCurve) ++firstOn;

  PolygonBuilder polygon(out);
  if (firstOn == n) {
    // Cubic pieces need an on-curve point to start from.
    for (const FixedPoint& p : contour)
      if (p.cubic) return false;
    // Off-curve points only: the contour starts at the implied on-curve
    // midpoint between its last and first points, and is one spline record.
    const FixedPoint start{
        static_cast<std::int32_t>((std::int64_t{contour[n - 1].x} + contour[0].x) / 2),
        static_cast<std::int32_t>((std::int64_t{contour[n - 1].y} + contour[0].y) / 2), true};
    polygon.Begin(start);
    if (!WriteRing(contour, 0, start, polygon)) return false;
  } else {
    ring.clear();
    for (std::size_t k = 0; k < n; ++k) ring.push_back(contour[(firstOn + k) % n]);
    polygon.Begin(ring[0]);
    if (!WriteRing(ring, 1, ring[0], polygon)) return false;
  }
  polygon.End();
  return true;
}

}  // namespace

bool WriteNativeOutline(std::span<const FixedPoint> points, std::span<const int> contourEnds,
                        std::vector<std::uint8_t>& out) {
  const std::size_t begin = out.size();
  std::vector<FixedPoint> ring;
  std::size_t first = 0;
  for (const int endIndex : contourEnds) {
    if (endIndex < 0 || static_cast<std::size_t>(endIndex) >= points.size() ||
        static_cast<std::size_t>(endIndex) + 1 < first) {
      out.resize(begin);
      return false;
    }
    const std::size_t last = static_cast<std::size_t>(endIndex);
    if (last + 1 >= first + 2) {
      if (!WriteContour(points.subspan(first, last + 1 - first), ring, out)) {
        out.resize(begin);
        return false;
      }
    }
    first = last + 1;
  }
  return true;
}

bool AppendOpenStroke(std::span<const FixedPoint> stroke, std::vector<std::uint8_t>& out) {
  if (stroke.size() < 2) return true;
  const std::size_t size = out.size();
  PolygonBuilder polygon(out);
  polygon.Begin(stroke.front(), kPolygonTypeOpenStroke);
  polygon.Record(kPrimLine);
  for (const FixedPoint& p : stroke.subspan(1)) {
    if (!polygon.Add(p)) {
      out.resize(size);
      return false;
    }
  }
  polygon.End();
  return true;
}

}  // namespace vx
