// Test support for widgets: one application object, a temporary registry folder, modal windows answered by the test.
#pragma once

#include <functional>
#include <string>

#include "tests/support/TempFolder.h"

class QWidget;

namespace vx::test {

// The process's QApplication (offscreen in tests), made on first use.
void EnsureApplication();

// Points VEXOGLYPH_REGISTRY_DIR at a new empty folder for the lifetime of the
// object and removes the folder afterwards.
class TempRegistryDir {
 public:
  TempRegistryDir();
  ~TempRegistryDir();
  TempRegistryDir(const TempRegistryDir&) = delete;
  TempRegistryDir& operator=(const TempRegistryDir&) = delete;
  const std::string& path() const { return folder_.path(); }
  std::string userFile() const { return folder_.Path("user.reg"); }

 private:
  TempFolder folder_;
  std::string previous_;
  bool hadPrevious_ = false;
};

// Runs answer on the next modal window that opens (polling the event loop),
// once. The modal window is passed in; answer is expected to close it.
void WhenModalOpens(std::function<void(QWidget*)> answer);

}  // namespace vx::test
