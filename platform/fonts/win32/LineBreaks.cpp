// LineBreaks on Windows: after the spaces between words (the Unicode line-breaking rules come from ICU, which the Windows build does not have).
#include "platform/fonts/LineBreaks.h"

#include "engine/LineFilling.h"

namespace vx {

std::vector<bool> LineBreakOpportunities(std::u16string_view paragraph) { return BreakOpportunities({}, paragraph); }

}  // namespace vx
