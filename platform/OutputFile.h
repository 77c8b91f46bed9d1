// Saving a file where the user named it: a regular file is replaced whole, anything else is written into.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// The name under which a save goes to the process's standard output (it
// needs no /dev or /proc to be mounted).
inline constexpr const char* kStandardOutputName = "/dev/stdout";

// Writes a file in pieces (so that a large file need not be held in memory
// whole) to the file a name stands for. Symbolic links are followed to the
// file they point to (a link that points nowhere creates its target); then:
//
//  - a new name, or an existing regular file with one link that the process
//    may replace keeping its owner, in a folder where a file can be created:
//    the bytes go to a temporary file beside it, which Commit flushes to
//    disk, gives the old file's permission bits and owner, and renames over
//    it; until then the old file stays as it was, and a failed or abandoned
//    save (the process killed included, where the filesystem has unnamed
//    temporary files) leaves nothing behind;
//  - a regular file with more than one link, one the process may write but
//    not replace keeping its owner, or one in a folder where no file can be
//    created: emptied at Open and written into, so that every link, the
//    owner and the file itself stay; a failed save leaves it incomplete;
//  - anything else (device, FIFO, the process's own descriptors named as
//    /dev/stdout, /dev/fd/N or /proc/self/fd/N): written into as it is, never
//    truncated or replaced; a descriptor is written at its own position (a
//    shell's ">>" appends). A FIFO's Open waits for its reader.
//
// Each step returns false with the system's reason in error when it fails
// (a pipe whose reader has gone gives "Broken pipe" and leaves the process
// running); after a failure the writer is closed. A writer destroyed without a
// successful Commit abandons the save.
class OutputFile {
 public:
  // Where a replacing save puts its bytes until Commit. Unnamed temporary
  // files are used where the filesystem has them and fall back to a named
  // one ("<target>.XXXXXX") where it refuses; Named forces the fallback.
  enum class Temporary { UnnamedWherePossible, Named };

  explicit OutputFile(Temporary temporary = Temporary::UnnamedWherePossible) : temporary_(temporary) {}
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool Open(const std::string& path, std::string& error);
  bool Write(std::string_view bytes, std::string& error);
  bool Commit(std::string& error);

 private:
  bool OpenReplacement(std::string& error);
  bool OpenInPlace(bool truncate, std::string& error);
  bool OpenOwnDescriptor(int descriptor, std::string& error);
  bool LinkUnnamedTemporary(std::string& error);
  bool CommitReplacement(std::string& error);
  bool CommitInPlace(std::string& error);
  bool WriteIntoOrFail(int reason, std::string& error);
  bool Fail(int reason, std::string& error);
  void Abandon();
  // Returns 0 or the C library's error number.
  static int WriteAll(int fd, std::string_view bytes);

  Temporary temporary_;
  std::string target_;    // the name written, links followed
  std::string tempPath_;  // a named temporary file, while it exists
  int fd_ = -1;
  bool replacing_ = false;
  bool regular_ = false;  // an in-place target that is a regular file
  bool existed_ = false;  // a replaced target that existed: its mode and owner are kept
  // What a replaced file keeps: its permission bits and owner; on Windows
  // its attributes in mode (the system keeps its security itself).
  struct Kept {
    unsigned int mode = 0;
    unsigned int owner = 0;
    unsigned int group = 0;
  };
  Kept kept_;
};

// Saves bytes as a whole by the same rules.
bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace vx
