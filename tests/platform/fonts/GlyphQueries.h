// Test helpers: asking a glyph source for one glyph, and the points and extent of its native outline.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/GlyphSource.h"
#include "engine/NativeOutline.h"

namespace vx {

// DejaVu Sans's xAvgCharWidth (1038 of 2048 units) at the em of a cell 200 high.
constexpr int kDejaVuAverage = 87;

struct Point {
  double x;
  double y;
};

// Every point of a native outline (starts and record entries), in order.
inline std::vector<Point> OutlinePoints(const std::vector<std::uint8_t>& buffer) {
  std::vector<Point> points;
  std::size_t at = 0;
  while (at + kPolygonHeaderSize <= buffer.size()) {
    PolygonHeader header;
    std::memcpy(&header, buffer.data() + at, sizeof header);
    points.push_back({FixedToDouble(header.pfxStart.x), FixedToDouble(header.pfxStart.y)});
    for (std::size_t r = at + kPolygonHeaderSize; r < at + header.cb;) {
      PolyCurveHead head;
      std::memcpy(&head, buffer.data() + r, sizeof head);
      for (int i = 0; i < head.cpfx; ++i) {
        OutlinePoint p;
        std::memcpy(&p, buffer.data() + r + kCurveHeadSize + i * kOutlinePointSize, sizeof p);
        points.push_back({FixedToDouble(p.x), FixedToDouble(p.y)});
      }
      r += kCurveHeadSize + head.cpfx * kOutlinePointSize;
    }
    at += header.cb;
  }
  return points;
}

struct Box {
  double xMin = 1e9, yMin = 1e9, xMax = -1e9, yMax = -1e9;
  double Width() const { return xMax - xMin; }
  double Height() const { return yMax - yMin; }
};

inline Box Bounds(const std::vector<Point>& points) {
  Box b;
  for (const Point& p : points) {
    b.xMin = std::min(b.xMin, p.x);
    b.xMax = std::max(b.xMax, p.x);
    b.yMin = std::min(b.yMin, p.y);
    b.yMax = std::max(b.yMax, p.y);
  }
  return b;
}

struct Glyph {
  bool ok = false;
  GlyphMetrics metrics;
  std::vector<std::uint8_t> outline;
  std::vector<Point> Points() const { return OutlinePoints(outline); }
};

inline Glyph Query(GlyphSource& source, const std::string& face, char16_t code, int height = 200,
            int width = kDejaVuAverage, bool bold = false, bool italic = false) {
  Glyph g;
  g.ok = source.QueryGlyph(FontRequest{face, height, width, bold, italic}, code, g.metrics,
                           g.outline);
  return g;
}

}  // namespace vx
