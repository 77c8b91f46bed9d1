// LineBreaks: where a line may end in a paragraph, by ICU's line break iterator.
#include "platform/fonts/LineBreaks.h"

#include <unicode/ubrk.h>

#include <climits>
#include <memory>

namespace vx {

std::vector<bool> LineBreakOpportunities(std::u16string_view paragraph) {
  std::vector<bool> after(paragraph.size(), false);
  if (paragraph.empty() || paragraph.size() > static_cast<std::size_t>(INT32_MAX)) return after;
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<UBreakIterator, decltype(&ubrk_close)> lines(
      ubrk_open(UBRK_LINE, "", paragraph.data(), static_cast<int32_t>(paragraph.size()), &status), &ubrk_close);
  if (U_FAILURE(status) || !lines) return after;
  // Each boundary is where a line may start; the one at the end is the paragraph's own.
  for (int32_t at = ubrk_next(lines.get()); at != UBRK_DONE; at = ubrk_next(lines.get())) {
    if (at > 0 && static_cast<std::size_t>(at) < paragraph.size()) after[static_cast<std::size_t>(at) - 1] = true;
  }
  return after;
}

}  // namespace vx
