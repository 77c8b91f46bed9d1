// Times the Windows text dialog's OK press over the 20,000-character Lorem text (a timed run; run it under Wine).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "dialog/HostExports.h"
#include "dialog/win32/ControlIds.h"
#include "engine/HostQueries.h"
#include "engine/TextLayout.h"
#include "base/Utf.h"
#include "tests/dialog/win32/WindowDriver.h"
#include "tests/support/LoremText.h"

int main() {
  namespace ids = vx::win32::form1;
  std::u16string text = vx::FromUtf8(vx::test::LoremText());
  for (char16_t& unit : text) {
    if (unit == u'\n') unit = u'\r';  // the box's own paragraph break
  }
  const std::wstring wide(text.begin(), text.end());
  for (int run = 0; run < 3; ++run) {
    double seconds = 0;
    HWND form = nullptr;
    vx::test::WindowScript script(std::chrono::minutes(2));
    script.WaitFor(vx::win32::kForm1Class, form).Then([&] {
      SetWindowTextW(GetDlgItem(form, ids::Memo1), wide.c_str());
      const auto start = std::chrono::steady_clock::now();
      SendMessageW(GetDlgItem(form, ids::OkBtn), BM_CLICK, 0, 0);
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      return true;
    });
    const int result = ShowTTFTextDlg(vx::dmHostDefault, 0.0, 0.0);
    std::printf("OK over %zu characters: %.3f s (result %d, %d records)\n", text.size(), seconds, result,
                GetTTFCount());
    FreePointList();
  }
  ShowTTFTextDlg(vx::dmRelease, 0.0, 0.0);
  return 0;
}
