// A folder whose files have names longer than MAX_PATH, for testing that Windows file names of any length work.
#pragma once

#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace vx::test {

// Folders nested inside a fresh temporary folder until a file's full name
// in the innermost one is at least length characters long; all of it goes
// at the end. Path() is UTF-8 with backslashes and no "\\?\" prefix, as a
// user would type it.
class LongPathFolder {
 public:
  explicit LongPathFolder(std::size_t length);
  ~LongPathFolder();
  LongPathFolder(const LongPathFolder&) = delete;
  LongPathFolder& operator=(const LongPathFolder&) = delete;

  std::string Path(const std::string& name) const { return inner_ + "\\" + name; }

  // A file's whole content, read by its prefixed name; empty when unreadable.
  static std::string ReadFile(const std::string& path);
  // Writes a file by its prefixed name; raises std::runtime_error when it cannot.
  static void WriteFile(const std::string& path, const std::string& bytes);

 private:
  TempFolder base_;
  std::string inner_;
  std::vector<std::string> folders_;  // outermost first
};

}  // namespace vx::test
