// The vexoglyph program: the stand-alone dialog, and the command line for batch conversion.
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ConvertCommand.h"
#include "dialog/DisplayPlatform.h"
#include "dialog/HostExports.h"
#include "engine/TextLayout.h"
#include "platform/ProgramStart.h"

namespace {

void PrintMessage(const std::string& message) { std::fprintf(stderr, "vexoglyph: %s\n", message.c_str()); }

// Without arguments the program is meant for people who do not use a
// terminal: it opens the stand-alone dialog through the library's exported
// entry, as a host would, and releases it when the dialog is closed. Where no
// display answers, the help says how to use the command line instead.
int RunWithoutArguments() {
  const vx::DisplayPlatform display = vx::ChooseDisplayPlatform();
  if (display.platform.empty()) {
    PrintMessage("cannot show the dialog: " + display.problem + "; the command line works without a display:");
    std::fputs(vx::ProgramHelp().c_str(), stderr);
    return vx::kExitUsage;
  }
  ShowTTFTextDlg(vx::dmStandalone, 0.0, 0.0);
  ShowTTFTextDlg(vx::dmRelease, 0.0, 0.0);
  return vx::kExitOk;
}

int RunConvertCommand(const std::vector<std::string>& args) {
  const vx::ParsedConvert parsed = vx::ParseConvertArguments(args);
  if (!parsed.options) {
    PrintMessage(parsed.error + " (see \"vexoglyph convert --help\")");
    return vx::kExitUsage;
  }
  if (parsed.options->help) {
    std::fputs(vx::ConvertHelp().c_str(), stdout);
    return vx::kExitOk;
  }
  if (parsed.options->version) {
    std::fputs(vx::VersionText().c_str(), stdout);
    return vx::kExitOk;
  }
  std::string error;
  std::vector<std::string> notices;
  const int status = vx::RunConvert(*parsed.options, error, notices);
  for (const std::string& notice : notices) PrintMessage(notice);
  if (status != vx::kExitOk) PrintMessage(error);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = vx::StartProgram(argc, argv);
  if (args.size() < 2) return RunWithoutArguments();
  const std::string& command = args[1];
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(vx::ProgramHelp().c_str(), stdout);
    return vx::kExitOk;
  }
  if (command == "--version") {
    std::fputs(vx::VersionText().c_str(), stdout);
    return vx::kExitOk;
  }
  if (command == "convert") return RunConvertCommand(std::vector<std::string>(args.begin() + 2, args.end()));
  PrintMessage("Unknown command \"" + command + "\"; run \"vexoglyph --help\"");
  return vx::kExitUsage;
}
