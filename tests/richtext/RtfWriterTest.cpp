// RTF writing: 7-bit output that our reader loads back identically, over a table of documents,
// and saving files atomically.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "TestText.h"
#include "richtext/DocumentFiles.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

namespace vx {
namespace {

using test::U16;

CharFormat F(const char* face = "Arial", int hp = 24, bool b = false, bool i = false) {
  return CharFormat{face, hp, b, i, CharSet::Default};
}
CharFormat S(const char* face = "Symbol", int hp = 24, bool b = false, bool i = false) {
  return CharFormat{face, hp, b, i, CharSet::Symbol};
}
StyledRun Styled(const std::string& utf8, const CharFormat& format) { return StyledRun{U16(utf8), format}; }
StyledLine Line(std::vector<StyledRun> runs) {
  const CharFormat end = runs.empty() ? F() : runs.back().format;
  return StyledLine{std::move(runs), end};
}
StyledText Doc(std::vector<StyledLine> lines) { return StyledText{std::move(lines)}; }

std::u16string AllSymbolCodes() {
  std::u16string codes;
  for (char16_t c = 32; c <= 255; ++c) codes.push_back(c);
  return codes;
}

const SymbolFaceTest kCatalogue = [](const std::string& face) { return face == "Wingdings"; };

struct RoundTripCase {
  const char* name;
  StyledText text;
};

std::ostream& operator<<(std::ostream& os, const RoundTripCase& c) { return os << c.name; }

class RtfRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RtfRoundTrip, ReadsBackIdentically) {
  const std::string rtf = WriteRtf(GetParam().text, kCatalogue);
  EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
  for (const char c : rtf) ASSERT_LT(static_cast<unsigned char>(c), 0x80) << rtf;
  const LoadResult back = ReadRtf(rtf, F("Unused"), kCatalogue);
  ASSERT_TRUE(back.ok) << back.error;
  EXPECT_EQ(test::FirstDifference(back.text, GetParam().text), "") << "wrote:\n" << rtf;
  // Saving what was loaded gives the same bytes again.
  EXPECT_EQ(WriteRtf(back.text, kCatalogue), rtf);
}

// What right-to-left writers' documents hold: runs with a direction, an
// associated format and letter spacing; paragraphs with a direction and
// alignment, one of each kind and one with none.
StyledText RightToLeftDocument() {
  CharFormat arabic = F("Liberation Serif");
  arabic.direction = TextDirection::RightToLeft;
  arabic.associated = AssociatedFormat{"DejaVu Sans", 40, true, true, CharSet::Default};
  arabic.expandTwips = -20;
  CharFormat latin = F("Liberation Serif");
  latin.direction = TextDirection::LeftToRight;
  latin.expandTwips = 60;
  StyledText text = Doc({Line({Styled("مر ab", arabic), Styled("cd", latin)}), Line({Styled("e", F())}),
                         Line({Styled("f", F())}), Line({Styled("g", F())})});
  text.lines[0].paragraph = {TextDirection::RightToLeft, ParagraphAlignment::Right};
  text.lines[1].paragraph = {TextDirection::LeftToRight, ParagraphAlignment::Justify};
  text.lines[3].paragraph = {TextDirection::Unset, ParagraphAlignment::Center};
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, RtfRoundTrip,
    testing::Values(
        RoundTripCase{"EscapesAndBreaks",
                      Doc({Line({Styled("a\\b{c}d\te\u2028f", F())}), Line({Styled("g", F())})})},
        RoundTripCase{"SpaceAndDigitsAfterASizeChange",
                      Doc({Line({Styled("x", F("Arial", 60)), Styled(" 1 2", F("Arial", 61, true))})})},
        RoundTripCase{"Sizes", Doc({Line({Styled("a", F("Arial", 2)), Styled("b", F("Arial", 3276)),
                                          Styled("c", F("Arial", 23))})})},
        RoundTripCase{"AllSymbolCodes",
                      Doc({Line({Styled("t", F()), StyledRun{AllSymbolCodes(), S()}, Styled("u", F())})})},
        RoundTripCase{"SymbolCodesInWingdingsBoldItalic",
                      Doc({Line({StyledRun{AllSymbolCodes(), S("Wingdings", 40, true, true)}})})},
        RoundTripCase{"NonLatinAndNonBmpText", Doc({Line({Styled("аб 中文 😀 é € ‰ 𝐻", F())})})},
        RoundTripCase{"PrivateUseInATextFaceStays", Doc({Line({Styled("\uf0b7", F())})})},
        RoundTripCase{"ControlCharacter", Doc({Line({Styled("a\x01" "b", F())})})},
        RoundTripCase{"EmptyLastParagraph", Doc({Line({Styled("a", F())}), Line({})})},
        RoundTripCase{"EmptyDocument", StyledText{}},
        RoundTripCase{"EmptyLinesKeepTheirFormat",
                      Doc({StyledLine{{}, F("Courier New", 40, true)}, StyledLine{{}, S()},
                           StyledLine{{Styled("x", F())}, F("Times", 30, false, true)}})},
        RoundTripCase{"ThreeFacesAlternating",
                      Doc({Line({Styled("a", F("Liberation Serif")), Styled("b", F("DejaVu Sans")),
                                 Styled("c", F("Liberation Serif", 24, false, true)), Styled("d", F("DejaVu Sans"))})})},
        RoundTripCase{"NonAsciiFaceNames",
                      Doc({Line({Styled("x", F("ＭＳ 明朝")), Styled("y", F("Café")), Styled("z", F("A{b}\\c"))})})},
        RoundTripCase{"SameFaceAsTextAndSymbol", Doc({Line({Styled("ab", F("Symbol")), Styled("ab", S())})})},
        RoundTripCase{"RightToLeftWordsAndParagraphs", RightToLeftDocument()}));

TEST(RtfWriter, WritesTheMinimalForm) {
  const StyledText text = Doc({Line({Styled("Hi ", F("Times New Roman", 60)), Styled("b{", F("Times New Roman", 60, true, true))}),
                               Line({StyledRun{u"\u0021\u00b7", S("Wingdings", 60)}, Styled("é中", F("Times New Roman", 60))})});
  EXPECT_EQ(WriteRtf(text),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Times New Roman;}"
            "{\\f1\\fnil\\fcharset2 Wingdings;}}\r\n"
            "\\pard\\plain {\\f0\\fs60 Hi }{\\f0\\fs60\\b\\i b\\{\\par\r\n}"
            "{\\f1\\fs60 \\'21\\'b7}{\\f0\\fs60 \\u233\\'e9\\u20013?\\par\r\n}\r\n}\r\n");
}

