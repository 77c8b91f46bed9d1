// The native TrueType outline buffer: polygon headers, curve records, 16.16 points.
//
// Our own statement of the published record layout that font rasterisers hand
// out for native outlines: a polygon header of 16 bytes followed by curve
// records of 4 bytes plus 8 per point; coordinates are 16.16 fixed point, y up,
// relative to the glyph origin. All fields little-endian, naturally aligned.
#pragma once

#include <cstdint>

#include "engine/Fixed1616.h"

namespace vx {

struct OutlinePoint {
  Fixed1616 x;
  Fixed1616 y;
};

inline constexpr std::uint32_t kPolygonTypeTT = 24;  // the only polygon type fonts give
// Our own type, which no system gives: an open stroke of a single-line face,
// walked without closing it.
inline constexpr std::uint32_t kPolygonTypeOpenStroke = 0x10000 | kPolygonTypeTT;
inline constexpr std::uint16_t kPrimLine = 1;
inline constexpr std::uint16_t kPrimQSpline = 2;
inline constexpr std::uint16_t kPrimCSpline = 3;

struct PolygonHeader {
  std::uint32_t cb;      // bytes of this header and its curve records
  std::uint32_t dwType;  // kPolygonTypeTT (or kPolygonTypeOpenStroke)
  OutlinePoint pfxStart;
};

struct PolyCurveHead {
  std::uint16_t wType;  // kPrimLine, kPrimQSpline, ...
  std::uint16_t cpfx;   // number of points that follow
  // followed by cpfx OutlinePoint entries (apfx)
};

inline constexpr std::uint32_t kPolygonHeaderSize = 16;
inline constexpr std::uint32_t kCurveHeadSize = 4;
inline constexpr std::uint32_t kOutlinePointSize = 8;

static_assert(sizeof(Fixed1616) == 4);
static_assert(sizeof(OutlinePoint) == kOutlinePointSize);
static_assert(sizeof(PolygonHeader) == kPolygonHeaderSize);
static_assert(sizeof(PolyCurveHead) == kCurveHeadSize);

// Glyph metrics as the outline query reports them, in whole device units.
struct GlyphMetrics {
  std::uint32_t gmBlackBoxX = 0;
  std::uint32_t gmBlackBoxY = 0;
  struct {
    std::int32_t x = 0;
    std::int32_t y = 0;
  } gmptGlyphOrigin;
  std::int16_t gmCellIncX = 0;
  std::int16_t gmCellIncY = 0;
};

}  // namespace vx
