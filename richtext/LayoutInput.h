// The document as the layout reads it: text with CR LF breaks, one style per code unit.
#pragma once

#include <string>
#include <vector>

#include "engine/TextLayout.h"
#include "richtext/StyledText.h"

namespace vx {

struct LayoutInput {
  std::u16string text;            // lines joined by CR LF
  std::vector<CharStyle> styles;  // one per code unit of text
  std::vector<ParagraphStyle> paragraphs;  // one per line of text: its paragraph's
};

// The layout's style of a character in format: its face, whole points (as
// the editor reports them), bold, italic, character set and letter spacing.
CharStyle StyleOf(const CharFormat& format);

// The style of character c in format: the associated format's face, size,
// bold and italic for a character of a right-to-left or complex script, or
// for any character of a right-to-left run, where the format has one.
CharStyle StyleOf(const CharFormat& format, char32_t c);

// Each character's face, whole points, bold and italic, as the editor reports
// them for a caret placed right after it. A caret right after a line break
// stands at the start of the next line, where the editor reports the format
// of that line's first character (or, for an empty line, of its end); the CR
// and LF of a break take that format, so the line pitch follows the size of
// the line it leads to. A line break inside a paragraph (kLineSeparator) is a break
// like any other; the lines it makes share their paragraph's style.
LayoutInput ToLayoutInput(const StyledText& text);

}  // namespace vx
