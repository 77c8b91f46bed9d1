// Building a StyledText character by character: runs merged by format, lines split at breaks.
#pragma once

#include <string_view>

#include "richtext/StyledText.h"

namespace vx {

class StyledTextBuilder {
 public:
  // Appends text (no line breaks in it) in one format; adjacent text of the
  // same format joins the previous run.
  void Append(std::u16string_view text, const CharFormat& format);
  void Append(char16_t unit, const CharFormat& format);

  // Ends the current line; endFormat is the format of its line end.
  void Break(const CharFormat& endFormat);

  // The format of the current line's paragraph.
  void SetParagraph(const ParagraphFormat& paragraph);

  // Removes the last break when nothing follows it: a document that ends with
  // a line break has no empty last line. Returns whether one was removed.
  bool DropTrailingBreak();

  // The document; the last line's end takes endFormat unless that line was
  // ended by a break that DropTrailingBreak removed.
  StyledText Finish(const CharFormat& endFormat);

 private:
  StyledText text_;
  bool lastLineClosed_ = false;
};

}  // namespace vx
