// Memo1's control on Windows: documents in through RTF and back out of its character-format runs, symbol codes included.
#include <windows.h>

#include <gtest/gtest.h>

#include "dialog/win32/RichEditControl.h"

namespace vx::test {
namespace {

CharFormat Format(const char* face, int points, bool bold, bool italic, CharSet charset = CharSet::Default) {
  return CharFormat{face, 2 * points, bold, italic, charset};
}

class RichEditControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadRichEditLibrary());
    window_ = CreateWindowExW(0, RichEditClassName(), L"", WS_POPUP | ES_MULTILINE | ES_WANTRETURN, 0, 0, 400, 300,
                              nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    SendMessageW(window_, EM_SETTEXTMODE, TM_RICHTEXT, 0);
  }
  void TearDown() override { DestroyWindow(window_); }
  HWND window_ = nullptr;
};

// What goes in through WriteRtf and EM_STREAMIN comes back from the walk of
// the control's runs: faces, sizes, bold, italic, line ends, and symbol
// characters as their codes although the control holds them as U+F0xx.
TEST_F(RichEditControlTest, DocumentComesBackRunByRun) {
  StyledText document;
  document.lines.resize(3);
  document.lines[0].runs = {{u"Ab", Format("Times New Roman", 30, false, false)},
                            {u"c", Format("Arial", 12, true, false)},
                            {u"\u00e9", Format("Arial", 12, true, true)}};
  document.lines[0].endFormat = Format("Arial", 12, true, true);
  document.lines[1].endFormat = Format("Times New Roman", 45, false, false);
  document.lines[2].runs = {{u"\x61\xE0", Format("Symbol", 20, false, false, CharSet::Symbol)}};
  document.lines[2].endFormat = Format("Symbol", 20, false, false, CharSet::Symbol);
  const auto isSymbolFace = [](const std::string& face) { return face == "Symbol"; };

  RichEditControl control(window_);
  control.SetDocument(document, isSymbolFace);
  EXPECT_EQ(control.Document(), document);
  EXPECT_EQ(control.Text(), u"Abc\u00e9\r\n\r\n\x61\xE0");
  EXPECT_EQ(control.Lines(), (std::vector<std::u16string>{u"Abc\u00e9", u"", u"\uF061\uF0E0"}));
}

// The caret's format is what the run reads for each character: the format
// set at an empty selection is the one typed text takes.
TEST_F(RichEditControlTest, FormatSetAtTheCaretIsTypedWith) {
  RichEditControl control(window_);
  control.Select(0, 0);
  control.SetSelFace("Arial");
  control.SetSelSize(45);
  control.SetSelStyle(true, true);
  SendMessageW(window_, WM_CHAR, L'x', 1);
  control.Select(1, 0);
  EXPECT_EQ(control.SelFormat(), Format("Arial", 45, true, true));
  EXPECT_EQ(control.SelStart(), 1);
  control.Select(0, 1);
  EXPECT_EQ(control.SelLength(), 1);
}

}  // namespace
}  // namespace vx::test
