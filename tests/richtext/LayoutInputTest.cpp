// The layout's view of a document: CR LF between lines, one style per code unit.
#include <gtest/gtest.h>

#include "TestText.h"
#include "richtext/LayoutInput.h"

namespace vx {
namespace {

using test::U16;

const CharFormat kArialBold{"Arial", 24, true, false, CharSet::Default};
const CharFormat kCourier40{"Courier New", 40, false, false, CharSet::Default};
const CharFormat kTimesItalic{"Times", 61, false, true, CharSet::Default};
const CharFormat kSymbol{"Symbol", 24, false, false, CharSet::Symbol};

struct Expected {
  char16_t unit;
  const char* face;
  int points;
  bool bold;
  bool italic;
};

void ExpectLayout(const LayoutInput& input, const std::vector<Expected>& want) {
  ASSERT_EQ(input.text.size(), want.size());
  ASSERT_EQ(input.styles.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE("unit " + std::to_string(i));
    EXPECT_EQ(input.text[i], want[i].unit);
    EXPECT_EQ(input.styles[i].face, want[i].face);
    EXPECT_EQ(input.styles[i].pointSize, want[i].points);
    EXPECT_EQ(input.styles[i].bold, want[i].bold);
    EXPECT_EQ(input.styles[i].italic, want[i].italic);
  }
}

TEST(LayoutInput, BreaksTakeTheFormatAtTheStartOfTheNextLine) {
  StyledText text;
  text.lines = {StyledLine{{StyledRun{u"ab", kArialBold}}, kArialBold},
                StyledLine{{}, kCourier40},
                StyledLine{{StyledRun{u"c", kTimesItalic}, StyledRun{u"\u00b7", kSymbol}}, kSymbol}};
  ExpectLayout(ToLayoutInput(text), {{u'a', "Arial", 12, true, false},
                                     {u'b', "Arial", 12, true, false},
                                     {u'\r', "Courier New", 20, false, false},
                                     {u'\n', "Courier New", 20, false, false},
                                     {u'\r', "Times", 30, false, true},
                                     {u'\n', "Times", 30, false, true},
                                     {u'c', "Times", 30, false, true},
                                     {u'\u00b7', "Symbol", 12, false, false}});
}

TEST(LayoutInput, LineSeparatorIsABreak) {
  StyledText text;
  text.lines = {StyledLine{{StyledRun{U16("a\u2028"), kArialBold}, StyledRun{u"b", kCourier40}}, kCourier40}};
  ExpectLayout(ToLayoutInput(text), {{u'a', "Arial", 12, true, false},
                                     {u'\r', "Courier New", 20, false, false},
                                     {u'\n', "Courier New", 20, false, false},
                                     {u'b', "Courier New", 20, false, false}});
}

TEST(LayoutInput, EmptyDocumentIsEmpty) {
  const LayoutInput input = ToLayoutInput(StyledText{});
  EXPECT_TRUE(input.text.empty());
  EXPECT_TRUE(input.styles.empty());
}

}  // namespace
}  // namespace vx
