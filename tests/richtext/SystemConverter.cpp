// The system's converter of a double-byte code page on Linux: the C library's iconv.
#include "SystemConverter.h"

#include <iconv.h>

namespace vx {

std::optional<char16_t> SystemCharacter(const char* converter, unsigned /*codePage*/, std::string_view bytes) {
  const iconv_t cd = iconv_open("UTF-16LE", converter);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  char out[8];
  char* inPtr = const_cast<char*>(bytes.data());
  char* outPtr = out;
  std::size_t inLeft = bytes.size();
  std::size_t outLeft = sizeof out;
  const bool converted = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  if (!converted || outLeft != sizeof out - 2) return std::nullopt;
  return static_cast<char16_t>(static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
}

}  // namespace vx
