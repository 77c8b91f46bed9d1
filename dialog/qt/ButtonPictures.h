// The dialogs' pictures (button pictures and the logo), drawn at run time so that no image files are needed.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace vx {

QIcon OpenFilePicture();
QIcon SaveFilePicture();
QIcon SymbolListPicture();
QIcon AboutPicture();
QIcon AcadPicture();
QIcon HelpPicture();
QIcon OkPicture();
QIcon CancelPicture();
// The product logo, size x size pixels: a letter drawn as the closed polyline
// the program makes, its vertices marked as a CAD program shows grips.
QPixmap LogoPicture(int size);

}  // namespace vx
