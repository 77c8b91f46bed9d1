// Handing a file or address to the system's default program, through a replaceable launcher.
#pragma once

#include <functional>

#include <QUrl>

namespace vx {

// Opens a URL with the desktop's default program; its result is never examined.
using UrlLauncher = std::function<void(const QUrl&)>;

// Makes launcher the one ShellOpen uses and returns the one it replaces, so
// that a caller (a test) can put it back. An empty launcher restores the
// desktop's own.
UrlLauncher SetUrlLauncher(UrlLauncher launcher);

// Hands url to the current launcher and forgets it: no check before or after.
void ShellOpen(const QUrl& url);

}  // namespace vx
