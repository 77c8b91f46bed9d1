// TForm2 on Windows: the borderless start-up window that shows the font catalogue's three phases.
#include "dialog/win32/InitProgress.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "dialog/win32/ControlIds.h"
#include "windowparts/win32/WindowParts.h"

VX_EXPORT TForm2* Form2 = nullptr;

namespace {

namespace ids = vx::win32::form2;
constexpr POINT kDesignedPlace{239, 176};
constexpr int kPanelBorder = 2;

bool IsBar(int id) { return id == ids::ProgressBar1 || id == ids::ProgressBar2 || id == ids::ProgressBar3; }
bool IsPhaseCaption(int id) { return id == ids::Label1 || id == ids::Label2 || id == ids::Label3; }

}  // namespace

TForm2::TForm2(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  vx::win32::EnsureWindowClass(vx::win32::kForm2Class, &TForm2::Procedure);
  font_ = vx::win32::MakePixelFont(11);
  makerFont_ = vx::win32::MakePixelFont(13, true);
  nameFont_ = vx::win32::MakePixelFont(19);
  window_ = vx::win32::MakeTopWindow(vx::win32::kForm2Class, L"Initializing", WS_POPUP, WS_EX_TOOLWINDOW, 372, 186,
                                     owner, this, &kDesignedPlace);
  if (window_ == nullptr) {
    ReleaseFonts();
    throw std::runtime_error("the start-up window cannot be made");
  }
  Build();
}

TForm2::~TForm2() {
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = nullptr;
  }
  ReleaseFonts();
}

void TForm2::ReleaseFonts() {
  for (HFONT* font : {&font_, &makerFont_, &nameFont_}) {
    if (*font != nullptr) DeleteObject(*font);
    *font = nullptr;
  }
}

void TForm2::Build() {
  using vx::win32::MakeChild;
  using vx::win32::MakeLabel;
  // Panel1 fills the window: white, with a 2-pixel line along its edge.
  HWND panel = MakeChild(window_, L"STATIC", L"", SS_OWNERDRAW, {0, 0, 372, 186}, ids::Panel1, font_);
  // Panel2 (lowered) holds the logo.
  HWND logoPanel = MakeChild(window_, L"STATIC", L"", SS_SUNKEN, {8, 8, 170, 170}, ids::Panel2, font_);
  MakeChild(window_, L"STATIC", L"", SS_OWNERDRAW, {9, 9, 168, 168}, ids::Image1, font_);
  MakeLabel(window_, L"kestrow", 192, 16, ids::Label4, makerFont_);
  MakeLabel(window_, L"Vexoglyph V1.8", 192, 32, ids::Label5, nameFont_);
  // The phase captions get room for the longest text they show.
  MakeChild(window_, L"STATIC", L"w", SS_LEFT | SS_NOPREFIX, {196, 76, 153, 14}, ids::Label1, font_);
  MakeChild(window_, PROGRESS_CLASSW, L"", 0, {196, 92, 153, 13}, ids::ProgressBar1, font_);
  MakeChild(window_, L"STATIC", L"w", SS_LEFT | SS_NOPREFIX, {196, 108, 153, 14}, ids::Label2, font_);
  MakeChild(window_, PROGRESS_CLASSW, L"", 0, {196, 124, 153, 13}, ids::ProgressBar2, font_);
  MakeChild(window_, L"STATIC", L"w", SS_LEFT | SS_NOPREFIX, {196, 142, 153, 14}, ids::Label3, font_);
  MakeChild(window_, PROGRESS_CLASSW, L"", 0, {196, 158, 153, 13}, ids::ProgressBar3, font_);
  // The panels lie under what they hold.
  for (HWND under : {logoPanel, panel}) SetWindowPos(under, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (int bar : {ids::ProgressBar1, ids::ProgressBar2, ids::ProgressBar3}) {
    StartBar(bar, 100);
    SendDlgItemMessageW(window_, bar, PBM_SETSTEP, 1, 0);
  }
}

void TForm2::FormShow() {
  SetDlgItemTextW(window_, ids::Label1, L"initialize font");
  SetDlgItemTextW(window_, ids::Label2, L"initialize symbol font");
  SetDlgItemTextW(window_, ids::Label3, L"initialize symbol");
}

void TForm2::ShowPainted() {
  FormShow();
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TForm2::ShowCaption(int label, std::wstring_view text) {
  if (!IsPhaseCaption(label)) return;
  SetDlgItemTextW(window_, label, std::wstring(text).c_str());
  UpdateWindow(GetDlgItem(window_, label));
}

void TForm2::StartBar(int bar, int maximum) {
  if (!IsBar(bar)) return;
  SendDlgItemMessageW(window_, bar, PBM_SETRANGE32, 0, maximum);
  SendDlgItemMessageW(window_, bar, PBM_SETPOS, 0, 0);
}

void TForm2::StepBar(int bar) {
  if (!IsBar(bar)) return;
  SendDlgItemMessageW(window_, bar, PBM_STEPIT, 0, 0);
  UpdateWindow(GetDlgItem(window_, bar));
}

LRESULT CALLBACK TForm2::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return vx::win32::ForwardToObject(window, message, wParam, lParam, &TForm2::window_, &TForm2::React);
}

LRESULT TForm2::React(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == ids::Label5) SetTextColor(dc, RGB(255, 0, 0));
      SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID == static_cast<UINT>(ids::Image1)) vx::win32::DrawLogo(item->hDC, item->rcItem);
      if (item->CtlID == static_cast<UINT>(ids::Panel1)) {
        // White, with a line of kPanelBorder pixels along its edge.
        RECT edge = item->rcItem;
        FillRect(item->hDC, &edge, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        for (int i = 0; i < kPanelBorder; ++i) {
          FrameRect(item->hDC, &edge, GetSysColorBrush(COLOR_WINDOWFRAME));
          InflateRect(&edge, -1, -1);
        }
      }
      return TRUE;
    }
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

namespace vx {

TForm2* OpenStartupWindow(HWND owner) {
  try {
    Form2 = new TForm2(owner);
    Form2->ShowPainted();
  } catch (...) {
    delete Form2;
    Form2 = nullptr;
  }
  return Form2;
}

void CloseStartupWindow() {
  delete Form2;
  Form2 = nullptr;
}

}  // namespace vx
