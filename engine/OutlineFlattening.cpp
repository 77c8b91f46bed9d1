// The outline walk over a native outline buffer and the flattening of quadratic and cubic spline pieces.
#include "engine/OutlineFlattening.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "engine/CurveSteps.h"
#include "engine/PointStore.h"

int gPrecision = vx::kDefaultPrecision;

void SetPrecision(int precision) { gPrecision = std::clamp(precision, vx::kPrecisionMin, vx::kPrecisionMax); }

double gTolerance = 0.0;

void SetTolerance(double tolerance) { gTolerance = tolerance > 0 ? tolerance : 0.0; }

namespace {

// The fewest steps n, within 1..kMaxToleranceSteps, that keep a piece within
// the tolerance when n steps keep it within bend / (4 n^2).
int StepsForBend(double bend, double tolerance) {
  const double steps = std::ceil(std::sqrt(bend / (4 * tolerance)));
  if (!(steps >= 1)) return 1;  // a straight piece, or NaN from an absurd tolerance
  return steps < kMaxToleranceSteps ? static_cast<int>(steps) : kMaxToleranceSteps;
}

// |a - 2 b + c|: the second difference of three control points.
double SecondDifference(const TTFPoint& a, const TTFPoint& b, const TTFPoint& c) {
  return std::hypot(a.x - 2 * b.x + c.x, a.y - 2 * b.y + c.y);
}

}  // namespace

int ToleranceSteps(const TTFPoint& p0, const TTFPoint& p1, const TTFPoint& p2, double tolerance) {
  return StepsForBend(SecondDifference(p0, p1, p2), tolerance);
}

int ToleranceSteps(const TTFPoint& p0, const TTFPoint& p1, const TTFPoint& p2, const TTFPoint& p3,
                   double tolerance) {
  return StepsForBend(3 * std::max(SecondDifference(p0, p1, p2), SecondDifference(p1, p2, p3)), tolerance);
}

bool SamePoint(const TTFPoint& a, const TTFPoint& b) { return a.x == b.x && a.y == b.y; }

namespace {

// A record that cannot be allocated ends the conversion: a glyph that lacks a
// point would be a wrong drawing, handed on as if it were right.
void Append(const TTFPoint& p, int kind) {
  if (!gPointList.Add(p.x, p.y, kind)) throw std::bad_alloc();
}

int FixedSteps() { return std::clamp(gPrecision, vx::kPrecisionMin, vx::kPrecisionMax); }

// Appends p0 again, then `steps` samples pointAt(t) of a piece, the last at
// exactly t = 1, skipping samples equal to the previous one, each step noted
// as a curve step. Returns the last point computed.
template <typename PointAt>
TTFPoint AppendSamples(const TTFPoint& p0, int steps, PointAt pointAt) {
  const double step = 1.0 / steps;
  Append(p0, pkPoint);
  TTFPoint previous = p0;
  double t = step;
  for (int sample = 1; sample <= steps; ++sample, t += step) {
    if (sample == steps) t = 1.0;  // the piece always ends on its end point
    const TTFPoint point = pointAt(t);
    if (!SamePoint(point, previous)) {
      Append(point, pkPoint);
      vx::NoteCurveStep(previous.x, previous.y, point.x, point.y);
    }
    previous = point;
  }
  return previous;
}

// The quadratic and cubic pieces with `tolerance` in place of gTolerance.
void FlattenQuadratic(const TTFPoint& p0, const TTFPoint& p1, TTFPoint& p2, double tolerance) {
  const int steps = tolerance > 0 ? ToleranceSteps(p0, p1, p2, tolerance) : FixedSteps();
  const TTFPoint last = AppendSamples(p0, steps, [&](double t) {
    TTFPoint point{pkPoint, 0.0, 0.0, nullptr};
    point.x = p0.x + 2 * t * (p1.x - p0.x) + t * t * (p0.x - 2 * p1.x + p2.x);
    point.y = p0.y + 2 * t * (p1.y - p0.y) + t * t * (p0.y - 2 * p1.y + p2.y);
    return point;
  });
  p2.x = last.x;
  p2.y = last.y;
}

void FlattenCubic(const TTFPoint& p0, const TTFPoint& p1, const TTFPoint& p2, TTFPoint& p3, double tolerance) {
  const int steps = tolerance > 0 ? ToleranceSteps(p0, p1, p2, p3, tolerance) : FixedSteps();
  const TTFPoint last = AppendSamples(p0, steps, [&](double t) {
    // Bernstein weights: at t = 1 the point is p3 itself.
    const double u = 1 - t;
    const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
    return TTFPoint{pkPoint, w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x,
                    w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y, nullptr};
  });
  p3.x = last.x;
  p3.y = last.y;
}

}  // namespace

void FlattenQSpline(const TTFPoint& p0, const TTFPoint& p1, TTFPoint& p2) { FlattenQuadratic(p0, p1, p2, gTolerance); }

void FlattenCSpline(const TTFPoint& p0, const TTFPoint& p1, const TTFPoint& p2, TTFPoint& p3) {
  FlattenCubic(p0, p1, p2, p3, gTolerance);
}

namespace vx {
namespace {

// Reads native outline records with every access checked against the end.
class OutlineReader {
 public:
  OutlineReader(const std::uint8_t* buffer, std::size_t size, const Placement& placement)
      : buffer_(buffer), size_(size), placement_(placement), tolerance_(PieceTolerance(placement.scale)) {}

