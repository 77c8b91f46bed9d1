// The Windows text dialog driven by messages: modes and release, typing and formatting, the run in every mode, settings.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "dialog/DialogSettings.h"
#include "dialog/FormGeometry.h"
#include "dialog/win32/ControlIds.h"
#include "dialog/win32/MainDlg.h"
#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "engine/TextLayout.h"
#include "tests/dialog/PictureChecks.h"
#include "tests/dialog/win32/WindowDriver.h"
#include "tests/platform/registry/ScratchRegistry.h"
#include "tests/platform/fonts/OutlineReferences.h"
#include "tests/support/DxfReader.h"
#include "tests/dialog/MixedStyleCases.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GlyphLines.h"
#include "tests/support/TempFolder.h"

namespace vx::test {
namespace {

namespace ids = vx::win32::form1;
using std::chrono::milliseconds;

HWND Control(HWND form, int id) { return GetDlgItem(form, id); }
void Click(HWND form, int id) { SendMessageW(Control(form, id), BM_CLICK, 0, 0); }
bool Shown(HWND form, int id) { return IsWindowVisible(Control(form, id)) != FALSE; }

// Every test starts without a dialog, with a registry of its own.
class WindowsTextDialog : public ::testing::Test {
 protected:
  void TearDown() override { ShowTTFTextDlg(dmRelease, 0.0, 0.0); }

  // Shows the dialog in mode while the script acts on it; the script's first
  // step waits for the window and keeps it in form_.
  int Show(WindowScript& script, int mode, double height = 0.0, double widthFactor = 0.0) {
    const int result = ShowTTFTextDlg(mode, height, widthFactor);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(script.Finished());
    return result;
  }

