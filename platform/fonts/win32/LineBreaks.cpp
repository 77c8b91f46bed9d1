// LineBreaks on Windows: after the spaces between words, until the typographic services come to Windows.
#include "platform/fonts/LineBreaks.h"

#include "engine/LineFilling.h"

namespace vx {

std::vector<bool> LineBreakOpportunities(std::u16string_view paragraph) { return BreakOpportunities({}, paragraph); }

}  // namespace vx
