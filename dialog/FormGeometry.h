// The text dialog's client area as designed, its bars' and palette's extents, and the smallest size that keeps every control visible and apart.
#pragma once

namespace vx::form_geometry {

// The client area a new dialog opens with.
inline constexpr int kClientWidth = 738;
inline constexpr int kClientHeight = 489;
// The top tool bar, the bottom panel (anchored to the bottom edge), the
// palette on the right and the tool bars above the editor and the palette.
inline constexpr int kTopBarHeight = 58;
inline constexpr int kBottomPanelHeight = 95;
inline constexpr int kPaletteWidth = 261;
inline constexpr int kToolBarHeight = 26;

// The smallest client area. Its width keeps OK and Cancel, anchored to the
// right edge (OK's left edge 230 pixels from it), clear of the help button
// (right edge at 367) and the top bar's About button (at 590), and with the
// palette open the font box and style buttons (up to 332) beside the palette;
// its height leaves the editor 100 pixels between the bars (its scroll bars
// and a line of 30-point text).
inline constexpr int kMinClientWidth = 610;
inline constexpr int kMinEditorHeight = 100;
inline constexpr int kMinClientHeight = kTopBarHeight + kToolBarHeight + kMinEditorHeight + kBottomPanelHeight;

}  // namespace vx::form_geometry
