// Loading plain-text files: byte-order marks, strict UTF-8 or Windows-1252, any line-break style.
#include "richtext/PlainText.h"

#include <optional>

#include "base/Utf.h"
#include "richtext/CodePage.h"
#include "richtext/StyledTextBuilder.h"

namespace vx {
namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// UTF-16 in either byte order; an odd last byte is dropped and a surrogate
// without its partner becomes U+FFFD.
std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units = Utf16FromBytes(bytes, bigEndian);
  RepairSurrogates(units);
  return units;
}

}  // namespace

std::u16string DecodePlainText(std::string_view bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return FromUtf8(bytes.substr(3));
  // FF FE 00 00 would be UTF-32LE; it is read as UTF-16LE, as the editor knows no UTF-32.
  if (StartsWith(bytes, "\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
  if (StartsWith(bytes, "\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
  if (auto utf8 = FromUtf8Strict(bytes)) return std::move(*utf8);
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
