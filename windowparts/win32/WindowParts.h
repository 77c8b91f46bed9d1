// What every Windows window of the product is built from: its class, fonts, child controls and the modal loop.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vx::win32 {

// UTF-16 text as the system's wide strings (the same code units).
inline std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// A check box or push-like button's state.
inline bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
inline void SetChecked(HWND button, bool down) {
  SendMessageW(button, BM_SETCHECK, down ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The module that holds this code: Vexoglyph.DLL inside a host, else the program.
HINSTANCE ModuleInstance();

// Registers the window class once per process, painted in the button-face
// colour. Every class registered here is unregistered when the module
// unloads, so a host can load and unload the library again and again.
void EnsureWindowClass(const wchar_t* name, WNDPROC proc);

// At WM_NCCREATE, keeps the creation parameter in the window's user data
// (where its window procedure finds its object); other messages pass.
inline void KeepCreationParameter(HWND window, UINT message, LPARAM lParam) {
  if (message != WM_NCCREATE) return;
  const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
}

// The window procedure's work for a window that belongs to an object: at
// WM_NCCREATE the object (the creation parameter) is kept in the window's
// user data and learns its handle (handle); every later message goes to the
// object's react. Messages before that get the default handling.
template <class Window>
LRESULT ForwardToObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam, HWND Window::*handle,
                        LRESULT (Window::*react)(UINT, WPARAM, LPARAM)) {
  KeepCreationParameter(window, message, lParam);
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr || message == WM_NCCREATE) {
    if (self != nullptr) self->*handle = window;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return (self->*react)(message, wParam, lParam);
}

// A font of the given character height in pixels ("MS Sans Serif", 11
// pixels, is the windows' own); the caller deletes it.
HFONT MakePixelFont(int pixels, bool bold = false, bool underline = false);

// A child control at x, y of size w × h in its parent's client area, with
// the control ID id and the font.
HWND MakeChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, RECT bounds, int id,
               HFONT font);

// A label (STATIC) at x, y sized to its text in the font, as an auto-sized
// label is; extra styles (SS_NOTIFY for a link) in style.
HWND MakeLabel(HWND parent, const std::wstring& text, int x, int y, int id, HFONT font, DWORD style = 0);

// A top-level window of the class, with the styles, whose client area is clientWidth ×
// clientHeight, centred on the screen (or with its client area's top left
// corner at *at), owned by owner; self is the window's object (ForwardToObject).
HWND MakeTopWindow(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle, int clientWidth,
                   int clientHeight, HWND owner, void* self, const POINT* at = nullptr);

// Runs the window modally on this thread until ended is set: the window is
// shown in the foreground, the owner is disabled meanwhile, every message of
// the thread is dispatched (thread timer messages included, so a host's
// timers keep running) and the window's own keys (Tab, Enter, Esc) work as
// in a dialog box; Enter on a focused push button presses it. A WM_QUIT
// ends the run and is posted again for the caller's loop.
void RunModalLoop(HWND window, HWND owner, const bool& ended);

// The product logo (168 × 168 as designed) drawn into rect.
void DrawLogo(HDC dc, const RECT& rect);

}  // namespace vx::win32
