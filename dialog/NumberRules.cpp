// C-style number reading and the key filters of the height and width boxes.
#include "dialog/NumberRules.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "engine/TextLayout.h"

namespace vx {
namespace {

bool IsCBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::size_t SkipBlanks(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsCBlank(text[i])) ++i;
  return i;
}

// One typed character: a single code unit, or nothing for a surrogate pair
// or several characters (which no filter lets through).
std::optional<char16_t> SingleCharacter(std::u16string_view typed) {
  if (typed.size() != 1) return std::nullopt;
  if (typed[0] >= 0xD800 && typed[0] <= 0xDFFF) return std::nullopt;
  return typed[0];
}

}  // namespace

int ReadWholeNumber(std::u16string_view text) {
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  long long value = 0;
  constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (value < kLimit) value = value * 10 + (text[i] - u'0');
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

std::optional<double> ReadFloatNumber(std::u16string_view text) {
  std::size_t i = SkipBlanks(text);
  // Narrow the candidate prefix to ASCII; anything else ends a number anyway.
  std::string ascii;
  for (std::size_t k = i; k < text.size() && text[k] < 0x80; ++k) ascii.push_back(static_cast<char>(text[k]));
  const char* first = ascii.data();
  const char* last = ascii.data() + ascii.size();
  bool negative = false;
  if (first != last && (*first == '+' || *first == '-')) {
    negative = *first == '-';
    ++first;
  }
  // from_chars takes no sign; a second sign is no number.
  if (first != last && (*first == '+' || *first == '-')) return 0.0;
  double value = 0.0;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::invalid_argument) return 0.0;
  if (result.ec == std::errc::result_out_of_range) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return negative ? -value : value;
}

KeyVerdict HeightKeyVerdict(std::u16string_view typed) {
  const auto c = SingleCharacter(typed);
  if (!c) return KeyVerdict::Remove;
  if (*c == u'\r') return KeyVerdict::PassAndApply;
  if (IsDigit(*c) || *c == u'\b') return KeyVerdict::Pass;
  return KeyVerdict::Remove;
}

KeyVerdict WidthKeyVerdict(std::u16string_view typed) {
  const auto c = SingleCharacter(typed);
  if (!c) return KeyVerdict::Remove;
  if (IsDigit(*c) || *c == u'.' || *c == u'\b') return KeyVerdict::Pass;
  return KeyVerdict::Remove;
}

double WidthFactorFromText(std::u16string_view text) {
  const auto value = ReadFloatNumber(text);
  return value ? *value : kDefaultWidthFactor;
}

namespace {

// The default width factor as the width box shows it.
std::u16string_view DefaultWidthText() {
  static const std::u16string text = [] {
    char digits[32];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, kDefaultWidthFactor);
    return std::u16string(digits, end);
  }();
  return text;
}

}  // namespace

std::optional<std::u16string_view> RepairWidthText(std::u16string_view text) {
  const auto value = ReadFloatNumber(text);
  if (!value || *value < 0.0) return DefaultWidthText();
  return std::nullopt;
}

}  // namespace vx