TEST(RtfWriter, CatalogueSymbolFaceIsWrittenAsSymbol) {
  const StyledText text = Doc({Line({StyledRun{u"a\uf041", F("Wingdings")}})});
  const std::string rtf = WriteRtf(text, kCatalogue);
  EXPECT_NE(rtf.find("\\fcharset2 Wingdings;"), std::string::npos);
  EXPECT_NE(rtf.find("\\'61\\'41"), std::string::npos);
  const LoadResult back = ReadRtf(rtf);
  ASSERT_TRUE(back.ok);
  EXPECT_EQ(back.text.lines[0].runs, (std::vector<StyledRun>{StyledRun{u"aA", S("Wingdings")}}));
}

TEST(RtfWriter, SizesOutsideTheEditorsRangeAreClamped) {
  const StyledText text = Doc({Line({Styled("a", F("Arial", 0)), Styled("b", F("Arial", 99999))})});
  const LoadResult back = ReadRtf(WriteRtf(text));
  ASSERT_TRUE(back.ok);
  ASSERT_EQ(back.text.lines[0].runs.size(), 2u);
  EXPECT_EQ(back.text.lines[0].runs[0].format.halfPoints, 1);
  EXPECT_EQ(back.text.lines[0].runs[1].format.halfPoints, 3276);
}

TEST(RtfWriter, LongTextIsWrappedBetweenTokens) {
  const StyledText text = Doc({Line({Styled(std::string(5000, 'x') + "é", F())})});
  const std::string rtf = WriteRtf(text);
  std::istringstream lines(rtf);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 260u);
  EXPECT_EQ(ReadRtf(rtf).text, text);
}

// Each test saves into a folder of its own.
class RtfFiles : public testing::Test {
 protected:
  test::TempFolder scratch_;
  const std::filesystem::path dir_ = scratch_.folder();
};

TEST_F(RtfFiles, SavedFileLoadsBack) {
  const StyledText text = Doc({Line({Styled("Hello ", F("DejaVu Sans", 21)), StyledRun{u"\u00b7", S("Wingdings")}}),
                               Line({})});
  const std::string path = (dir_ / "doc.txt").string();  // the extension does not matter
  std::string error;
  ASSERT_TRUE(SaveRtfFile(path, text, error)) << error;
  const LoadResult back = LoadDocumentFile(path, F("Plain"));
  ASSERT_TRUE(back.ok) << back.error;
  EXPECT_EQ(back.text, text);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);  // no temporary left
}

TEST_F(RtfFiles, MissingFolderIsReportedWithTheSystemReason) {
  const std::string path = (dir_ / "no" / "doc.rtf").string();
  std::string error;
  EXPECT_FALSE(SaveRtfFile(path, StyledText{}, error));
  EXPECT_EQ(error, "Cannot create file \"" + path + "\". No such file or directory");
}

TEST_F(RtfFiles, FailedWriteKeepsTheExistingFile) {
  const std::filesystem::path path = dir_ / "doc.rtf";
  test::WriteFileBytes(path, "precious");
  // A file size limit makes the write itself fail part-way, as a full disk would.
  std::string error;
  bool saved_ok = true;
  {
    const test::FileSizeLimit limit(1000);
    if (!limit.active()) GTEST_SKIP() << limit.why();
    saved_ok = SaveRtfFile(path.string(), Doc({Line({Styled(std::string(5000, 'x'), F())})}), error);
  }
  EXPECT_FALSE(saved_ok);
  EXPECT_EQ(error, "Cannot create file \"" + path.string() + "\". File too large");
  EXPECT_EQ(test::ReadFileBytes(path), "precious");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

}  // namespace
}  // namespace vx
