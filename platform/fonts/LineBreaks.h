// LineBreaks: where a line may end in a paragraph, by the Unicode line-breaking rules.
#pragma once

#include <string_view>
#include <vector>

namespace vx {

// One entry per code unit of paragraph: true when a line may end after it
// (UAX #14, with the dictionaries of the scripts written without spaces).
std::vector<bool> LineBreakOpportunities(std::u16string_view paragraph);

}  // namespace vx
