// Case folding of UTF-8 names, as the registry compares key and value names.
#include "platform/RegistryCase.h"

#include <locale.h>
#include <wctype.h>

#include <cstdint>

namespace vx {
namespace {

// The C.UTF-8 locale gives Unicode case mappings independent of the user's
// locale settings; it is built into the C library, so it is always present.
locale_t Utf8Locale() {
  static const locale_t locale = [] {
    locale_t made = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return made != static_cast<locale_t>(nullptr) ? made : ::newlocale(LC_CTYPE_MASK, "C", nullptr);
  }();
  return locale;
}

// Decodes one UTF-8 sequence at text[pos]; returns its length, 0 when the
// bytes there are not a valid, shortest-form sequence.
std::size_t DecodeOne(std::string_view text, std::size_t pos, char32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(pos);
  std::size_t length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(pos + i) & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

template <typename Map>
std::string MapUtf8(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t code = 0;
    const std::size_t length = DecodeOne(text, pos, code);
    if (length == 0) {
      out += text[pos++];
      continue;
    }
    const auto mapped = static_cast<char32_t>(map(static_cast<wint_t>(code), Utf8Locale()));
    // A mapping into another encoded length is kept; one into invalid range is not.
    AppendUtf8(out, mapped <= 0x10FFFF && !(mapped >= 0xD800 && mapped <= 0xDFFF) ? mapped : code);
    pos += length;
  }
  return out;
}

}  // namespace

std::string UpperUtf8(std::string_view text) { return MapUtf8(text, ::towupper_l); }

std::string LowerUtf8(std::string_view text) { return MapUtf8(text, ::towlower_l); }

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return UpperUtf8(a) == UpperUtf8(b);
}

}  // namespace vx
