// Handing a document or an address to the system's default program, through a replaceable launcher.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "windowparts/NativeWindow.h"

namespace vx {

// Opens target (what ShellFileTarget makes, or an address) with the system's
// default program on behalf of owner; its result is never examined.
using ShellLauncher = std::function<void(const std::string& target, NativeWindow owner)>;

// Makes launcher the one ShellOpen uses and returns the one it replaces, so
// that a caller (a test) can put it back. An empty launcher restores the
// system's own: ShellExecuteW's "open" on Windows, the desktop's URL handler
// elsewhere.
ShellLauncher SetShellLauncher(ShellLauncher launcher);

// Hands target to the current launcher and forgets it: no check before or after.
void ShellOpen(const std::string& target, NativeWindow owner = nullptr);

// What the launcher is given to open the file at path (UTF-8), at one of its
// sections when section is not empty. On Windows that is the path itself: the
// shell opens a document only as a whole, so a section leads to the whole
// document. Elsewhere it is the file's encoded URL with the section as its
// fragment.
std::string ShellFileTarget(const std::string& path, std::string_view section = {});

}  // namespace vx
