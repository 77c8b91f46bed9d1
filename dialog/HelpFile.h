// The user manual beside the running program: where it is, and opening it for either help button.
#pragma once

#include <string>
#include <string_view>

#include "windowparts/NativeWindow.h"

namespace vx {

// File name of the manual, looked for beside the running executable. On
// Windows it is the compiled help file that the system's help viewer opens;
// Linux desktops have no viewer for compiled help, but every one opens an
// HTML page (docs/Vexoglyph.html, installed beside the program), so there the
// name and the missing-manual message carry .html.
#ifdef _WIN32
inline constexpr const char* kHelpFileName = "Vexoglyph.chm";
#else
inline constexpr const char* kHelpFileName = "Vexoglyph.html";
#endif

// Full path (UTF-8) of the manual in the running executable's folder, whether
// or not it exists there; empty when the executable's path is unknown.
std::string HelpFilePath();

// The about box's links lead into the manual, the product's site: the whole
// manual, its support section and its section on new versions.
inline constexpr std::string_view kSupportSection = "support";
inline constexpr std::string_view kNewVersionsSection = "new-versions";

// What the shell is handed for the manual, at one of its sections ("support")
// when section is not empty (see ShellFileTarget).
std::string HelpTarget(std::string_view section = {});

// The message shown when the manual is missing: "Not found Vexoglyph.chm !".
std::string HelpMissingMessage();

// Opens the manual through ShellOpen on behalf of owner when it exists beside
// the executable (a folder of that name does not count); otherwise shows
// HelpMissingMessage() in a plain message box owned by owner and returns when
// the user has confirmed it.
void OpenHelpFile(NativeWindow owner);

}  // namespace vx
