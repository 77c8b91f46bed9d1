// Handing a document or an address to the system's default program with ShellExecuteW, through a replaceable launcher.
#include "dialog/ShellOpen.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>

#include "platform/win32/WideString.h"

namespace vx {
namespace {

// The shell's "open" verb, no parameters, an empty working folder, shown
// normally; a failure of the shell is not reported.
void ShellExecuteOpen(const std::string& target, NativeWindow owner) {
  ShellExecuteW(static_cast<HWND>(owner), L"open", Widen(target).c_str(), nullptr, L"", SW_SHOWNORMAL);
}

ShellLauncher& CurrentLauncher() {
  static ShellLauncher launcher = ShellExecuteOpen;
  return launcher;
}

}  // namespace

ShellLauncher SetShellLauncher(ShellLauncher launcher) {
  if (!launcher) launcher = ShellExecuteOpen;
  return std::exchange(CurrentLauncher(), std::move(launcher));
}

void ShellOpen(const std::string& target, NativeWindow owner) { CurrentLauncher()(target, owner); }

std::string ShellFileTarget(const std::string& path, std::string_view) { return path; }

}  // namespace vx
