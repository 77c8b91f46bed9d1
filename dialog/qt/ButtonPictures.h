// The dialogs' pictures (button pictures and the logo), drawn at run time so that no image files are needed.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "dialog/ButtonPictures.h"

namespace vx {

// A button's picture at its natural size.
QIcon ButtonIcon(ButtonPicture picture);
// The product logo, size x size pixels: a letter drawn as the closed polyline
// the program makes, its vertices marked as a CAD program shows grips.
QPixmap LogoPicture(int size);

}  // namespace vx
