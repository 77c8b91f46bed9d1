// Hershey fonts: .jhf glyphs read as strokes; a damaged file refused with the glyph and line named.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/HersheyFont.h"
#include "tests/support/FileBytes.h"

namespace vx::test {
namespace {

// "A" of the simplex Roman font: two strokes up to the apex, the crossbar.
constexpr const char* kLetterA = "12345  9I[RFJ[ RRFZ[ RMTWT";

void ExpectLetterA(const HersheyGlyph& glyph) {
  EXPECT_EQ(glyph.left, -9);
  EXPECT_EQ(glyph.right, 9);
  ASSERT_EQ(glyph.strokes.size(), 3u);
  const std::vector<std::vector<std::pair<int, int>>> expected = {{{0, -12}, {-8, 9}}, {{0, -12}, {8, 9}}, {{-5, 2}, {5, 2}}};
  for (std::size_t s = 0; s < expected.size(); ++s) {
    ASSERT_EQ(glyph.strokes[s].size(), expected[s].size()) << s;
    for (std::size_t p = 0; p < expected[s].size(); ++p) {
      EXPECT_EQ(glyph.strokes[s][p].x, expected[s][p].first) << s << " " << p;
      EXPECT_EQ(glyph.strokes[s][p].y, expected[s][p].second) << s << " " << p;
    }
  }
}

TEST(HersheyFont, AGlyphIsItsEdgesAndStrokesOnOneLineOrWrappedOverSeveral) {
  for (const std::string& text : {std::string(kLetterA) + "\n", std::string("12345  9I[RFJ[ RR\nFZ[ RMTWT"),
                                 std::string("\r\n  501  9I[RFJ[ RRFZ[ RMTWT\r\n\r\n")}) {
    SCOPED_TRACE(text);
    const HersheyFont font = ParseHersheyFont(text);
    ASSERT_EQ(font.error, "");
    ASSERT_EQ(font.glyphs.size(), 1u);
    ExpectLetterA(font.glyphs[0]);
  }
}

TEST(HersheyFont, TheInstalledSimplexFontHasTheAsciiCharacters) {
  const std::filesystem::path file = "/usr/share/hershey-fonts/futural.jhf";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << file << " is missing (Debian: hershey-fonts-data)";
  const HersheyFont font = ParseHersheyFont(ReadFileBytes(file.string()));
  ASSERT_EQ(font.error, "");
  ASSERT_EQ(font.glyphs.size(), 96u);
  EXPECT_TRUE(font.glyphs[0].strokes.empty());  // the space
  ExpectLetterA(font.glyphs['A' - 32]);
}

TEST(HersheyFont, ADamagedFileIsRefusedWithTheGlyphAndLineNamed) {
  struct Case {
    std::string text;
    const char* error;
  };
  const Case cases[] = {
      {"", "no glyphs"},
      {"\n\n", "no glyphs"},
      {std::string(kLetterA) + "\n12345  9I[RFJ[ RRF", "glyph 2 (line 2): the file ends after 5 of 9 coordinate pairs"},
      {"12345  9I[RFJ[ RRFZ[ RMTW", "glyph 1 (line 1): the file ends after 8 of 9 coordinate pairs"},
      {"12345  xI[RFJ[ RRFZ[ RMTWT", "glyph 1 (line 1): no count of coordinate pairs in columns 6 to 8"},
      {"12345  0", "glyph 1 (line 1): no count of coordinate pairs in columns 6 to 8"},
      {"12a45  1I[", "glyph 1 (line 1): no glyph number in its first 5 columns"},
      {"123", "glyph 1 (line 1): no glyph number in its first 5 columns"},
      {std::string("12345  2I[R\x01"), "glyph 1 (line 1): a coordinate is not a printable ASCII character"},
      {std::string("12345  2I[R\xc3"), "glyph 1 (line 1): a coordinate is not a printable ASCII character"},
      {"12345  1[I", "glyph 1 (line 1): its right edge lies left of its left edge"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const HersheyFont font = ParseHersheyFont(c.text);
    EXPECT_EQ(font.error, c.error);
    EXPECT_TRUE(font.glyphs.empty());
  }
}

}  // namespace
}  // namespace vx::test
