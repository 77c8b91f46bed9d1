// Driving Windows windows from a test: controls by ID, a scripted timer that acts while a modal loop runs, screenshots.
#include "tests/dialog/win32/WindowDriver.h"

#include <objidl.h>  // before GDI+, which needs its COM types
#include <gdiplus.h>

#include <iterator>
#include <memory>
#include <vector>

namespace vx::test {
namespace {

constexpr int kMessageTextId = 0xFFFF;   // the static text of a message box
constexpr int kFileNameComboId = 0x047C; // cmb13: the file name of a file dialog
constexpr int kFileNameEditId = 0x0480;  // edt1: the same in the older layout

// The one script whose timer is running (a test runs one at a time).
WindowScript* activeScript = nullptr;

struct ThreadWindowQuery {
  const wchar_t* className;
  HWND found = nullptr;
};

BOOL CALLBACK MatchThreadWindow(HWND window, LPARAM data) {
  auto* query = reinterpret_cast<ThreadWindowQuery*>(data);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (IsWindowVisible(window) && lstrcmpiW(name, query->className) == 0) {
    query->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CloseThreadWindow(HWND window, LPARAM) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (lstrcmpW(name, L"#32770") == 0) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  } else {
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

bool IsFileDialog(HWND box) {
  return GetDlgItem(box, kFileNameComboId) != nullptr || GetDlgItem(box, kFileNameEditId) != nullptr;
}

// The format of width x height pixels of 32 bits each, top row first.
BITMAPINFO TopDownPixels(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// Screen pixels of a screen rectangle, as 0x00RRGGBB, top row first.
std::vector<unsigned> CopyScreen(const RECT& area, int& width, int& height) {
  width = area.right - area.left;
  height = area.bottom - area.top;
  std::vector<unsigned> pixels;
  if (width <= 0 || height <= 0) return pixels;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = TopDownPixels(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
      GdiFlush();
      const auto* words = static_cast<const unsigned*>(bits);
      pixels.assign(words, words + static_cast<std::size_t>(width) * height);
      for (unsigned& p : pixels) p &= 0x00FFFFFFu;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

bool PngEncoder(CLSID& clsid) {
  UINT count = 0, bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<unsigned char> buffer(bytes);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (lstrcmpW(encoders[i].MimeType, L"image/png") == 0) {
      clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

HWND FindThreadWindow(const wchar_t* className) {
  ThreadWindowQuery query{className};
  EnumThreadWindows(GetCurrentThreadId(), MatchThreadWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND FindSystemDialog() { return FindThreadWindow(L"#32770"); }

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

void PumpMessages(std::chrono::milliseconds duration) {
  const auto end = std::chrono::steady_clock::now() + duration;
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  } while (std::chrono::steady_clock::now() < end);
}

void TypeText(HWND control, const std::wstring& text) {
  for (wchar_t c : text) {
    // Enter reaches a control as the key itself and then as a character.
    if (c == L'\r') SendMessageW(control, WM_KEYDOWN, VK_RETURN, 1);
    SendMessageW(control, WM_CHAR, static_cast<WPARAM>(c), 1);
    if (c == L'\r') SendMessageW(control, WM_KEYUP, VK_RETURN, 0xC0000001);
  }
}

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  const auto add = [&inputs](WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD key : keys) add(key, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) add(*key, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

WindowScript::WindowScript(std::chrono::milliseconds limit)
    : deadline_(std::chrono::steady_clock::now() + limit) {
  activeScript = this;
  timer_ = SetTimer(nullptr, 0, 20, &WindowScript::Tick);
}

WindowScript::~WindowScript() {
  KillTimer(nullptr, timer_);
  if (activeScript == this) activeScript = nullptr;
}

WindowScript& WindowScript::Then(Step step) {
  steps_.push_back(std::move(step));
  return *this;
}

WindowScript& WindowScript::WaitFor(const wchar_t* className, HWND& window) {
  return Then([className, &window] {
    window = FindThreadWindow(className);
    return window != nullptr;
  });
}

WindowScript& WindowScript::AnswerMessageBox(std::wstring* text, int button) {
  return Then([text, button] {
    HWND box = FindSystemDialog();
    if (box == nullptr || IsFileDialog(box)) return false;
    if (text != nullptr) *text = WindowText(GetDlgItem(box, kMessageTextId));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return true;
  });
}

WindowScript& WindowScript::AnswerFileDialog(const std::filesystem::path& path) {
  return Then([path] {
    HWND box = FindSystemDialog();
    if (box == nullptr || !IsFileDialog(box)) return false;
    const int id = GetDlgItem(box, kFileNameComboId) != nullptr ? kFileNameComboId : kFileNameEditId;
    SetDlgItemTextW(box, id, std::filesystem::path(path).make_preferred().wstring().c_str());
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return true;
  });
}

WindowScript& WindowScript::CancelFileDialog() {
  return Then([] {
    HWND box = FindSystemDialog();
    if (box == nullptr || !IsFileDialog(box)) return false;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return true;
  });
}

void CALLBACK WindowScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (activeScript != nullptr) activeScript->RunSteps();
}

void WindowScript::RunSteps() {
  if (std::chrono::steady_clock::now() > deadline_) {
    timedOut_ = true;
    steps_.clear();
    EnumThreadWindows(GetCurrentThreadId(), CloseThreadWindow, 0);
    return;
  }
  // A step may start a modal loop (a click that opens a message box); the
  // ticks inside that loop run the steps after it.
  if (steps_.empty()) return;
  Step step = std::move(steps_.front());
  steps_.pop_front();
  if (!step()) steps_.push_front(std::move(step));
}

ClientPicture CopyClientArea(HWND window) {
  RECT area;
  GetClientRect(window, &area);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
  ClientPicture picture;
  picture.pixels = CopyScreen(area, picture.width, picture.height);
  return picture;
}

ClientPicture CopyIconPixels(HICON icon) {
  ClientPicture picture;
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return picture;
  BITMAP colour{};
  if (info.hbmColor != nullptr && GetObjectW(info.hbmColor, sizeof(colour), &colour) == sizeof(colour)) {
    BITMAPINFO format = TopDownPixels(colour.bmWidth, colour.bmHeight);
    std::vector<unsigned> pixels(static_cast<std::size_t>(colour.bmWidth) * colour.bmHeight);
    HDC screen = GetDC(nullptr);
    if (GetDIBits(screen, info.hbmColor, 0, colour.bmHeight, pixels.data(), &format, DIB_RGB_COLORS) == colour.bmHeight) {
      picture.width = colour.bmWidth;
      picture.height = colour.bmHeight;
      picture.pixels = std::move(pixels);
    }
    ReleaseDC(nullptr, screen);
  }
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return picture;
}

bool SaveWindowPicture(HWND window, const std::filesystem::path& file) {
  RECT area;
  if (!GetWindowRect(window, &area)) return false;
  int width = 0, height = 0;
  std::vector<unsigned> pixels = CopyScreen(area, width, height);
  if (pixels.empty()) return false;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  bool saved = false;
  {
    Gdiplus::Bitmap bitmap(width, height, width * 4, PixelFormat32bppRGB, reinterpret_cast<BYTE*>(pixels.data()));
    CLSID png;
    saved = PngEncoder(png) && bitmap.Save(file.wstring().c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  Gdiplus::GdiplusShutdown(token);
  return saved;
}

}  // namespace vx::test
