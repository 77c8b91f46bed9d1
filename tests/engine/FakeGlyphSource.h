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
  // Glyphs by index; an index not listed gives a triangle at the origin
  // unless indexedFail says otherwise.
  std::map<std::uint32_t, FakeGlyph> indexed;
  bool indexedFail = false;
  std::vector<std::uint32_t> indexes;
  // What each ExpectText call told, and how many queries came before it.
  std::vector<std::pair<std::vector<FaceText>, std::size_t>> told;

  void ExpectText(std::span<const FaceText> faces) override {
    told.emplace_back(std::vector<FaceText>(faces.begin(), faces.end()), requests.size());
  }

  bool QueryGlyph(const FontRequest& font, char16_t code, GlyphMetrics& metrics,
                  std::vector<std::uint8_t>& outline) override {
    requests.push_back(font);
    codes.push_back(code);
    const auto found = glyphs.find(code);
    return found != glyphs.end() && Answer(found->second, metrics, outline);
  }

  bool QueryGlyphIndex(const FontRequest& font, std::uint32_t glyph, GlyphMetrics& metrics,
                       std::vector<std::uint8_t>& outline) override {
    requests.push_back(font);
    indexes.push_back(glyph);
    const auto found = indexed.find(glyph);
    if (found != indexed.end()) return Answer(found->second, metrics, outline);
    if (indexedFail) return false;
    return Answer(FakeGlyph{Advance(100, 0), TriangleAtOrigin()}, metrics, outline);
  }

 private:
  static bool Answer(const FakeGlyph& glyph, GlyphMetrics& metrics, std::vector<std::uint8_t>& outline) {
    if (glyph.fails) return false;
    if (glyph.throwsBadAlloc) throw std::bad_alloc();
    metrics = glyph.metrics;
    outline = glyph.outline;
    return true;
  }
};

}  // namespace vx::test
