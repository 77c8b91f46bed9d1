// A plain message box with one OK button, owned by a window of the dialog: MessageBoxW.
#include "windowparts/PlainMessage.h"

#include <windows.h>

#include "platform/win32/WideString.h"

namespace vx {

void ShowPlainMessage(NativeWindow owner, const std::string& text) {
  MessageBoxW(static_cast<HWND>(owner), Widen(text).c_str(), L"Vexoglyph", MB_OK);
}

}  // namespace vx
