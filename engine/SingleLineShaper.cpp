// SingleLineShaper: the typographic layout's text services for single-line faces, the shaper beneath for the rest.
#include "engine/SingleLineShaper.h"

#include "base/CodePoints.h"

namespace vx {

bool SingleLineShaper::Shape(const FontRequest& font, std::u32string_view line, std::size_t begin,
                             std::size_t end, bool rightToLeft, std::vector<ShapedGlyph>& glyphs) {
  if (!faces_.Names(font.face)) return other_.Shape(font, line, begin, end, rightToLeft, glyphs);
  if (begin >= end || end > line.size()) return false;
  for (std::size_t k = begin; k < end; ++k) {
    const std::size_t i = rightToLeft ? end - 1 - (k - begin) : k;
    ShapedGlyph g;
    g.cluster = i;
    if (faces_.Has(font, line[i])) {
      g.glyph = line[i] - kHersheyFirstCharacter;
      g.advance = faces_.Advance(font, g.glyph);
    } else if (IsInvisible(line[i])) {
      g.glyph = kNoGlyph;
    } else {
      // A character no face has: the width of a space, nothing drawn.
      g.glyph = kNoGlyph;
      g.advance = faces_.Advance(font, 0);
    }
    glyphs.push_back(g);
  }
  return true;
}

bool SingleLineShaper::Covers(const FontRequest& font, char32_t c) {
  if (!faces_.Names(font.face)) return other_.Covers(font, c);
  return faces_.Has(font, c) || IsInvisible(c);
}

FaceExtents SingleLineShaper::Extents(const FontRequest& font) {
  if (!faces_.Names(font.face)) return other_.Extents(font);
  const SingleLineFaces::Extents e = faces_.LineExtents(font);
  return {e.ascent, e.descent, 0};
}

}  // namespace vx