  // Under a tolerance, what is left of it for the steps of a piece: each
  // 16.16 coordinate lies up to half a step (2^-17 device units) from the
  // outline it was rounded from, and so may every point of a piece between
  // such points. Where that takes the whole tolerance, pieces get the most
  // steps. 0 (fixed steps) without a tolerance.
  static double PieceTolerance(double scale) {
    if (!(gTolerance > 0)) return 0.0;
    const double rounding = std::abs(scale) * std::sqrt(2.0) / 131072.0;
    return gTolerance > rounding ? gTolerance - rounding : std::numeric_limits<double>::min();
  }

  double tolerance() const { return tolerance_; }

  bool Fits(std::size_t offset, std::size_t bytes, std::size_t end) const {
    return offset <= end && bytes <= end - offset;
  }

  template <typename Record>
  Record Read(std::size_t offset) const {
    Record record;
    std::memcpy(&record, buffer_ + offset, sizeof record);
    return record;
  }

  TTFPoint Place(const OutlinePoint& p) const {
    return TTFPoint{pkPoint, placement_.originX + placement_.scale * FixedToDouble(p.x),
                    placement_.originY + placement_.scale * FixedToDouble(p.y), nullptr};
  }

  TTFPoint PointAt(std::size_t offset) const { return Place(Read<OutlinePoint>(offset)); }

  std::size_t size() const { return size_; }

 private:
  const std::uint8_t* buffer_;
  std::size_t size_;
  Placement placement_;
  double tolerance_;
};

TTFPoint Midpoint(const TTFPoint& a, const TTFPoint& b) {
  return TTFPoint{pkPoint, (a.x + b.x) * 0.5, (a.y + b.y) * 0.5, nullptr};
}

// One quadratic spline record: cpfx control points, the last on the curve.
void WalkSpline(const OutlineReader& reader, std::size_t points, unsigned cpfx, TTFPoint& current) {
  if (cpfx == 1) {  // a lone end point is a straight step to it
    current = reader.PointAt(points);
    Append(current, pkPoint);
    return;
  }
  for (unsigned i = 0; i + 1 < cpfx; ++i) {
    const TTFPoint control = reader.PointAt(points + i * kOutlinePointSize);
    const TTFPoint following = reader.PointAt(points + (i + 1) * kOutlinePointSize);
    TTFPoint end = (i + 2 < cpfx) ? Midpoint(control, following) : following;
    FlattenQuadratic(current, control, end, reader.tolerance());
    current = end;
  }
}

// One cubic spline record: triples of two controls and an end point, each
// triple a piece from the current point. An incomplete last triple is a
// straight step to its last point, so that the contour goes on from where
// the record ends.
void WalkCSpline(const OutlineReader& reader, std::size_t points, unsigned cpfx, TTFPoint& current) {
  unsigned i = 0;
  for (; i + 3 <= cpfx; i += 3) {
    const TTFPoint first = reader.PointAt(points + i * kOutlinePointSize);
    const TTFPoint second = reader.PointAt(points + (i + 1) * kOutlinePointSize);
    TTFPoint end = reader.PointAt(points + (i + 2) * kOutlinePointSize);
    FlattenCubic(current, first, second, end, reader.tolerance());
    current = end;
  }
  if (i < cpfx) {
    current = reader.PointAt(points + (cpfx - 1) * kOutlinePointSize);
    Append(current, pkPoint);
  }
}

// Walks the curve records of one polygon between `offset` and `end` from
// current, which ends on the polygon's last point. Returns false when a
// record runs past `end` (a truncated or inconsistent buffer).
bool WalkCurves(const OutlineReader& reader, std::size_t offset, std::size_t end, TTFPoint& current) {
  while (reader.Fits(offset, kCurveHeadSize, end)) {
    const auto head = reader.Read<PolyCurveHead>(offset);
    const std::size_t bytes = kCurveHeadSize + std::size_t{kOutlinePointSize} * head.cpfx;
    if (!reader.Fits(offset, bytes, end)) return false;
    const std::size_t points = offset + kCurveHeadSize;
    if (head.wType == kPrimLine) {
      for (unsigned i = 0; i < head.cpfx; ++i) {
        current = reader.PointAt(points + i * kOutlinePointSize);
        Append(current, pkPoint);
      }
    } else if (head.wType == kPrimQSpline) {
      WalkSpline(reader, points, head.cpfx, current);
    } else if (head.wType == kPrimCSpline) {
      WalkCSpline(reader, points, head.cpfx, current);
    }
    offset += bytes;
  }
  return offset == end;
}

}  // namespace

void WalkOutline(const std::uint8_t* buffer, std::size_t size, const Placement& placement) {
  const OutlineReader reader(buffer, size, placement);
  std::size_t offset = 0;
  while (reader.Fits(offset, kPolygonHeaderSize, size)) {
    const auto header = reader.Read<PolygonHeader>(offset);
    const TTFPoint start = reader.Place(header.pfxStart);
    Append(start, pkPoint);

    // A polygon that claims more bytes than the buffer holds is walked as far
    // as the buffer goes; one that claims fewer than its own header has no
    // curve records we could trust (its bytes after the header belong to
    // whatever follows). Either ends the glyph.
    const bool tooShort = header.cb < kPolygonHeaderSize;
    bool consistent = !tooShort && reader.Fits(offset, header.cb, size);
    const std::size_t end = consistent ? offset + header.cb
                            : tooShort ? offset + kPolygonHeaderSize
                                       : size;
    TTFPoint current = start;
    consistent = WalkCurves(reader, offset + kPolygonHeaderSize, end, current) && consistent;

    offset = end;
    const bool last = !consistent || offset + kPolygonHeaderSize >= size;
    if (header.dwType == kPolygonTypeOpenStroke) {
      Append(current, last ? pkOpenGlyphEnd : pkOpenEnd);
    } else {
      Append(start, last ? pkGlyphEnd : pkContourEnd);
    }
    if (last) return;
  }
}

}  // namespace vx
