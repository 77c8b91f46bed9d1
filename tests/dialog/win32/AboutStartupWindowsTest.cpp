// The about box and the start-up window on Windows, driven by messages under Wine: controls, links, help, keys, progress.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialog/HelpFile.h"
#include "dialog/ShellOpen.h"
#include "dialog/win32/ControlIds.h"
#include "dialog/win32/InitProgress.h"
#include "dialog/win32/MyAbout.h"
#include "platform/ExePath.h"
#include "platform/win32/WideString.h"
#include "tests/dialog/win32/WindowDriver.h"
#include "tests/support/FileBytes.h"

namespace vx {
namespace {

namespace about = win32::aboutdlg;
namespace form2 = win32::form2;
using test::WindowScript;
using test::WindowText;

const std::filesystem::path kScreenshots = VX_SCREENSHOT_DIR;

// Replaces the launcher by a recorder for the life of the object.
class RecordingLauncher {
 public:
  RecordingLauncher() {
    previous_ = SetShellLauncher([this](const std::string& target, NativeWindow owner) {
      opened.push_back(target);
      owners.push_back(static_cast<HWND>(owner));
    });
  }
  ~RecordingLauncher() { SetShellLauncher(previous_); }
  std::vector<std::string> opened;
  std::vector<HWND> owners;

 private:
  ShellLauncher previous_;
};

// A click as the mouse makes it, on a control's top left corner.
void Click(HWND control) {
  SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

class AboutBox : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::remove(ExecutableDir() + kHelpFileName); }
};

TEST_F(AboutBox, ShowsTheProductAndItsLinksWhileAboutDlgPointsAtIt) {
  RecordingLauncher launcher;
  HWND box = nullptr;
  bool seenLive = false;
  WindowScript script;
  script.WaitFor(win32::kAboutClass, box).Then([&] {
    seenLive = AboutDLG != nullptr && AboutDLG->Handle() == box;
    EXPECT_EQ(WindowText(box), L"About Vexoglyph");
    RECT client;
    GetClientRect(box, &client);
    EXPECT_EQ(client.right, 417);
    EXPECT_EQ(client.bottom, 282);
    EXPECT_EQ(WindowText(GetDlgItem(box, about::Label1)), L"Vexoglyph");
    EXPECT_EQ(WindowText(GetDlgItem(box, about::Label5)), L"Verson 1.9.1");
    EXPECT_EQ(WindowText(GetDlgItem(box, about::Label12)), L"Download new verson !");
    EXPECT_EQ(WindowText(GetDlgItem(box, about::Button1)), L"&Ok");
    EXPECT_EQ(WindowText(GetDlgItem(box, about::Label6)), Widen(HelpTarget()));
    test::SaveWindowPicture(box, kScreenshots / "windows-about.png");
    for (int link : {about::Label6, about::Label10, about::Label12}) Click(GetDlgItem(box, link));
    EXPECT_EQ(test::FindSystemDialog(), nullptr) << "a link shows no message";
    PostMessageW(GetDlgItem(box, about::Button1), BM_CLICK, 0, 0);
    return true;
  });
  RunAboutBox(nullptr);
  EXPECT_TRUE(script.Finished());
  EXPECT_TRUE(seenLive);
  EXPECT_EQ(AboutDLG, nullptr);
  EXPECT_FALSE(IsWindow(box));
  const std::vector<std::string> expected{HelpTarget(), HelpTarget(kSupportSection), HelpTarget(kNewVersionsSection)};
  EXPECT_EQ(launcher.opened, expected);
  EXPECT_EQ(launcher.owners, std::vector<HWND>(3, box));
}

TEST_F(AboutBox, EnterAndEscCloseItAndEachPressBuildsANewBox) {
  for (const UINT key : {VK_RETURN, VK_ESCAPE}) {
    HWND box = nullptr;
    WindowScript script;
    script.WaitFor(win32::kAboutClass, box).Then([&] {
      HWND focus = GetFocus();
      PostMessageW(focus, WM_KEYDOWN, key, 0);
      PostMessageW(focus, WM_KEYUP, key, 0);
      return true;
    });
    RunAboutBox(nullptr);
    EXPECT_TRUE(script.Finished()) << "key " << key;
    EXPECT_FALSE(script.TimedOut()) << "key " << key;
    EXPECT_EQ(AboutDLG, nullptr);
  }
}

TEST_F(AboutBox, ItsHelpButtonReportsAMissingHelpFileAndOpensAPresentOne) {
  RecordingLauncher launcher;
  std::wstring message;
  WindowScript script;
  HWND box = nullptr;
  script.WaitFor(win32::kAboutClass, box)
      .Then([&] {
        PostMessageW(GetDlgItem(box, about::BitBtn1), BM_CLICK, 0, 0);
        return true;
      })
      .AnswerMessageBox(&message)
      .Then([&] {
        // A copy of the help file beside the program is opened, with the box as owner.
        test::WriteFileBytes(ExecutableDir() + kHelpFileName, "ITSF");
        SendMessageW(GetDlgItem(box, about::BitBtn1), BM_CLICK, 0, 0);
        PostMessageW(GetDlgItem(box, about::Button1), BM_CLICK, 0, 0);
        return true;
      });
  RunAboutBox(nullptr);
  std::filesystem::remove(ExecutableDir() + kHelpFileName);
  EXPECT_TRUE(script.Finished());
  EXPECT_EQ(message, L"Not found Vexoglyph.chm !");
  EXPECT_EQ(launcher.opened, std::vector<std::string>{HelpFilePath()});
  EXPECT_EQ(launcher.owners, std::vector<HWND>{box});
}

TEST(StartupWindow, ShowsThreePhasesAndIsGoneWhenClosed) {
  TForm2* window = OpenStartupWindow(nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Form2, window);
  HWND handle = window->Handle();
  EXPECT_TRUE(IsWindowVisible(handle));
  EXPECT_EQ(GetWindowLongW(handle, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0) << "no border";
  RECT client;
  GetClientRect(handle, &client);
  EXPECT_EQ(client.right, 372);
  EXPECT_EQ(client.bottom, 186);
  POINT origin{0, 0};
  ClientToScreen(handle, &origin);
  EXPECT_EQ(origin.x, 239);
  EXPECT_EQ(origin.y, 176);
  EXPECT_EQ(WindowText(handle), L"Initializing");
  EXPECT_EQ(WindowText(GetDlgItem(handle, form2::Label1)), L"initialize font");
  EXPECT_EQ(WindowText(GetDlgItem(handle, form2::Label2)), L"initialize symbol font");
  EXPECT_EQ(WindowText(GetDlgItem(handle, form2::Label3)), L"initialize symbol");
  EXPECT_EQ(WindowText(GetDlgItem(handle, form2::Label5)), L"Vexoglyph V1.8");

  HWND bar = GetDlgItem(handle, form2::ProgressBar3);
  window->ShowCaption(form2::Label3, L"initializing symbol");
  window->StartBar(form2::ProgressBar3, 224);
  for (int cell = 0; cell < 224; ++cell) window->StepBar(form2::ProgressBar3);
  EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 224) << "full at the end of its phase";
  EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 224);
  EXPECT_EQ(WindowText(GetDlgItem(handle, form2::Label3)), L"initializing symbol");
  test::SaveWindowPicture(handle, kScreenshots / "windows-startup.png");

  CloseStartupWindow();
  EXPECT_EQ(Form2, nullptr);
  EXPECT_FALSE(IsWindow(handle));
}

}  // namespace
}  // namespace vx
