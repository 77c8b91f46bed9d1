// The typographic layout: shaped runs, bidirectional order, fallback faces, line pitch, alignment.
#include <gtest/gtest.h>

#include "engine/TypographicLayout.h"
#include "tests/engine/FakeGlyphSource.h"
#include "tests/engine/FakeTextShaper.h"
#include "tests/support/StoreContents.h"

namespace vx::test {
namespace {

using Origins = std::vector<std::pair<double, double>>;

LayoutSettings HostDefault() { return {CellSizing::FixedCell, 0.0, 0.0, 0.65}; }
LayoutSettings Standalone(double widthFactor) { return {CellSizing::PointSize, 0.0, 0.0, widthFactor}; }

// The request of a character whose size is its em: em device units, the
// face's own proportions scaled in x.
FontRequest EmRequest(std::string face, int em, double widthScale, bool bold = false) {
  return FontRequest{std::move(face), -em, 0, bold, false, kDefaultCharset, widthScale};
}

// Every glyph the fake source draws by index is a triangle whose first point
// is its origin, so the first record of each glyph is where it was placed.
class Typographic : public StoreTest {
 protected:
  std::vector<FallbackUse> Lay(std::u16string_view text, const LayoutSettings& settings,
                               CharStyle style = {"Latin"}) {
    styles.assign(text.size(), style);
    return LayoutTypographic(source, shaper, text, styles, settings);
  }

  static Origins GlyphOrigins() {
    Origins origins;
    bool atGlyphStart = true;
    for (const Rec& r : StoreRecords()) {
      if (atGlyphStart) origins.emplace_back(r.x, r.y);
      atGlyphStart = r.kind == pkGlyphEnd;
    }
    return origins;
  }

