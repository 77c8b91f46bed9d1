// Handing a document or an address to the desktop's default program, through a replaceable launcher.
#include "dialog/ShellOpen.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <utility>

namespace vx {
namespace {

void DesktopOpen(const std::string& target, NativeWindow) {
  QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(target)));
}

ShellLauncher& CurrentLauncher() {
  static ShellLauncher launcher = DesktopOpen;
  return launcher;
}

}  // namespace

ShellLauncher SetShellLauncher(ShellLauncher launcher) {
  if (!launcher) launcher = DesktopOpen;
  return std::exchange(CurrentLauncher(), std::move(launcher));
}

void ShellOpen(const std::string& target, NativeWindow owner) { CurrentLauncher()(target, owner); }

std::string ShellFileTarget(const std::string& path, std::string_view section) {
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
  if (!section.empty()) url.setFragment(QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())));
  return url.toEncoded().toStdString();
}

}  // namespace vx
