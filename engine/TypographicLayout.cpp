// The typographic layout: shaped, reordered lines with fallback faces, drawn into the store.
#include "engine/TypographicLayout.h"

#include <algorithm>

#include "engine/GlyphConversion.h"

namespace vx {
namespace {

// False when placed said stop.
bool DrawLine(GlyphSource& source, const TypesetLine& line, double baseline, double shift, const GlyphPlaced& placed) {
  for (const PlacedGlyph& g : line.glyphs) {
    const bool converted = ConvertGlyphIndex(source, g.font, g.glyph, g.scale, g.x + shift, baseline + g.y);
    if (converted && placed && !placed()) return false;
  }
  return true;
}

// The alignment of a paragraph's lines: the settings', unless they defer to
// the document and it gives one (or declares the paragraph right to left).
LineAlignment AlignmentOf(const LayoutSettings& settings, const ParagraphStyle& paragraph) {
  if (!settings.documentAlignment) return settings.align;
  if (paragraph.align) return *paragraph.align;
  return paragraph.direction == ParagraphDirection::RightToLeft ? LineAlignment::Right : settings.align;
}

// Lays out the lines that one paragraph makes, stacked from the baseline on.
class ParagraphSetter {
 public:
  ParagraphSetter(GlyphSource& source, Typesetter& typesetter, const LayoutSettings& settings,
                  const GlyphPlaced& placed)
      : source_(source), typesetter_(typesetter), settings_(settings), placed_(placed) {}

  // False when placed said stop.
  bool Set(std::u16string_view text, std::span<const CharStyle> styles, const ParagraphStyle& paragraph,
           const CharStyle* breakStyle) {
    const LineAlignment align = AlignmentOf(settings_, paragraph);
    TypesetLine whole = typesetter_.SetLine(text, styles, paragraph.direction);
    if (settings_.measure <= 0 || text.empty()) {
      TakeBreakExtents(whole, breakStyle);
      const LineAlignment single = align == LineAlignment::Justify ? StartOf(paragraph) : align;
      return Place(whole, AlignmentShift(single, whole.advance, settings_.measure));
    }
    const std::vector<LineSpan> lines =
        FillLines(text, whole.unitAdvances, BreakOpportunities(settings_.breakRule, text), settings_.measure);
    for (std::size_t k = 0; k < lines.size(); ++k) {
      const std::size_t begin = lines[k].begin;
      const std::size_t count = lines[k].end - begin;
      const std::u16string_view part = text.substr(begin, count);
      const std::span<const CharStyle> partStyles = styles.subspan(begin, count);
      TypesetLine line = typesetter_.SetLine(part, partStyles, paragraph.direction);
      LineAlignment lineAlign = align;
      if (align == LineAlignment::Justify) {
        if (k + 1 < lines.size() && line.spaces > 0) {
          const double stretch = (settings_.measure - line.advance) / static_cast<double>(line.spaces);
          line = typesetter_.SetLine(part, partStyles, paragraph.direction, stretch);
        } else {
          lineAlign = StartOf(paragraph);
        }
      }
      TakeBreakExtents(line, breakStyle);
      if (!Place(line, AlignmentShift(lineAlign, line.advance, settings_.measure))) return false;
    }
    return true;
  }

 private:
  // A line without characters takes its line break's font.
  void TakeBreakExtents(TypesetLine& line, const CharStyle* breakStyle) {
    if (line.glyphs.empty() && breakStyle != nullptr) line.extents = typesetter_.EmptyLineExtents(*breakStyle);
  }

  static LineAlignment StartOf(const ParagraphStyle& paragraph) {
    return paragraph.direction == ParagraphDirection::RightToLeft ? LineAlignment::Right : LineAlignment::Left;
  }

  // Each baseline lies below the one before by the line spacing times the
  // line before's descent and gap and this line's ascent.
  bool Place(const TypesetLine& line, double shift) {
    if (!first_) baseline_ -= settings_.lineSpacing * (above_.descent + above_.lineGap + line.extents.ascent);
    first_ = false;
    above_ = line.extents;
    return DrawLine(source_, line, baseline_, shift, placed_);
  }

  GlyphSource& source_;
  Typesetter& typesetter_;
  const LayoutSettings& settings_;
  const GlyphPlaced& placed_;
  double baseline_ = 0;
  bool first_ = true;
  FaceExtents above_;  // the extents of the line before
};

}  // namespace

std::vector<FallbackUse> LayoutTypographic(GlyphSource& source, TextShaper& shaper, std::u16string_view text,
                                           std::span<const CharStyle> styles, const LayoutSettings& settings,
                                           const GlyphPlaced& placed, std::span<const ParagraphStyle> paragraphs) {
  const std::size_t n = std::min(text.size(), styles.size());
  text = text.substr(0, n);
  source.ExpectText(FaceTexts(text, styles));
  Typesetter typesetter(shaper, settings);
  ParagraphSetter setter(source, typesetter, settings, placed);
  std::size_t index = 0;  // of the paragraph
  for (std::size_t start = 0; start <= n; ++index) {
    std::size_t end = start;
    while (end < n && LineBreakLength(text, end) == 0) ++end;
    const ParagraphStyle paragraph = index < paragraphs.size() ? paragraphs[index] : ParagraphStyle{};
    // A line without characters takes its line break's font (the break
    // after it, or for the last line the one before it).
    const CharStyle* breakStyle = n > 0 ? &styles[end < n ? end : n - 1] : nullptr;
    if (!setter.Set(text.substr(start, end - start), styles.subspan(start, end - start), paragraph, breakStyle))
      break;
    if (end == n) break;
    start = end + LineBreakLength(text, end);
  }
  return typesetter.Fallbacks();
}

}  // namespace vx
