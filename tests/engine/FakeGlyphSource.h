// A glyph source for tests: hand-made outlines and metrics per character.
#pragma once

#include <map>
#include <new>
#include <vector>

#include "engine/GlyphSource.h"
#include "tests/engine/OutlineBuilder.h"

namespace vx::test {

struct FakeGlyph {
  GlyphMetrics metrics;
  std::vector<std::uint8_t> outline;  // empty: a glyph without contours
  bool fails = false;                 // the font cannot be made / the query fails
  bool throwsBadAlloc = false;        // the outline buffer cannot be allocated
};

// Metrics with the two fields the layout reads.
inline GlyphMetrics Advance(int cellIncX, int originX) {
  GlyphMetrics m;
  m.gmCellIncX = static_cast<std::int16_t>(cellIncX);
  m.gmptGlyphOrigin.x = originX;
  return m;
}

// A one-contour glyph whose first point is its origin (0, 0), so that the
// glyph's first record in the store is the pen position it was placed at.
inline std::vector<std::uint8_t> TriangleAtOrigin() {
  return OutlineBuilder().Polygon({0, 0}).Line({{100, 0}, {100, 100}}).Build();
}

class FakeGlyphSource : public GlyphSource {
 public:
  std::map<char16_t, FakeGlyph> glyphs;  // characters not listed fail
  std::vector<FontRequest> requests;
  std::vector<char16_t> codes;

  bool QueryGlyph(const FontRequest& font, char16_t code, GlyphMetrics& metrics,
                  std::vector<std::uint8_t>& outline) override {
    requests.push_back(font);
    codes.push_back(code);
    const auto found = glyphs.find(code);
    if (found == glyphs.end() || found->second.fails) return false;
    if (found->second.throwsBadAlloc) throw std::bad_alloc();
    metrics = found->second.metrics;
    outline = found->second.outline;
    return true;
  }
};

}  // namespace vx::test
