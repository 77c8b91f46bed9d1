// A limit on the size of files the test process writes, so that a save fails part way as on a full disk.
#pragma once

#include <string>

namespace vx::test {

// While it lives, a write past bytes into any file fails (with EFBIG, "File
// too large") instead of ending the process. Where the system has no such
// limit, active() is false and why() says so: the test then skips.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(long bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  bool active() const { return active_; }
  std::string why() const;

 private:
  bool active_ = false;
  long long saved_ = 0;
  void (*savedHandler_)(int) = nullptr;
};

}  // namespace vx::test
