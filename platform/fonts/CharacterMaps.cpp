// A face's character maps: which glyph a code reaches, and whether the face holds symbol codes.
#include "platform/fonts/CharacterMaps.h"

#include FT_TRUETYPE_TABLES_H

#include "platform/fonts/SymbolEncoding.h"

namespace vx {
namespace {

constexpr unsigned long kSymbolCodePageBit = 1ul << 31;

FT_CharMap FindCharmap(FT_Face face, FT_UShort platform, FT_UShort encoding) {
  for (int i = 0; i < face->num_charmaps; ++i) {
    FT_CharMap cmap = face->charmaps[i];
    if (cmap->platform_id == platform && cmap->encoding_id == encoding) return cmap;
  }
  return nullptr;
}

// A face in the symbol character set without a symbol cmap keeps its glyphs
// at Unicode positions (the usual stand-ins for "Symbol"): a symbol code it
// has no glyph for shows the Symbol encoding's character; 0 when it has none
// either. The Unicode cmap is selected.
FT_UInt SymbolEncodingGlyph(FT_Face face, const CharacterMaps& maps, char16_t code) {
  if (!maps.symbolCharset || maps.symbol) return 0;
  const char16_t unicode = UnicodeOfSymbolCode(code);
  return unicode != 0 ? FT_Get_Char_Index(face, unicode) : 0;
}

}  // namespace

bool HasSymbolCharset(FT_Face face) {
  if (FindCharmap(face, 3, 0) != nullptr) return true;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  return os2 != nullptr && os2->version != 0xFFFF && os2->version >= 1 &&
         (os2->ulCodePageRange1 & kSymbolCodePageBit) != 0;
}

CharacterMaps ReadCharacterMaps(FT_Face face) {
  CharacterMaps maps;
  maps.symbol = FindCharmap(face, 3, 0);
  maps.symbolCharset = HasSymbolCharset(face);
  maps.unicode = FindCharmap(face, 3, 1);
  if (!maps.unicode) maps.unicode = FindCharmap(face, 3, 10);
  if (!maps.unicode && FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0) maps.unicode = face->charmap;
  return maps;
}

FT_UInt GlyphOfCode(FT_Face face, const CharacterMaps& maps, char16_t code) {
  if (maps.symbol) {
    FT_Set_Charmap(face, maps.symbol);
    if (code >= 0x20 && code <= 0xFF) {
      if (FT_UInt glyph = FT_Get_Char_Index(face, 0xF000u + code)) return glyph;
    }
    if (FT_UInt glyph = FT_Get_Char_Index(face, code)) return glyph;
  }
  if (maps.unicode) {
    FT_Set_Charmap(face, maps.unicode);
    if (FT_UInt glyph = FT_Get_Char_Index(face, code)) return glyph;
    return SymbolEncodingGlyph(face, maps, code);
  }
  return 0;
}

}  // namespace vx
