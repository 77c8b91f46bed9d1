// Loading plain-text files: byte-order marks, strict UTF-8 or Windows-1252, any line-break style.
#include "richtext/PlainText.h"

#include <optional>

#include "richtext/CodePage.h"
#include "richtext/TextBuilder.h"

namespace vx {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

void AppendCodePoint(char32_t cp, std::u16string& out) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

// Length of the valid UTF-8 sequence at bytes[i] and its code point, or 0
// when the bytes there do not form one (overlong forms, surrogates and values
// past U+10FFFF are invalid).
std::size_t Utf8Sequence(std::string_view bytes, std::size_t i, char32_t& cp) {
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

// UTF-8 to UTF-16; with strict set, any invalid sequence fails the whole
// decoding, otherwise each invalid byte becomes U+FFFD.
std::optional<std::u16string> DecodeUtf8(std::string_view bytes, bool strict) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t cp = 0;
    const std::size_t length = Utf8Sequence(bytes, i, cp);
    if (length == 0) {
      if (strict) return std::nullopt;
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    AppendCodePoint(cp, out);
    i += length;
  }
  return out;
}

// UTF-16 in either byte order; an odd last byte is dropped and a surrogate
// without its partner becomes U+FFFD.
std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
    const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
    units.push_back(static_cast<char16_t>(lo | (hi << 8)));
  }
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      units[i] = kReplacement;
    }
  }
  return units;
}

}  // namespace

std::u16string DecodePlainText(std::string_view bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return *DecodeUtf8(bytes.substr(3), false);
  // FF FE 00 00 would be UTF-32LE; it is read as UTF-16LE, as the editor knows no UTF-32.
  if (StartsWith(bytes, "\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
  if (StartsWith(bytes, "\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
  if (auto utf8 = DecodeUtf8(bytes, true)) return std::move(*utf8);
  std::u16string out;
  CodePageDecoder decoder;
  decoder.Decode(1252, bytes, out);
  return out;
}

StyledText LoadPlainText(std::string_view bytes, const CharFormat& format) {
  const std::u16string text = DecodePlainText(bytes);
  StyledTextBuilder builder;
  std::size_t start = 0;
  const auto flush = [&](std::size_t end) {
    std::size_t from = start;
    for (std::size_t i = start; i < end; ++i) {
      if (text[i] != u'\0') continue;
      builder.Append(std::u16string_view(text).substr(from, i - from), format);
      from = i + 1;
    }
    builder.Append(std::u16string_view(text).substr(from, end - from), format);
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    flush(i);
    builder.Break(format);
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  flush(text.size());
  builder.DropTrailingBreak();
  return builder.Finish(format);
}

}  // namespace vx
