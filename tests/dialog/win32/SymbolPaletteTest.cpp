// The symbol palette on Windows under Wine: 224 cells by ID, fitting, selection frames, insertion and scrolling.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dialog/win32/ControlIds.h"
#include "dialog/win32/SymbolPalette.h"
#include "tests/dialog/win32/WindowDriver.h"

namespace vx {
namespace {

using win32::SymbolPalette;
namespace form1 = win32::form1;

// The editor as the insertion sees it: one run of text with the face and
// character set of each character, and the format at the caret.
class RecordingEditor : public SymbolInsertionTarget {
 public:
  struct Character {
    char16_t code;
    std::string face;
    CharSet charset;
  };
  std::vector<Character> text;
  int selStart = 0;
  std::string face = "Arial";
  CharSet charset = CharSet::Default;

  int SelStart() const override { return selStart; }
  void Select(int start, int) override { selStart = start; }
  void ReplaceSelection(const std::u16string& inserted) override {
    for (char16_t code : inserted) text.insert(text.begin() + selStart++, {code, face, charset});
  }
  std::string CaretFace() const override { return face; }
  CharSet CaretCharset() const override { return charset; }
  void SetCaretFaceAndCharset(const std::string& newFace, CharSet newCharset) override {
    face = newFace;
    charset = newCharset;
  }
};

class Palette : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 50, 50, 261, 700, nullptr, nullptr, nullptr,
                            nullptr);
    ASSERT_NE(host_, nullptr);
    palette_ = std::make_unique<SymbolPalette>(host_, RECT{0, 0, 261, 700}, [this] { ++steps_; });
    test::PumpMessages(std::chrono::milliseconds(200));
  }
  void TearDown() override {
    palette_.reset();
    DestroyWindow(host_);
  }
  void Click(int code) {
    SendMessageW(palette_->Cell(code), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(palette_->Cell(code), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  // The cell's top left pixel, copied from the screen once Wine has shown
  // what was painted: black where its frame is drawn.
  unsigned Corner(int code) {
    test::PumpMessages(std::chrono::milliseconds(100));
    return test::CopyClientArea(palette_->Cell(code)).At(0, 0);
  }

  HWND host_ = nullptr;
  std::unique_ptr<SymbolPalette> palette_;
  int steps_ = 0;
};

TEST_F(Palette, HasACellForEachCodeInRowsOfFour) {
  EXPECT_EQ(steps_, 224) << "one step of the start-up window's bar per cell";
  HWND box = palette_->ScrollBox();
  EXPECT_EQ(GetDlgItem(host_, form1::ScrollBox2), box);
  for (int code = 32; code <= 255; ++code) {
    HWND cell = GetDlgItem(box, form1::SymbolCell(code));
    ASSERT_NE(cell, nullptr) << code;
    RECT place;
    GetWindowRect(cell, &place);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
    const int k = code - 32;
    EXPECT_EQ(place.left, 60 * (k % 4)) << code;
    EXPECT_EQ(place.top, 60 * (k / 4)) << code;
    EXPECT_EQ(place.right - place.left, 60);
  }
  EXPECT_EQ(palette_->Cell(31), nullptr);
  EXPECT_EQ(palette_->Cell(256), nullptr);
}

TEST_F(Palette, CellsDrawTheirCodesGlyphInTheSymbolFace) {
  palette_->ApplySymbolFont("Wingdings");
  test::PumpMessages(std::chrono::milliseconds(300));
  // The first rows are in view: the cell of 'G' shows Wingdings' hand, a
  // glyph of the face's symbol character map, in blue.
  const int code = 'G';
  const test::ClientPicture cell = test::CopyClientArea(palette_->Cell(code));
  int blue = 0;
  for (unsigned pixel : cell.pixels) blue += pixel == 0x0000FF;
  EXPECT_GT(blue, 100) << "the glyph is drawn in blue";
  test::SaveWindowPicture(host_, std::filesystem::path(VX_SCREENSHOT_DIR) / "windows-palette.png");
}

TEST_F(Palette, AClickFramesOneCellAtATime) {
  const unsigned background = Corner('!');
  Click('!');
  EXPECT_EQ(palette_->SelectedCode(), '!');
  EXPECT_EQ(Corner('!'), 0x000000u);
  Click(32);  // the blank cell is selected like any other
  EXPECT_EQ(palette_->SelectedCode(), 32);
  EXPECT_EQ(Corner(32), 0x000000u);
  EXPECT_EQ(Corner('!'), background);
  EXPECT_NE(background, 0x000000u);
}

TEST_F(Palette, ADoubleClickInsertsTheSelectedSymbolBetweenSpaces) {
  RecordingEditor editor;
  palette_->ApplySymbolFont("Wingdings");
  palette_->onDoubleClick = [&] { palette_->InsertSelected(editor); };
  SendMessageW(palette_->Cell(0xB0), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(editor.text.empty()) << "nothing is selected yet";

  Click(0xB0);
  SendMessageW(palette_->Cell(0xB0), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  ASSERT_EQ(editor.text.size(), 3u);
  EXPECT_EQ(editor.text[0].code, u' ');
  EXPECT_EQ(editor.text[0].face, "Arial");
  EXPECT_EQ(editor.text[1].code, 0xB0);
  EXPECT_EQ(editor.text[1].face, "Wingdings");
  EXPECT_EQ(editor.text[1].charset, CharSet::Symbol);
  EXPECT_EQ(editor.text[2].code, u' ');
  EXPECT_EQ(editor.selStart, 3);
  EXPECT_EQ(editor.face, "Arial") << "typing goes on in the former face";
  EXPECT_EQ(editor.charset, CharSet::Default);
}

TEST_F(Palette, ScrollsVerticallyThroughAllRows) {
  HWND box = palette_->ScrollBox();
  SendMessageW(box, WM_VSCROLL, SB_BOTTOM, 0);
  RECT client;
  GetClientRect(box, &client);
  RECT last;
  GetWindowRect(palette_->Cell(255), &last);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&last), 2);
  EXPECT_EQ(last.bottom, client.bottom) << "the last row ends at the box's bottom";
  SendMessageW(box, WM_VSCROLL, SB_TOP, 0);
  RECT first;
  GetWindowRect(palette_->Cell(32), &first);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&first), 2);
  EXPECT_EQ(first.top, 0);
}

}  // namespace
}  // namespace vx
