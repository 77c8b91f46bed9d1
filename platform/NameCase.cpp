// Case folding of UTF-8 names as Windows compares them: registry keys and values, file names, font families.
#include "platform/NameCase.h"

#include "base/Utf.h"

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

template <typename Map>
std::string MapUtf8(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t code = 0;
    const std::size_t length = DecodeUtf8Sequence(text, pos, code);
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
