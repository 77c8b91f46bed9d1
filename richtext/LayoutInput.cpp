// The document as the layout reads it: text with CR LF breaks, one style per code unit.
#include "richtext/LayoutInput.h"

#include "base/CodePoints.h"

namespace vx {
namespace {

// Twips of spacing as a share of the em of a size in half points.
double EmOfTwips(int twips, int halfPoints) { return halfPoints > 0 ? twips / (10.0 * halfPoints) : 0.0; }

ParagraphStyle ParagraphStyleOf(const ParagraphFormat& paragraph) {
  ParagraphStyle style;
  if (paragraph.direction != TextDirection::Unset)
    style.direction = paragraph.direction == TextDirection::RightToLeft ? ParagraphDirection::RightToLeft
                                                                        : ParagraphDirection::LeftToRight;
  switch (paragraph.alignment) {
    case ParagraphAlignment::Left: style.align = LineAlignment::Left; break;
    case ParagraphAlignment::Center: style.align = LineAlignment::Center; break;
    case ParagraphAlignment::Right: style.align = LineAlignment::Right; break;
    case ParagraphAlignment::Justify: style.align = LineAlignment::Justify; break;
    case ParagraphAlignment::Unset: break;
  }
  return style;
}

// What the editor reports at the start of a line.
const CharFormat& LineStartFormat(const StyledLine& line) {
  return line.runs.empty() ? line.endFormat : line.runs.front().format;
}

void AppendBreak(const CharStyle& style, LayoutInput& out) {
  out.text += u"\r\n";
  out.styles.push_back(style);
  out.styles.push_back(style);
}

}  // namespace

CharStyle StyleOf(const CharFormat& format) {
  return CharStyle{format.face, format.WholePoints(), format.bold, format.italic,
                   static_cast<std::uint8_t>(format.charset), EmOfTwips(format.expandTwips, format.halfPoints)};
}

CharStyle StyleOf(const CharFormat& format, char32_t c) {
  if (!format.associated || (format.direction != TextDirection::RightToLeft && !IsComplexScript(c)))
    return StyleOf(format);
  const AssociatedFormat& a = *format.associated;
  return CharStyle{a.face, a.halfPoints / 2, a.bold, a.italic, static_cast<std::uint8_t>(a.charset),
                   EmOfTwips(format.expandTwips, a.halfPoints)};
}

LayoutInput ToLayoutInput(const StyledText& text) {
  LayoutInput out;
  for (std::size_t l = 0; l < text.lines.size(); ++l) {
    const StyledLine& line = text.lines[l];
    if (l > 0) AppendBreak(StyleOf(LineStartFormat(line)), out);
    out.paragraphs.push_back(ParagraphStyleOf(line.paragraph));
    for (std::size_t r = 0; r < line.runs.size(); ++r) {
      const StyledRun& run = line.runs[r];
      const CharStyle style = StyleOf(run.format);
      for (std::size_t i = 0; i < run.text.size();) {
        if (run.text[i] != kLineSeparator) {
          // Both units of a surrogate pair take the style of their character.
          const std::size_t first = i;
          const char32_t c = NextCodePoint(run.text, i);
          const CharStyle own = run.format.associated ? StyleOf(run.format, c) : style;
          for (std::size_t u = first; u < i; ++u) {
            out.text.push_back(run.text[u]);
            out.styles.push_back(own);
          }
          continue;
        }
        ++i;
        // After a line separator the caret reports the next character, if any.
        const CharFormat* next = &line.endFormat;
        if (i < run.text.size()) {
          next = &run.format;
        } else if (r + 1 < line.runs.size()) {
          next = &line.runs[r + 1].format;
        }
        AppendBreak(StyleOf(*next), out);
        out.paragraphs.push_back(out.paragraphs.back());
      }
    }
  }
  return out;
}

}  // namespace vx
