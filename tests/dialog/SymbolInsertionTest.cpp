// The palette's insertion steps on a small model of the rich-text box.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "dialog/SymbolInsertion.h"

namespace vx {
namespace {

// A one-line box: characters with their face and charset, a selection, and
// the format the next inserted text receives.
class ModelBox : public SymbolInsertionTarget {
 public:
  struct Char {
    char16_t code;
    std::string face;
    CharSet charset;
  };
  std::vector<Char> chars;
  int start = 0, length = 0;
  std::string face = "Arial";
  CharSet charset = CharSet::Default;
  bool failOnSymbol = false;

  int SelStart() const override { return start; }
  void Select(int s, int l) override {
    start = s;
    length = l;
  }
  void ReplaceSelection(const std::u16string& text) override {
    if (failOnSymbol && charset == CharSet::Symbol) throw std::runtime_error("refused");
    chars.erase(chars.begin() + start, chars.begin() + start + length);
    for (char16_t c : text) chars.insert(chars.begin() + start++, Char{c, face, charset});
    length = 0;
  }
  std::string CaretFace() const override { return face; }
  CharSet CaretCharset() const override { return charset; }
  void SetCaretFaceAndCharset(const std::string& f, CharSet c) override {
    face = f;
    charset = c;
  }
  std::u16string Text() const {
    std::u16string text;
    for (const Char& c : chars) text += c.code;
    return text;
  }
};

ModelBox BoxWith(const std::u16string& text) {
  ModelBox box;
  box.ReplaceSelection(text);
  return box;
}

TEST(SymbolInsertion, AtTheCaretGivesSpaceSymbolSpaceAndTheFormerFace) {
  ModelBox box = BoxWith(u"ab");
  box.Select(1, 0);
  InsertSymbol(box, 0x47, "Wingdings", CharSet::Symbol);
  EXPECT_EQ(box.Text(), u"a G b");
  EXPECT_EQ(box.start, 4);
  EXPECT_EQ(box.length, 0);
  EXPECT_EQ(box.chars[1].face, "Arial");
  EXPECT_EQ(box.chars[2].face, "Wingdings");
  EXPECT_EQ(box.chars[2].charset, CharSet::Symbol);
  EXPECT_EQ(box.chars[3].face, "Arial");
  EXPECT_EQ(box.chars[3].charset, CharSet::Default);
  EXPECT_EQ(box.face, "Arial");
  EXPECT_EQ(box.charset, CharSet::Default);
}

TEST(SymbolInsertion, ASelectionStaysAndTheSymbolGoesBeforeIt) {
  ModelBox box = BoxWith(u"xyz");
  box.Select(1, 2);
  InsertSymbol(box, 0xFE, "Wingdings", CharSet::Symbol);
  EXPECT_EQ(box.Text(), u"x \u00FE yz");
  EXPECT_EQ(box.start, 4);
  EXPECT_EQ(box.length, 0);
}

TEST(SymbolInsertion, CodesAreTakenAsCharacterNumbersAndRepeatedInsertionsAddUp) {
  ModelBox box;
  InsertSymbol(box, 32, "Wingdings", CharSet::Symbol);
  EXPECT_EQ(box.Text(), u"   ");
  InsertSymbol(box, 0x80, "Wingdings", CharSet::Symbol);
  InsertSymbol(box, 0x80, "Wingdings", CharSet::Symbol);
  EXPECT_EQ(box.Text(), u"    \u0080  \u0080 ");
  EXPECT_EQ(box.start, 9);
}

TEST(SymbolInsertion, AFailureStillRestoresTheCaretFormat) {
  ModelBox box = BoxWith(u"ab");
  box.charset = CharSet::Default;
  box.failOnSymbol = true;
  EXPECT_THROW(InsertSymbol(box, 0x47, "Wingdings", CharSet::Symbol), std::runtime_error);
  EXPECT_EQ(box.face, "Arial");
  EXPECT_EQ(box.charset, CharSet::Default);
}

}  // namespace
}  // namespace vx
