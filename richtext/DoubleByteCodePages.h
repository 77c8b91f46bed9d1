// Double-byte code pages: which bytes pair up, and where their user-defined characters go.
#pragma once

#include <cstddef>
#include <string_view>

namespace vx {

// A character the code page converter refused: how many bytes it spans and
// what it becomes.
struct RefusedCharacter {
  std::size_t length = 1;
  char16_t unit = 0xFFFD;
};

// Reads the character the converter named by converterName (iconv's name of
// a Windows code page) refused at the start of bytes (which is not empty).
// In a double-byte code page a lead byte and its trail byte are one
// character: a user-defined one (the code page's end-user-defined ranges)
// becomes the private-use character Windows maps it to, any other pair one
// U+FFFD. A lead byte without a trail byte, and any byte of a single-byte
// code page, is one U+FFFD on its own.
RefusedCharacter ReadRefusedCharacter(std::string_view converterName, std::string_view bytes);

}  // namespace vx
