// The document as the layout reads it: text with CR LF breaks, one style per code unit.
#include "richtext/LayoutInput.h"

namespace vx {

CharStyle StyleOf(const CharFormat& format) {
  return CharStyle{format.face, format.WholePoints(), format.bold, format.italic,
                   static_cast<std::uint8_t>(format.charset)};
}

namespace {

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

LayoutInput ToLayoutInput(const StyledText& text) {
  LayoutInput out;
  for (std::size_t l = 0; l < text.lines.size(); ++l) {
    const StyledLine& line = text.lines[l];
    if (l > 0) AppendBreak(StyleOf(LineStartFormat(line)), out);
    for (std::size_t r = 0; r < line.runs.size(); ++r) {
      const StyledRun& run = line.runs[r];
      const CharStyle style = StyleOf(run.format);
      for (std::size_t i = 0; i < run.text.size(); ++i) {
        if (run.text[i] != kLineSeparator) {
          out.text.push_back(run.text[i]);
          out.styles.push_back(style);
          continue;
        }
        // After a line separator the caret reports the next character, if any.
        const CharFormat* next = &line.endFormat;
        if (i + 1 < run.text.size()) {
          next = &run.format;
        } else if (r + 1 < line.runs.size()) {
          next = &line.runs[r + 1].format;
        }
        AppendBreak(StyleOf(*next), out);
      }
    }
  }
  return out;
}

}  // namespace vx
