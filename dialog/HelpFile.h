// The user manual beside the running program: where it is, and opening it for either help button.
#pragma once

#include <QString>
#include <QUrl>

class QWidget;

namespace vx {

// File name of the manual, looked for beside the running executable. The
// manual is an HTML page (docs/Vexoglyph.html, installed beside the program):
// Linux desktops have no viewer for compiled help files, but every one opens
// an HTML page, so the name and the missing-manual message carry .html.
inline constexpr const char* kHelpFileName = "Vexoglyph.html";

// Full path of the manual in the running executable's folder (whether or not
// it exists there); empty when the executable's path is unknown.
QString HelpFilePath();

// The manual's file URL, with an optional section anchor ("support").
QUrl HelpFileUrl(const QString& section = QString());

// The message shown when the manual is missing: "Not found Vexoglyph.html !".
QString HelpMissingMessage();

// Opens the manual with the system's default program when it exists beside
// the executable; otherwise shows HelpMissingMessage() in a plain message box
// owned by owner and returns when the user has confirmed it.
void OpenHelpFile(QWidget* owner);

}  // namespace vx
