// The glyph source where a face has no glyph for a character: symbol codes in a face that
// keeps its symbols at Unicode positions, and blanks that must not draw the missing-glyph box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/TextLayout.h"
#include "engine/Typesetter.h"
#include "platform/fonts/FontconfigGlyphSource.h"
#include "platform/fonts/HarfBuzzShaper.h"
#include "tests/support/StoreContents.h"

namespace vx {
namespace {

struct Glyph {
  bool ok = false;
  GlyphMetrics metrics;
  std::vector<std::uint8_t> outline;
};

class MissingGlyphs : public test::StoreTest {
 protected:
  Glyph Query(const std::string& face, char16_t code) {
    Glyph g;
    g.ok = source.QueryGlyph(FontRequest{face, 200, 200, false, false}, code, g.metrics, g.outline);
    return g;
  }

  FontconfigGlyphSource source;
};

// OpenSymbol, the stand-in for "Symbol" that office suites install, claims
// the symbol character set but has only a Unicode cmap: a symbol code it has
// no glyph for reaches the glyph of the Symbol encoding's character.
TEST_F(MissingGlyphs, SymbolCodesReachTheSymbolEncodingsCharacters) {
  ASSERT_EQ(source.Resolve("OpenSymbol", false, false)->family, "OpenSymbol");
  const Glyph missing = Query("OpenSymbol", 0x4E00);
  ASSERT_TRUE(missing.ok);
  ASSERT_FALSE(missing.outline.empty());
  struct Case {
    char16_t code;
    char16_t unicode;
  };
  // Bullet, alpha, capital delta, registered sign (the serif one), summation.
  for (const Case& c : {Case{0xB7, 0x2022}, Case{0x61, 0x03B1}, Case{0x44, 0x0394}, Case{0xD2, 0x00AE},
                        Case{0xE5, 0x2211}}) {
    SCOPED_TRACE("code " + std::to_string(c.code));
    const Glyph code = Query("OpenSymbol", c.code);
    const Glyph unicode = Query("OpenSymbol", c.unicode);
    ASSERT_TRUE(code.ok && unicode.ok);
    EXPECT_NE(code.outline, missing.outline);
    EXPECT_EQ(code.outline, unicode.outline);
    EXPECT_EQ(code.metrics.gmCellIncX, unicode.metrics.gmCellIncX);
  }
  // A code the encoding leaves empty stays the missing glyph.
  EXPECT_EQ(Query("OpenSymbol", 0x80).outline, missing.outline);
}

TEST_F(MissingGlyphs, FacesKeepTheGlyphsTheyHave) {
  // A text face's own middle dot, and Wine's "Symbol" (symbol character set,
  // Unicode cmap) with a glyph of its own at 0xB7, are not replaced.
  for (const char* face : {"DejaVu Sans", "Symbol"}) {
    SCOPED_TRACE(face);
    const Glyph dot = Query(face, 0xB7);
    ASSERT_TRUE(dot.ok);
    EXPECT_FALSE(dot.outline.empty());
    EXPECT_NE(dot.outline, Query(face, 0x2022).outline);
  }
  // A text face never reads codes as symbols: its missing glyph stays.
  EXPECT_EQ(Query("DejaVu Sans", 0x7F).outline, Query("DejaVu Sans", 0x4E00).outline);
}

// TAB (also what a table cell's end becomes), the ideographic space and other
// blanks that a face has no glyph for convert like a space: metrics, no
// outline; a real character the face lacks still shows the missing glyph.
TEST_F(MissingGlyphs, BlanksWithoutAGlyphDrawNothing) {
  struct Case {
    const char* face;
    char16_t code;
  };
  for (const Case& c : {Case{"DejaVu Sans", u'\t'}, Case{"DejaVu Sans", 0x3000}, Case{"Liberation Serif", u'\t'},
                        Case{"OpenSymbol", u'\t'}, Case{"OpenSymbol", 0x2002}, Case{"DejaVu Sans", 0x0B}}) {
    SCOPED_TRACE(std::string(c.face) + " code " + std::to_string(c.code));
    const Glyph blank = Query(c.face, c.code);
    ASSERT_TRUE(blank.ok);
    EXPECT_TRUE(blank.outline.empty());
    EXPECT_EQ(blank.metrics.gmBlackBoxX, 0u);
  }
  const Glyph ideograph = Query("DejaVu Sans", 0x4E00);
  ASSERT_TRUE(ideograph.ok);
  EXPECT_FALSE(ideograph.outline.empty());
}

TEST_F(MissingGlyphs, BlanksAdvanceThePenAsASpaceDoes) {
  // "a<blank>b": b lands where it lands after a space, with nothing in between.
  const auto layOut = [this](std::u16string_view text) {
    FreePointList();
    const std::vector<CharStyle> styles(text.size(), CharStyle{"DejaVu Sans", 30, false, false});
    LayoutText(source, text, styles, LayoutSettings{});
    return test::StoreRecords();
  };
  const std::vector<test::Rec> spaced = layOut(u"a b");
  ASSERT_FALSE(spaced.empty());
  EXPECT_EQ(layOut(u"a\tb"), spaced);
  EXPECT_EQ(layOut(u"a\u3000b"), spaced);
}

TEST_F(MissingGlyphs, TheTypographicLayoutSetsBlanksWithoutAGlyphAsAdvanceOnly) {
  // No installed face has a TAB, so it stays in its own face: the glyphs are
  // "a" and "b", placed apart by the missing glyph's advance.
  HarfBuzzShaper shaper(source);
  Typesetter typesetter(shaper, LayoutSettings{});
  const std::u16string line = u"a\tb";
  const std::vector<CharStyle> styles(line.size(), CharStyle{"DejaVu Sans", 30, false, false});
  const TypesetLine set = typesetter.SetLine(line, styles);
  ASSERT_EQ(set.glyphs.size(), 2u);
  EXPECT_EQ(set.glyphs[0].cluster, 0u);
  EXPECT_EQ(set.glyphs[1].cluster, 2u);
  EXPECT_GT(set.glyphs[1].x - set.glyphs[0].x, 0.0);
}

}  // namespace
}  // namespace vx
