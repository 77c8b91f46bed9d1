// The buttons' pictures as icons, drawn by GDI+ from their shared description.
#pragma once

#include <windows.h>

#include <array>

#include "dialog/ButtonPictures.h"

namespace vx::win32 {

// Every button picture at its natural size, antialiased on a transparent
// ground; owned here and destroyed with it.
class ButtonIcons {
 public:
  // A picture GDI+ cannot draw (the library cannot start, memory runs out)
  // is null: its button keeps its caption.
  ButtonIcons();
  ~ButtonIcons();
  ButtonIcons(const ButtonIcons&) = delete;
  ButtonIcons& operator=(const ButtonIcons&) = delete;

  HICON Of(ButtonPicture picture) const { return icons_[static_cast<std::size_t>(picture)]; }

 private:
  std::array<HICON, static_cast<std::size_t>(ButtonPicture::Cancel) + 1> icons_{};
};

}  // namespace vx::win32
