// Handing a file or address to the system's default program, through a replaceable launcher.
#include "dialog/ShellOpen.h"

#include <QDesktopServices>

#include <utility>

namespace vx {
namespace {

void DesktopOpen(const QUrl& url) { QDesktopServices::openUrl(url); }

UrlLauncher& CurrentLauncher() {
  static UrlLauncher launcher = DesktopOpen;
  return launcher;
}

}  // namespace

UrlLauncher SetUrlLauncher(UrlLauncher launcher) {
  if (!launcher) launcher = DesktopOpen;
  return std::exchange(CurrentLauncher(), std::move(launcher));
}

void ShellOpen(const QUrl& url) { CurrentLauncher()(url); }

}  // namespace vx
