// Code points of UTF-16 text: a surrogate pair is one character.
#include "base/CodePoints.h"

#include <algorithm>
#include <iterator>

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

bool IsComplexScript(char32_t c) {
  struct Range {
    char32_t first, last;
  };
  static constexpr Range kComplex[] = {
      {0x0590, 0x0DFF},   {0x0E00, 0x0FFF},   {0x1000, 0x109F},   {0x1780, 0x17FF},   {0x19E0, 0x19FF},
      {0xA8E0, 0xA8FF},   {0xFB1D, 0xFDFF},   {0xFE70, 0xFEFC},   {0x10800, 0x10FFF}, {0x1E800, 0x1EFFF},
  };
  return std::any_of(std::begin(kComplex), std::end(kComplex),
                     [c](const Range& r) { return c >= r.first && c <= r.last; });
}

bool IsInvisible(char32_t c) {
  // Unicode's Default_Ignorable_Code_Point property (DerivedCoreProperties).
  struct Range {
    char32_t first, last;
  };
  static constexpr Range kDefaultIgnorable[] = {
      {0x00AD, 0x00AD},   {0x034F, 0x034F},   {0x061C, 0x061C},   {0x115F, 0x1160},   {0x17B4, 0x17B5},
      {0x180B, 0x180F},   {0x200B, 0x200F},   {0x202A, 0x202E},   {0x2060, 0x206F},   {0x3164, 0x3164},
      {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0},   {0xFFF0, 0xFFF8},   {0x1BCA0, 0x1BCA3},
      {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF}};
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;
  for (const Range& range : kDefaultIgnorable) {
    if (c >= range.first && c <= range.last) return true;
  }
  return false;
}

}  // namespace vx
