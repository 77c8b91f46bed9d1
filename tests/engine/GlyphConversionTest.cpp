// ConvertGlyph over a glyph source: results, font requests and placement.
#include <gtest/gtest.h>

#include "engine/GlyphConversion.h"
#include "tests/engine/FakeGlyphSource.h"
#include "tests/support/StoreContents.h"

namespace vx::test {
namespace {

class GlyphConversion : public StoreTest {
 protected:
  // Converts `code` in face "Sans" at 200 x 200, scale 1, origin (0, 0).
  bool Convert(char16_t code, const char* face = "Sans", int width = 200) {
    return ConvertGlyph(source, code, face, 200, width, false, false, 1.0, 0.0, 0.0, metrics);
  }

  FakeGlyphSource source;
  GlyphMetrics metrics = Advance(-77, -77);  // a sentinel the fake never reports
};

TEST_F(GlyphConversion, ConvertsPlacesAndReportsMetrics) {
  source.glyphs[u'A'] = {Advance(120, 10), TriangleAtOrigin()};
  ASSERT_TRUE(ConvertGlyph(source, u'A', "Sans", 200, 160, true, true, 0.5, 10.0, -4.0, metrics));
  EXPECT_EQ(metrics.gmCellIncX, 120);
  EXPECT_EQ(metrics.gmptGlyphOrigin.x, 10);
  EXPECT_EQ(StoreRecords(), (std::vector<Rec>{{pkPoint, 10, -4},
                                              {pkPoint, 60, -4},
                                              {pkPoint, 60, 46},
                                              {pkGlyphEnd, 10, -4}}));
  ASSERT_EQ(source.requests.size(), 1u);
  const FontRequest& font = source.requests[0];
  EXPECT_EQ(font.face, "Sans");
  EXPECT_EQ(font.height, 200);
  EXPECT_EQ(font.width, 160);
  EXPECT_TRUE(font.bold);
  EXPECT_TRUE(font.italic);
}

TEST_F(GlyphConversion, NullFaceNameDoesNothingAndLeavesMetricsAlone) {
  source.glyphs[u'A'] = {Advance(120, 10), TriangleAtOrigin()};
  EXPECT_FALSE(Convert(u'A', nullptr));
  EXPECT_TRUE(source.requests.empty());
  EXPECT_EQ(metrics.gmCellIncX, -77);
  EXPECT_EQ(GetTTFCount(), 0);
}

TEST_F(GlyphConversion, GlyphsThatGiveNoPointsReturnFalseAndLeaveTheStoreAlone) {
  const auto wrongType = OutlineBuilder().Polygon({0, 0}, 25).Line({{1, 1}}).Build();
  const auto triangle = TriangleAtOrigin();
  const std::vector<std::uint8_t> halfHeader(triangle.begin(), triangle.begin() + 8);
  struct Case {
    const char* name;
    FakeGlyph glyph;
  } cases[] = {
      {"query fails", {Advance(1, 1), TriangleAtOrigin(), true}},
      {"no outline, as for a space", {Advance(50, 0), {}}},
      {"first polygon not of the TrueType type", {Advance(50, 0), wrongType}},
      {"outline shorter than a polygon header", {Advance(50, 0), halfHeader}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreePointList();
    gPointList.Add(7, 7, pkPoint);  // whatever the store held stays as it was
    gPointList.Add(7, 7, pkGlyphEnd);
    source.glyphs[u'x'] = c.glyph;
    EXPECT_FALSE(Convert(u'x'));
    EXPECT_EQ(StoreRecords(), (std::vector<Rec>{{pkPoint, 7, 7}, {pkGlyphEnd, 7, 7}}));
  }
}

TEST_F(GlyphConversion, RunningOutOfMemoryIsRaisedNotTakenForAGlyphWithoutPoints) {
  gPointList.Add(7, 7, pkPoint);
  gPointList.Add(7, 7, pkGlyphEnd);
  source.glyphs[u'x'] = {Advance(50, 0), TriangleAtOrigin(), false, true};
  EXPECT_THROW(Convert(u'x'), std::bad_alloc);
  EXPECT_EQ(StoreRecords(), (std::vector<Rec>{{pkPoint, 7, 7}, {pkGlyphEnd, 7, 7}}));
}

TEST_F(GlyphConversion, SpaceReportsItsMetrics) {
  source.glyphs[u' '] = {Advance(50, 0), {}};
  EXPECT_FALSE(Convert(u' '));
  EXPECT_EQ(metrics.gmCellIncX, 50);
}

TEST_F(GlyphConversion, WidthBelowTwoIsRaisedToTwo) {
  source.glyphs[u'A'] = {Advance(120, 10), TriangleAtOrigin()};
  const std::pair<int, int> cases[] = {{-5, 2}, {0, 2}, {1, 2}, {2, 2}, {3, 3}, {130, 130}};
  for (const auto& [given, requested] : cases) {
    source.requests.clear();
    Convert(u'A', "Sans", given);
    ASSERT_EQ(source.requests.size(), 1u);
    EXPECT_EQ(source.requests[0].width, requested) << given;
  }
}

}  // namespace
}  // namespace vx::test
