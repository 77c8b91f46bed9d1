// RTF reading: character state, breaks, Unicode, code pages, symbol faces, font tables,
// destinations and malformed input, each group a table of small documents.
#include <gtest/gtest.h>

#include "TestText.h"
#include "richtext/DocumentFiles.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"

namespace vx {
namespace {

using test::FlatRun;

// Fonts: 0 Arial cs0, 1 Symbol cs2, 2 "Arial Cyr" cs204, 3 MS Gothic cs128,
// 4 Tahoma (no charset), 5 Greekish cs0 with \cpg1253, 6 Wingdings cs0.
const std::string kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
    "{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\fnil\\fcharset204 Arial Cyr;}"
    "{\\f3\\fnil\\fcharset128 MS Gothic;}{\\f4\\fnil Tahoma;}"
    "{\\f5\\fnil\\fcharset0\\cpg1253 Greekish;}{\\f6\\fnil\\fcharset0 Wingdings;}}";

std::string Doc(const std::string& body) { return kHeader + body + "}"; }
std::string Doc1251(const std::string& body) {
  std::string head = kHeader;
  head.replace(head.find("ansicpg1252"), 11, "ansicpg1251");
  return head + body + "}";
}

// A document whose font 0 is "CJK" in the given double-byte character set.
std::string DbcsDoc(int charset, const std::string& body) {
  return "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset" + std::to_string(charset) + " CJK;}}\\f0 " + body + "}";
}

// The face characters take when the document names none.
const CharFormat kDefault{"Default Face", 40, false, false, CharSet::Default};

FlatRun R(const char* text, const char* face = "Arial", int hp = 24, bool b = false, bool i = false) {
  return FlatRun{text, face, hp, b, i, false};
}
FlatRun Sym(const char* text, const char* face = "Symbol", int hp = 24, bool b = false, bool i = false) {
  return FlatRun{text, face, hp, b, i, true};
}

struct ReadCase {
  const char* name;
  std::string rtf;
  std::vector<FlatRun> expected;
};

std::ostream& operator<<(std::ostream& os, const ReadCase& c) { return os << c.name; }

class RtfReading : public testing::TestWithParam<ReadCase> {};

TEST_P(RtfReading, GivesTheRuns) {
  // The catalogue knows Wingdings as a symbol face.
  const SymbolFaceTest catalogue = [](const std::string& face) { return face == "Wingdings"; };
  const LoadResult result = ReadRtf(GetParam().rtf, kDefault, catalogue);
  ASSERT_TRUE(result.ok) << result.error;
  const auto runs = test::Flatten(result.text);
  EXPECT_EQ(runs, GetParam().expected) << "got:  " << test::Describe(runs)
                                       << "\nwant: " << test::Describe(GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    State, RtfReading,
    testing::Values(
        ReadCase{"DefaultStateAfterF0", Doc("\\f0 Hello"), {R("Hello")}},
        ReadCase{"FontZeroWithoutDeff", "{\\rtf1{\\fonttbl{\\f1 B;}{\\f0 A;}}x}", {R("x", "A")}},
        ReadCase{"DeffFontWithoutF", "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0 A;}{\\f1 B;}}x}", {R("x", "B")}},
        ReadCase{"GroupRestoresState", Doc("\\f0 a{\\b\\i\\fs40 b}c"),
                 {R("a"), R("b", "Arial", 40, true, true), R("c")}},
        ReadCase{"PlainResetsFontSizeBoldItalic", Doc("\\f2\\fs40\\b x\\plain y"),
                 {R("x", "Arial Cyr", 40, true), R("y")}},
        ReadCase{"ZeroParameterSwitchesOff", Doc("\\b a\\b0 b\\i c\\i0 d"),
                 {R("a", "Arial", 24, true), R("b"), R("c", "Arial", 24, false, true), R("d")}},
        ReadCase{"OddHalfPointsKept", Doc("\\fs23 x"), {R("x", "Arial", 23)}},
        ReadCase{"OneDelimiterSpaceConsumed", Doc("\\b  two"), {R(" two", "Arial", 24, true)}},
        ReadCase{"SpaceAfterClosingBraceIsText", Doc("{\\b a} b"), {R("a", "Arial", 24, true), R(" b")}},
        ReadCase{"ParameterEndsTheWord", Doc("\\fs30x"), {R("x", "Arial", 30)}},
        ReadCase{"UnknownFontIndexKeepsFont", Doc("\\f2 a\\f9 b"), {R("ab", "Arial Cyr")}},
        ReadCase{"NegativeOrZeroSizeIsDefault", Doc("\\fs-5 a\\fs0 b"), {R("ab")}},
        ReadCase{"UnknownControlWordsIgnored", Doc("\\ul\\cf2\\lang1033\\loch\\af3 a\\ulnone b"), {R("ab")}},
        ReadCase{"NestedGroupsRestoreTheirOwnState", Doc("{{{\\b a{{\\i b}c}d}e}f}g"),
                 {R("a", "Arial", 24, true), R("b", "Arial", 24, true, true), R("cd", "Arial", 24, true), R("efg")}}));

// Hidden text is not shown by a word processor, so it is not part of the document.
INSTANTIATE_TEST_SUITE_P(
    Hidden, RtfReading,
    testing::Values(
        ReadCase{"HiddenGroupLeftOut", Doc("a{\\v hidden}b"), {R("ab")}},
        ReadCase{"V0EndsHiddenText", Doc("a\\v hidden\\v0 b"), {R("ab")}},
        ReadCase{"PlainEndsHiddenText", Doc("a\\v hidden\\plain b"), {R("ab")}},
        ReadCase{"HiddenCharactersOfEveryKind", Doc("a{\\v\\tab\\emdash\\~\\'e9\\u8364?\\line}b"), {R("ab")}},
        ReadCase{"HiddenParagraphMarkJoinsParagraphs", Doc("a{\\v x\\par}b\\par c"), {R("ab\nc")}},
        ReadCase{"HiddenSymbolBytesLeftOut", Doc("\\f1 a{\\v\\'b7}b"), {Sym("ab")}}));

INSTANTIATE_TEST_SUITE_P(
    Breaks, RtfReading,
    testing::Values(
        ReadCase{"ParLineTab", Doc("a\\par b\\line c\\tab d"), {R("a\nb\u2028c\td")}},
        ReadCase{"SectPageRowEndParagraphsCellIsTab", Doc("a\\sect b\\page c\\row d\\cell e"),
                 {R("a\nb\nc\nd\te")}},
        ReadCase{"BareCrLfIgnored", Doc("a\r\nb"), {R("ab")}},
        ReadCase{"BackslashNewlineIsPar", Doc("a\\\nb\\\rc"), {R("a\nb\nc")}},
        ReadCase{"FinalParIsTheLastMark", Doc("a\\par"), {R("a")}},
        ReadCase{"EmptyLastParagraphSurvives", Doc("a\\par\\par"), {R("a\n")}},
        ReadCase{"EscapedBackslashAndBraces", Doc("\\\\ \\{ \\}"), {R("\\ { }")}},
        ReadCase{"NamedCharacters",
                 Doc("\\~\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet\\_\\-x"),
                 {R("\u00a0\u2014\u2013\u2018\u2019\u201c\u201d\u2022\u2011x")}},
        ReadCase{"EmptyDocument", "{\\rtf1}", {}},
        ReadCase{"OnlyAPar", "{\\rtf1\\par}", {}}));

INSTANTIATE_TEST_SUITE_P(
    Unicode, RtfReading,
    testing::Values(
        ReadCase{"DefaultUcSkipsOne", Doc("\\u8364?x"), {R("€x")}},
        ReadCase{"NegativeIsPlus65536", Doc("\\u-3913?"), {R("\uf0b7")}},
        ReadCase{"Uc2SkipsByteAndChar", Doc("{\\uc2\\u228\\'e8a}b"), {R("äb")}},
        ReadCase{"Uc0SkipsNothing", Doc("\\uc0\\u8804 x"), {R("≤x")}},
        ReadCase{"UcRestoredAtGroupEnd", Doc("{\\uc2 \\u228\\'e8a}\\u228?z"), {R("ääz")}},
        ReadCase{"SkipStopsAtGroupEnd", Doc("{\\u228}x"), {R("äx")}},
        ReadCase{"ControlWordIsOneFallback", Doc("{\\uc1\\u228\\tab x}"), {R("äx")}},
        ReadCase{"ParagraphMarkAsFallbackIsSkipped", Doc("a\\u8220\\par b"), {R("a\u201cb")}},
        ReadCase{"SurrogatePair", Doc("\\u-10179?\\u-9047?"), {R("💩")}},
        ReadCase{"DelimiterSpaceIsNotFallback", Doc("\\u-10187 ?\\u-9157 ?"), {R("𝐻")}},
        ReadCase{"UnpairedSurrogate", Doc("\\uc0\\u-10240 x"), {R("\ufffdx")}},
        ReadCase{"MismatchedPair", Doc("\\uc0\\u-9047 \\u-10179 x"), {R("\ufffd\ufffdx")}},
        ReadCase{"PositiveAbove32767", Doc("\\u61623?"), {R("\uf0b7")}}));

INSTANTIATE_TEST_SUITE_P(
    CodePages, RtfReading,
    testing::Values(
        ReadCase{"Cp1252", Doc("\\'e9\\'80"), {R("é€")}},
        ReadCase{"Charset204IsCp1251", Doc("\\f2\\'e0"), {R("а", "Arial Cyr")}},
        ReadCase{"NoCharsetUsesAnsicpg", Doc1251("\\f4\\'e0"), {R("а", "Tahoma")}},
        ReadCase{"DbcsPair", Doc("\\f3\\'82\\'a0"), {R("あ", "MS Gothic")}},
        ReadCase{"DbcsTrailByteAsLiteral", Doc("\\f3\\'94N"), {R("年", "MS Gothic")}},
        ReadCase{"BytesDecodedBeforeFontChange", Doc("\\f2\\'d3\\'e2\\f0\\'e0"),
                 {R("Ув", "Arial Cyr"), R("à")}},
        ReadCase{"CpgWinsOverCharset", Doc("\\f5\\'e1"), {R("α", "Greekish")}},
        ReadCase{"MacHeaderIsMacRoman", "{\\rtf1\\mac{\\fonttbl{\\f0 Times;}}\\f0\\'8e}", {R("é", "Times")}},
        ReadCase{"RawByteInText", Doc("\\f0 \xe9"), {R("é")}},
        ReadCase{"Ansicpg1200FallsBackTo1252",
                 "{\\rtf1\\ansi\\ansicpg1200{\\fonttbl{\\f0\\fnil Calibri;}}\\f0\\'80}", {R("€", "Calibri")}},
        ReadCase{"UndecodableByte", Doc("\\'81x"), {R("\ufffdx")}},
        ReadCase{"IncompleteDbcsPair", Doc("\\f3\\'82}"), {R("\ufffd", "MS Gothic")}},
        ReadCase{"UserDefinedPairIsPrivateUse", DbcsDoc(136, "\\'84\\'68"), {R("\uf0b7", "CJK")}},
        ReadCase{"UserDefinedTrailByteAsLiteral", DbcsDoc(136, "\\'84h"), {R("\uf0b7", "CJK")}},
        ReadCase{"RefusedPairIsOneCharacter", DbcsDoc(136, "\\'a3\\'c5x"), {R("\ufffdx", "CJK")}},
        ReadCase{"LeadByteWithoutTrailByte", DbcsDoc(136, "\\'84 x"), {R("\ufffd x", "CJK")}}));

INSTANTIATE_TEST_SUITE_P(
    Symbols, RtfReading,
    testing::Values(
        ReadCase{"BytesAreCodes", Doc("\\f1\\'b7\\'20\\'ff"), {Sym("\u00b7 \u00ff")}},
        ReadCase{"AsciiIsItsOwnCode", Doc("\\f1 a"), {Sym("a")}},
        ReadCase{"WordFormIsOneCode", Doc("\\f1\\u-3913\\'b7"), {Sym("\u00b7")}},
        ReadCase{"CodePageIgnored", Doc1251("\\f1\\'e0"), {Sym("\u00e0")}},
        ReadCase{"PrivateUseInCatalogueSymbolFace", Doc("\\f6\\u61472\\'3f\\u61623\\'3f"),
                 {Sym(" \u00b7", "Wingdings")}},
        ReadCase{"OtherUnicodeInSymbolRunKept", Doc("\\f1\\u8364?"), {Sym("€")}},
        ReadCase{"ListBulletKeptAsText", Doc("{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\f0 A"),
                 {Sym("\u00b7\t"), R("A")}}));

INSTANTIATE_TEST_SUITE_P(
    FontTables, RtfReading,
    testing::Values(
        ReadCase{"UnbracedEntries",
                 "{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fnil\\fcharset2 Symbol;}\\f1 a\\f0 b}",
                 {Sym("a"), R("b", "Helvetica")}},
        ReadCase{"PanoseAndFaltNotInName",
                 "{\\rtf1{\\fonttbl{\\f0\\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}"
                 "Times New Roman{\\*\\falt TNR};}}\\f0 x}",
                 {R("x", "Times New Roman")}},
        ReadCase{"NameInEntryCodePage",
                 "{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9;}}\\f0 x}",
                 {R("x", "ＭＳ 明朝")}},
        ReadCase{"UnicodeName", "{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset0 Caf\\u233?;}}\\f0 x}", {R("x", "Café")}},
        ReadCase{"UprUsesTheUnicodeCopy",
                 "{\\rtf1{\\upr{\\fonttbl{\\f0\\fnil Ansi;}}{\\*\\ud{\\fonttbl{\\f0\\fnil Uni;}}}}\\f0 x}",
                 {R("x", "Uni")}},
        ReadCase{"OverlongNameCut",
                 "{\\rtf1{\\fonttbl{\\f0 " + std::string(100, 'n') + ";}}\\f0 x}",
                 {R("x", "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn")}},
        ReadCase{"CutNameLosesItsTrailingSpace",
                 "{\\rtf1{\\fonttbl{\\f0   " + std::string(62, 'n') + " tail;}}\\f0 x}",
                 {R("x", "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn")}},
        ReadCase{"UdInSkippedGroupStaysSkipped", Doc("a{\\*\\foo{\\*\\ud b}}c"), {R("ac")}}));

INSTANTIATE_TEST_SUITE_P(
    Destinations, RtfReading,
    testing::Values(
        ReadCase{"StarredGroupSkipped", Doc("a{\\*\\foo bar}b"), {R("ab")}},
        ReadCase{"ColortblStylesheetInfo",
                 Doc("{\\colortbl;\\red0\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}x"),
                 {R("x")}},
        ReadCase{"FieldKeepsItsResult", Doc("{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt link}}"), {R("link")}},
        ReadCase{"BinDataSkipped", Doc("a{\\pict\\bin4 }{\\x}b"), {R("ab")}},
        ReadCase{"BinInTextSkipped", Doc("a\\bin3 {}\\b"), {R("ab")}},
        ReadCase{"HeaderAndFootnoteSkipped", Doc("a{\\header h}{\\footnote f}b"), {R("ab")}},
        ReadCase{"NestedTablePropertiesShowTheirText",
                 Doc("a{\\*\\nesttableprops\\trowd\\cellx100 Total: 42\\nestrow}b"), {R("aTotal: 42\nb")}},
        ReadCase{"NestedTableCellsAndRows",
                 Doc("x\\nestcell y\\nestcell{\\*\\nesttableprops\\trowd\\cellx100\\nestrow}{\\nonesttables\\par}z"),
                 {R("x\ty\t\nz")}},
        ReadCase{"NestedTablePropertiesInSkippedGroupStaySkipped",
                 Doc("a{\\info{\\*\\nesttableprops b}}{\\*\\foo{{\\*\\nesttableprops c}}}d"), {R("ad")}},
        ReadCase{"DeepSkippedGroupsStaySkipped",
                 Doc("a{\\*\\foo" + std::string(3000, '{') + "{\\*\\ud x}" + std::string(3000, '}') + "y}b"),
                 {R("ab")}}));

INSTANTIATE_TEST_SUITE_P(
    Malformed, RtfReading,
    testing::Values(
        ReadCase{"MissingClosingBraces", "{\\rtf1 abc", {R("abc", "Default Face")}},
        ReadCase{"TextAfterFinalBraceIgnored", "{\\rtf1 a}b}", {R("a", "Default Face")}},
        ReadCase{"TruncatedHexEscape", "{\\rtf1 a\\'e", {R("a", "Default Face")}},
        ReadCase{"TruncatedHexEscapeKeepsTheBrace", "{\\rtf1 {a\\'e}b}", {R("ab", "Default Face")}},
        ReadCase{"BinPastTheEnd", "{\\rtf1 a\\bin999999 xyz}", {R("a", "Default Face")}},
        ReadCase{"DeepNesting", "{\\rtf1" + std::string(5000, '{') + "x" + std::string(5001, '}'),
                 {R("x", "Default Face")}},
        ReadCase{"HugeParameterClamped", "{\\rtf1\\fs99999999999 x}", {R("x", "Default Face", 3276)}},
        ReadCase{"HugeNegativeParameter", "{\\rtf1\\u-99999999999 x\\fs-99999999999 y}",
                 {R("y", "Default Face")}},
        ReadCase{"EscapedNulCrLfDropped", "{\\rtf1 a\\'00\\'0d\\'0a\\u13?\\u10?\\u0?b}", {R("ab", "Default Face")}},
        ReadCase{"BackslashAtEnd", "{\\rtf1 a\\", {R("a", "Default Face")}},
        ReadCase{"UnterminatedFontTable", "{\\rtf1{\\fonttbl{\\f0 Arial;}", {}},
        ReadCase{"RichEditTrailer", std::string("{\\rtf1 a}\r\n\0", 12), {R("a", "Default Face")}},
        ReadCase{"LeadingNewline", "\r\n {\\rtf1 a}", {R("a", "Default Face")}}));

TEST(RtfDetection, PrefixDecides) {
  struct Case {
    std::string bytes;
    bool rtf;
  };
  const Case cases[] = {{"{\\rtf1\\ansi x}", true}, {"{\\rtf x}", true},     {"\r\n{\\rtf1 x}", true},
                        {"{\\rtf0 x}", true},        {"", false},             {"foobar", false},
                        {"/{\\rtf1 x}", false},      {"\xEF\xBB\xBF{\\rtf1 x}", false},
                        {"{\\rt", false},            {"{ \\rtf1 x}", false}};
  for (const Case& c : cases) {
    EXPECT_EQ(IsRtf(c.bytes), c.rtf) << c.bytes;
    const LoadResult loaded = LoadDocument(c.bytes, kDefault);
    ASSERT_TRUE(loaded.ok);
    if (!c.rtf) {
      EXPECT_EQ(loaded.text, LoadPlainText(c.bytes, kDefault)) << c.bytes;
    }
  }
}

TEST(RtfDetection, NonRtfDataIsRefusedWithAReason) {
  const LoadResult result = ReadRtf("just text", kDefault);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "The data is not in Rich Text Format.");
}

TEST(RtfEndFormats, EmptyLineKeepsTheFormatOfItsEnd) {
  const LoadResult result = ReadRtf(Doc("a\\par\\f2\\fs40\\b\\par\\f0 b"), kDefault);
  ASSERT_TRUE(result.ok);
  ASSERT_EQ(result.text.lines.size(), 3u);
  EXPECT_TRUE(result.text.lines[1].runs.empty());
  EXPECT_EQ(result.text.lines[1].endFormat, (CharFormat{"Arial Cyr", 40, true, false, CharSetOfNumber(204)}));
}

TEST(RtfCharsets, EachRunKeepsItsFontsCharacterSet) {
  const LoadResult result = ReadRtf(Doc("\\f0 a\\f1 b\\f2 c\\f3 d\\f4 e\\f5 f"), kDefault);
  ASSERT_TRUE(result.ok);
  std::vector<CharSet> charsets;
  for (const StyledRun& run : result.text.lines.at(0).runs) charsets.push_back(run.format.charset);
  // ANSI and no \\fcharset are the default set.
  EXPECT_EQ(charsets, (std::vector<CharSet>{CharSet::Default, CharSet::Symbol, static_cast<CharSet>(204),
                                            static_cast<CharSet>(128), CharSet::Default, CharSet::Default}));
}

}  // namespace
}  // namespace vx