  TempFolder folder_;
  ScratchRegistry registry_{folder_.folder()};
  HWND form_ = nullptr;
};

struct ModeCase {
  int mode;
  const wchar_t* title;
  const wchar_t* ok;
  const wchar_t* cancel;
  bool sizeBoxesAndAcad;
  bool minimizeBox;
};

class DialogModes : public WindowsTextDialog, public ::testing::WithParamInterface<ModeCase> {};

// Each showing mode on a new dialog: its title, captions, controls and border
// icons; Cancel closes it with 0.
TEST_P(DialogModes, SetTitleCaptionsControlsAndBorderIcons) {
  const ModeCase& c = GetParam();
  std::wstring title, ok, cancel, memoClass;
  bool sizeBoxes = false, acad = false;
  LONG_PTR style = 0, memoStyle = 0;
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    title = WindowText(form_);
    ok = WindowText(Control(form_, ids::OkBtn));
    cancel = WindowText(Control(form_, ids::CancelBtn));
    sizeBoxes = Shown(form_, ids::Panel5) && Shown(form_, ids::cHeight) && Shown(form_, ids::cWidth);
    acad = Shown(form_, ids::AcadBtn);
    style = GetWindowLongPtrW(form_, GWL_STYLE);
    wchar_t name[64] = {};
    GetClassNameW(Control(form_, ids::Memo1), name, 64);
    memoClass = name;
    memoStyle = GetWindowLongPtrW(Control(form_, ids::Memo1), GWL_STYLE);
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(script, c.mode, 2.5, 0.8), 0);
  EXPECT_EQ(title, c.title);
  EXPECT_EQ(ok, c.ok);
  EXPECT_EQ(cancel, c.cancel);
  EXPECT_EQ(sizeBoxes, c.sizeBoxesAndAcad);
  EXPECT_EQ(acad, c.sizeBoxesAndAcad);
  EXPECT_EQ((style & WS_MINIMIZEBOX) != 0, c.minimizeBox);
  EXPECT_NE(style & WS_MAXIMIZEBOX, 0);
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_EQ(CompareStringOrdinal(memoClass.c_str(), -1, L"RICHEDIT50W", -1, TRUE), CSTR_EQUAL) << memoClass;
  EXPECT_NE(memoStyle & ES_MULTILINE, 0);
  EXPECT_NE(memoStyle & ES_WANTRETURN, 0);
  ASSERT_NE(Form1, nullptr);
  EXPECT_EQ(Form1->FMode, c.mode);
  if (c.mode == dmHostSized) {
    EXPECT_EQ(Form1->FHostHeight, 2.5);
    EXPECT_EQ(Form1->FHostWidthFactor, 0.8);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EachMode, DialogModes,
    ::testing::Values(ModeCase{dmHostDefault, L"Input Text [Vexoglyph v1.9]", L"OK", L"Cancel", false, false},
                      ModeCase{dmHostSized, L"Input Text [Vexoglyph v1.9]", L"OK", L"Cancel", false, false},
                      ModeCase{dmStandalone, L"Vexoglyph V1.9", L"Save to dxf...", L"Close", true, true}),
    [](const ::testing::TestParamInfo<ModeCase>& info) {
      return std::string(info.param.mode == dmHostDefault ? "HostDefault"
                         : info.param.mode == dmHostSized ? "HostSized"
                                                          : "Standalone");
    });

// The form's tooltip window, found among the thread's windows.
struct TipsSearch {
  HWND owner;
  HWND tips = nullptr;
};

BOOL CALLBACK FindTips(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TipsSearch*>(data);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (GetWindow(window, GW_OWNER) != search->owner || std::wstring(name) != TOOLTIPS_CLASSW) return TRUE;
  search->tips = window;
  return FALSE;
}

// The hint a control of form shows, read from the form's tooltip window;
// empty when the control has none.
std::wstring HintOf(HWND form, int id) {
  TipsSearch search{form};
  EnumThreadWindows(GetCurrentThreadId(), &FindTips, reinterpret_cast<LPARAM>(&search));
  if (search.tips == nullptr) return L"(no tooltip window)";
  wchar_t text[128] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(Control(form, id));
  tool.lpszText = text;
  SendMessageW(search.tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
  return text;
}

// The controls show their hints; OkBtn's follows the mode (none in the host
// modes).
TEST_F(WindowsTextDialog, ControlsShowTheirHintsAndOkBtnsFollowsTheMode) {
  std::wstring standaloneOk, hostOk, bold, height, preview;
  WindowScript standalone;
  standalone.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    standaloneOk = HintOf(form_, ids::OkBtn);
    bold = HintOf(form_, ids::sbBold);
    height = HintOf(form_, ids::cHeight);
    preview = HintOf(form_, ids::PreviewBox);
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(standalone, dmStandalone), 0);
  WindowScript host;
  host.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    hostOk = HintOf(form_, ids::OkBtn);
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(host, dmHostDefault), 0);
  EXPECT_EQ(standaloneOk, L"Save text outline to DXF file");
  EXPECT_EQ(bold, L"Bold font");
  EXPECT_EQ(height, L"Font height");
  EXPECT_EQ(preview, L"Preview");
  EXPECT_EQ(hostOk, L"");
}

// The picture buttons draw the pictures both views share, the captions
// staying their window texts and, without a hint of their own, their hints.
TEST_F(WindowsTextDialog, PictureButtonsDrawTheSharedPictures) {
  struct Case {
    int id;
    ButtonPicture picture;
    const wchar_t* caption;
    const wchar_t* hint;
  };
  struct Seen {
    bool pictureStyle = false;
    ClientPicture pixels;
    std::wstring text, hint;
  };
  const Case buttons[] = {{ids::SpeedButton1, ButtonPicture::OpenFile, L"Open", L"Open text file"},
                          {ids::SpeedButton2, ButtonPicture::SaveFile, L"Save", L"Save text to file"},
                          {ids::sbSymbol, ButtonPicture::SymbolList, L"Symbols", L"Open symbol list"},
                          {ids::About, ButtonPicture::About, L"About", L"About"},
                          {ids::AcadBtn, ButtonPicture::Acad, L"Acad", L"Acad"}};
  std::vector<Seen> seen;
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    for (const Case& button : buttons) {
      HWND control = Control(form_, button.id);
      Seen& it = seen.emplace_back();
      it.pictureStyle = (GetWindowLongPtrW(control, GWL_STYLE) & BS_ICON) != 0;
      it.pixels = CopyIconPixels(reinterpret_cast<HICON>(SendMessageW(control, BM_GETIMAGE, IMAGE_ICON, 0)));
      it.text = WindowText(control);
      it.hint = HintOf(form_, button.id);
    }
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(script, dmStandalone), 0);
  ASSERT_EQ(seen.size(), std::size(buttons));
  for (std::size_t k = 0; k < seen.size(); ++k) {
    SCOPED_TRACE(buttons[k].caption);
    EXPECT_TRUE(seen[k].pictureStyle);
    EXPECT_EQ(seen[k].text, buttons[k].caption);
    EXPECT_EQ(seen[k].hint, buttons[k].hint);
    ASSERT_EQ(seen[k].pixels.width, kButtonPictureSize);
    ASSERT_EQ(seen[k].pixels.height, kButtonPictureSize);
    ExpectDrawnAsDescribed(buttons[k].picture, [&](int x, int y) { return seen[k].pixels.At(x, y); });
  }
}

