// GdiFontCatalog: the font catalogue answered by the system's family enumeration (EnumFontFamiliesExW).
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>

#include "platform/fonts/FontCatalog.h"

namespace vx {

// A family is TrueType when the system enumerates a TrueType face of it (an
// OpenType face with PostScript outlines counts: the system hands its glyphs
// over as outlines too); it has the symbol character
// set when such a face is enumerated in SYMBOL_CHARSET. Answers are cached
// per family for the catalogue's lifetime. Not thread-safe.
class GdiFontCatalog final : public FontCatalog {
 public:
  bool IsTrueTypeFamily(const std::string& family) override;
  bool HasSymbolCharset(const std::string& family) override;
  int CountSymbolGlyphs(const std::string& family, int firstCode, int count) override;
  // The family is installed, but only with faces that have no outlines (a
  // colour-bitmap emoji face): the glyph source draws another face instead.
  bool HasNoOutlines(const std::string& family);

 private:
  struct Answer {
    bool trueType = false;
    bool symbol = false;
    bool withoutOutlines = false;
  };
  const Answer& Ask(const std::string& family);

  std::unordered_map<std::string, Answer> answers_;
};

// The character by which the font selected into dc draws a symbol code
// (0..255) in the symbol palette's cells: a face with a symbol character map
// keeps code b's glyph at U+F000 + b, which Windows reaches from the byte by
// itself and Wine only by that character; any other face draws the byte as
// its character in the system's code page. found is false when the font has
// no glyph for that character.
struct SymbolCodeCharacter {
  wchar_t character = 0;
  bool found = false;
};
SymbolCodeCharacter CharacterOfSymbolCode(HDC dc, int code);

}  // namespace vx
