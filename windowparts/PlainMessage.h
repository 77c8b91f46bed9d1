// A plain message box with one OK button, owned by a window of the dialog.
#pragma once

#include <string>

#include "windowparts/NativeWindow.h"

namespace vx {

// Shows text (UTF-8) under the caption "Vexoglyph" in a modal message box
// owned by owner (or by none) and returns when the user has confirmed it.
void ShowPlainMessage(NativeWindow owner, const std::string& text);

}  // namespace vx
