// Replacing a file as a whole: written beside the target, flushed, then renamed over it.
#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace vx {
namespace {

std::string Reason(int error) { return std::strerror(error); }

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A new file gets the permissions a plain create would give it; a replaced
// file keeps its own.
mode_t ModeFor(const std::string& path) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter() { Abandon(); }

void AtomicFileWriter::Abandon() {
  if (fd_ >= 0) ::close(fd_);
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
  fd_ = -1;
  tempPath_.clear();
}

bool AtomicFileWriter::Open(const std::string& path, std::string& error) {
  Abandon();
  if (path.empty()) {
    error = Reason(ENOENT);
    return false;
  }
  std::string pattern = path + ".XXXXXX";
  std::vector<char> temp(pattern.begin(), pattern.end());
  temp.push_back('\0');
  fd_ = ::mkstemp(temp.data());
  if (fd_ < 0) {
    error = Reason(errno);
    return false;
  }
  path_ = path;
  tempPath_ = temp.data();
  return true;
}

bool AtomicFileWriter::Write(std::string_view bytes, std::string& error) {
  if (fd_ < 0) {
    error = Reason(EBADF);
    return false;
  }
  if (!WriteAll(fd_, bytes)) {
    error = Reason(errno);
    Abandon();
    return false;
  }
  return true;
}

bool AtomicFileWriter::Commit(std::string& error) {
  if (fd_ < 0) {
    error = Reason(EBADF);
    return false;
  }
  if (::fchmod(fd_, ModeFor(path_)) != 0 || ::fsync(fd_) != 0) {
    error = Reason(errno);
    Abandon();
    return false;
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 || ::rename(tempPath_.c_str(), path_.c_str()) != 0) {
    error = Reason(errno);
    Abandon();
    return false;
  }
  tempPath_.clear();
  return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  AtomicFileWriter writer;
  return writer.Open(path, error) && writer.Write(bytes, error) && writer.Commit(error);
}

}  // namespace vx
