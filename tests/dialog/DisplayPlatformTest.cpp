// The platform the dialog starts Qt on: the first of Qt's own order that is installed and whose display answers.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "dialog/DisplayPlatform.h"

namespace vx {
namespace {

// A real X server for the suite (Xvfb, when installed), on a display number it picks itself.
class LiveXServer {
 public:
  LiveXServer() {
    int fds[2];
    if (::pipe(fds) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-noreset", "-screen", "0", "320x240x24",
               static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(fds[1]);
    std::string number;
    char c = 0;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(fds[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~LiveXServer() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  const std::optional<std::string>& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::optional<std::string> display_;
};

using Settings = std::vector<std::pair<std::string, std::string>>;

// Sets the display variables for one case (an empty value removes it) and restores them after.
class DisplayVariables {
 public:
  explicit DisplayVariables(const Settings& values) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) {
      const char* old = std::getenv(name);
      saved_.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
      ::unsetenv(name);
    }
    for (const auto& [name, value] : values) {
      if (!value.empty()) ::setenv(name.c_str(), value.c_str(), 1);
    }
  }
  ~DisplayVariables() {
    for (const auto& [name, value] : saved_) {
      if (value) ::setenv(name.c_str(), value->c_str(), 1);
      else ::unsetenv(name.c_str());
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(DisplayPlatform, NamedPlatformsAreTriedInTheirOrderWithTheirArguments) {
  struct Case {
    const char* platforms;
    const char* chosen;
  };
  for (const Case& c : {Case{"offscreen", "offscreen"}, Case{"vexoglyph-none;minimal:size=10", "minimal:size=10"},
                        Case{";;offscreen;", "offscreen"}}) {
    SCOPED_TRACE(c.platforms);
    const DisplayVariables variables(Settings{{"QT_QPA_PLATFORM", c.platforms}});
    const DisplayPlatform choice = ChooseDisplayPlatform();
    EXPECT_EQ(choice.platform, c.chosen);
    EXPECT_EQ(choice.problem, "");
  }
}

TEST(DisplayPlatform, EveryUnusablePlatformIsNamedInTheReason) {
  const DisplayVariables variables(Settings{{"QT_QPA_PLATFORM", "vexoglyph-none;xcb"}, {"DISPLAY", ":7913"}});
  const DisplayPlatform choice = ChooseDisplayPlatform();
  EXPECT_EQ(choice.platform, "");
  EXPECT_EQ(choice.problem,
            "the Qt platform \"vexoglyph-none\" is not installed; the X display \":7913\" does not answer");
}

TEST(DisplayPlatform, AnsweringXDisplayIsChosen) {
  const LiveXServer server;
  if (!server.display()) GTEST_SKIP() << "no Xvfb to start an X server with";
  // Also behind a Wayland display that does not answer, as Qt tries Wayland first there.
  for (const char* wayland : {"", "vexoglyph-nothing-here"}) {
    SCOPED_TRACE(wayland);
    const DisplayVariables variables(Settings{{"DISPLAY", *server.display()}, {"WAYLAND_DISPLAY", wayland}});
    const DisplayPlatform choice = ChooseDisplayPlatform();
    EXPECT_EQ(choice.platform, "xcb") << choice.problem;
  }
}

}  // namespace
}  // namespace vx
