// Double-byte code pages: a refused pair is one character, user-defined pairs land in the
// private-use area where Windows puts them (the table's agreement with the system converter:
// DoubleByteSystemTest.cpp).
#include <gtest/gtest.h>

#include <string>

#include "richtext/CodePage.h"
#include "richtext/DoubleByteCodePages.h"

namespace vx {
namespace {

struct DecodeCase {
  const char* name;
  int codePage;
  std::string bytes;
  std::u16string expected;
};

std::ostream& operator<<(std::ostream& os, const DecodeCase& c) { return os << c.name; }

class DoubleByteDecoding : public testing::TestWithParam<DecodeCase> {};

TEST_P(DoubleByteDecoding, GivesOneCharacterPerPair) {
  CodePageDecoder decoder;
  std::u16string out;
  decoder.Decode(GetParam().codePage, GetParam().bytes, out);
  EXPECT_EQ(out, GetParam().expected);
}

// The first and last pair of every user-defined block, and pairs around them.
INSTANTIATE_TEST_SUITE_P(
    UserDefined, DoubleByteDecoding,
    testing::Values(
        DecodeCase{"Big5LowBlockAsWritten", 950, "\x84\x68", u"\uF0B7"},
        DecodeCase{"Big5FirstBlockStart", 950, "\xFA\x40", u"\uE000"},
        DecodeCase{"Big5FirstBlockEnd", 950, "\xFE\xFE", u"\uE310"},
        DecodeCase{"Big5SecondBlockStart", 950, "\x8E\x40", u"\uE311"},
        DecodeCase{"Big5SecondBlockEnd", 950, "\xA0\xFE", u"\uEEB7"},
        DecodeCase{"Big5ThirdBlockStart", 950, "\x81\x40", u"\uEEB8"},
        DecodeCase{"Big5ThirdBlockUpperTrails", 950, "\x81\xA1", u"\uEEF7"},
        DecodeCase{"Big5ThirdBlockEnd", 950, "\x8D\xFE", u"\uF6B0"},
        DecodeCase{"Big5FourthBlock", 950, "\xC6\xA1\xC8\xFE", u"\uF6B1\uF848"},
        DecodeCase{"ShiftJisBlock", 932, "\xF0\x40\xF9\xFC", u"\uE000\uE757"},
        DecodeCase{"GbkFirstBlock", 936, "\xAA\xA1\xAF\xFE", u"\uE000\uE233"},
        DecodeCase{"GbkSecondBlock", 936, "\xF8\xA1\xFE\xFE", u"\uE234\uE4C5"},
        DecodeCase{"GbkThirdBlockSkipsTrail7F", 936, "\xA1\x40\xA1\x80\xA7\xA0", u"\uE4C6\uE505\uE765"},
        DecodeCase{"UhcBlocks", 949, "\xC9\xA1\xC9\xFE\xFE\xA1\xFE\xFE", u"\uE000\uE05D\uE05E\uE0BB"},
        DecodeCase{"MacJapaneseUsesShiftJis", 10001, "\xF0\x41", u"\uE001"}));

INSTANTIATE_TEST_SUITE_P(
    Refused, DoubleByteDecoding,
    testing::Values(
        DecodeCase{"UnassignedPairIsOneReplacement", 950, "\xA3\xC5x", u"\uFFFDx"},
        DecodeCase{"LeadWithoutTrailStandsAlone", 950, "\x84 x", u"\uFFFD x"},
        DecodeCase{"LeadAtTheEnd", 950, "x\x84", u"x\uFFFD"},
        DecodeCase{"TrailOutsideTheBlockIsNoUserCharacter", 949, "\xC9\x41", u"\uFFFD"},
        DecodeCase{"SingleByteCodePageOneByteEach", 1253, "\xAA\xD2x", u"\uFFFD\uFFFDx"},
        DecodeCase{"GoodTextAroundIt", 950, "\xA4\x40\xFA\x40\xA4\x40", u"\u4E00\uE000\u4E00"}));

}  // namespace
}  // namespace vx
