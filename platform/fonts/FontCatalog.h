// FontCatalog: which font families are TrueType, which exist in the symbol character set, and how much of it they draw.
#pragma once

#include <string>

namespace vx {

// The questions the dialog's font lists ask of each family that the display
// offers. A family is TrueType, as the system's font enumeration uses the
// word, when one of its faces is an sfnt font with scalable outlines,
// quadratic (glyf) or cubic (CFF, CFF2: OpenType with PostScript outlines),
// whatever its style. It has the symbol character set when one of those
// faces has a Microsoft Symbol (3,0) cmap or claims the symbol code page
// (OS/2 ulCodePageRange1 bit 31).
// Family names are UTF-8 and compared without regard to case.
class FontCatalog {
 public:
  virtual ~FontCatalog() = default;
  virtual bool IsTrueTypeFamily(const std::string& family) = 0;
  virtual bool HasSymbolCharset(const std::string& family) = 0;
  // How many of the single-byte codes firstCode .. firstCode + count - 1
  // the family has a glyph for, the codes taken in the symbol character set
  // as the symbol palette's cells show them; 0 for a family that is not in
  // that set, and for codes outside 0..255.
  virtual int CountSymbolGlyphs(const std::string& family, int firstCode, int count) = 0;
};

}  // namespace vx
