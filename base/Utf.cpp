// UTF-8 and UTF-16 conversion and ASCII case folding shared by the settings store, face names and documents.
#include "base/Utf.h"

#include <algorithm>

#include "base/CodePoints.h"

namespace vx {
namespace {

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

unsigned char FoldAscii(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

std::optional<std::u16string> Decode(std::string_view text, bool strict) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    const std::size_t length = DecodeUtf8Sequence(text, i, cp);
    if (length == 0) {
      if (strict) return std::nullopt;
      out.push_back(static_cast<char16_t>(kReplacementCharacter));
      ++i;
      continue;
    }
    AppendUtf16(out, cp);
    i += length;
  }
  return out;
}

std::optional<std::string> Encode(std::u16string_view text, bool strict) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t start = i;
    const char32_t cp = NextCodePoint(text, i);
    const bool unpaired = i - start == 1 && (IsHigh(text[start]) || IsLow(text[start]));
    if (strict && unpaired) return std::nullopt;
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace

std::size_t DecodeUtf8Sequence(std::string_view bytes, std::size_t i, char32_t& cp) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) {
    cp = lead;
    return 1;
  }
  std::size_t length = 0;
  char32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + length > bytes.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

std::string ToUtf8(std::u16string_view text) { return *Encode(text, false); }

std::optional<std::string> ToUtf8Strict(std::u16string_view text) { return Encode(text, true); }

std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
    const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
    units.push_back(static_cast<char16_t>(lo | (hi << 8)));
  }
  return units;
}

std::u16string FromUtf8(std::string_view text) { return *Decode(text, false); }

std::size_t Utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    const std::size_t length = DecodeUtf8Sequence(text, i, cp);
    units += length != 0 && cp >= 0x10000 ? 2 : 1;  // an invalid byte is one U+FFFD
    i += length != 0 ? length : 1;
  }
  return units;
}

std::optional<std::u16string> FromUtf8Strict(std::string_view text) { return Decode(text, true); }

void RepairSurrogates(std::u16string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1])) {
      ++i;
    } else if (IsHigh(text[i]) || IsLow(text[i])) {
      text[i] = static_cast<char16_t>(kReplacementCharacter);
    }
  }
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

bool LessIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return FoldAscii(x) < FoldAscii(y); });
}

std::string LowerAscii(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = static_cast<char>(FoldAscii(c));
  return lowered;
}

}  // namespace vx
