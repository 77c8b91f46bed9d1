// Text layout: cell sizes by sizing rule, pen advance, line breaks, and ConvertString.
#include <gtest/gtest.h>

#include "engine/TextLayout.h"
#include "tests/engine/FakeGlyphSource.h"
#include "tests/support/StoreContents.h"

namespace vx::test {
namespace {

// Glyphs: A advances 120 + 10, B 90 + 5; Z has a zero cell increment; the
// space has no outline (and an advance of its own that must be ignored);
// every other character fails.
class Layout : public StoreTest {
 protected:
  Layout() {
    source.glyphs[u'A'] = {Advance(120, 10), TriangleAtOrigin()};
    source.glyphs[u'B'] = {Advance(90, 5), TriangleAtOrigin()};
    source.glyphs[u'a'] = {Advance(100, 7), TriangleAtOrigin()};
    source.glyphs[u'b'] = {Advance(100, 3), TriangleAtOrigin()};
    source.glyphs[u'Z'] = {Advance(0, 0), TriangleAtOrigin()};
    source.glyphs[u' '] = {Advance(57, 0), {}};
  }

  // Lays text out with one style for every character.
  void Lay(std::u16string_view text, const LayoutSettings& settings, CharStyle style = {"Sans"}) {
    styles.assign(text.size(), style);
    LayoutText(source, text, styles, settings);
  }

  // Where each glyph was placed: the first record of each glyph is its origin.
  static std::vector<std::pair<double, double>> GlyphOrigins() {
    std::vector<std::pair<double, double>> origins;
    bool atGlyphStart = true;
    for (const Rec& r : StoreRecords()) {
      if (atGlyphStart) origins.emplace_back(r.x, r.y);
      atGlyphStart = r.kind == pkGlyphEnd;
    }
    return origins;
  }

