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
};

// Each character's face, whole points, bold and italic, as the editor reports
// them for a caret placed right after it; the CR and LF of a break take the
// format of the line they end.
LayoutInput ToLayoutInput(const StyledText& text);

}  // namespace vx
