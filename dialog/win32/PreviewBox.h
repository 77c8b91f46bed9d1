// PreviewBox on Windows: the child window that paints the point store's one character, stretched to the box.
#pragma once

#include <windows.h>

namespace vx::win32 {

// Creates the preview box as a child of parent (the navy panel Panel4) at
// bounds (left, top, width, height) with the control ID id. While
// *converting is set the box paints nothing, so the panel shows through;
// converting must outlive the box (it is the dialog's FConverting).
HWND CreatePreviewBox(HWND parent, const RECT& bounds, int id, const bool* converting);

// Paints the point store into dc over a box of width × height: white
// 1-pixel lines for the outline, or the whole box in the button-face colour
// of the dialog's bottom panel when there is nothing to show. The box's
// window paints through it, and a test paints into a memory bitmap alike.
void PaintPreview(HDC dc, int width, int height);

}  // namespace vx::win32
