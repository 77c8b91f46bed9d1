// BidiReorder: one line in the order of the Unicode bidirectional algorithm, by FriBidi.
#pragma once

#include <string_view>

#include "engine/TextShaper.h"

namespace vx {

// The embedding levels of the line's code points and their order left to
// right. The line is a paragraph of its own in the given direction; Auto:
// that of its first strong character (left to right when it has none). Empty
// on failure.
BidiLine ReorderLine(std::u32string_view line, ParagraphDirection direction = ParagraphDirection::Auto);

}  // namespace vx
