// SingleLineGlyphSource: single-line faces drawn as open strokes, every other face by the source beneath.
#include "engine/SingleLineGlyphSource.h"

namespace vx {
namespace {

bool Answer(std::optional<StrokedGlyph> glyph, GlyphMetrics& metrics, std::vector<std::uint8_t>& outline) {
  if (!glyph) return false;
  metrics = glyph->metrics;
  outline = std::move(glyph->outline);
  return true;
}

}  // namespace

bool SingleLineGlyphSource::QueryGlyph(const FontRequest& font, char16_t code, GlyphMetrics& metrics,
                                       std::vector<std::uint8_t>& outline) {
  if (!faces_.Has(font, code)) return other_.QueryGlyph(font, code, metrics, outline);
  return Answer(faces_.Draw(font, code - kHersheyFirstCharacter), metrics, outline);
}

bool SingleLineGlyphSource::QueryGlyphIndex(const FontRequest& font, std::uint32_t glyph, GlyphMetrics& metrics,
                                            std::vector<std::uint8_t>& outline) {
  if (!faces_.Names(font.face)) return other_.QueryGlyphIndex(font, glyph, metrics, outline);
  return Answer(faces_.Draw(font, glyph), metrics, outline);
}

}  // namespace vx