  FakeGlyphSource source;
  FakeTextShaper shaper;
  std::vector<CharStyle> styles;
};

TEST_F(Typographic, GlyphsGoWhereTheShaperPlacesThem) {
  Lay(u"fi e\u0301", HostDefault());
  // The ligature stands for two characters; the mark sits on the e without advancing.
  EXPECT_EQ(source.indexes, (std::vector<std::uint32_t>{0xFB01, u' ', u'e', 0x0301}));
  EXPECT_EQ(GlyphOrigins(), (Origins{{0, 0}, {15, 0}, {25, 0}, {31, 6}}));
  for (const FontRequest& f : source.requests) EXPECT_EQ(f, EmRequest("Latin", 200, 1.0));
  ASSERT_EQ(shaper.shapeCalls.size(), 1u);
  EXPECT_EQ(shaper.shapeCalls[0].end, 5u);
}

TEST_F(Typographic, RightToLeftRunsArePlacedReversedAndDrawnInTextOrder) {
  struct Case {
    const char* name;
    std::u16string text;
    BidiLine bidi;
    std::vector<std::uint32_t> drawn;  // glyphs in the order they reach the store
    std::vector<double> x;             // and where each went
    std::vector<bool> runDirections;   // right to left, per shaped run
  } cases[] = {
      {"left-to-right line with a right-to-left run",
       u"ab\u05D0\u05D1",
       {{0, 0, 1, 1}, {0, 1, 3, 2}},
       {u'a', u'b', 0x05D0, 0x05D1},
       {0, 10, 30, 20},
       {false, true}},
      {"right-to-left line ending in a left-to-right letter",
       u"\u05D0\u05D1 c",
       {{1, 1, 1, 2}, {3, 2, 1, 0}},
       {0x05D0, 0x05D1, u' ', u'c'},
       {30, 20, 10, 0},
       {true, false}},
      {"a faulty answer is read as left to right", u"ab", {{1}, {0, 0}}, {u'a', u'b'}, {0, 10}, {false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreePointList();
    source.indexes.clear();
    shaper.shapeCalls.clear();
    shaper.bidi = c.bidi;
    Lay(c.text, HostDefault());
    EXPECT_EQ(source.indexes, c.drawn);
    std::vector<double> x;
    for (const auto& origin : GlyphOrigins()) x.push_back(origin.first);
    EXPECT_EQ(x, c.x);
    std::vector<bool> directions;
    for (const auto& call : shaper.shapeCalls) directions.push_back(call.rightToLeft);
    EXPECT_EQ(directions, c.runDirections);
  }
}

TEST_F(Typographic, MissingCharactersComeFromTheFallbackFaceInTheSameSizeAndStyle) {
  const std::vector<FallbackUse> used =
      Lay(u"a\u6F22b\u5B57\u6F22\u0301\uE000", Standalone(0.65), CharStyle{"Latin", 30, true, false});
  // 30 points: an em of 200 device units, drawn at 0.15.
  const FontRequest latin = EmRequest("Latin", 200, 0.65, true);
  const FontRequest cjk = EmRequest("CJK", 200, 0.65, true);
  // The mark goes with the character it belongs to; a character no face has
  // stays with its own face (its missing-glyph mark) and is not reported.
  EXPECT_EQ(source.requests, (std::vector<FontRequest>{latin, cjk, latin, cjk, cjk, cjk, latin}));
  ASSERT_EQ(used.size(), 1u);
  EXPECT_EQ(used[0].face, "CJK");
  EXPECT_EQ(used[0].characters, U"\u6F22\u5B57\u0301");
  // Each change of face is a run of its own: a, 漢, b, 字漢́, private use.
  EXPECT_EQ(shaper.shapeCalls.size(), 5u);
}

TEST_F(Typographic, LinePitchFollowsTheFacesOfEachLineTimesTheLineSpacing) {
  LayoutSettings settings = HostDefault();
  settings.lineSpacing = 1.5;
  // Latin: ascent 80, descent 20, gap 10; CJK: 90, 30, 0. The empty third
  // line takes its line break's face.
  Lay(u"A\r\n\u6F22\r\n\r\nB", settings);
  const double second = -1.5 * (20 + 10 + 90);
  const double fourth = second - 1.5 * (30 + 0 + 80) - 1.5 * (20 + 10 + 80);
  EXPECT_EQ(GlyphOrigins(), (Origins{{0, 0}, {0, second}, {0, fourth}}));
}

TEST_F(Typographic, AlignmentMovesEachLineByItsAdvance) {
  const std::pair<LineAlignment, Origins> cases[] = {
      {LineAlignment::Left, {{0, 0}, {10, 0}, {0, -110}, {10, -110}, {20, -110}}},
      {LineAlignment::Center, {{-10, 0}, {0, 0}, {-15, -110}, {-5, -110}, {5, -110}}},
      {LineAlignment::Right, {{-20, 0}, {-10, 0}, {-30, -110}, {-20, -110}, {-10, -110}}},
  };
  for (const auto& [align, origins] : cases) {
    FreePointList();
    LayoutSettings settings = HostDefault();
    settings.align = align;
    Lay(u"ab\r\nabc", settings);
    EXPECT_EQ(GlyphOrigins(), origins) << static_cast<int>(align);
  }
}

TEST_F(Typographic, SurrogatePairsAreOneCharacterAndEachCharacterKeepsItsSize) {
  Lay(u"A\U00010400\xD800", HostDefault());
  // U+10400 is one glyph; a lone surrogate is U+FFFD (from the fallback face).
  EXPECT_EQ(source.indexes, (std::vector<std::uint32_t>{u'A', 0x10400, 0xFFFD}));
  EXPECT_EQ(shaper.covered, (std::vector<char32_t>{u'A', 0x10400, 0xFFFD}));

  FreePointList();
  source.requests.clear();
  styles = {CharStyle{"Latin", 12}, CharStyle{"Latin", 48}};
  LayoutTypographic(source, shaper, u"AB", styles, Standalone(0.65));
  ASSERT_EQ(source.requests.size(), 2u);
  EXPECT_EQ(source.requests[1], EmRequest("Latin", 200, 0.65));
  // B follows A's advance at A's scale, and its outline has its own scale.
  const std::vector<Rec> records = StoreRecords();
  ASSERT_EQ(records.size(), 8u);
  EXPECT_DOUBLE_EQ(records[4].x, 10 * 0.06);
  EXPECT_DOUBLE_EQ(records[5].x, 10 * 0.06 + 100 * 0.24);
}

TEST_F(Typographic, AFontThatCannotBeMadeAdvancesEachCharacterByAnEnTimesTheWidthFactor) {
  styles = {CharStyle{"Broken"}, CharStyle{"Broken"}, CharStyle{"Latin"}};
  LayoutTypographic(source, shaper, u"xyz", styles, Standalone(0.65));
  // 30 points: an en of 100 device units at scale 0.15, times 0.65.
  EXPECT_EQ(source.indexes, std::vector<std::uint32_t>{u'z'});
  ASSERT_EQ(GlyphOrigins().size(), 1u);
  EXPECT_DOUBLE_EQ(GlyphOrigins()[0].first, 2 * 100 * 0.15 * 0.65);
}

TEST_F(Typographic, EmptyTextAndEmptyLinesDrawNothing) {
  EXPECT_TRUE(Lay(u"", HostDefault()).empty());
  Lay(u"\r\n\r\n", HostDefault());
  EXPECT_EQ(GetTTFCount(), 0);
}

}  // namespace
}  // namespace vx::test
