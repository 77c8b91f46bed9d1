// Replacing a file as a whole: written beside the target, flushed, then renamed over it.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Writes bytes into a temporary file in the target's folder, flushes it to
// disk and renames it over path, so the target is either the old file or the
// complete new one. On failure returns false, leaves the target untouched,
// removes the temporary file and puts the system's reason into error.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// The same replacement for a file produced in pieces (so that a large file
// need not be held in memory whole): Open makes the temporary file beside
// path, Write appends to it, Commit flushes it to disk and renames it over
// path. Each returns false with the system's reason in error on failure; a
// writer destroyed without a successful Commit removes its temporary file and
// leaves the target untouched.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  bool Open(const std::string& path, std::string& error);
  bool Write(std::string_view bytes, std::string& error);
  bool Commit(std::string& error);

 private:
  void Abandon();

  std::string path_;
  std::string tempPath_;
  int fd_ = -1;
};

}  // namespace vx
