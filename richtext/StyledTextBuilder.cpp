// Building a StyledText character by character: runs merged by format, lines split at breaks.
#include "richtext/StyledTextBuilder.h"

namespace vx {

void StyledTextBuilder::Append(std::u16string_view text, const CharFormat& format) {
  if (text.empty()) return;
  auto& runs = text_.lines.back().runs;
  if (!runs.empty() && runs.back().format == format) {
    runs.back().text.append(text);
  } else {
    runs.push_back(StyledRun{std::u16string(text), format});
  }
}

void StyledTextBuilder::Append(char16_t unit, const CharFormat& format) {
  Append(std::u16string_view(&unit, 1), format);
}

void StyledTextBuilder::Break(const CharFormat& endFormat) {
  text_.lines.back().endFormat = endFormat;
  text_.lines.emplace_back();
  lastLineClosed_ = false;
}

void StyledTextBuilder::SetParagraph(const ParagraphFormat& paragraph) { text_.lines.back().paragraph = paragraph; }

bool StyledTextBuilder::DropTrailingBreak() {
  if (text_.lines.size() < 2 || !text_.lines.back().runs.empty()) return false;
  text_.lines.pop_back();
  lastLineClosed_ = true;
  return true;
}

StyledText StyledTextBuilder::Finish(const CharFormat& endFormat) {
  // A line closed by a break that was then dropped keeps the end it had.
  if (!lastLineClosed_) text_.lines.back().endFormat = endFormat;
  lastLineClosed_ = false;
  StyledText done = std::move(text_);
  text_ = StyledText{};
  return done;
}

}  // namespace vx
