// Test fixture: a fresh registry for each test (a store folder named by VEXOGLYPH_REGISTRY_DIR on Linux).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "tests/platform/registry/ScratchRegistry.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RegExportReader.h"
#include "tests/support/TempFolder.h"

namespace vx::test {

// A store file's text, in UTF-8, when it is in the registry editor's encoding.
inline std::string ReadStoreText(const std::filesystem::path& path) { return RegExportText(ReadFileBytes(path)); }

// Creates a temporary folder and a registry of the test's own (on Linux the
// store in that folder), and removes both again afterwards.
class TempRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.emplace();
    scratch_.emplace(Folder());
  }
  void TearDown() override {
    scratch_.reset();
    folder_.reset();
  }

 public:
  const std::filesystem::path& Folder() const { return folder_->folder(); }
  // The store's files (Linux).
  std::filesystem::path UserFile() const { return Folder() / "user.reg"; }
  std::filesystem::path MachineFile() const { return Folder() / "machine.reg"; }

 private:
  std::optional<TempFolder> folder_;
  std::optional<ScratchRegistry> scratch_;
};

}  // namespace vx::test
