// Symbol faces: how a face tells that it holds symbol codes, and those codes in Unicode.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

namespace vx {

// The face is in the symbol character set: it has a Microsoft Symbol (3,0)
// cmap, or its OS/2 table claims the symbol code page.
bool HasSymbolCharset(FT_Face face);

// The Unicode character that a code 0x20..0xFF of the Symbol face stands for
// (Adobe's Symbol encoding, with standard characters where Adobe's table
// also offers a corporate private-use one); 0 for codes the encoding leaves
// empty and for every other value.
char16_t UnicodeOfSymbolCode(char16_t code);

}  // namespace vx
