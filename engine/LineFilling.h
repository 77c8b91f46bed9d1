// LineFilling: a paragraph broken into lines of at most a measure, at its line-break opportunities.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace vx {

// Where a line may end within a paragraph (the Unicode line-breaking rules,
// from the platform): one entry per code unit, true when a line may end
// after it.
using LineBreakRule = std::function<std::vector<bool>(std::u16string_view paragraph)>;

// The code units [begin, end) of one line; blanks at its end are left out
// (they hang past the measure and draw nothing).
struct LineSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// Greedy filling: each line takes as much of the paragraph as fits the
// measure (advances: one per code unit, a character's on its first unit),
// ending after an opportunity; a word longer than the measure is broken
// between characters (never inside a surrogate pair or before a character
// without advance of its own), and every line holds at least one character,
// so nothing is lost and the lines always end. mayBreakAfter holds one entry
// per code unit; missing entries mean no opportunity.
std::vector<LineSpan> FillLines(std::u16string_view paragraph, std::span<const double> advances,
                                const std::vector<bool>& mayBreakAfter, double measure);

// The advance of paragraph[begin, end) without the blanks at its end.
double SpanAdvance(std::u16string_view paragraph, std::span<const double> advances, LineSpan span);

// The opportunities of a paragraph by rule, or, with no rule, after each
// space (U+0020, U+3000) that a non-blank follows.
std::vector<bool> BreakOpportunities(const LineBreakRule& rule, std::u16string_view paragraph);

}  // namespace vx
