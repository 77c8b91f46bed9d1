// What every Windows window of the dialog is built from: its class, fonts, child controls and the modal loop.
#include "windowparts/win32/WindowParts.h"

#include <cmath>
#include <mutex>
#include <vector>

#include "windowparts/LogoOutline.h"

namespace vx::win32 {
namespace {

// The classes this module registered; unregistered when the module unloads
// (the destructor of this static object runs then).
class RegisteredClasses {
 public:
  ~RegisteredClasses() {
    for (const std::wstring& name : names_) UnregisterClassW(name.c_str(), ModuleInstance());
  }
  void Ensure(const wchar_t* name, WNDPROC proc) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const std::wstring& known : names_) {
      if (known == name) return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    if (RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) names_.push_back(name);
  }

 private:
  std::mutex mutex_;
  std::vector<std::wstring> names_;
};

RegisteredClasses& Classes() {
  static RegisteredClasses classes;
  return classes;
}

}  // namespace

HINSTANCE ModuleInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
  return module;
}

void EnsureWindowClass(const wchar_t* name, WNDPROC proc) { Classes().Ensure(name, proc); }

HFONT MakePixelFont(int pixels, bool bold, bool underline) {
  return CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Sans Serif");
}

HWND MakeChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, RECT bounds, int id,
               HFONT font) {
  HWND child = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                               bounds.left, bounds.top, bounds.right, bounds.bottom, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(), nullptr);
  if (child != nullptr && font != nullptr) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

HWND MakeLabel(HWND parent, const std::wstring& text, int x, int y, int id, HFONT font, DWORD style) {
  SIZE size{0, 0};
  if (HDC dc = GetDC(parent)) {
    HGDIOBJ old = SelectObject(dc, font);
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(parent, dc);
  }
  return MakeChild(parent, L"STATIC", text, SS_LEFT | SS_NOPREFIX | style, {x, y, size.cx, size.cy}, id, font);
}

HWND MakeTopWindow(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle, int clientWidth,
                   int clientHeight, HWND owner, void* self, const POINT* at) {
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  int x = 0;
  int y = 0;
  if (at != nullptr) {
    x = at->x + frame.left;
    y = at->y + frame.top;
  } else {
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  return CreateWindowExW(exStyle, className, title.c_str(), style, x, y, width, height, owner,
                         nullptr, ModuleInstance(), self);
}

namespace {

// Whether no window has the foreground: none, or the desktop itself (where
// Alt+F4 would end the whole session).
bool ForegroundIsNobodys() {
  HWND foreground = GetForegroundWindow();
  return foreground == nullptr || foreground == GetDesktopWindow();
}

// Enter on a focused push button of the window presses it, as Space does;
// true when the message was that key.
bool PressFocusedButton(HWND window, const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
  HWND focused = GetFocus();
  if (focused == nullptr || !IsChild(window, focused)) return false;
  const LRESULT code = SendMessageW(focused, WM_GETDLGCODE, 0, 0);
  if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) == 0) return false;
  SendMessageW(focused, BM_CLICK, 0, 0);
  return true;
}

}  // namespace

void RunModalLoop(HWND window, HWND owner, const bool& ended) {
  const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(window, SW_SHOWNORMAL);
  // In front at every showing, also in a host without an active window of
  // its own: keys then reach the window, never the desktop behind it.
  SetForegroundWindow(window);
  UpdateWindow(window);
  MSG message;
  while (!ended && IsWindow(window)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0) break;
    // The window system may hand the foreground to nobody late, while
    // waiting for a message (for an earlier showing's hiding): the window
    // takes it back before any message is handled. Another program's window
    // in front is left there.
    if (IsWindowVisible(window) && IsWindowEnabled(window) && ForegroundIsNobodys()) SetForegroundWindow(window);
    if (PressFocusedButton(window, message)) continue;
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (ownerWasEnabled) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
}

void DrawLogo(HDC dc, const RECT& rect) {
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const double scale = (rect.right - rect.left) / kLogoDrawnSize;
  POINT corners[kLogoOutline.size()];
  for (std::size_t i = 0; i < kLogoOutline.size(); ++i) {
    corners[i] = {rect.left + static_cast<LONG>(std::lround(kLogoOutline[i].x * scale)),
                  rect.top + static_cast<LONG>(std::lround(kLogoOutline[i].y * scale))};
  }
  HPEN outlinePen = CreatePen(PS_SOLID, 3, RGB(0, 0, 160));
  HBRUSH fill = CreateSolidBrush(RGB(210, 225, 255));
  HGDIOBJ oldPen = SelectObject(dc, outlinePen);
  HGDIOBJ oldBrush = SelectObject(dc, fill);
  Polygon(dc, corners, static_cast<int>(kLogoOutline.size()));
  HPEN markPen = CreatePen(PS_SOLID, 1, RGB(200, 0, 0));
  SelectObject(dc, markPen);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int half = std::max(1, static_cast<int>(std::lround(3 * scale)));
  for (const POINT& corner : corners) Rectangle(dc, corner.x - half, corner.y - half, corner.x + half, corner.y + half);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(outlinePen);
  DeleteObject(markPen);
  DeleteObject(fill);
}

}  // namespace vx::win32
