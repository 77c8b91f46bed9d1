// The Symbol encoding: which Unicode character each code of a symbol face stands for.
#pragma once

namespace vx {

// The Unicode character that a code 0x20..0xFF of the Symbol face stands for
// (Adobe's Symbol encoding, with standard characters where Adobe's table
// also offers a corporate private-use one); 0 for codes the encoding leaves
// empty and for every other value.
char16_t UnicodeOfSymbolCode(char16_t code);

}  // namespace vx
