// The user manual beside the running program: where it is, and opening it for either help button.
#include "dialog/HelpFile.h"

#include "windowparts/PlainMessage.h"
#include "dialog/ShellOpen.h"
#include "platform/ExePath.h"
#include "platform/FileAccess.h"

namespace vx {

std::string HelpFilePath() {
  const std::string dir = ExecutableDir();
  if (dir.empty()) return {};
  return dir + kHelpFileName;
}

std::string HelpTarget(std::string_view section) { return ShellFileTarget(HelpFilePath(), section); }

std::string HelpMissingMessage() { return std::string("Not found ") + kHelpFileName + " !"; }

void OpenHelpFile(NativeWindow owner) {
  const std::string path = HelpFilePath();
  if (!path.empty() && IdentityOf(path).regular) {
    ShellOpen(ShellFileTarget(path), owner);
    return;
  }
  ShowPlainMessage(owner, HelpMissingMessage());
}

}  // namespace vx
