// Case folding of UTF-8 names through the system's invariant case tables, as Windows compares names.
#include "platform/NameCase.h"

#include <windows.h>

#include "base/Utf.h"
#include "platform/win32/WideString.h"

namespace vx {
namespace {

// The C library's towupper changes ASCII letters only; LCMapStringEx knows
// every script and maps each UTF-16 unit to one unit, so lengths are kept.
std::string MapValidRun(std::string_view run, DWORD mapping) {
  std::wstring wide = Widen(run);
  if (wide.empty()) return std::string(run);
  std::wstring mapped(wide.size(), L'\0');
  const int length = LCMapStringEx(LOCALE_NAME_INVARIANT, mapping, wide.data(), static_cast<int>(wide.size()),
                                   mapped.data(), static_cast<int>(mapped.size()), nullptr, nullptr, 0);
  if (length <= 0) return std::string(run);
  mapped.resize(static_cast<std::size_t>(length));
  return Narrow(mapped);
}

// Maps each run of valid UTF-8 and keeps every invalid byte as it is.
std::string MapUtf8(std::string_view text, DWORD mapping) {
  std::string out;
  out.reserve(text.size());
  std::size_t runStart = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t code = 0;
    const std::size_t length = DecodeUtf8Sequence(text, pos, code);
    if (length != 0) {
      pos += length;
      continue;
    }
    out += MapValidRun(text.substr(runStart, pos - runStart), mapping);
    out += text[pos++];
    runStart = pos;
  }
  out += MapValidRun(text.substr(runStart), mapping);
  return out;
}

}  // namespace

std::string UpperUtf8(std::string_view text) { return MapUtf8(text, LCMAP_UPPERCASE); }

std::string LowerUtf8(std::string_view text) { return MapUtf8(text, LCMAP_LOWERCASE); }

bool SameNameIgnoringCase(std::string_view a, std::string_view b) { return UpperUtf8(a) == UpperUtf8(b); }

}  // namespace vx
