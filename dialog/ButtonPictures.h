// Small pictures for the dialogs' buttons, drawn at run time so that no image files are needed.
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
// The product logo, size x size pixels.
QPixmap LogoPicture(int size);

}  // namespace vx
