// TAboutDLG on Windows: the about box with the product's name, version, copyright, links and help.
#include "dialog/win32/MyAbout.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

#include "dialog/HelpFile.h"
#include "dialog/ShellOpen.h"
#include "dialog/win32/ControlIds.h"
#include "windowparts/win32/WindowParts.h"
#include "platform/ProductVersion.h"
#include "platform/win32/WideString.h"

VX_EXPORT TAboutDLG* AboutDLG = nullptr;

namespace {

namespace ids = vx::win32::aboutdlg;
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
constexpr COLORREF kNameRed = RGB(255, 0, 0);

// Controls standing on the white panel.
bool OnPanel(int id) { return id >= ids::Panel1 && id <= ids::Label10; }

}  // namespace

TAboutDLG::TAboutDLG() {
  vx::win32::EnsureWindowClass(vx::win32::kAboutClass, &TAboutDLG::Procedure);
  font_ = vx::win32::MakePixelFont(11);
  nameFont_ = vx::win32::MakePixelFont(32, true);
  versionFont_ = vx::win32::MakePixelFont(13, true);
  linkFont_ = vx::win32::MakePixelFont(11, false, true);
  downloadFont_ = vx::win32::MakePixelFont(13, false, true);
  window_ = vx::win32::MakeTopWindow(vx::win32::kAboutClass, L"About Vexoglyph", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                     WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, 417, 282, nullptr, this);
  if (window_ == nullptr) {
    ReleaseFonts();
    throw std::runtime_error("the about box cannot be made");
  }
  Build();
}

TAboutDLG::~TAboutDLG() {
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = nullptr;
  }
  ReleaseFonts();
}

void TAboutDLG::ReleaseFonts() {
  for (HFONT* font : {&font_, &nameFont_, &versionFont_, &linkFont_, &downloadFont_}) {
    if (*font != nullptr) DeleteObject(*font);
    *font = nullptr;
  }
}

void TAboutDLG::Build() {
  using vx::win32::MakeChild;
  using vx::win32::MakeLabel;
  // The panel's controls stand at the panel's place (8, 8) plus their own.
  HWND panel = MakeChild(window_, L"STATIC", L"", SS_SUNKEN, {8, 8, 401, 217}, ids::Panel1, font_);
  MakeChild(window_, L"STATIC", L"", SS_OWNERDRAW, {9, 9, 168, 168}, ids::Image1, font_);
  MakeChild(window_, L"STATIC", L"Vexoglyph", SS_LEFT, {200, 32, 186, 37}, ids::Label1, nameFont_);
  // Kept misspelt ("Verson"): users know the text so.
  MakeLabel(window_, L"Verson " VX_VERSION, 311, 72, ids::Label5, versionFont_);
  MakeLabel(window_, L"Copyright (C) Kestrow", 197, 136, ids::Label2, font_);
  MakeLabel(window_, L"All rights reserved.", 304, 152, ids::Label3, font_);
  MakeChild(window_, L"STATIC", L"", SS_ETCHEDHORZ, {8, 176, 401, 9}, ids::Bevel1, font_);
  // The links show their own addresses: the manual beside the program is
  // the product's site, and its sections answer support and update questions.
  for (auto [id, target, y] : {std::tuple{ids::Label6, vx::HelpTarget(), 188},
                                std::tuple{ids::Label10, vx::HelpTarget(vx::kSupportSection), 204}}) {
    HWND link = MakeLabel(window_, vx::Widen(target), 56, y, id, linkFont_, SS_NOTIFY | SS_PATHELLIPSIS);
    RECT bounds;
    GetWindowRect(link, &bounds);
    // A long address ends inside the panel, shortened in its middle.
    SetWindowPos(link, nullptr, 0, 0, std::min<int>(bounds.right - bounds.left, 401 - 48 - 2), bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowPos(panel, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // Kept misspelt ("verson"): users know the text so.
  MakeLabel(window_, L"Download new verson !", 8, 256, ids::Label12, downloadFont_, SS_NOTIFY);
  HWND help = MakeChild(window_, L"BUTTON", L"?", BS_PUSHBUTTON | BS_ICON | WS_TABSTOP, {264, 248, 27, 25},
                        ids::BitBtn1, font_);
  SendMessageW(help, BM_SETIMAGE, IMAGE_ICON,
               reinterpret_cast<LPARAM>(LoadImageW(nullptr, reinterpret_cast<LPCWSTR>(IDI_QUESTION), IMAGE_ICON, 16,
                                                   16, LR_SHARED)));
  HWND ok = MakeChild(window_, L"BUTTON", L"&Ok", BS_DEFPUSHBUTTON | WS_TABSTOP, {304, 248, 99, 25}, ids::Button1,
                      font_);
  SetFocus(ok);
}

void TAboutDLG::ShowModal(HWND owner) {
  ended_ = false;
  vx::win32::RunModalLoop(window_, owner, ended_);
  ShowWindow(window_, SW_HIDE);
}

void TAboutDLG::BitBtn1Click() { vx::OpenHelpFile(window_); }
void TAboutDLG::Label6Click() { vx::ShellOpen(vx::HelpTarget(), window_); }
void TAboutDLG::Label10Click() { vx::ShellOpen(vx::HelpTarget(vx::kSupportSection), window_); }
void TAboutDLG::Label12Click() { vx::ShellOpen(vx::HelpTarget(vx::kNewVersionsSection), window_); }

LRESULT CALLBACK TAboutDLG::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return vx::win32::ForwardToObject(window, message, wParam, lParam, &TAboutDLG::window_, &TAboutDLG::React);
}

LRESULT TAboutDLG::React(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:      // Enter
        case IDCANCEL:  // Esc
        case ids::Button1: ended_ = true; return 0;
        case ids::BitBtn1: BitBtn1Click(); return 0;
        case ids::Label6: Label6Click(); return 0;
        case ids::Label10: Label10Click(); return 0;
        case ids::Label12: Label12Click(); return 0;
      }
      break;
    case WM_CLOSE:
      ended_ = true;
      return 0;
    case WM_SETCURSOR: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
      if (id == ids::Label6 || id == ids::Label10 || id == ids::Label12) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      if (id == ids::Label1) SetTextColor(dc, kNameRed);
      if (id == ids::Label6 || id == ids::Label10 || id == ids::Label12) SetTextColor(dc, kLinkBlue);
      if (!OnPanel(id) || id == ids::Bevel1) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID == static_cast<UINT>(ids::Image1)) vx::win32::DrawLogo(item->hDC, item->rcItem);
      return TRUE;
    }
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

namespace vx {

void RunAboutBox(HWND owner) {
  try {
    AboutDLG = new TAboutDLG();
  } catch (...) {
    AboutDLG = nullptr;  // Nothing is shown and nothing is reported.
    return;
  }
  try {
    AboutDLG->ShowModal(owner);
  } catch (...) {
    // The box goes whatever ended its run.
  }
  delete AboutDLG;
  AboutDLG = nullptr;
}

}  // namespace vx
