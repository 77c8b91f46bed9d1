// PreviewBox on Windows: the child window that paints the point store's one character, stretched to the box.
#include "dialog/win32/PreviewBox.h"

#include "dialog/PreviewMapping.h"
#include "dialog/win32/ControlIds.h"
#include "windowparts/win32/WindowParts.h"

namespace vx::win32 {
namespace {

LRESULT CALLBACK PreviewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  KeepCreationParameter(window, message, lParam);
  if (message == WM_ERASEBKGND) return 1;  // the paint covers the box, or leaves the panel showing
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const auto* converting = reinterpret_cast<const bool*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (converting == nullptr || !*converting) {
      RECT box;
      GetClientRect(window, &box);
      PaintPreview(dc, box.right, box.bottom);
    }
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreatePreviewBox(HWND parent, const RECT& bounds, int id, const bool* converting) {
  EnsureWindowClass(kPreviewBoxClass, PreviewProcedure);
  return CreateWindowExW(0, kPreviewBoxClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, bounds.left, bounds.top,
                         bounds.right, bounds.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         ModuleInstance(), const_cast<bool*>(converting));
}

void PaintPreview(HDC dc, int width, int height) {
  const auto segments = PreviewSegments(width, height);
  if (!segments) {
    const RECT box{0, 0, width, height};
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  HPEN white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  HGDIOBJ previous = SelectObject(dc, white);
  for (const PreviewSegment& segment : *segments) {
    MoveToEx(dc, segment.from.x, segment.from.y, nullptr);
    LineTo(dc, segment.to.x, segment.to.y);
    SetPixel(dc, segment.to.x, segment.to.y, RGB(255, 255, 255));  // a line includes both its ends
  }
  SelectObject(dc, previous);
  DeleteObject(white);
}

}  // namespace vx::win32
