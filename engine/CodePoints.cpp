// Code points of UTF-16 text: a surrogate pair is one character.
#include "engine/CodePoints.h"

namespace vx {
namespace {

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

char32_t NextCodePoint(std::u16string_view text, std::size_t& i) {
  const char16_t u = text[i++];
  if (IsHigh(u) && i < text.size() && IsLow(text[i])) {
    return 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[i++] - 0xDC00);
  }
  if (IsHigh(u) || IsLow(u)) return kReplacementCharacter;
  return u;
}

bool IsBlank(char32_t c) {
  return c == U'\t' || c == 0x0B || c == 0x0C || c == U' ' || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000;
}

}  // namespace vx
