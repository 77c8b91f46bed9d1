// BidiReorder: one line in the order of the Unicode bidirectional algorithm, by FriBidi.
#include "platform/fonts/BidiReorder.h"

#include <fribidi.h>

#include <climits>
#include <vector>

namespace vx {

BidiLine ReorderLine(std::u32string_view line, ParagraphDirection direction) {
  BidiLine result;
  if (line.empty() || line.size() > static_cast<std::size_t>(INT_MAX)) return result;
  const auto length = static_cast<FriBidiStrIndex>(line.size());
  const std::vector<FriBidiChar> text(line.begin(), line.end());
  std::vector<FriBidiCharType> types(line.size());
  std::vector<FriBidiBracketType> brackets(line.size());
  std::vector<FriBidiLevel> levels(line.size());
  fribidi_get_bidi_types(text.data(), length, types.data());
  fribidi_get_bracket_types(text.data(), length, types.data(), brackets.data());
  // FRIBIDI_PAR_ON: the direction of the first strong character (rules P2, P3).
  FriBidiParType base = direction == ParagraphDirection::LeftToRight   ? FRIBIDI_PAR_LTR
                        : direction == ParagraphDirection::RightToLeft ? FRIBIDI_PAR_RTL
                                                                       : FRIBIDI_PAR_ON;
  if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &base, levels.data()) == 0)
    return result;
  std::vector<FriBidiStrIndex> map(line.size());
  for (FriBidiStrIndex i = 0; i < length; ++i) map[static_cast<std::size_t>(i)] = i;
  // No flags: the glyphs are shaped in logical order, so marks need no
  // moving and nothing is mirrored or removed here.
  if (fribidi_reorder_line(0, types.data(), length, 0, base, levels.data(), nullptr, map.data()) == 0)
    return result;
  result.levels.assign(levels.begin(), levels.end());
  result.visualOrder.assign(map.begin(), map.end());
  return result;
}

}  // namespace vx
