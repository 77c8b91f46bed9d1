// Finds, before Qt starts, a window-system platform the dialog can start on (Qt ends the process when none can).
#pragma once

#include <string>

namespace vx {

struct DisplayPlatform {
  std::string platform;  // the platform to start Qt with ("xcb", "offscreen", ...); empty when none can start
  std::string problem;   // when none can: why, in one line
};

// The first platform, in the order Qt itself tries them, that is installed
// and, for X11 and Wayland, whose display server accepts a connection. The
// order is QT_QPA_PLATFORM's list when it is set, else Wayland (when
// WAYLAND_DISPLAY is set or the session is a Wayland one) and then X11.
DisplayPlatform ChooseDisplayPlatform();

}  // namespace vx