// One instance across calls: a host-mode call hides the size boxes and Acad
// for good, a stand-alone call brings the minimize box back, and the close
// box ends a call with 0 as Cancel does.
TEST_F(WindowsTextDialog, LaterCallsKeepTheInstanceAndWhatEarlierModesHid) {
  WindowScript host;
  host.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    PostMessageW(form_, WM_CLOSE, 0, 0);
    return true;
  });
  EXPECT_EQ(Show(host, dmHostSized, 2.5, 0.8), 0);
  TForm1* first = Form1;
  bool sizeBoxes = true, minimizeBox = false;
  WindowScript standalone;
  standalone.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    sizeBoxes = Shown(form_, ids::Panel5) || Shown(form_, ids::AcadBtn);
    minimizeBox = (GetWindowLongPtrW(form_, GWL_STYLE) & WS_MINIMIZEBOX) != 0;
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(standalone, dmStandalone), 0);
  EXPECT_EQ(Form1, first);
  EXPECT_FALSE(sizeBoxes);
  EXPECT_TRUE(minimizeBox);
  WindowScript hostDefault;
  hostDefault.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(hostDefault, dmHostDefault), 0);
  EXPECT_EQ(Form1->FHostHeight, 2.5);  // left as the sized call set it
}

// Every value other than the three showing modes releases the dialog; a
// release with no dialog shows nothing.
TEST_F(WindowsTextDialog, EveryOtherModeValueReleases) {
  EXPECT_EQ(ShowTTFTextDlg(dmRelease, 0.0, 0.0), 0);
  EXPECT_EQ(FindSystemDialog(), nullptr);
  EXPECT_EQ(Form1, nullptr);
  for (int mode : {2, 7, -2}) {
    SCOPED_TRACE(mode);
    WindowScript script;
    script.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
      Click(form_, ids::CancelBtn);
      return true;
    });
    EXPECT_EQ(Show(script, dmHostDefault), 0);
    HWND window = Form1->Handle();
    EXPECT_EQ(ShowTTFTextDlg(mode, 0.0, 0.0), 0);
    EXPECT_EQ(Form1, nullptr);
    EXPECT_FALSE(IsWindow(window));
  }
}

// A host's timer may release the dialog while it is shown: the showing call
// returns 0 and the dialog is gone afterwards.
TEST_F(WindowsTextDialog, ReleaseDuringTheModalRunEndsItAndDestroysTheDialog) {
  int inner = -1;
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    inner = ShowTTFTextDlg(7, 0.0, 0.0);
    return true;
  });
  EXPECT_EQ(Show(script, dmHostDefault), 0);
  EXPECT_EQ(inner, 0);
  EXPECT_EQ(Form1, nullptr);
  EXPECT_FALSE(IsWindow(form_));
}

