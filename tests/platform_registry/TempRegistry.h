// Test fixture: a fresh registry folder for each test, named by VEXOGLYPH_REGISTRY_DIR.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/RegExportReader.h"

namespace vx::test {

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// A store file's text, in UTF-8, when it is in the registry editor's encoding.
inline std::string ReadStoreText(const std::filesystem::path& path) { return RegExportText(ReadBytes(path)); }

// Creates a temporary folder, points the registry store at it, and removes
// it again afterwards.
class TempRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vx-registry-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
    ::setenv("VEXOGLYPH_REGISTRY_DIR", pattern, 1);
  }
  void TearDown() override {
    ::unsetenv("VEXOGLYPH_REGISTRY_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

 public:
  const std::filesystem::path& Folder() const { return folder_; }
  std::filesystem::path UserFile() const { return folder_ / "user.reg"; }
  std::filesystem::path MachineFile() const { return folder_ / "machine.reg"; }

 private:
  std::filesystem::path folder_;
};

}  // namespace vx::test
