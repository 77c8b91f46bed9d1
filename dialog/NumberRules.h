// The dialog's rules for numbers typed into its boxes: C-style reading and the key filters.
#pragma once

#include <optional>
#include <string_view>

namespace vx {

// A whole number read as C's strtol reads one: leading blanks skipped, an
// optional sign, then the digits up to the first non-digit; no digit gives 0.
// Values beyond the int range are pinned to it.
int ReadWholeNumber(std::u16string_view text);

// A floating value read as C's strtod reads one in the C locale: leading
// blanks skipped, the longest prefix that forms a number ("." as the decimal
// point), 0.0 when there is none. Infinite or NaN readings count as
// unreadable and give nullopt.
std::optional<double> ReadFloatNumber(std::u16string_view text);

// What a key filter does with one typed character (the whole character: a
// surrogate pair is one character).
enum class KeyVerdict {
  Pass,          // let it through
  Remove,        // nothing is typed
  PassAndApply,  // Enter in the height box: apply the size, then let it through
};

KeyVerdict HeightKeyVerdict(std::u16string_view typed);
KeyVerdict WidthKeyVerdict(std::u16string_view typed);

// The width factor a conversion run uses: the number at the start of the
// width box's text, kDefaultWidthFactor when the text cannot be read.
double WidthFactorFromText(std::u16string_view text);

// What leaving the width box does: nullopt keeps the text, otherwise the text
// that repairs it (kDefaultWidthFactor for a negative or unreadable value).
std::optional<std::u16string_view> RepairWidthText(std::u16string_view text);

}  // namespace vx