// Typing into Memo1 and the formatting controls act on the selection and
// come back into line with it.
TEST_F(WindowsTextDialog, FormattingControlsFollowAndSetTheSelection) {
  CharFormat afterBold, afterSize;
  std::wstring label, heightBox;
  int precision = 0;
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    HWND memo = Control(form_, ids::Memo1);
    TypeText(memo, L"Ab");
    SendMessageW(memo, EM_SETSEL, 0, -1);
    Click(form_, ids::sbBold);
    afterBold = RichEditControl(memo).SelFormat();
    // A pick from cHeight's list applies at once.
    HWND height = Control(form_, ids::cHeight);
    SendMessageW(form_, WM_COMMAND, MAKEWPARAM(ids::cHeight, CBN_DROPDOWN), reinterpret_cast<LPARAM>(height));
    SendMessageW(height, CB_SETCURSEL, 9, 0);  // "45"
    SendMessageW(form_, WM_COMMAND, MAKEWPARAM(ids::cHeight, CBN_SELCHANGE), reinterpret_cast<LPARAM>(height));
    afterSize = RichEditControl(memo).SelFormat();
    heightBox = WindowText(height);
    HWND track = Control(form_, ids::TrackBar1);
    SendMessageW(track, TBM_SETPOS, TRUE, 17);
    SendMessageW(form_, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 17), reinterpret_cast<LPARAM>(track));
    label = WindowText(Control(form_, ids::Label1));
    precision = gPrecision;
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(script, dmStandalone), 0);
  EXPECT_TRUE(afterBold.bold);
  EXPECT_EQ(afterBold.face, "Times New Roman");
  EXPECT_EQ(afterSize.WholePoints(), 45);
  EXPECT_EQ(heightBox, L"45");
  EXPECT_FALSE(Form1->FHeightDropped);
  EXPECT_EQ(label, L"17");
  EXPECT_EQ(precision, 17);
}

// A style button on a selection of mixed styles: every character takes the
// other flag of the selection's first character, as in the Qt view.
TEST_F(WindowsTextDialog, ItalicOnAPartlyBoldSelectionFollowsItsFirstCharacter) {
  for (const auto& c : vx::test::kItalicOnPartlyBold) {
    SCOPED_TRACE(c.what);
    std::string styles;
    WindowScript script;
    script.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
      HWND memo = Control(form_, ids::Memo1);
      RichEditControl box(memo);
      TypeText(memo, L"abcd");
      box.Select(c.boldFrom, 2);
      Click(form_, ids::sbBold);
      box.Select(0, 4);
      Click(form_, ids::sbItalic);
      for (int at = 0; at < 4; ++at) {
        box.Select(at, 1);
        const CharFormat style = box.SelFormat();
        if (at > 0) styles += ' ';
        styles += vx::test::StyleLetters(style.bold, style.italic);
      }
      Click(form_, ids::CancelBtn);
      return true;
    });
    EXPECT_EQ(Show(script, dmStandalone), 0);
    EXPECT_EQ(styles, c.styles);
  }
}

// What is wrong with the form's layout now: each visible control that leaves
// the client area, and each pair of visible controls that overlap (the
// panels, which frame the controls they hold, apart).
std::vector<std::string> LayoutFaults(HWND form) {
  const std::pair<int, const char*> controls[] = {
      {ids::SpeedButton1, "SpeedButton1"}, {ids::SpeedButton2, "SpeedButton2"}, {ids::sbSymbol, "sbSymbol"},
      {ids::Label5, "Label5"},             {ids::cHeight, "cHeight"},           {ids::Label4, "Label4"},
      {ids::cWidth, "cWidth"},             {ids::Label6, "Label6"},             {ids::Label1, "Label1"},
      {ids::TrackBar1, "TrackBar1"},       {ids::About, "About"},               {ids::Label3, "Label3"},
      {ids::cName, "cName"},               {ids::sbItalic, "sbItalic"},         {ids::sbBold, "sbBold"},
      {ids::Memo1, "Memo1"},               {ids::Label2, "Label2"},             {ids::cSymbol, "cSymbol"},
      {ids::ScrollBox2, "ScrollBox2"},     {ids::Panel4, "Panel4"},             {ids::AcadBtn, "AcadBtn"},
      {ids::SpeedButton3, "SpeedButton3"}, {ids::bInsSym, "bInsSym"},           {ids::OkBtn, "OkBtn"},
      {ids::CancelBtn, "CancelBtn"}};
  RECT client;
  GetClientRect(form, &client);
  std::vector<std::pair<RECT, std::string>> shown;
  std::vector<std::string> faults;
  for (const auto& [id, name] : controls) {
    HWND control = Control(form, id);
    if (!IsWindowVisible(control)) continue;
    RECT at;
    GetWindowRect(control, &at);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&at), 2);
    if (at.left < 0 || at.top < 0 || at.right > client.right || at.bottom > client.bottom || at.right <= at.left ||
        at.bottom <= at.top) {
      faults.push_back(std::string(name) + " outside the client area");
    }
    for (const auto& [other, otherName] : shown) {
      RECT common;
      if (IntersectRect(&common, &at, &other)) faults.push_back(std::string(name) + " overlaps " + otherName);
    }
    shown.emplace_back(at, name);
  }
  return faults;
}

