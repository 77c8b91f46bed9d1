// The symbol palette on Windows: ScrollBox2 with its 224 cells, selection, fitting and insertion into the editor.
#include "dialog/win32/SymbolPalette.h"

#include <algorithm>
#include <stdexcept>

#include "dialog/SymbolFit.h"
#include "dialog/win32/ControlIds.h"
#include "windowparts/win32/WindowParts.h"
#include "platform/fonts/win32/GdiFontCatalog.h"
#include "platform/win32/WideString.h"

namespace vx::win32 {
namespace {

// The IDs hosts read from ControlIds.h name the same cells.
static_assert(form1::SymbolCellCount == kPaletteCellCount && form1::SymbolCell(kPaletteFirstCode) == form1::SymbolCellFirst);

constexpr int kColumns = 4;
constexpr int kStartPoints = 40;
constexpr COLORREF kGlyphBlue = RGB(0, 0, 255);
constexpr int kContentHeight = SymbolPalette::kCellCount / kColumns * SymbolPalette::kCellSize;  // 3360

SymbolPalette* PaletteOf(HWND window) {
  return reinterpret_cast<SymbolPalette*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace

SymbolPalette::SymbolPalette(HWND parent, const RECT& bounds, const std::function<void()>& step) {
  EnsureWindowClass(kScrollBoxClass, &SymbolPalette::BoxProcedure);
  EnsureWindowClass(kSymbolCellClass, &SymbolPalette::CellProcedure);
  scrollBox_ = CreateWindowExW(0, kScrollBoxClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN,
                               bounds.left, bounds.top, bounds.right, bounds.bottom, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(form1::ScrollBox2)), ModuleInstance(),
                               this);
  if (scrollBox_ == nullptr) throw std::runtime_error("the symbol palette cannot be made");
  for (int k = 0; k < kCellCount; ++k) {
    const int code = kFirstCode + k;
    points_[k] = kStartPoints;
    cells_[k] = CreateWindowExW(0, kSymbolCellClass, L"", WS_CHILD | WS_VISIBLE, kCellSize * (k % kColumns),
                                kCellSize * (k / kColumns), kCellSize, kCellSize, scrollBox_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(form1::SymbolCell(code))),
                                ModuleInstance(), this);
    if (step) step();
  }
  Scroll(SB_TOP, 0);
}

SymbolPalette::~SymbolPalette() {
  if (scrollBox_ != nullptr) {
    for (HWND cell : cells_) SetWindowLongPtrW(cell, GWLP_USERDATA, 0);
    SetWindowLongPtrW(scrollBox_, GWLP_USERDATA, 0);
    DestroyWindow(scrollBox_);
  }
}

HWND SymbolPalette::Cell(int code) const {
  return code >= kFirstCode && code < kFirstCode + kCellCount ? cells_[code - kFirstCode] : nullptr;
}

void SymbolPalette::ApplySymbolFont(const std::string& face) {
  face_ = face;
  for (HWND cell : cells_) InvalidateRect(cell, nullptr, TRUE);
}

void SymbolPalette::Select(int code) {
  if (Cell(code) == nullptr) return;
  const int previous = selected_;
  selected_ = code;
  if (previous != 0) RedrawWindow(Cell(previous), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RedrawWindow(Cell(code), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void SymbolPalette::ClearSelection() {
  const int previous = selected_;
  selected_ = 0;
  if (previous != 0) InvalidateRect(Cell(previous), nullptr, TRUE);
}

void SymbolPalette::InsertSelected(SymbolInsertionTarget& target) const {
  if (selected_ == 0) return;
  InsertSymbol(target, selected_, face_, CharSet::Symbol);
}

void SymbolPalette::PaintCell(HWND cell, HDC dc) {
  const int code = GetDlgCtrlID(cell) - form1::SymbolCellFirst + kFirstCode;
  RECT area;
  GetClientRect(cell, &area);
  HBRUSH background = GetSysColorBrush(COLOR_INFOBK);
  FillRect(dc, &area, background);
  SetBkMode(dc, TRANSPARENT);
  if (code == selected_) {
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, background);
    Rectangle(dc, area.left, area.top, area.right, area.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
  }
  int& points = points_[code - kFirstCode];
  HFONT font = CreateFontW(-MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                           FALSE, SYMBOL_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                           Widen(face_).c_str());
  HGDIOBJ oldFont = SelectObject(dc, font);
  const wchar_t glyph = CharacterOfSymbolCode(dc, code).character;
  SIZE extent{0, 0};
  // A failed measurement leaves the size alone; the cell is drawn either way.
  if (GetTextExtentPoint32W(dc, &glyph, 1, &extent)) {
    const int fitted = FitSymbolSize(points, extent.cx, extent.cy);
    if (fitted != points) {
      points = fitted;
      InvalidateRect(cell, nullptr, FALSE);  // paints again with the new size
    }
  }
  SetTextColor(dc, kGlyphBlue);
  DrawTextW(dc, &glyph, 1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

void SymbolPalette::Scroll(int request, int thumb) {
  RECT client;
  GetClientRect(scrollBox_, &client);
  const int page = std::max<int>(1, client.bottom);
  const int last = std::max(0, kContentHeight - page);
  int top = scrollTop_;
  switch (request) {
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = last; break;
    case SB_LINEUP: top -= kCellSize / 3; break;
    case SB_LINEDOWN: top += kCellSize / 3; break;
    case SB_PAGEUP: top -= page; break;
    case SB_PAGEDOWN: top += page; break;
    case SB_THUMBTRACK:  // the content follows the thumb while it is dragged
    case SB_THUMBPOSITION: top = thumb; break;
  }
  top = std::clamp(top, 0, last);
  if (top != scrollTop_) {
    ScrollWindowEx(scrollBox_, 0, scrollTop_ - top, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    scrollTop_ = top;
  }
  SCROLLINFO info{sizeof info, SIF_ALL, 0, kContentHeight - 1, static_cast<UINT>(page), scrollTop_, 0};
  SetScrollInfo(scrollBox_, SB_VERT, &info, TRUE);
}

LRESULT CALLBACK SymbolPalette::BoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  KeepCreationParameter(window, message, lParam);
  SymbolPalette* palette = PaletteOf(window);
  if (palette != nullptr && palette->scrollBox_ == window) {
    switch (message) {
      case WM_VSCROLL: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(window, SB_VERT, &info);
        palette->Scroll(LOWORD(wParam), info.nTrackPos);
        return 0;
      }
      case WM_MOUSEWHEEL:
        palette->Scroll(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        return 0;
      case WM_SIZE:
        palette->Scroll(SB_ENDSCROLL, 0);
        return 0;
      case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(window, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, GetSysColorBrush(COLOR_INFOBK));
        return 1;
      }
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK SymbolPalette::CellProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  KeepCreationParameter(window, message, lParam);
  SymbolPalette* palette = PaletteOf(window);
  if (palette != nullptr) {
    switch (message) {
      case WM_ERASEBKGND:
        return 1;  // the paint fills the cell
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        palette->PaintCell(window, dc);
        EndPaint(window, &paint);
        return 0;
      }
      case WM_LBUTTONDOWN:
        palette->Select(GetDlgCtrlID(window) - form1::SymbolCellFirst + kFirstCode);
        return 0;
      case WM_LBUTTONDBLCLK:
        // The click before it has selected the cell.
        if (palette->onDoubleClick) palette->onDoubleClick();
        return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace vx::win32
