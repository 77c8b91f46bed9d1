// The steps of a save that are the same on every system; the system calls are in OutputFile.cpp and its Windows twin.
#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/OutputFile.h"

namespace vx {

OutputFile::~OutputFile() { Abandon(); }

bool OutputFile::Fail(int reason, std::string& error) {
  error = std::strerror(reason);
  Abandon();
  return false;
}

// A file that exists in a folder where nothing can be made is written into.
bool OutputFile::WriteIntoOrFail(int reason, std::string& error) {
  if (existed_ && (reason == EACCES || reason == EPERM || reason == EROFS)) return OpenInPlace(true, error);
  return Fail(reason, error);
}

bool OutputFile::Write(std::string_view bytes, std::string& error) {
  if (fd_ < 0) return Fail(EBADF, error);
  if (const int reason = WriteAll(fd_, bytes); reason != 0) return Fail(reason, error);
  return true;
}

bool OutputFile::Commit(std::string& error) {
  if (fd_ < 0) return Fail(EBADF, error);
  return replacing_ ? CommitReplacement(error) : CommitInPlace(error);
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error) {
  OutputFile file;
  return file.Open(path, error) && file.Write(bytes, error) && file.Commit(error);
}

}  // namespace vx