// At every size down to the smallest, maximized too, and with the palette
// closed or open, every control lies inside the client area apart from the
// others; a request below the smallest size gets the smallest.
TEST_F(WindowsTextDialog, EveryControlStaysVisibleAndApartAtEverySize) {
  const SIZE sizes[] = {{100, 100}, {vx::form_geometry::kMinClientWidth, vx::form_geometry::kMinClientHeight},
                        {700, 420}, {TForm1::kClientWidth, TForm1::kClientHeight}, {1300, 900}};
  std::vector<std::string> faults;
  SIZE smallest{};
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(form_, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(form_, GWL_EXSTYLE));
    for (const bool palette : {false, true}) {
      if (palette) Click(form_, ids::sbSymbol);
      const auto check = [&](const std::string& what) {
        for (const std::string& fault : LayoutFaults(form_)) {
          faults.push_back(what + (palette ? ", palette open: " : ": ") + fault);
        }
      };
      for (const SIZE size : sizes) {
        RECT frame{0, 0, size.cx, size.cy};
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
        SetWindowPos(form_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client;
        GetClientRect(form_, &client);
        if (size.cx == 100) smallest = {client.right, client.bottom};
        check(std::to_string(size.cx) + " x " + std::to_string(size.cy));
      }
      ShowWindow(form_, SW_MAXIMIZE);
      check("maximized");
      ShowWindow(form_, SW_RESTORE);
    }
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(script, dmStandalone), 0);
  EXPECT_EQ(faults, std::vector<std::string>{});
  EXPECT_GE(smallest.cx, vx::form_geometry::kMinClientWidth);
  EXPECT_GE(smallest.cy, vx::form_geometry::kMinClientHeight);
}

// Leaving cHeight applies its number to the selection; leaving cWidth with a
// value that cannot be used puts the default width factor back.
// A repaired box takes the focus back.
TEST_F(WindowsTextDialog, LeavingTheSizeBoxesAppliesOrRepairsThem) {
  CharFormat afterHeight;
  std::wstring widthBox;
  bool widthRefocused = false;
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    HWND memo = Control(form_, ids::Memo1);
    TypeText(memo, L"Ab");
    SendMessageW(memo, EM_SETSEL, 0, -1);
    HWND height = Control(form_, ids::cHeight);
    SetFocus(height);
    SetWindowTextW(height, L"60");
    SetFocus(memo);
    afterHeight = RichEditControl(memo).SelFormat();
    HWND width = Control(form_, ids::cWidth);
    SetFocus(width);
    SetWindowTextW(width, L"-1");
    SetFocus(memo);
    widthBox = WindowText(width);
    PumpMessages(milliseconds(50));
    const HWND focused = GetFocus();
    widthRefocused = focused == width || IsChild(width, focused);
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(script, dmStandalone), 0);
  EXPECT_EQ(afterHeight.WholePoints(), 60);
  EXPECT_EQ(widthBox, L"0.65");
  EXPECT_TRUE(widthRefocused);
}

