// A settings store of a test's own: VEXOGLYPH_REGISTRY_DIR names a fresh empty folder while the object lives.
#pragma once

#include <string>

#include "tests/support/TempFolder.h"

namespace vx::test {

// Points VEXOGLYPH_REGISTRY_DIR at a new empty folder for the lifetime of the
// object, then back at what it named before, and removes the folder.
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

}  // namespace vx::test
