// Single-line faces on a small .jhf fixture: open strokes in the store, sizes by the cell rule, styles, and the source and shaper beneath.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/GlyphConversion.h"
#include "engine/SingleLineFaces.h"
#include "engine/SingleLineGlyphSource.h"
#include "engine/SingleLineShaper.h"
#include "tests/engine/FakeGlyphSource.h"
#include "tests/engine/FakeTextShaper.h"
#include "tests/support/StoreContents.h"

namespace {

using namespace vx;
using vx::test::Rec;

// ' ' from x = -8 to 8; '!' from -4 to 4, a stroke from (0, -12) down to
// (0, 2) and one from (0, 6) to (0, 7). The mean advance is 12, so at a cell
// height of 320 (10 device units per font unit) the natural average
// character width is 120.
constexpr const char* kFixture = "    1  1JZ\n    2  6NVRFRT RRXRY\n";
// The bold face: '!' one unit wider on each side and ' ' one narrower, the
// same mean advance.
constexpr const char* kBoldFixture = "    1  1KY\n    2  6MWRFRT RRXRY\n";

class SingleLineFaces_ : public vx::test::StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    faces.Add("Test Lines", ParseHersheyFont(kFixture));
    faces.Add("Test Lines Bold", ParseHersheyFont(kBoldFixture));
    faces.Add("Plain Lines", ParseHersheyFont(kFixture));
  }

  // Converts one character at the origin; its metrics.
  GlyphMetrics Convert(const FontRequest& font, char16_t c) {
    GlyphMetrics metrics;
    EXPECT_TRUE(ConvertGlyph(source, c, font, 1.0, 0, 0, metrics));
    return metrics;
  }

  SingleLineFaces faces;
  vx::test::FakeGlyphSource other;
  SingleLineGlyphSource source{other, faces};
};

TEST_F(SingleLineFaces_, AGlyphIsOpenStrokesFromItsLeftEdgeUpFromTheBaselineAdvancingByItsEdges) {
  struct Case {
    const char* name;
    FontRequest font;
    double xScale;  // device units per font unit in x
    double shear;   // x per y
    int advance;
  };
  const Case cases[] = {
      {"natural width", MakeFontRequest("Test Lines", 320, 120, false, false), 10, 0, 80},
      {"twice as wide, any letter case", MakeFontRequest("test LINES", 320, 240, false, false), 20, 0, 160},
      {"a negative height is the cell as well", MakeFontRequest("Test Lines", -320, 120, false, false), 10, 0, 80},
      {"italic without its own face is sheared", MakeFontRequest("Plain Lines", 320, 120, false, true), 10, 0.25, 80},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreePointList();
    const GlyphMetrics metrics = Convert(c.font, u'!');
    EXPECT_EQ(metrics.gmCellIncX, c.advance);
    EXPECT_EQ(metrics.gmptGlyphOrigin.x, 0);
    const auto at = [&](double x, double y, int kind) { return Rec{kind, x * c.xScale + c.shear * y * 10, y * 10}; };
    // Font y = 9 is the baseline; y grows downward in the font.
    EXPECT_EQ(vx::test::StoreRecords(), (std::vector<Rec>{at(4, 21, pkPoint), at(4, 7, pkPoint), at(4, 7, pkOpenEnd),
                                                          at(4, 3, pkPoint), at(4, 2, pkPoint),
                                                          at(4, 2, pkOpenGlyphEnd)}));
  }
}

TEST_F(SingleLineFaces_, BoldAndItalicTakeTheFacesNamedForThemElseShearOrDrawRegular) {
  const FontRequest bold = MakeFontRequest("Test Lines", 320, 120, true, false);
  EXPECT_EQ(Convert(bold, u'!').gmCellIncX, 100);  // the bold face's '!' is 10 units wide
  EXPECT_FALSE(faces.LacksBold(bold));
  FreePointList();
  const FontRequest plainBold = MakeFontRequest("Plain Lines", 320, 120, true, false);
  EXPECT_EQ(Convert(plainBold, u'!').gmCellIncX, 80);
  EXPECT_TRUE(faces.LacksBold(plainBold));
  EXPECT_FALSE(faces.LacksBold(MakeFontRequest("Plain Lines", 320, 120, false, false)));
}

