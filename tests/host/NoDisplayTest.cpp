// Where no display answers: a host that loads libvexoglyph.so by name lives on, and the program prints its help.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/host/HostLibrary.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

struct ChildOutcome {
  int exitCode = -1;  // -1 when the child did not exit normally
  int signal = 0;
  std::string out;
  std::string err;
};

// Runs body in a child process whose environment names no display but the
// given NAME=VALUE settings; body's exit status, signal and output come back.
ChildOutcome RunWithoutDisplay(const std::vector<std::string>& settings, const std::function<int()>& body) {
  const vx::test::TempFolder folder;
  const std::string out = folder.Path("out"), err = folder.Path("err");
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr)) ::_exit(127);
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
      ::unsetenv(name);
    ::setenv("XDG_RUNTIME_DIR", folder.path().c_str(), 1);
    for (const std::string& setting : settings) ::putenv(::strdup(setting.c_str()));
    const int status = body();
    std::fflush(nullptr);
    ::_exit(status);
  }
  ChildOutcome outcome;
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid) {
    if (WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  }
  outcome.out = vx::test::ReadFileBytes(out);
  outcome.err = vx::test::ReadFileBytes(err);
  return outcome;
}

// A host's session: the release call before anything, a showing call, and
// the release call before unloading, each answer on a line of its own.
int HostSession() {
  std::string error;
  void* library = vx::host::LoadHostLibrary(error);
  if (library == nullptr) {
    std::printf("cannot load: %s\n", error.c_str());
    return 1;
  }
  const auto show =
      reinterpret_cast<int (*)(int, double, double)>(vx::host::FindExport(library, "_ShowTTFTextDlg", error));
  auto* const form1 = static_cast<void* const*>(vx::host::FindExport(library, "_Form1", error));
  if (show == nullptr || form1 == nullptr) return 1;
  std::printf("release %d\n", show(5, 0, 0));
  const int shown = show(0, 2.5, 0.8);
  std::printf("show %d, Form1 %s\n", shown, *form1 == nullptr ? "empty" : "set");
  std::printf("release %d\n", show(-7, 0, 0));
  return 0;
}

int ProgramWithoutArguments() {
  ::execl(VEXOGLYPH_EXE, VEXOGLYPH_EXE, static_cast<char*>(nullptr));
  return 127;
}

struct NoDisplayCase {
  const char* name;
  std::vector<std::string> settings;
  std::vector<std::string> reasonMentions;  // what the one-line reason names
};

std::ostream& operator<<(std::ostream& os, const NoDisplayCase& c) { return os << c.name; }

class NoDisplay : public testing::TestWithParam<NoDisplayCase> {};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The reason names each mention, in any letter case.
void ExpectReason(const std::string& line, const NoDisplayCase& c) {
  for (const std::string& mention : c.reasonMentions)
    EXPECT_NE(Lower(line).find(Lower(mention)), std::string::npos) << mention << " in " << line;
}

TEST_P(NoDisplay, HostCallsReturnZeroAndTheHostLivesOn) {
  const ChildOutcome host = RunWithoutDisplay(GetParam().settings, HostSession);
  EXPECT_EQ(host.signal, 0) << host.err;
  EXPECT_EQ(host.exitCode, 0) << host.err;
  EXPECT_EQ(host.out, "release 0\nshow 0, Form1 empty\nrelease 0\n");
  // One line, from the showing call; the release calls need no display.
  EXPECT_EQ(std::count(host.err.begin(), host.err.end(), '\n'), 1) << host.err;
  EXPECT_EQ(host.err.rfind("vexoglyph: cannot show the text dialog: ", 0), 0u) << host.err;
  ExpectReason(host.err, GetParam());
}

TEST_P(NoDisplay, ProgramWithoutArgumentsPrintsItsHelpAndWhy) {
  const ChildOutcome program = RunWithoutDisplay(GetParam().settings, ProgramWithoutArguments);
  EXPECT_EQ(program.signal, 0) << program.err;
  EXPECT_EQ(program.exitCode, 2) << program.err;
  EXPECT_EQ(program.out, "");
  const std::string reason = program.err.substr(0, program.err.find('\n'));
  EXPECT_EQ(reason.rfind("vexoglyph: cannot show the dialog: ", 0), 0u) << program.err;
  ExpectReason(reason, GetParam());
  EXPECT_NE(program.err.find("vexoglyph convert"), std::string::npos) << "the help follows:\n" << program.err;
}

// ":7913" stands for a display whose server has gone: nothing listens there.
INSTANTIATE_TEST_SUITE_P(
    Environments, NoDisplay,
    testing::Values(NoDisplayCase{"NoDisplayVariables", {}, {"no X display is set (DISPLAY)"}},
                    NoDisplayCase{"StaleXDisplay", {"DISPLAY=:7913"}, {"the X display \":7913\" does not answer"}},
                    NoDisplayCase{"StaleXDisplayNamedPlatform",
                                  {"DISPLAY=:7913", "QT_QPA_PLATFORM=xcb"},
                                  {"the X display \":7913\" does not answer"}},
                    NoDisplayCase{"WaylandDisplayToNothing",
                                  {"WAYLAND_DISPLAY=vexoglyph-nothing-here"},
                                  {"wayland", "no X display is set (DISPLAY)"}},
                    NoDisplayCase{"PlatformNotInstalled",
                                  {"QT_QPA_PLATFORM=vexoglyph-none"},
                                  {"the Qt platform \"vexoglyph-none\" is not installed"}}),
    [](const testing::TestParamInfo<NoDisplayCase>& info) { return std::string(info.param.name); });

}  // namespace