// The keyboard through the system's input: entering Memo1 by Tab keeps its
// caret (no select-all), Tab in it types a tab, Ctrl+Tab and Ctrl+Shift+Tab
// leave it for the next and the previous control, and Enter presses the
// focused button (OK converts and closes with 1).
TEST_F(WindowsTextDialog, KeyboardLeavesAndEntersTheEditorAndPressesTheFocusedButton) {
  HWND memo = nullptr, before = nullptr;
  DWORD caretAfterTab = 0, selectionEnd = 0;
  HWND focusAfterTab = nullptr, focusAfterCtrlTab = nullptr, focusAfterCtrlShiftTab = nullptr;
  std::wstring textAfterTab, textAfterCtrlTabs;
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_)
      .Then([&] {
        memo = Control(form_, ids::Memo1);
        TypeText(memo, L"Ab");
        SendMessageW(memo, EM_SETSEL, 1, 1);
        before = GetNextDlgTabItem(form_, memo, TRUE);
        SetFocus(before);
        PressKeys({VK_TAB});
        return true;
      })
      .Then([&] {
        focusAfterTab = GetFocus();
        SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&caretAfterTab), reinterpret_cast<LPARAM>(&selectionEnd));
        PressKeys({VK_TAB});
        return true;
      })
      .Then([&] {
        textAfterTab = WindowText(memo);
        PressKeys({VK_CONTROL, VK_TAB});
        return true;
      })
      .Then([&] {
        focusAfterCtrlTab = GetFocus();
        SetFocus(memo);
        PressKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
        return true;
      })
      .Then([&] {
        focusAfterCtrlShiftTab = GetFocus();
        textAfterCtrlTabs = WindowText(memo);
        SetFocus(Control(form_, ids::OkBtn));
        PressKeys({VK_RETURN});
        return true;
      });
  EXPECT_EQ(Show(script, dmHostSized, 2.5, 0.8), 1);
  EXPECT_EQ(focusAfterTab, memo);
  EXPECT_EQ(caretAfterTab, 1u);
  EXPECT_EQ(selectionEnd, 1u);
  EXPECT_EQ(textAfterTab, L"A\tb");
  EXPECT_NE(focusAfterCtrlTab, memo);
  EXPECT_EQ(focusAfterCtrlTab, GetNextDlgTabItem(form_, memo, FALSE));
  EXPECT_EQ(focusAfterCtrlShiftTab, before);
  EXPECT_EQ(textAfterCtrlTabs, L"A\tb");
  EXPECT_GT(GetTTFCount(), 0);
  FreePointList();
}

// Enter on a focused Cancel presses Cancel: the showing ends with 0.
TEST_F(WindowsTextDialog, EnterOnTheFocusedCancelButtonCancels) {
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    TypeText(Control(form_, ids::Memo1), L"Ab");
    SetFocus(Control(form_, ids::CancelBtn));
    PressKeys({VK_RETURN});
    return true;
  });
  EXPECT_EQ(Show(script, dmHostSized, 2.5, 0.8), 0);
}

// The palette opens with sbSymbol; a clicked cell goes into Memo1 at each
// press of bInsSym, framed by spaces, in the palette's symbol face.
TEST_F(WindowsTextDialog, PaletteInsertsTheSelectedSymbol) {
  std::u16string text;
  CharFormat symbolFormat, typedFormat;
  bool shown = false;
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    Click(form_, ids::sbSymbol);
    shown = Shown(form_, ids::Panel2) && Shown(form_, ids::ScrollBox2) && Shown(form_, ids::bInsSym);
    HWND cell = GetDlgItem(Control(form_, ids::ScrollBox2), ids::SymbolCell(0x61));
    SendMessageW(cell, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    SendMessageW(cell, WM_LBUTTONUP, 0, MAKELPARAM(30, 30));
    Click(form_, ids::bInsSym);
    Click(form_, ids::bInsSym);
    RichEditControl memo(Control(form_, ids::Memo1));
    text = memo.Text();
    memo.Select(1, 1);
    symbolFormat = memo.SelFormat();
    memo.Select(static_cast<int>(text.size()), 0);
    typedFormat = memo.SelFormat();
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(script, dmStandalone), 0);
  EXPECT_TRUE(shown);
  EXPECT_EQ(text, u" a  a ");
  EXPECT_EQ(symbolFormat.charset, CharSet::Symbol);
  EXPECT_NE(symbolFormat.face, "Times New Roman");
  EXPECT_EQ(typedFormat.face, "Times New Roman");
  EXPECT_EQ(typedFormat.charset, CharSet::Default);
}

// Copy offers the selection as RTF and as Unicode text; Paste takes it back.
TEST_F(WindowsTextDialog, ClipboardCarriesRtfAndUnicodeText) {
  bool rtf = false, unicode = false;
  std::wstring text;
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    HWND memo = Control(form_, ids::Memo1);
    TypeText(memo, L"Ab\u00e9");
    SendMessageW(memo, EM_SETSEL, 0, 3);
    SendMessageW(form_, WM_COMMAND, MAKEWPARAM(ids::Copy1, 0), 0);
    rtf = IsClipboardFormatAvailable(RegisterClipboardFormatW(L"Rich Text Format")) != FALSE;
    unicode = IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    SendMessageW(memo, EM_SETSEL, -1, -1);
    SendMessageW(form_, WM_COMMAND, MAKEWPARAM(ids::Paste1, 0), 0);
    text = WindowText(memo);
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(script, dmStandalone), 0);
  EXPECT_TRUE(rtf);
  EXPECT_TRUE(unicode);
  EXPECT_EQ(text, L"Ab\u00e9Ab\u00e9");
}

