// The registration window on Windows, driven by messages under Wine over fake AutoCAD installations in a scratch registry.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "dialog/win32/ControlIds.h"
#include "platform/registry/Registry.h"
#include "platform/win32/WideString.h"
#include "setacaddlg/AcadReleases.h"
#include "setacaddlg/win32/SetAcadDlg.h"
#include "tests/dialog/win32/WindowDriver.h"
#include "tests/setacaddlg/FakeAcad.h"

namespace vx::test {
namespace {

namespace ids = win32::setacad;
constexpr std::array<int, kAcadReleases.size()> kBoxes{ids::CheckR14,  ids::CheckR2000, ids::CheckR2002,
                                                        ids::CheckR2004, ids::CheckR2005, ids::CheckR2006};

class SetAcadWindow : public FakeAcad {
 protected:
  // Opens the registration window as the Acad button does, runs inspect on
  // it while it is shown, and returns the modal result.
  int Run(const std::function<void(HWND)>& inspect) {
    HWND window = nullptr;
    WindowScript script;
    script.WaitFor(win32::kSetAcadClass, window).Then([&] {
      EXPECT_TRUE(SetACAD != nullptr && SetACAD->Handle() == window) << "SetACAD is the open window";
      inspect(window);
      return true;
    });
    const int result = ExecSetACAD(nullptr);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(SetACAD, nullptr);
    EXPECT_FALSE(IsWindow(window));
    return result;
  }
};

TEST_F(SetAcadWindow, WithoutAnyReleaseEverythingIsDisabledAndCancelCloses) {
  const int result = Run([](HWND window) {
    EXPECT_EQ(WindowText(window), L"Set AutoCAD ARX command");
    for (std::size_t row = 0; row < kBoxes.size(); ++row) {
      HWND box = GetDlgItem(window, kBoxes[row]);
      EXPECT_FALSE(IsWindowEnabled(box)) << row;
      EXPECT_EQ(WindowText(box), Widen(kAcadReleases[row].notFoundCaption));
    }
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, ids::OkBtn)));
    EXPECT_EQ(WindowText(GetDlgItem(window, ids::CheckCad)), Widen(kNoAcadFoundCaption));
    SaveWindowPicture(window, std::filesystem::path(VX_SCREENSHOT_DIR) / "windows-setacad-none.png");
    PostMessageW(GetDlgItem(window, ids::BitBtn2), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(SetAcadWindow, AFoundReleaseIsOfferedAndOkRegistersIt) {
  Install("R15.0", "ACAD-1:409", "AutoCAD 2002 (English)");
  const int result = Run([](HWND window) {
    HWND found = GetDlgItem(window, ids::CheckR2002);
    EXPECT_TRUE(IsWindowEnabled(found));
    EXPECT_EQ(WindowText(found), L"Call Vexoglyph from  AutoCAD R2002");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, ids::CheckR2000)));
    EXPECT_EQ(WindowText(GetDlgItem(window, ids::CheckR2000)), L"Not found AutoCAD 2000");
    EXPECT_EQ(WindowText(GetDlgItem(window, ids::CheckCad)), L"AutoCAD ARX");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, ids::OkBtn)));
    SendMessageW(found, BM_CLICK, 0, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SaveWindowPicture(window, std::filesystem::path(VX_SCREENSHOT_DIR) / "windows-setacad-2002.png");
    PostMessageW(GetDlgItem(window, ids::OkBtn), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(result, IDOK);
  Registry registry(RegistryRoot::LocalMachine);
  EXPECT_TRUE(registry.OpenKey(std::string(kArxKeyPrefix) + "R15.0", false)) << "the release was registered";
}

}  // namespace
}  // namespace vx::test
