// ConvertGlyph: asks the glyph source for a native outline and walks it into the store.
#include "engine/GlyphConversion.h"

#include <cstring>
#include <vector>

#include "engine/OutlineFlattening.h"

namespace vx {
namespace {

// Runs one outline query into a buffer reused across glyphs (everything runs
// on one thread) and, unless placement is null, walks what it gives. True
// when there was an outline to walk.
template <typename Query>
bool QueryAndWalk(Query query, const Placement* placement) {
  static thread_local std::vector<std::uint8_t> outline;
  outline.clear();
  if (!query(outline)) return false;
  if (outline.size() < kPolygonHeaderSize) return false;  // no outline (a space)

  PolygonHeader first;
  std::memcpy(&first, outline.data(), sizeof first);
  if (first.dwType != kPolygonTypeTT && first.dwType != kPolygonTypeOpenStroke) return false;

  if (placement != nullptr) WalkOutline(outline.data(), outline.size(), *placement);
  return true;
}

// ConvertGlyph with a placement, MeasureGlyph without one.
bool QueryCharacter(GlyphSource& source, char16_t character, const FontRequest& font, GlyphMetrics& metrics,
                    const Placement* placement) {
  return QueryAndWalk(
      [&](std::vector<std::uint8_t>& outline) { return source.QueryGlyph(font, character, metrics, outline); },
      placement);
}

}  // namespace

bool ConvertGlyph(GlyphSource& source, char16_t character, const FontRequest& font, double scale, double originX,
                  double originY, GlyphMetrics& metrics) {
  const Placement placement{scale, originX, originY};
  return QueryCharacter(source, character, font, metrics, &placement);
}

bool ConvertGlyph(GlyphSource& source, char16_t character, const char* faceName, int height,
                  int width, bool bold, bool italic, double scale, double originX, double originY,
                  GlyphMetrics& metrics) {
  if (faceName == nullptr) return false;
  return ConvertGlyph(source, character, MakeFontRequest(faceName, height, width, bold, italic), scale, originX,
                      originY, metrics);
}

bool MeasureGlyph(GlyphSource& source, char16_t character, const FontRequest& font, GlyphMetrics& metrics) {
  return QueryCharacter(source, character, font, metrics, nullptr);
}

bool MeasureGlyph(GlyphSource& source, char16_t character, const char* faceName, int height, int width,
                  bool bold, bool italic, GlyphMetrics& metrics) {
  if (faceName == nullptr) return false;
  return MeasureGlyph(source, character, MakeFontRequest(faceName, height, width, bold, italic), metrics);
}

bool ConvertGlyphIndex(GlyphSource& source, const FontRequest& font, std::uint32_t glyph,
                       double scale, double originX, double originY) {
  GlyphMetrics metrics;
  const Placement placement{scale, originX, originY};
  return QueryAndWalk(
      [&](std::vector<std::uint8_t>& outline) { return source.QueryGlyphIndex(font, glyph, metrics, outline); },
      &placement);
}

}  // namespace vx