// Paste is offered for every format the box pastes: rich text alone too.
TEST_F(WindowsTextDialog, TheContextMenuPastesRichTextAlone) {
  UINT pasteState = MF_GRAYED;
  std::wstring text;
  CharFormat pasted;
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0\\fs40\\b r}";
    HGLOBAL bytes = GlobalAlloc(GMEM_MOVEABLE, rtf.size() + 1);
    std::memcpy(GlobalLock(bytes), rtf.c_str(), rtf.size() + 1);
    GlobalUnlock(bytes);
    if (OpenClipboard(form_)) {
      EmptyClipboard();
      SetClipboardData(RegisterClipboardFormatW(L"Rich Text Format"), bytes);
      CloseClipboard();
    }
    Form1->PopupMenu1Popup();
    pasteState = GetMenuState(Form1->PopupMenu1, ids::Paste1, MF_BYCOMMAND);
    SendMessageW(form_, WM_COMMAND, MAKEWPARAM(ids::Paste1, 0), 0);
    HWND memo = Control(form_, ids::Memo1);
    text = WindowText(memo);
    RichEditControl box(memo);
    box.Select(0, 1);
    pasted = box.SelFormat();
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(script, dmStandalone), 0);
  EXPECT_EQ(pasteState & MF_GRAYED, 0u);
  EXPECT_EQ(text, L"r");
  EXPECT_TRUE(pasted.bold);
  EXPECT_EQ(pasted.WholePoints(), 20);
}

// OK in a host mode converts the typed text into the store and closes with
// 1; an empty box says "No text to convert!" and stays open.
TEST_F(WindowsTextDialog, HostModeOkConvertsAndClosesEmptyTextIsRefused) {
  std::wstring message;
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_)
      .Then([&] {
        Click(form_, ids::OkBtn);  // opens the message box; the next step answers it
        return true;
      })
      .AnswerMessageBox(&message)
      .Then([&] {
        TypeText(Control(form_, ids::Memo1), L"Ab\rc");
        Click(form_, ids::OkBtn);
        return true;
      });
  EXPECT_EQ(Show(script, dmHostSized, 2.5, 0.8), 1);
  EXPECT_EQ(message, L"No text to convert!");
  EXPECT_EQ(GetStrokeCount(), 0);  // a store walk starts with GetFirstTTFPoint
  EXPECT_GT(GetTTFCount(), 10);
  EXPECT_NEAR(GetTTFBottom(), -3.0 - 0.1, 0.2);  // "c" on the second line, 1.2 x 2.5 below
  FreePointList();
}

// The stand-alone OK saves the text as DXF through the file dialog and keeps
// the dialog open.
TEST_F(WindowsTextDialog, StandaloneOkSavesADxfAndStaysOpen) {
  const std::string path = folder_.Path("text.dxf");
  bool stillShown = false;
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_)
      .Then([&] {
        TypeText(Control(form_, ids::Memo1), L"Ab");
        Click(form_, ids::OkBtn);
        return true;
      })
      .AnswerFileDialog(std::filesystem::u8path(path))
      .Then([&] {
        stillShown = IsWindowVisible(form_) != FALSE;
        Click(form_, ids::CancelBtn);
        return true;
      });
  EXPECT_EQ(Show(script, dmStandalone), 0);
  EXPECT_TRUE(stillShown);
  std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  const DxfDrawing drawing = ReadDxf(bytes.str());
  EXPECT_EQ(drawing.error, "");
  EXPECT_EQ(drawing.polylines.size(), 4u);  // A and b: two contours each
}

