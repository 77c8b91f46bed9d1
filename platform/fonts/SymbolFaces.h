// Symbol faces: how a face tells that it holds symbol codes (its codes in Unicode: SymbolEncoding.h).
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

namespace vx {

// The face is in the symbol character set: it has a Microsoft Symbol (3,0)
// cmap, or its OS/2 table claims the symbol code page.
bool HasSymbolCharset(FT_Face face);

}  // namespace vx
