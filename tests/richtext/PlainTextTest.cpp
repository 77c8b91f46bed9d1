// Plain-text loading: encodings by byte-order mark or content, line breaks, NUL, default format.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestText.h"
#include "richtext/DocumentFiles.h"
#include "richtext/PlainText.h"
#include "tests/support/FileBytes.h"
#include "tests/support/LoremText.h"
#include "tests/support/TempFolder.h"

namespace vx {
namespace {

using test::PlainOf;

struct PlainCase {
  const char* name;
  std::string bytes;
  const char* expected;  // UTF-8, lines joined by "\n"
};

std::ostream& operator<<(std::ostream& os, const PlainCase& c) { return os << c.name; }

class PlainTextLoading : public testing::TestWithParam<PlainCase> {};

TEST_P(PlainTextLoading, DecodesAndSplitsLines) {
  const CharFormat format{"DejaVu Sans", 21, true, false, CharSet::Default};
  const LoadResult result = LoadDocument(GetParam().bytes, format);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(PlainOf(result.text), GetParam().expected);
  for (const auto& line : result.text.lines) {
    EXPECT_EQ(line.endFormat, format);
    for (const auto& run : line.runs) EXPECT_EQ(run.format, format);
  }
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Breaks, PlainTextLoading,
    testing::Values(PlainCase{"Empty", "", ""}, PlainCase{"CrLf", "a\r\nb", "a\nb"},
                    PlainCase{"Lf", "a\nb", "a\nb"}, PlainCase{"LoneCr", "a\rb", "a\nb"},
                    PlainCase{"CrThenCrLf", "a\r\r\nb", "a\n\nb"},
                    PlainCase{"LfCrIsTwoBreaks", "a\n\rb", "a\n\nb"},
                    PlainCase{"FinalBreakAddsNoLine", "a\r\n", "a"},
                    PlainCase{"TwoFinalBreaksKeepOneEmptyLine", "a\n\n", "a\n"},
                    PlainCase{"OnlyABreak", "\n", ""},
                    PlainCase{"NulDropped", "a\0b\0\r\n\0c"s, "ab\nc"},
                    PlainCase{"TabKept", "a\tb", "a\tb"}));

INSTANTIATE_TEST_SUITE_P(
    Encodings, PlainTextLoading,
    testing::Values(
        PlainCase{"Utf8WithoutBom", "caf\xC3\xA9 \xE2\x82\xAC", "café €"},
        PlainCase{"Utf8Bom", "\xEF\xBB\xBF\xD0\xB0\xF0\x9F\x98\x80", "а😀"},
        PlainCase{"Utf8BomInvalidByte", "\xEF\xBB\xBF" "a\xFF" "b", "a\xEF\xBF\xBD" "b"},
        PlainCase{"Utf8BomThenRtfIsText", "\xEF\xBB\xBF{\\rtf1 x}", "{\\rtf1 x}"},
        PlainCase{"InvalidUtf8IsCp1252", "caf\xE9 \x80", "café €"},
        PlainCase{"OverlongUtf8IsCp1252", "\xC0\xAF", "À¯"},
        PlainCase{"EncodedSurrogateIsCp1252", "\xED\xA0\x80", "í\xC2\xA0€"},
        PlainCase{"TruncatedUtf8IsCp1252", "ab\xE2\x82", "abâ‚"},
        PlainCase{"Cp1252UnassignedByte", "a\x81\xE9", "a\xEF\xBF\xBD" "é"},
        PlainCase{"Utf16Le", "\xFF\xFE" "a\0\r\0\n\0\x30\x04"s, "a\nа"},
        PlainCase{"Utf16LeOddByteDropped", "\xFF\xFE" "a\0b"s, "a"},
        PlainCase{"Utf16LeBomOfUtf32", "\xFF\xFE\0\0a\0"s, "a"},
        PlainCase{"Utf16Be", "\xFE\xFF\0a\0\n\0b"s, "a\nb"},
        PlainCase{"Utf16BeSurrogatePair", "\xFE\xFF\xD8\x3D\xDE\x00"s, "😀"},
        PlainCase{"Utf16LoneSurrogate", "\xFF\xFE\x00\xD8" "a\0"s, "\xEF\xBF\xBD" "a"}));

TEST(PlainTextFile, MissingFileGivesTheSystemReason) {
  const LoadResult result = LoadDocumentFile("/nonexistent/dir/x.txt", CharFormat{});
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "Cannot open file \"/nonexistent/dir/x.txt\". No such file or directory");
}

TEST(PlainTextFile, DirectoryCannotBeRead) {
  const LoadResult result = LoadDocumentFile("/", CharFormat{});
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "Cannot open file \"/\". Is a directory");
}

TEST(PlainTextFile, EndlessDeviceIsRefused) {
  const LoadResult result = LoadDocumentFile("/dev/zero", CharFormat{});
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "Cannot open file \"/dev/zero\". File too large");
}

TEST(PlainTextFile, LoremLoadsLineByLine) {
  const std::string lorem = test::LoremText();
  const test::TempFolder folder;
  const std::string path = folder.Path("lorem.txt");
  test::WriteFileBytes(path, lorem);
  const LoadResult result = LoadDocumentFile(path, CharFormat{});
  ASSERT_TRUE(result.ok) << result.error;
  // Every line break ends a paragraph; the final one adds no empty paragraph.
  EXPECT_EQ(result.text.lines.size(), static_cast<std::size_t>(std::count(lorem.begin(), lorem.end(), '\n')));
  EXPECT_EQ(PlainOf(result.text) + "\n", lorem);
}

}  // namespace
}  // namespace vx