// An RTF document opened in the stand-alone dialog and saved with OK draws
// what the Linux program draws for the same file (its reference outlines),
// each glyph within 1 % of the cell height.
TEST_F(WindowsTextDialog, StandaloneSaveOfAnRtfMatchesTheLinuxProgram) {
  const OutlineReference& reference = kOutlineReferences[0];  // DejaVu Sans, regular
  std::string rtf = std::string("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss ") + reference.face +
                    ";}}\\f0\\fs" + std::to_string(static_cast<int>(2 * kReferenceHeight)) + " ";
  const std::vector<std::string> lines = GlyphTableLines(kReferenceCharacters);
  for (std::size_t i = 0; i < lines.size(); ++i) rtf += (i == 0 ? "" : "\\par ") + lines[i];
  const std::string document = folder_.Path("table.rtf");
  WriteFileBytes(document, rtf + "}");
  const std::string path = folder_.Path("table.dxf");
  WindowScript script;
  script.WaitFor(vx::win32::kForm1Class, form_)
      .Then([&] {
        Click(form_, ids::SpeedButton1);
        return true;
      })
      .AnswerFileDialog(std::filesystem::u8path(document))
      .Then([&] {
        SetWindowTextW(Control(form_, ids::cWidth), L"0.8");
        HWND track = Control(form_, ids::TrackBar1);
        SendMessageW(track, TBM_SETPOS, TRUE, kReferencePrecision);
        SendMessageW(form_, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, kReferencePrecision),
                     reinterpret_cast<LPARAM>(track));
        Click(form_, ids::OkBtn);
        return true;
      })
      .AnswerFileDialog(std::filesystem::u8path(path))
      .Then([&] {
        Click(form_, ids::CancelBtn);
        return true;
      });
  EXPECT_EQ(Show(script, dmStandalone), 0);
  const std::string saved = ReadFileBytes(path);
  ASSERT_EQ(ReadDxf(saved).error, "");
  ExpectMatchesOutlineReference(saved, reference, std::string("stand-alone dialog, ") + reference.face);
}

// The five settings are written at close and read back at the next show;
// fresh settings give precision 8 and the box's own face.
TEST_F(WindowsTextDialog, SettingsAreWrittenAtCloseAndReadAtShow) {
  std::wstring freshFace, label, firstSymbolFace;
  LRESULT firstSymbol = -1;
  WindowScript first;
  first.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    freshFace = WindowText(Control(form_, ids::cName));
    firstSymbol = SendMessageW(Control(form_, ids::cSymbol), CB_GETCURSEL, 0, 0);
    firstSymbolFace = WindowText(Control(form_, ids::cSymbol));
    label = WindowText(Control(form_, ids::Label1));
    HWND track = Control(form_, ids::TrackBar1);
    SendMessageW(track, TBM_SETPOS, TRUE, 5);
    SendMessageW(form_, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 5), reinterpret_cast<LPARAM>(track));
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(first, dmHostDefault), 0);
  EXPECT_EQ(freshFace, L"Times New Roman");
  // Without a stored symbol face the palette opens on the one that fills it
  // most: not Wine's Marlett, first in the list with a few glyphs.
  EXPECT_EQ(firstSymbolFace, L"Symbol");
  EXPECT_EQ(label, L"8");
  const DialogSettings written = ReadDialogSettings("unused");
  EXPECT_EQ(written.precision, 5);
  EXPECT_EQ(written.symbolIndex, firstSymbol);
  EXPECT_EQ(written.fontName, "Times New Roman");
  EXPECT_FALSE(written.showSymbol);
  EXPECT_FALSE(written.maximized);

  DialogSettings stored = written;
  stored.precision = 40;
  stored.showSymbol = true;
  stored.maximized = true;
  ASSERT_TRUE(WriteDialogSettings(stored));
  bool paletteShown = false, maximized = false;
  WindowScript second;
  second.WaitFor(vx::win32::kForm1Class, form_).Then([&] {
    PumpMessages(milliseconds(50));
    maximized = IsZoomed(form_) != FALSE;
    label = WindowText(Control(form_, ids::Label1));
    paletteShown = Shown(form_, ids::Panel2) && Shown(form_, ids::bInsSym);
    Click(form_, ids::CancelBtn);
    return true;
  });
  EXPECT_EQ(Show(second, dmStandalone), 0);
  EXPECT_EQ(label, L"32");
  EXPECT_TRUE(paletteShown);
  EXPECT_TRUE(maximized);
  EXPECT_TRUE(ReadDialogSettings("unused").maximized);  // closed while maximized
}

}  // namespace
}  // namespace vx::test
