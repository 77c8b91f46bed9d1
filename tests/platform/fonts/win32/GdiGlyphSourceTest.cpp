// Tests of the GDI glyph source on the test fonts copied into Windows' Fonts folder.
#include "platform/fonts/win32/GdiGlyphSource.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/GlyphConversion.h"
#include "tests/platform/fonts/GlyphQueries.h"
#include "tests/platform/fonts/GlyphSourceChecks.h"
#include "tests/support/StoreContents.h"

namespace vx {
namespace {

// DejaVu Sans: em 2048, usWinAscent 1901 + usWinDescent 483; 'H' spans y
// 0..1493. The system hints outlines, so design positions hold to a unit or two.
constexpr double kHinting = 2.0;

class GdiGlyphs : public test::StoreTest {
 protected:
  GdiGlyphSource source;
};

TEST_F(GdiGlyphs, EveryContourOfRealGlyphsIsClosed) {
  ExpectEveryContourClosed(source, {{"DejaVu Sans", false, false}, {"DejaVu Sans", true, false},
                                    {"DejaVu Sans", false, true}, {"Liberation Serif", true, true},
                                    {"Wingdings", false, false}, {"Cantarell", false, false}});
}

TEST_F(GdiGlyphs, PositiveHeightIsTheCellHeightAndWidthScalesXOnly) {
  const Glyph narrow = Query(source, "DejaVu Sans", u'H', 200, kDejaVuAverage);
  const Glyph wide = Query(source, "DejaVu Sans", u'H', 200, 2 * kDejaVuAverage);
  ASSERT_TRUE(narrow.ok && wide.ok);
  const Box n = Bounds(narrow.Points());
  const Box w = Bounds(wide.Points());
  EXPECT_NEAR(n.yMax, 1493 * 200 / 2384.0, kHinting);  // the em is 2048/2384 of the cell
  EXPECT_NEAR(n.yMin, 0, kHinting);
  EXPECT_NEAR(w.Height(), n.Height(), kHinting);
  EXPECT_NEAR(w.Width(), 2 * n.Width(), 2 * kHinting);
  EXPECT_NEAR(wide.metrics.gmCellIncX, 2 * narrow.metrics.gmCellIncX, 2);
}

TEST_F(GdiGlyphs, HorizontalScaleScalesXOfOutlineAndAdvance) {
  FontRequest font{"DejaVu Sans", -2000, 0, false, false};
  GlyphMetrics metrics;
  std::vector<std::uint8_t> outline;
  ASSERT_TRUE(source.QueryGlyph(font, u'H', metrics, outline));
  const Box designed = Bounds(OutlinePoints(outline));
  const int advance = metrics.gmCellIncX;
  font.horizontalScale = 0.5;
  ASSERT_TRUE(source.QueryGlyph(font, u'H', metrics, outline));
  const Box narrowed = Bounds(OutlinePoints(outline));
  EXPECT_NEAR(narrowed.Width(), designed.Width() / 2, kHinting);
  EXPECT_NEAR(narrowed.Height(), designed.Height(), kHinting);
  EXPECT_NEAR(metrics.gmCellIncX, advance / 2.0, 1);
  font.horizontalScale = 0;
  EXPECT_FALSE(source.QueryGlyph(font, u'H', metrics, outline));
}

TEST_F(GdiGlyphs, BoldAndItalicChangeTheOutline) {
  const Glyph regular = Query(source, "DejaVu Sans", u'l', 200, kDejaVuAverage);
  const Glyph bold = Query(source, "DejaVu Sans", u'l', 200, kDejaVuAverage, true, false);
  const Glyph italic = Query(source, "DejaVu Sans", u'l', 200, kDejaVuAverage, false, true);
  ASSERT_TRUE(regular.ok && bold.ok && italic.ok);
  const Box r = Bounds(regular.Points());
  const Box b = Bounds(bold.Points());
  const Box i = Bounds(italic.Points());
  EXPECT_GT(b.Width(), r.Width() * 1.2);  // a heavier stem
  EXPECT_GT(i.Width(), r.Width() * 2);    // a leaning stem spans more width than it is thick
  EXPECT_NEAR(i.Height(), r.Height(), kHinting);
}

TEST_F(GdiGlyphs, SpaceHasMetricsButNoOutline) {
  const Glyph space = Query(source, "DejaVu Sans", u' ');
  ASSERT_TRUE(space.ok);
  EXPECT_TRUE(space.outline.empty());
  EXPECT_GT(space.metrics.gmCellIncX, 0);
  FreePointList();
  GlyphMetrics metrics;
  EXPECT_FALSE(ConvertGlyph(source, u' ', "DejaVu Sans", 200, 87, false, false, 1.0, 0.0, 0.0, metrics));
  EXPECT_EQ(GetTTFCount(), 0);
  EXPECT_EQ(metrics.gmCellIncX, space.metrics.gmCellIncX);
}

TEST_F(GdiGlyphs, UnknownFaceFallsBackAndStillConverts) {
  const Glyph glyph = Query(source, "Vexoglyph No Such Family", u'A');
  ASSERT_TRUE(glyph.ok);
  EXPECT_FALSE(glyph.outline.empty());
}

TEST_F(GdiGlyphs, SymbolFaceReachesItsGlyphsThroughSingleByteCodes) {
  ExpectSymbolFaceReachesItsGlyphsThroughSingleByteCodes(source);
}

TEST_F(GdiGlyphs, AbsurdSizesAreRefused) {
  ExpectAbsurdSizesRefused(source);
  // The largest sizes still convert where the outline fits.
  const Glyph big = Query(source, "DejaVu Sans", u'H', 16384, 16384);
  ASSERT_TRUE(big.ok);
  EXPECT_NEAR(Bounds(big.Points()).yMax, 1493 * 16384 / 2384.0, 16384 / 200.0);
  EXPECT_TRUE(Query(source, "DejaVu Sans", u'H', 1, 2).ok);
}

}  // namespace
}  // namespace vx