  using Origins = std::vector<std::pair<double, double>>;
  FakeGlyphSource source;
  std::vector<CharStyle> styles;
};

LayoutSettings HostDefault() { return {CellSizing::FixedCell, 0.0, 0.0, 0.65}; }
LayoutSettings HostSized(double height, double widthFactor) {
  return {CellSizing::HostSized, height, widthFactor, 0.65};
}
LayoutSettings Standalone(double widthFactor) { return {CellSizing::PointSize, 0.0, 0.0, widthFactor}; }

TEST(CellSize, HeightWidthAndScaleBySizing) {
  struct Case {
    const char* name;
    LayoutSettings settings;
    int pointSize;
    int height;
    int width;
    double scale;
  } cases[] = {
      {"host default", HostDefault(), 12, 200, 200, 1.0},
      {"host sized 2.5 x 0.8", HostSized(2.5, 0.8), 12, 200, 160, 2.5 / 200},
      {"host sized ignores the point size", HostSized(10, 0.65), 400, 200, 130, 0.05},
      {"stand-alone 12 pt", Standalone(0.65), 12, 200, 130, 0.06},
      {"stand-alone 199 pt", Standalone(0.65), 199, 200, 130, 199 / 200.0},
      {"stand-alone 200 pt", Standalone(0.65), 200, 200, 130, 1.0},
      {"stand-alone 250 pt rounds 162.5 up", Standalone(0.65), 250, 250, 163, 1.0},
      {"stand-alone 201 pt rounds 130.65 up", Standalone(0.65), 201, 201, 131, 1.0},
      {"stand-alone empty width box", Standalone(0.0), 30, 200, 0, 0.15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CharSizing s = CellSize(c.settings, c.pointSize);
    EXPECT_EQ(s.height, c.height);
    EXPECT_EQ(s.width, c.width);
    EXPECT_DOUBLE_EQ(s.scale, c.scale);
  }
}

TEST_F(Layout, TheSourceIsToldEachFaceAndCharacterSetsCharactersBeforeTheFirstQuery) {
  // Two faces, one of them in two character sets; a surrogate pair is one
  // character; line breaks draw nothing.
  const std::u16string text = u"AbA\r\nb\U0001F600Zb";
  const CharStyle sans{"Sans"}, sansJapanese{"Sans", 30, false, false, 128}, serif{"Serif", 12, true};
  styles = {sans, sansJapanese, sans, sans, sans, serif, serif, serif, sansJapanese, sansJapanese};
  ASSERT_EQ(styles.size(), text.size());
  const std::vector<FaceText> expected = {
      {"Sans", kDefaultCharset, U"A"}, {"Sans", 128, U"bZ"}, {"Serif", kDefaultCharset, U"b\U0001F600"}};
  EXPECT_EQ(FaceTexts(text, styles), expected);
  LayoutText(source, text, styles, HostDefault());
  ASSERT_EQ(source.told.size(), 1u);
  EXPECT_EQ(source.told[0].first, expected);
  EXPECT_EQ(source.told[0].second, 0u);
  ASSERT_EQ(source.requests.size(), 8u);
  EXPECT_EQ(source.requests[1].charset, 128);
  EXPECT_EQ(source.requests[0].charset, kDefaultCharset);
}

TEST_F(Layout, TwoCharactersInHostDefault) {
  Lay(u"AB", HostDefault());
  EXPECT_EQ(GlyphOrigins(), (Origins{{0, 0}, {130, 0}}));
  ASSERT_EQ(source.requests.size(), 2u);
  for (const FontRequest& f : source.requests) {
    EXPECT_EQ(f.height, 200);
    EXPECT_EQ(f.width, 200);
  }
}

TEST_F(Layout, LineBreaksMoveThePenDownAndBackToZero) {
  struct Case {
    std::u16string text;
    double secondY;  // the line of B, in line pitches below A
  } cases[] = {
      {u"A\r\nB", 1}, {u"A\r\n\r\nB", 2}, {u"A\rB", 1},  {u"A\nB", 1},
      {u"A\n\rB", 1}, {u"A\r\rB", 1},     {u"A\r\n\nB", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.text.begin(), c.text.end())));
    FreePointList();
    Lay(c.text, HostDefault());
    EXPECT_EQ(GlyphOrigins(), (Origins{{0, 0}, {0, -240 * c.secondY}}));
  }
}

TEST_F(Layout, HostSizedScalesEveryPointAndUsesTheHostHeightForThePitch) {
  Lay(u"A\r\nB", HostSized(2.5, 0.8));
  const auto records = StoreRecords();
  ASSERT_EQ(records.size(), 8u);
  EXPECT_EQ(records[2], (Rec{pkPoint, 1.25, 1.25}));  // the outline point (100, 100)
  EXPECT_EQ(GlyphOrigins(), (Origins{{0, 0}, {0, -3.0}}));
  EXPECT_EQ(source.requests[0].width, 160);
}

TEST_F(Layout, SpaceAdvancesByTheFontWidthTimesTheScale) {
  Lay(u"A B", HostDefault());
  EXPECT_EQ(GlyphOrigins(), (Origins{{0, 0}, {330, 0}}));

  FreePointList();
  Lay(u"A B", HostSized(2.5, 0.8));  // A: 130 x 0.0125; space: 160 x 0.0125
  const auto origins = GlyphOrigins();
  ASSERT_EQ(origins.size(), 2u);
  EXPECT_DOUBLE_EQ(origins[1].first, 1.625 + 2.0);
}

TEST_F(Layout, ZeroCellIncrementAndFailingGlyphsAdvanceByTheFontWidth) {
  Lay(u"ZA?B", HostSized(2.5, 0.8));  // Z: zero increment, ?: fails
  const auto origins = GlyphOrigins();
  ASSERT_EQ(origins.size(), 3u);
  EXPECT_DOUBLE_EQ(origins[1].first, 2.0);
  EXPECT_DOUBLE_EQ(origins[2].first, 2.0 + 1.625 + 2.0);
}

TEST_F(Layout, StandaloneSizesEachCharacterByItsOwnPointSize) {
  const std::u16string text = u"AB\r\nA";
  styles = {{"Sans", 12}, {"Serif", 250, true, false}, {"Sans", 250}, {"Sans", 250}, {"Sans", 12}};
  LayoutText(source, text, styles, Standalone(0.65));

  ASSERT_EQ(source.requests.size(), 3u);
  EXPECT_EQ(source.requests[0].height, 200);
  EXPECT_EQ(source.requests[0].width, 130);
  EXPECT_EQ(source.requests[1].face, "Serif");
  EXPECT_TRUE(source.requests[1].bold);
  EXPECT_EQ(source.requests[1].height, 250);
  EXPECT_EQ(source.requests[1].width, 163);
  // A at 12 pt advances 130 x 0.06; the break, a 250-point CR, drops 1.2 x 250.
  const auto origins = GlyphOrigins();
  ASSERT_EQ(origins.size(), 3u);
  EXPECT_DOUBLE_EQ(origins[1].first, 7.8);
  EXPECT_EQ(origins[2], (std::pair<double, double>{0, -300}));
  // B at scale 1.0 keeps its outline size.
  EXPECT_EQ(StoreRecords()[5], (Rec{pkPoint, 7.8 + 100, 0}));
}

TEST_F(Layout, StandaloneEmptyWidthBoxAsksForWidthTwoAndSpacesDoNotAdvance) {
  Lay(u"A B", Standalone(0.0), CharStyle{"Sans", 200});
  ASSERT_EQ(source.requests.size(), 3u);
  EXPECT_EQ(source.requests[0].width, 2);
  EXPECT_EQ(GlyphOrigins(), (Origins{{0, 0}, {130, 0}}));
}

TEST_F(Layout, EachUtf16CodeUnitIsQueriedOnItsOwn) {
  Lay(u"A\U0001F600\tB", HostDefault());
  EXPECT_EQ(source.codes, (std::vector<char16_t>{u'A', 0xD83D, 0xDE00, u'\t', u'B'}));
  EXPECT_EQ(GlyphOrigins(), (Origins{{0, 0}, {130 + 3 * 200, 0}}));
}

TEST_F(Layout, AppendsToWhatTheStoreHeld) {
  gPointList.Add(-1, -1, pkPoint);
  gPointList.Add(-1, -1, pkGlyphEnd);
  Lay(u"A", HostDefault());
  EXPECT_EQ(GetTTFCount(), 2 + 4);
}

TEST_F(Layout, AlignmentMovesEachLineByItsAdvanceAndLineSpacingScalesThePitch) {
  struct Case {
    const char* name;
    LineAlignment align;
    double lineSpacing;
    Origins origins;  // of "AB", then "A" on the next line
  } cases[] = {
      {"left", LineAlignment::Left, 1.0, {{0, 0}, {130, 0}, {0, -240}}},
      {"centre", LineAlignment::Center, 1.0, {{-112.5, 0}, {17.5, 0}, {-65, -240}}},
      {"right", LineAlignment::Right, 1.0, {{-225, 0}, {-95, 0}, {-130, -240}}},
      {"double spacing", LineAlignment::Left, 2.0, {{0, 0}, {130, 0}, {0, -480}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreePointList();
    // What the store held before stays where it was.
    gPointList.Add(-1, -1, pkPoint);
    gPointList.Add(-1, -1, pkGlyphEnd);
    LayoutSettings settings = HostDefault();
    settings.align = c.align;
    settings.lineSpacing = c.lineSpacing;
    Lay(u"AB\r\nA", settings);
    Origins origins = GlyphOrigins();
    ASSERT_FALSE(origins.empty());
    EXPECT_EQ(origins.front(), (std::pair<double, double>{-1, -1}));
    origins.erase(origins.begin());
    EXPECT_EQ(origins, c.origins);
    // Every record of a glyph moved with it: the closing record still repeats the first.
    const std::vector<Rec> records = StoreRecords();
    ExpectOneWellFormedGlyph(std::vector<Rec>(records.begin() + 2, records.begin() + 6));
  }
}

TEST_F(Layout, EachGlyphIsReportedWhileItsPointsAreInTheStore) {
  // A, B and Z have outlines; the space, the break and "?" give no points.
  std::vector<std::vector<Rec>> taken;
  const GlyphPlaced take = [&] {
    taken.push_back(StoreRecords());
    FreePointList();
    return true;
  };
  const std::u16string text = u"A B?\r\nZB";
  styles.assign(text.size(), CharStyle{"Sans"});
  for (const LineAlignment align : {LineAlignment::Left, LineAlignment::Right}) {
    SCOPED_TRACE(static_cast<int>(align));
    LayoutSettings settings = HostDefault();
    settings.align = align;
    FreePointList();
    LayoutText(source, text, styles, settings);
    const std::vector<Rec> whole = StoreRecords();

    // Taken out glyph by glyph, the records are those of the whole layout.
    FreePointList();
    taken.clear();
    LayoutText(source, text, styles, settings, take);
    ASSERT_EQ(taken.size(), 4u);
    std::vector<Rec> joined;
    for (const auto& glyph : taken) {
      ExpectOneWellFormedGlyph(glyph);
      joined.insert(joined.end(), glyph.begin(), glyph.end());
    }
    EXPECT_EQ(joined, whole);
    EXPECT_EQ(GetTTFCount(), 0);
  }
  EXPECT_EQ(taken[0].front(), (Rec{pkPoint, -(130 + 200 + 95 + 200), 0}));  // right-aligned: "A B?" ends on x = 0

  // Told to stop, the layout queries no further character.
  source.codes.clear();
  int calls = 0;
  LayoutText(source, u"ABA", styles, HostDefault(), [&] { return ++calls < 2; });
  EXPECT_EQ(source.codes, (std::vector<char16_t>{u'A', u'B'}));
}

TEST_F(Layout, ConvertStringAdvancesByTheGlyphAndIgnoresLineBreaks) {
  ConvertString(source, u"ab", "Sans", 200, 200, false, false, 0.0, 0.0);
  EXPECT_EQ(GlyphOrigins(), (Origins{{0, 0}, {107, 0}}));

  FreePointList();
  ConvertString(source, u"a\r\nb?a", "Sans", 200, 150, false, false, 5.0, 7.0);
  EXPECT_EQ(GlyphOrigins(), (Origins{{5, 7}, {5 + 107 + 150 + 150, 7}, {5 + 107 + 300 + 103 + 150, 7}}));

  FreePointList();
  ConvertString(source, nullptr, "Sans", 200, 200, false, false, 0.0, 0.0);
  EXPECT_EQ(GetTTFCount(), 0);
}

}  // namespace
}  // namespace vx::test
