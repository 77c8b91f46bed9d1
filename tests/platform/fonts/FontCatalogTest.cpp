// Tests of the platform's font catalogue on the test fonts (Debian's packages; on Windows copied into its Fonts folder).
#include "platform/fonts/FontCatalog.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

#include "platform/fonts/FontServices.h"

namespace vx {
namespace {

TEST(FontCatalog, TellsTrueTypeAndSymbolFamilies) {
  struct Case {
    const char* family;
    bool trueType;
    bool symbol;
  };
  FontServices fonts;
  FontCatalog& catalog = fonts.Catalog();
  for (const Case& c : {
           Case{"DejaVu Sans", true, false},
           Case{"dejavu SANS", true, false},  // any letter case
           Case{"Liberation Serif", true, false},
           Case{"Cantarell", true, false},  // OpenType with PostScript outlines
           Case{"Wingdings", true, true},   // a (3,0) symbol cmap
           Case{"OpenSymbol", true, true},  // a Unicode cmap, but the symbol code page
           Case{"Vexoglyph No Such Family", false, false},
           Case{"", false, false},
       }) {
    SCOPED_TRACE(c.family);
    EXPECT_EQ(catalog.IsTrueTypeFamily(c.family), c.trueType);
    EXPECT_EQ(catalog.HasSymbolCharset(c.family), c.symbol);
    // Asked again, from the cache.
    EXPECT_EQ(catalog.IsTrueTypeFamily(c.family), c.trueType);
    EXPECT_EQ(catalog.HasSymbolCharset(c.family), c.symbol);
  }
}

// How much of the symbol palette's codes (32..255) a family draws: a full
// symbol face most, Wine's window-decoration face a few, a face outside the
// symbol set none; codes beyond a byte count nothing.
TEST(FontCatalog, CountsTheSymbolCodesAFamilyDraws) {
  FontServices fonts;
  FontCatalog& catalog = fonts.Catalog();
  const int symbol = catalog.CountSymbolGlyphs("Symbol", 32, 224);
  const int marlett = catalog.CountSymbolGlyphs("Marlett", 32, 224);
  EXPECT_GT(symbol, 150);
  EXPECT_GT(marlett, 0);
  EXPECT_LT(marlett, symbol / 2);
  EXPECT_EQ(catalog.CountSymbolGlyphs("Symbol", 65, 1), 1);  // 'A': Alpha at U+F041
  EXPECT_EQ(catalog.CountSymbolGlyphs("DejaVu Sans", 32, 224), 0);
  EXPECT_EQ(catalog.CountSymbolGlyphs("Vexoglyph No Such Family", 32, 224), 0);
  EXPECT_EQ(catalog.CountSymbolGlyphs("Symbol", 250, 10), 0);
  EXPECT_EQ(catalog.CountSymbolGlyphs("Symbol", -1, 10), 0);
  EXPECT_EQ(catalog.CountSymbolGlyphs("Symbol", 32, std::numeric_limits<int>::max()), 0);
}

}  // namespace
}  // namespace vx
