// TSetACAD on Windows: the registration window that finds AutoCAD releases and registers the host module with them.
#include "setacaddlg/win32/SetAcadDlg.h"

#include <array>
#include <exception>
#include <stdexcept>

#include "windowparts/PlainMessage.h"
#include "dialog/win32/ControlIds.h"
#include "windowparts/win32/WindowParts.h"
#include "platform/ExePath.h"
#include "platform/win32/WideString.h"
#include "setacaddlg/AcadDiscovery.h"
#include "setacaddlg/AcadRegistration.h"
#include "setacaddlg/AcadReleases.h"

VX_EXPORT TSetACAD* SetACAD = nullptr;

namespace {

namespace ids = vx::win32::setacad;
constexpr std::array<int, vx::kAcadReleases.size()> kReleaseBoxes{
    ids::CheckR14, ids::CheckR2000, ids::CheckR2002, ids::CheckR2004, ids::CheckR2005, ids::CheckR2006};
constexpr POINT kGroupPlace{8, 8};

std::wstring Wide(std::string_view text) { return vx::Widen(text); }

// The 32 x 32 picture beside the hint: a letter outline with its polyline points.
void DrawHintPicture(HDC dc, const RECT& rect) {
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  const POINT outline[] = {{4, 28}, {14, 4}, {18, 4}, {28, 28}, {23, 28}, {20, 21}, {12, 21}, {9, 28}};
  POINT placed[std::size(outline)];
  for (std::size_t i = 0; i < std::size(outline); ++i) placed[i] = {rect.left + outline[i].x, rect.top + outline[i].y};
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 160));
  HBRUSH fill = CreateSolidBrush(RGB(255, 255, 160));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, fill);
  Polygon(dc, placed, static_cast<int>(std::size(placed)));
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc, RGB(0, 0, 160));
  for (const POINT& point : placed) Rectangle(dc, point.x - 1, point.y - 1, point.x + 2, point.y + 2);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(fill);
}

}  // namespace

TSetACAD::TSetACAD() {
  vx::win32::EnsureWindowClass(vx::win32::kSetAcadClass, &TSetACAD::Procedure);
  font_ = vx::win32::MakePixelFont(11);
  window_ = vx::win32::MakeTopWindow(vx::win32::kSetAcadClass, L"Set AutoCAD ARX command",
                                     WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME,
                                     395, 327, nullptr, this);
  if (window_ == nullptr) {
    DeleteObject(font_);
    throw std::runtime_error("the registration window cannot be made");
  }
  Build();
  FExePath = vx::ExecutableDir();
}

TSetACAD::~TSetACAD() {
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  DeleteObject(font_);
}

void TSetACAD::Build() {
  using vx::win32::MakeChild;
  // Created in tab order: OkBtn, BitBtn2, then the frame's boxes.
  MakeChild(window_, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, {224, 288, 75, 25}, ids::OkBtn,
            font_);
  MakeChild(window_, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, {312, 288, 75, 25}, ids::BitBtn2, font_);
  HWND group = MakeChild(window_, L"BUTTON", L"AutoCAD ARX", BS_GROUPBOX, {kGroupPlace.x, kGroupPlace.y, 377, 225},
                         ids::CheckCad, font_);
  for (std::size_t row = 0; row < kReleaseBoxes.size(); ++row) {
    const int width = row == 0 ? 329 : 313;
    MakeChild(window_, L"BUTTON", Wide(vx::kAcadReleases[row].caption), BS_AUTOCHECKBOX | WS_TABSTOP,
              {kGroupPlace.x + 24, kGroupPlace.y + 32 + 32 * static_cast<int>(row), width, 17}, kReleaseBoxes[row],
              font_);
  }
  SetWindowPos(group, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  MakeChild(window_, L"STATIC", L"", SS_OWNERDRAW, {8, 272, 32, 32}, ids::Image1, font_);
  vx::win32::MakeLabel(window_, L"Call Vexoglyph in AutoCAD:", 48, 272, ids::Label1, font_);
  vx::win32::MakeLabel(window_, L"Command:  VX", 48, 296, ids::Label2, font_);
  SetFocus(GetDlgItem(window_, ids::OkBtn));
}

void TSetACAD::FormShow() {
  const vx::ReleasesFound releases = vx::FindReleases();
  for (std::size_t row = 0; row < kReleaseBoxes.size(); ++row) {
    HWND box = GetDlgItem(window_, kReleaseBoxes[row]);
    EnableWindow(box, releases.found[row]);
    if (!releases.found[row]) SetWindowTextW(box, Wide(vx::kAcadReleases[row].notFoundCaption).c_str());
  }
  if (!releases.Any()) {
    EnableWindow(GetDlgItem(window_, ids::OkBtn), FALSE);
    SetDlgItemTextW(window_, ids::CheckCad, Wide(vx::kNoAcadFoundCaption).c_str());
  }
}

void TSetACAD::OkBtnClick() {
  try {
    std::array<bool, vx::kAcadReleases.size()> checked{};
    for (std::size_t row = 0; row < checked.size(); ++row) {
      checked[row] = IsDlgButtonChecked(window_, kReleaseBoxes[row]) == BST_CHECKED;
    }
    const bool allSucceeded = vx::RegisterReleases(FExePath, checked, [this](std::string_view message) {
      vx::ShowPlainMessage(window_, std::string(message));
    });
    if (allSucceeded) End(IDOK);
  } catch (const std::exception& error) {
    // A refused write ends this registration; the window stays open as it is.
    ShowError(error.what());
  }
}

void TSetACAD::ShowError(const char* text) {
  MessageBoxW(window_, vx::Widen(text).c_str(), L"Vexoglyph", MB_OK | MB_ICONERROR);
}

void TSetACAD::End(int result) {
  result_ = result;
  ended_ = true;
}

int TSetACAD::ShowModal(HWND owner) {
  ended_ = false;
  result_ = IDCANCEL;
  try {
    FormShow();
  } catch (const std::exception& error) {
    // The look-up could not finish: report it and end this showing.
    ShowError(error.what());
    return IDCANCEL;
  }
  vx::win32::RunModalLoop(window_, owner, ended_);
  ShowWindow(window_, SW_HIDE);
  return result_;
}

LRESULT CALLBACK TSetACAD::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return vx::win32::ForwardToObject(window, message, wParam, lParam, &TSetACAD::window_, &TSetACAD::React);
}

LRESULT TSetACAD::React(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:  // Enter: the default button, when enabled
          if (IsWindowEnabled(GetDlgItem(window_, ids::OkBtn))) OkBtnClick();
          return 0;
        case ids::OkBtn: OkBtnClick(); return 0;
        case IDCANCEL:  // Esc
        case ids::BitBtn2: End(IDCANCEL); return 0;
      }
      break;
    case WM_CLOSE:
      End(IDCANCEL);
      return 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID == static_cast<UINT>(ids::Image1)) DrawHintPicture(item->hDC, item->rcItem);
      return TRUE;
    }
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

int ExecSetACAD(HWND owner) {
  try {
    SetACAD = new TSetACAD();
  } catch (const std::exception&) {
    SetACAD = nullptr;
    return IDCANCEL;
  }
  int result = IDCANCEL;
  try {
    result = SetACAD->ShowModal(owner);
  } catch (...) {
    // The window goes whatever ended its run.
  }
  delete SetACAD;
  SetACAD = nullptr;
  return result;
}
