// A window as the system knows it, carried through code that does not know the window system.
#pragma once

namespace vx {

// An HWND on Windows, a QWidget* on Linux; null for "no window". Only the
// platform's own code looks inside.
using NativeWindow = void*;

}  // namespace vx
