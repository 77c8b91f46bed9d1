// The vexoglyph program: the command line for batch conversion (and, later, the dialog).
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ConvertCommand.h"

namespace {

void PrintError(const std::string& message) { std::fprintf(stderr, "vexoglyph: %s\n", message.c_str()); }

// Without arguments the program is meant for people who do not use a
// terminal: this is where the stand-alone dialog will open. Until it exists,
// the help says how to use the command line.
int RunWithoutArguments() {
  std::fputs(vx::ProgramHelp().c_str(), stderr);
  return vx::kExitUsage;
}

int RunConvertCommand(const std::vector<std::string>& args) {
  const vx::ParsedConvert parsed = vx::ParseConvertArguments(args);
  if (!parsed.options) {
    PrintError(parsed.error + " (see \"vexoglyph convert --help\")");
    return vx::kExitUsage;
  }
  if (parsed.options->help) {
    std::fputs(vx::ConvertHelp().c_str(), stdout);
    return vx::kExitOk;
  }
  std::string error;
  const int status = vx::RunConvert(*parsed.options, error);
  if (status != vx::kExitOk) PrintError(error);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit then makes the write fail with a reason (and the
  // temporary file be removed) instead of killing the program mid-write.
  std::signal(SIGXFSZ, SIG_IGN);
  if (argc < 2) return RunWithoutArguments();
  const std::string command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(vx::ProgramHelp().c_str(), stdout);
    return vx::kExitOk;
  }
  if (command == "convert") return RunConvertCommand(std::vector<std::string>(argv + 2, argv + argc));
  PrintError("Unknown command \"" + command + "\"; run \"vexoglyph --help\"");
  return vx::kExitUsage;
}
