// The typographic layout: shaped, reordered lines with fallback faces, drawn into the store.
#include "engine/TypographicLayout.h"

#include <algorithm>

#include "engine/GlyphConversion.h"

namespace vx {
namespace {

// False when placed said stop.
bool DrawLine(GlyphSource& source, const TypesetLine& line, double baseline, LineAlignment align,
              const GlyphPlaced& placed) {
  const double shift = AlignmentShift(align, line.advance);
  for (const PlacedGlyph& g : line.glyphs) {
    const bool converted = ConvertGlyphIndex(source, g.font, g.glyph, g.scale, g.x + shift, baseline + g.y);
    if (converted && placed && !placed()) return false;
  }
  return true;
}

}  // namespace

std::vector<FallbackUse> LayoutTypographic(GlyphSource& source, TextShaper& shaper, std::u16string_view text,
                                           std::span<const CharStyle> styles, const LayoutSettings& settings,
                                           const GlyphPlaced& placed) {
  const std::size_t n = std::min(text.size(), styles.size());
  text = text.substr(0, n);
  source.ExpectText(FaceTexts(text, styles));
  Typesetter typesetter(shaper, settings);
  double baseline = 0;
  FaceExtents above;  // the extents of the line before
  for (std::size_t start = 0; start <= n;) {
    std::size_t end = start;
    while (end < n && LineBreakLength(text, end) == 0) ++end;
    TypesetLine line = typesetter.SetLine(text.substr(start, end - start), styles.subspan(start, end - start));
    if (line.glyphs.empty() && n > 0) {
      // A line without characters takes its line break's font (the break
      // after it, or for the last line the one before it).
      line.extents = typesetter.EmptyLineExtents(styles[end < n ? end : n - 1]);
    }
    if (start > 0) baseline -= settings.lineSpacing * (above.descent + above.lineGap + line.extents.ascent);
    if (!DrawLine(source, line, baseline, settings.align, placed)) break;
    above = line.extents;
    if (end == n) break;
    start = end + LineBreakLength(text, end);
  }
  return typesetter.Fallbacks();
}

}  // namespace vx
