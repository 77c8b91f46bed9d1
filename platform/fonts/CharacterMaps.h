// A face's character maps: which glyph a UTF-16 code or a symbol code reaches, and how a face tells that it holds symbol codes (their codes in Unicode: SymbolEncoding.h).
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

namespace vx {

// The face is in the symbol character set: it has a Microsoft Symbol (3,0)
// cmap, or its OS/2 table claims the symbol code page.
bool HasSymbolCharset(FT_Face face);

// The character maps of one face that the glyph lookup uses.
struct CharacterMaps {
  FT_CharMap unicode = nullptr;
  FT_CharMap symbol = nullptr;  // Microsoft Symbol (3,0) cmap
  bool symbolCharset = false;   // holds symbol codes, wherever its cmaps put them
};

CharacterMaps ReadCharacterMaps(FT_Face face);

// The glyph that code reaches in the face, as single-byte symbol text does on
// Windows: in a symbol cmap codes 0x20..0xFF are looked up at U+F020..U+F0FF
// first; a symbol face without one shows, for a code it has no glyph for,
// the Symbol encoding's character. 0 (the missing-character glyph) for none.
// Selects the cmap it reads.
FT_UInt GlyphOfCode(FT_Face face, const CharacterMaps& maps, char16_t code);

}  // namespace vx
