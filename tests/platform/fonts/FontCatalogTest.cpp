// Tests of the platform's font catalogue on the test fonts (Debian's packages; on Windows copied into its Fonts folder).
#include "platform/fonts/FontCatalog.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vx
