// The dialog's rules that need no window: numbers in boxes, key filters, preview choice and mapping, font lists.
#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "dialog/FontList.h"
#include "dialog/NumberRules.h"
#include "dialog/PreviewMapping.h"
#include "engine/HostQueries.h"
#include "engine/PointStore.h"

namespace {

using vx::KeyVerdict;

TEST(NumberRules, WholeNumbersAreReadAsStrtolReadsThem) {
  const struct {
    std::u16string text;
    int value;
  } cases[] = {
      {u"28", 28},         {u"  -5", -5},        {u"+7x", 7},           {u"abc", 0},
      {u"", 0},            {u"1 2", 1},          {u"\t 12", 12},        {u"--3", 0},
      {u"99999999999", INT_MAX}, {u"-99999999999", INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(vx::ReadWholeNumber(c.text), c.value);
}

TEST(NumberRules, FloatingNumbersAreReadAsStrtodReadsThemWithAPoint) {
  const struct {
    std::u16string text;
    std::optional<double> value;
  } cases[] = {
      {u"0.65", 0.65}, {u" 1.2.3", 1.2}, {u"", 0.0},     {u"-0.5", -0.5}, {u".5", 0.5},
      {u"1e2", 100.0}, {u"abc", 0.0},   {u"1,5", 1.0},   {u".", 0.0},     {u"inf", std::nullopt},
      {u"1e999", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(vx::ReadFloatNumber(c.text), c.value);
}

TEST(NumberRules, TheRunReadsTheWidthBoxAndRepairsNothing) {
  EXPECT_DOUBLE_EQ(vx::WidthFactorFromText(u"0.8"), 0.8);
  EXPECT_DOUBLE_EQ(vx::WidthFactorFromText(u""), 0.0);  // the font width then becomes 2
  EXPECT_DOUBLE_EQ(vx::WidthFactorFromText(u"nan"), 0.65);
}

TEST(NumberRules, LeavingTheWidthBoxRepairsOnlyNegativeOrUnreadableValues) {
  EXPECT_EQ(vx::RepairWidthText(u"-0.5"), std::u16string_view(u"0.65"));
  EXPECT_EQ(vx::RepairWidthText(u"1e999"), std::u16string_view(u"0.65"));
  EXPECT_EQ(vx::RepairWidthText(u""), std::nullopt);
  EXPECT_EQ(vx::RepairWidthText(u"1.2.3"), std::nullopt);
  EXPECT_EQ(vx::RepairWidthText(u"0.8"), std::nullopt);
}

TEST(KeyFilters, JudgeTheWholeTypedCharacter) {
  const struct {
    std::u16string typed;
    KeyVerdict height;
    KeyVerdict width;
  } cases[] = {
      {u"5", KeyVerdict::Pass, KeyVerdict::Pass},
      {u"\b", KeyVerdict::Pass, KeyVerdict::Pass},
      {u"\r", KeyVerdict::PassAndApply, KeyVerdict::Remove},
      {u".", KeyVerdict::Remove, KeyVerdict::Pass},
      {u"-", KeyVerdict::Remove, KeyVerdict::Remove},
      {u"a", KeyVerdict::Remove, KeyVerdict::Remove},
      {u"\t", KeyVerdict::Remove, KeyVerdict::Remove},
      {u"\u00e9", KeyVerdict::Remove, KeyVerdict::Remove},
      {u"\u0663", KeyVerdict::Remove, KeyVerdict::Remove},    // an Arabic-Indic digit
      {u"\U0001D7CF", KeyVerdict::Remove, KeyVerdict::Remove},  // a mathematical digit, two code units
  };
  for (const auto& c : cases) {
    EXPECT_EQ(vx::HeightKeyVerdict(c.typed), c.height);
    EXPECT_EQ(vx::WidthKeyVerdict(c.typed), c.width);
  }
}

TEST(PreviewCharacter, FollowsTheCaretAndTheSelection) {
  const std::vector<std::u16string> abc{u"ABC"};
  const struct {
    int p, n;
    std::optional<char16_t> shown;
  } cases[] = {
      {0, 0, u'A'}, {0, 2, u'A'},  // at the very start: the first character, whatever the selection
      {2, 0, u'B'},                // the character before the caret
      {1, 1, u'B'},                // B selected alone
      {1, 2, std::nullopt},        // B and C selected together
      {3, 0, u'C'},
  };
  for (const auto& c : cases) EXPECT_EQ(vx::PreviewCharacter(abc, c.p, c.n), c.shown) << c.p << "," << c.n;
}

TEST(PreviewCharacter, LineBreaksEmptyBoxesAndLongLinesShowNothing) {
  const std::vector<std::u16string> twoLines{u"AB", u"C"};
  EXPECT_EQ(vx::PreviewCharacter(twoLines, 3, 0), std::nullopt);  // right after the break
  EXPECT_EQ(vx::PreviewCharacter(twoLines, 4, 0), u'C');
  EXPECT_EQ(vx::PreviewCharacter(std::vector<std::u16string>{u""}, 0, 0), std::nullopt);

  // A line is read up to 4096 characters: behind such a line the caret runs
  // past the preview text, which is then blank instead of read beyond.
  const std::vector<std::u16string> longLine{std::u16string(5000, u'x'), u"y"};
  EXPECT_EQ(vx::PreviewCharacter(longLine, 4096, 0), u'x');
  EXPECT_EQ(vx::PreviewCharacter(longLine, 4097, 0), std::nullopt);  // the cut line's line feed
  EXPECT_EQ(vx::PreviewCharacter(longLine, 4098, 0), u'y');
  EXPECT_EQ(vx::PreviewCharacter(longLine, 5002, 0), std::nullopt);
}

TEST(PreviewMapping, StretchesEachAxisOnItsOwnAndFlipsY) {
  const vx::PreviewFrame frame{10.0, -5.0, 100.0, 100.0, 108, 89};
  EXPECT_EQ(vx::MapPreviewPoint(frame, 10.0, -5.0), (vx::PreviewPixel{2, 86}));
  EXPECT_EQ(vx::MapPreviewPoint(frame, 110.0, 95.0), (vx::PreviewPixel{106, 1}));
  EXPECT_EQ(vx::MapPreviewPoint(frame, 60.0, 45.0), (vx::PreviewPixel{54, 43}));  // ceil(52)+2, 86-ceil(42.5)
}

class PreviewStore : public ::testing::Test {
 protected:
  void SetUp() override { FreePointList(); }
  void TearDown() override { FreePointList(); }
  static void Contour(std::initializer_list<std::pair<double, double>> points, int closing) {
    for (const auto& [x, y] : points) gPointList.Add(x, y, pkPoint);
    gPointList.Add(points.begin()->first, points.begin()->second, closing);
  }
};

TEST_F(PreviewStore, ContoursAreDrawnClosedEachFromItsOwnStart) {
  Contour({{0, 0}, {100, 0}, {100, 100}}, pkContourEnd);
  Contour({{20, 20}, {40, 20}, {40, 40}}, pkGlyphEnd);
  const auto segments = vx::PreviewSegments(108, 89);
  ASSERT_TRUE(segments);
  // Per contour: two edges between vertices, the closing record's edge back
  // to the first point, and the line to the remembered start.
  ASSERT_EQ(segments->size(), 8u);
  EXPECT_EQ((*segments)[0].from, (vx::PreviewPixel{2, 86}));
  EXPECT_EQ((*segments)[0].to, (vx::PreviewPixel{106, 86}));
  EXPECT_EQ((*segments)[3].to, (vx::PreviewPixel{2, 86}));
  EXPECT_EQ((*segments)[4].from, (vx::PreviewPixel{23, 69}));  // the second contour starts afresh
}

TEST_F(PreviewStore, FlatOrMissingOutlinesPaintBlank) {
  EXPECT_FALSE(vx::PreviewSegments(108, 89));
  Contour({{0, 5}, {100, 5}}, pkGlyphEnd);  // no height
  EXPECT_FALSE(vx::PreviewSegments(108, 89));
}

TEST(FontList, KeepsAcceptedFacesOnceInFirstSpelling) {
  const std::set<std::string> trueType{"Arial", "arial", "Wingdings"};  // Courier, Modern, Printer: other kinds
  std::vector<std::string> asked;
  int steps = 0;
  const auto faces = vx::CollectFaces(
      {"Arial", "arial", "Courier", "Modern", "Printer", "Wingdings", "Missing"},
      [&](const std::string& face) {
        asked.push_back(face);
        return trueType.count(face) > 0;
      },
      [&] { ++steps; });
  EXPECT_EQ(faces, (std::vector<std::string>{"Arial", "Wingdings"}));
  EXPECT_EQ(asked.size(), 7u);
  EXPECT_EQ(steps, 7);
}

TEST(FontList, NoFontsGiveEmptyLists) {
  int steps = 0;
  EXPECT_TRUE(vx::CollectFaces({}, {}, [&] { ++steps; }).empty());
  EXPECT_EQ(steps, 0);
}

}  // namespace
