// A fresh empty folder for a test, removed with everything in it at the end.
#pragma once

#include <filesystem>
#include <string>

namespace vx::test {

// A new empty folder in the system's temporary folder. At the end it goes
// with its contents, folders a test made read-only included. path() and
// Path() are UTF-8 with forward slashes; raises std::runtime_error when no
// folder can be made.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string Path(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }
  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
  std::string path_;
};

}  // namespace vx::test
