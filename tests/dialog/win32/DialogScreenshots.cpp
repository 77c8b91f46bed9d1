// Writes a picture of the Windows text dialog in each mode, copied from the session's screen, into the build folder.
#include <windows.h>

#include <gtest/gtest.h>

#include "dialog/HostExports.h"
#include "dialog/win32/ControlIds.h"
#include "engine/TextLayout.h"
#include "tests/dialog/win32/WindowDriver.h"

namespace vx::test {
namespace {

namespace ids = vx::win32::form1;

TEST(WindowsDialogScreenshots, EachModeIsWrittenAsPng) {
  const std::filesystem::path folder = std::filesystem::u8path(VX_SCREENSHOT_DIR);
  std::filesystem::create_directories(folder);
  const struct {
    int mode;
    bool palette;
    const char* file;
  } shots[] = {{dmHostDefault, false, "windows-dialog-host-default.png"},
               {dmHostSized, false, "windows-dialog-host-sized.png"},
               {dmStandalone, false, "windows-dialog-standalone.png"},
               {dmStandalone, true, "windows-dialog-standalone-palette.png"}};
  for (const auto& shot : shots) {
    // A fresh dialog per mode, so the stand-alone picture shows its own controls.
    ShowTTFTextDlg(dmRelease, 0.0, 0.0);
    bool written = false;
    HWND form = nullptr;
    WindowScript script;
    script.WaitFor(vx::win32::kForm1Class, form).Then([&] {
      if (shot.palette) SendMessageW(GetDlgItem(form, ids::sbSymbol), BM_CLICK, 0, 0);
      TypeText(GetDlgItem(form, ids::Memo1), L"Ab\rc");
      PumpMessages(std::chrono::milliseconds(300));
      written = SaveWindowPicture(form, folder / shot.file);
      SendMessageW(GetDlgItem(form, ids::sbSymbol), BM_SETCHECK, BST_UNCHECKED, 0);
      SendMessageW(GetDlgItem(form, ids::CancelBtn), BM_CLICK, 0, 0);
      return true;
    });
    ShowTTFTextDlg(shot.mode, 2.5, 0.8);
    EXPECT_TRUE(written) << shot.file;
  }
  ShowTTFTextDlg(dmRelease, 0.0, 0.0);
}

}  // namespace
}  // namespace vx::test
