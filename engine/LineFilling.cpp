// LineFilling: a paragraph broken into lines of at most a measure, at its line-break opportunities.
#include "engine/LineFilling.h"

#include "base/CodePoints.h"

namespace vx {
namespace {

bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The end of a line's content: blanks at its end left out.
std::size_t ContentEnd(std::u16string_view paragraph, std::size_t begin, std::size_t end) {
  while (end > begin && IsBlank(paragraph[end - 1])) --end;
  return end;
}

// Where a word too long for the measure is cut: before unit i, moved back
// over units that belong to the character before them, but never to begin.
std::size_t CharacterBoundary(std::u16string_view paragraph, std::span<const double> advances, std::size_t begin,
                              std::size_t i) {
  std::size_t cut = i;
  while (cut > begin + 1 && (IsLowSurrogate(paragraph[cut]) || advances[cut] == 0)) --cut;
  if (IsLowSurrogate(paragraph[cut])) ++cut;  // a pair at begin stays whole
  return cut;
}

}  // namespace

double SpanAdvance(std::u16string_view paragraph, std::span<const double> advances, LineSpan span) {
  double sum = 0;
  for (std::size_t i = span.begin; i < ContentEnd(paragraph, span.begin, span.end); ++i) sum += advances[i];
  return sum;
}

std::vector<LineSpan> FillLines(std::u16string_view paragraph, std::span<const double> advances,
                                const std::vector<bool>& mayBreakAfter, double measure) {
  std::vector<LineSpan> lines;
  const std::size_t n = std::min(paragraph.size(), advances.size());
  std::size_t begin = 0;
  while (begin < n) {
    double width = 0;       // of [begin, i], blanks at its end included
    double content = 0;     // of [begin, i] without blanks at its end
    std::size_t opportunity = 0;  // the end of the last line that fits and ends at an opportunity; 0: none
    std::size_t i = begin;
    for (; i < n; ++i) {
      width += advances[i];
      if (!IsBlank(paragraph[i])) content = width;
      if (content > measure && i > begin) break;
      if (i < mayBreakAfter.size() && mayBreakAfter[i]) opportunity = i + 1;
    }
    std::size_t next = i;
    if (i < n) next = opportunity > begin ? opportunity : CharacterBoundary(paragraph, advances, begin, i);
    lines.push_back(LineSpan{begin, ContentEnd(paragraph, begin, next)});
    begin = next;
  }
  return lines;
}

std::vector<bool> BreakOpportunities(const LineBreakRule& rule, std::u16string_view paragraph) {
  if (rule) return rule(paragraph);
  std::vector<bool> after(paragraph.size(), false);
  for (std::size_t i = 0; i + 1 < paragraph.size(); ++i)
    after[i] = (paragraph[i] == u' ' || paragraph[i] == u'\u3000') && !IsBlank(paragraph[i + 1]);
  return after;
}

}  // namespace vx
