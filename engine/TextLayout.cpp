// Text layout: per-character font sizes by the sizing rule, pen advance and line breaks.
#include "engine/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_set>
#include <utility>

#include "base/CodePoints.h"
#include "engine/GlyphConversion.h"

namespace vx {
namespace {

// Rounds a size product up to a whole device unit; absurd products (a width
// factor of 1e300, NaN) are pinned to the int range instead of overflowing.
int CeilToInt(double value) {
  if (std::isnan(value)) return 0;
  const double up = std::ceil(value);
  if (up >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (up <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(up);
}

bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// The pen's advance over one character: its cell increment plus its origin
// when its glyph was converted (or measured) and the increment is not 0, else
// the font width.
double CharacterAdvance(bool converted, const GlyphMetrics& metrics, const CharSizing& size) {
  if (converted && metrics.gmCellIncX != 0) return (metrics.gmCellIncX + metrics.gmptGlyphOrigin.x) * size.scale;
  return size.width * size.scale;
}

// The pen's advance over the line that starts at text[from], up to its
// break: what drawing it will add, found without drawing.
double LineAdvance(GlyphSource& source, std::u16string_view text, std::span<const CharStyle> styles,
                   const LayoutSettings& settings, std::size_t from) {
  double advance = 0.0;
  for (std::size_t l = from; l < text.size() && LineBreakLength(text, l) == 0; ++l) {
    const CharStyle& style = styles[l];
    const CharSizing size = CellSize(settings, style.pointSize);
    GlyphMetrics metrics;
    const bool measured = MeasureGlyph(source, text[l], RequestFor(style, size.height, size.width), metrics);
    advance += CharacterAdvance(measured, metrics, size);
  }
  return advance;
}

// The host's line pitch before a line whose first character has this style.
double HostPitch(const LayoutSettings& settings, const CharStyle& style) {
  const CharSizing size = CellSize(settings, style.pointSize);
  const double pitch = settings.sizing == CellSizing::HostSized ? kHostLinePitch * settings.hostHeight
                                                                 : kHostLinePitch * size.height * size.scale;
  return pitch * settings.lineSpacing;
}

// The host layout with paragraphs set to the measure: each character keeps
// its own advance; a justified line's spaces take what the line lacks.
void LayoutToMeasure(GlyphSource& source, std::u16string_view text, std::span<const CharStyle> styles,
                     const LayoutSettings& settings, const GlyphPlaced& placed) {
  const std::size_t n = text.size();
  double penY = 0.0;
  std::vector<double> advances;
  for (std::size_t start = 0; start <= n;) {
    std::size_t end = start;
    while (end < n && LineBreakLength(text, end) == 0) ++end;
    const std::u16string_view paragraph = text.substr(start, end - start);
    advances.clear();
    for (std::size_t l = start; l < end; ++l) {
      const CharSizing size = CellSize(settings, styles[l].pointSize);
      GlyphMetrics metrics;
      const bool measured = MeasureGlyph(source, text[l], RequestFor(styles[l], size.height, size.width), metrics);
      advances.push_back(CharacterAdvance(measured, metrics, size));
    }
    const std::vector<LineSpan> lines =
        FillLines(paragraph, advances, BreakOpportunities(settings.breakRule, paragraph), settings.measure);
    for (std::size_t k = 0; k < lines.size(); ++k) {
      const LineSpan& line = lines[k];
      if (k > 0) penY -= HostPitch(settings, styles[start + line.begin]);
      const double advance = SpanAdvance(paragraph, advances, line);
      const auto spaces = std::count(paragraph.begin() + static_cast<std::ptrdiff_t>(line.begin),
                                     paragraph.begin() + static_cast<std::ptrdiff_t>(line.end), u' ');
      const bool justified = settings.align == LineAlignment::Justify && k + 1 < lines.size() && spaces > 0;
      const double stretch = justified ? (settings.measure - advance) / static_cast<double>(spaces) : 0.0;
      double penX = AlignmentShift(settings.align, advance, settings.measure);
      for (std::size_t l = start + line.begin; l < start + line.end; ++l) {
        const CharSizing size = CellSize(settings, styles[l].pointSize);
        GlyphMetrics metrics;
        const bool converted =
            ConvertGlyph(source, text[l], RequestFor(styles[l], size.height, size.width), size.scale, penX, penY, metrics);
        penX += advances[l - start] + (text[l] == u' ' ? stretch : 0.0);
        if (converted && placed && !placed()) return;
      }
    }
    if (end == n) break;
    penY -= HostPitch(settings, styles[end]);
    start = end + LineBreakLength(text, end);
  }
}

}  // namespace

std::size_t LineBreakLength(std::u16string_view text, std::size_t i) {
  if (!IsLineBreak(text[i])) return 0;
  return i + 1 < text.size() && IsLineBreak(text[i + 1]) ? 2 : 1;
}

double AlignmentShift(LineAlignment align, double advance, double measure) {
  switch (align) {
    case LineAlignment::Center:
      return (measure - advance) / 2;
    case LineAlignment::Right:
      return measure - advance;
    default:
      return 0.0;
  }
}

FontRequest RequestFor(const CharStyle& style, int height, int width) {
  return MakeFontRequest(style.face, height, width, style.bold, style.italic, style.charset);
}

std::vector<FaceText> FaceTexts(std::u16string_view text, std::span<const CharStyle> styles) {
  text = text.substr(0, std::min(text.size(), styles.size()));
  std::vector<FaceText> faces;
  std::unordered_set<std::uint64_t> seen;  // face's place in faces, character
  const CharStyle* previous = nullptr;
  std::size_t face = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t breakLength = LineBreakLength(text, i); breakLength > 0) {
      i += breakLength;
      continue;
    }
    const CharStyle& style = styles[i];
    if (previous == nullptr || style.face != previous->face || style.charset != previous->charset) {
      const auto found = std::find_if(faces.begin(), faces.end(), [&](const FaceText& f) {
        return f.charset == style.charset && f.face == style.face;
      });
      face = static_cast<std::size_t>(found - faces.begin());
      if (found == faces.end()) faces.push_back(FaceText{style.face, style.charset, {}});
    }
    previous = &style;
    const char32_t c = NextCodePoint(text, i);
    if (seen.insert(std::uint64_t{face} << 32 | c).second) faces[face].characters.push_back(c);
  }
  return faces;
}

CharSizing CellSize(const LayoutSettings& settings, int pointSize) {
  constexpr int kBase = kMinOutlineCell;
  switch (settings.sizing) {
    case CellSizing::FixedCell:
      return {kBase, kBase, 1.0};
    case CellSizing::HostSized:
      return {kBase, CeilToInt(kBase * settings.hostWidthFactor), settings.hostHeight / kBase};
    case CellSizing::PointSize:
      break;
  }
  if (pointSize >= kBase) return {pointSize, CeilToInt(pointSize * settings.widthFactor), 1.0};
  return {kBase, CeilToInt(kBase * settings.widthFactor), pointSize / static_cast<double>(kBase)};
}

EmFont EmFontFor(const CharStyle& style, const LayoutSettings& settings) {
  const CharSizing size = CellSize(settings, style.pointSize);
  double widthFactor = 1.0;
  if (settings.sizing == CellSizing::HostSized) widthFactor = settings.hostWidthFactor;
  if (settings.sizing == CellSizing::PointSize) widthFactor = settings.widthFactor;
  FontRequest request{style.face, -size.height, 0, style.bold, style.italic, style.charset, widthFactor};
  return {std::move(request), size.scale};
}

void LayoutText(GlyphSource& source, std::u16string_view text, std::span<const CharStyle> styles,
                const LayoutSettings& settings, const GlyphPlaced& placed) {
  const std::size_t n = std::min(text.size(), styles.size());
  text = text.substr(0, n);
  source.ExpectText(FaceTexts(text, styles));
  if (settings.measure > 0) {
    LayoutToMeasure(source, text, styles.first(n), settings, placed);
    return;
  }
  // Where a line starting at text[from] begins: x = 0, unless it is centred
  // on x = 0 or ends there, which takes its advance first.
  const auto lineStart = [&](std::size_t from) {
    if (settings.align == LineAlignment::Left) return 0.0;
    return AlignmentShift(settings.align, LineAdvance(source, text, styles, settings, from));
  };
  double penX = lineStart(0);
  double penY = 0.0;
  for (std::size_t l = 0; l < n; ++l) {
    const CharStyle& style = styles[l];
    const CharSizing size = CellSize(settings, style.pointSize);
    if (const std::size_t breakLength = LineBreakLength(text, l); breakLength > 0) {
      l += breakLength - 1;  // CR LF is one break
      penY -= HostPitch(settings, style);
      penX = lineStart(l + 1);
      continue;
    }
    GlyphMetrics metrics;
    const bool converted =
        ConvertGlyph(source, text[l], RequestFor(style, size.height, size.width), size.scale, penX, penY, metrics);
    penX += CharacterAdvance(converted, metrics, size);
    if (converted && placed && !placed()) return;
  }
}

void ConvertString(GlyphSource& source, const char16_t* text, const char* faceName, int height,
                   int width, bool bold, bool italic, double x, double y) {
  if (text == nullptr) return;
  for (; *text != u'\0'; ++text) {
    GlyphMetrics metrics;
    if (ConvertGlyph(source, *text, faceName, height, width, bold, italic, 1.0, x, y, metrics)) {
      x += metrics.gmCellIncX + metrics.gmptGlyphOrigin.x;
    } else {
      x += width;
    }
  }
}

}  // namespace vx