TEST_F(SingleLineFaces_, CharactersTheFaceLacksAndOtherFacesGoToTheSourceBeneath) {
  other.glyphs[u'\u00E9'] = {vx::test::Advance(50, 0), vx::test::TriangleAtOrigin()};
  other.glyphs[u'!'] = {vx::test::Advance(50, 0), vx::test::TriangleAtOrigin()};
  GlyphMetrics metrics;
  EXPECT_TRUE(ConvertGlyph(source, u'\u00E9', MakeFontRequest("Test Lines", 320, 120, false, false), 1, 0, 0, metrics));
  EXPECT_TRUE(ConvertGlyph(source, u'!', MakeFontRequest("DejaVu Sans", 320, 120, false, false), 1, 0, 0, metrics));
  EXPECT_FALSE(ConvertGlyph(source, u'#', MakeFontRequest("Test Lines", 320, 120, false, false), 1, 0, 0, metrics));
  EXPECT_EQ(other.codes, (std::vector<char16_t>{u'\u00E9', u'!', u'#'}));
  EXPECT_FALSE(vx::StoreHasOpenStrokes());
}

TEST_F(SingleLineFaces_, SizesTheSourceRefusesAreRefused) {
  GlyphMetrics metrics;
  for (const FontRequest& font : {MakeFontRequest("Test Lines", 0, 120, false, false),
                                  MakeFontRequest("Test Lines", kMaxFontSize + 1, 120, false, false),
                                  MakeFontRequest("Test Lines", 320, kMaxFontSize + 1, false, false)}) {
    EXPECT_FALSE(ConvertGlyph(source, u'!', font, 1, 0, 0, metrics)) << font.height << " x " << font.width;
  }
  EXPECT_EQ(gPointList.GetCount(), 0);
  EXPECT_TRUE(other.codes.empty());
}

TEST_F(SingleLineFaces_, TheShaperSetsOneGlyphPerCharacterWithTheCellsExtentsAndLeavesTheRestBeneath) {
  vx::test::FakeTextShaper beneath;
  SingleLineShaper shaper(beneath, faces);
  const FontRequest font = MakeFontRequest("Test Lines", 320, 120, false, false);
  const std::u32string line = U"! \u200D!\u00E9";
  std::vector<ShapedGlyph> glyphs;
  ASSERT_TRUE(shaper.Shape(font, line, 0, 4, true, glyphs));
  ASSERT_EQ(glyphs.size(), 4u);
  // Right to left: the last character first.
  const std::vector<std::pair<std::uint32_t, double>> expected{
      {1, 80}, {SingleLineShaper::kNoGlyph, 0}, {0, 160}, {1, 80}};
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    EXPECT_EQ(glyphs[i].cluster, 3 - i);
    EXPECT_EQ(glyphs[i].glyph, expected[i].first) << i;
    EXPECT_DOUBLE_EQ(glyphs[i].advance, expected[i].second) << i;
  }
  EXPECT_TRUE(shaper.Covers(font, U'!'));
  EXPECT_TRUE(shaper.Covers(font, U'\u200D'));
  EXPECT_FALSE(shaper.Covers(font, U'\u00E9'));
  const FaceExtents extents = shaper.Extents(font);
  EXPECT_DOUBLE_EQ(extents.ascent, 250);
  EXPECT_DOUBLE_EQ(extents.descent, 70);
  EXPECT_DOUBLE_EQ(extents.lineGap, 0);
  EXPECT_TRUE(beneath.shapeCalls.empty());

  const FontRequest latin = MakeFontRequest("Latin", 320, 120, false, false);
  EXPECT_DOUBLE_EQ(shaper.Extents(latin).ascent, beneath.Extents(latin).ascent);
  ASSERT_TRUE(shaper.Shape(latin, line, 0, 1, false, glyphs));
  EXPECT_EQ(beneath.shapeCalls.size(), 1u);
}

}  // namespace
