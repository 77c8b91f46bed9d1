// The bidirectional order of a line: levels and visual order, the paragraph direction from its first strong character.
#include "platform/fonts/BidiReorder.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(BidiReorder, LevelsAndOrderFollowTheFirstStrongCharacter) {
  struct Case {
    const char* name;
    std::u32string line;
    std::vector<std::uint8_t> levels;
    std::vector<std::size_t> visual;
  } cases[] = {
      {"left to right", U"ab", {0, 0}, {0, 1}},
      {"right to left", U"\u05D0\u05D1", {1, 1}, {1, 0}},
      {"a right-to-left word inside a left-to-right line",
       U"a \u05D0\u05D1 c",
       {0, 0, 1, 1, 0, 0},
       {0, 1, 3, 2, 4, 5}},
      {"a left-to-right word inside a right-to-left line", U"\u05D0 b", {1, 1, 2}, {2, 1, 0}},
      {"digits are not strong: the Hebrew makes the line right to left",
       U"123 \u05D0\u05D1",
       {2, 2, 2, 1, 1, 1},
       {5, 4, 3, 0, 1, 2}},
      {"no strong character: left to right", U"1 2", {0, 0, 0}, {0, 1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BidiLine bidi = ReorderLine(c.line);
    EXPECT_EQ(bidi.levels, c.levels);
    EXPECT_EQ(bidi.visualOrder, c.visual);
  }
  EXPECT_TRUE(ReorderLine(U"").levels.empty());
}

TEST(BidiReorder, ADeclaredDirectionOverridesTheFirstStrongCharacter) {
  struct Case {
    const char* name;
    std::u32string line;
    ParagraphDirection direction;
    std::vector<std::uint8_t> levels;
    std::vector<std::size_t> visual;
  } cases[] = {
      {"Latin first in a right-to-left paragraph: the Hebrew on the left, the Latin on the right",
       U"ab \u05D0", ParagraphDirection::RightToLeft, {2, 2, 1, 1}, {3, 2, 0, 1}},
      {"Hebrew first in a left-to-right paragraph", U"\u05D0\u05D1 c", ParagraphDirection::LeftToRight,
       {1, 1, 0, 0}, {1, 0, 2, 3}},
      {"no strong character in a right-to-left paragraph", U"1 2", ParagraphDirection::RightToLeft,
       {2, 1, 2}, {2, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const BidiLine bidi = ReorderLine(c.line, c.direction);
    EXPECT_EQ(bidi.levels, c.levels);
    EXPECT_EQ(bidi.visualOrder, c.visual);
  }
}

}  // namespace
}  // namespace vx
