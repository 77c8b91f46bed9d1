// The system's converter of a double-byte code page on Windows: MultiByteToWideChar.
#include "../SystemConverter.h"

#include <windows.h>

namespace vx {

std::optional<char16_t> SystemCharacter(const char* /*converter*/, unsigned codePage, std::string_view bytes) {
  wchar_t out[2];
  if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), out, 2) != 1) {
    return std::nullopt;
  }
  return static_cast<char16_t>(out[0]);
}

}  // namespace vx
