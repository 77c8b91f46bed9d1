// The Wine session's display: windows show on it, a RichEdit control takes typed text, a script answers message boxes.
#include <gtest/gtest.h>
#include <richedit.h>

#include "tests/dialog/win32/WindowDriver.h"

namespace vx::test {
namespace {

// Windows need a display; the session gives Wine its own, and lets Wine
// place windows without a window manager.
TEST(WindowSession, RichEditShowsOnTheDisplayAndTakesTypedText) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", 0, KEY_READ, &key), ERROR_SUCCESS);
  wchar_t managed[8] = {};
  DWORD size = sizeof(managed);
  EXPECT_EQ(RegQueryValueExW(key, L"Managed", nullptr, nullptr, reinterpret_cast<BYTE*>(managed), &size), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_STREQ(managed, L"N");

  ASSERT_NE(LoadLibraryW(L"Msftedit.dll"), nullptr);
  HWND window = CreateWindowExW(0, L"STATIC", L"session", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr) << "error " << GetLastError();
  HWND edit = CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 0, 0, 280,
                              150, window, nullptr, nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  SetFocus(edit);
  TypeText(edit, L"Ab\rc");
  PumpMessages(std::chrono::milliseconds(50));
  EXPECT_EQ(WindowText(edit), L"Ab\r\nc");  // WM_GETTEXT spells the paragraph break CR LF
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(CopyClientArea(window).width, 300 - 2 * GetSystemMetrics(SM_CXSIZEFRAME));
  DestroyWindow(window);
}

TEST(WindowSession, ScriptAnswersAMessageBoxShownInsideIt) {
  std::wstring text;
  WindowScript script;
  script.AnswerMessageBox(&text);
  EXPECT_EQ(MessageBoxW(nullptr, L"No text to convert!", L"Vexoglyph", MB_OK), IDOK);
  EXPECT_TRUE(script.Finished());
  EXPECT_FALSE(script.TimedOut());
  EXPECT_EQ(text, L"No text to convert!");
}

}  // namespace
}  // namespace vx::test
