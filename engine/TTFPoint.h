// TTFPoint: one record of the point store, read in place by CAD hosts.
#pragma once

#include <cstddef>
#include <cstdint>

// Record kinds. A contour is pkPoint records closed by one pkContourEnd or,
// for the last contour of a glyph, pkGlyphEnd; the closing record repeats the
// contour's first point and is not a vertex. The strokes of a single-line
// face (the command line's; never handed to a CAD host) are open polylines:
// pkPoint records ended by pkOpenEnd or, for a glyph's last stroke,
// pkOpenGlyphEnd, which repeats the stroke's last point and is not a vertex.
enum TTFPointKind : std::int32_t {
  pkPoint = 1,
  pkContourEnd = 2,
  pkGlyphEnd = 3,
  pkOpenEnd = 4,
  pkOpenGlyphEnd = 5,
};

// Whether a record ends a glyph's last contour or stroke.
constexpr bool EndsGlyph(std::int32_t kind) { return kind == pkGlyphEnd || kind == pkOpenGlyphEnd; }

// Whether a record ends an open stroke rather than closing a contour.
constexpr bool EndsOpenStroke(std::int32_t kind) { return kind == pkOpenEnd || kind == pkOpenGlyphEnd; }

// Binary layout shared with separately built host modules: kind at 0, x at 8,
// y at 16, next at 24, 32 bytes in all, on 32-bit and 64-bit targets alike.
struct alignas(8) TTFPoint {
  std::int32_t kind;
  alignas(8) double x;
  alignas(8) double y;
  TTFPoint* next;
};

static_assert(offsetof(TTFPoint, kind) == 0);
static_assert(offsetof(TTFPoint, x) == 8);
static_assert(offsetof(TTFPoint, y) == 16);
static_assert(offsetof(TTFPoint, next) == 24);
static_assert(sizeof(TTFPoint) == 32);
