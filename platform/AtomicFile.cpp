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

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
  if (path.empty()) {
    error = Reason(ENOENT);
    return false;
  }
  std::string pattern = path + ".XXXXXX";
  std::vector<char> temp(pattern.begin(), pattern.end());
  temp.push_back('\0');
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    error = Reason(errno);
    return false;
  }
  const std::string tempPath(temp.data());
  const bool ok = WriteAll(fd, bytes) && ::fchmod(fd, ModeFor(path)) == 0 && ::fsync(fd) == 0;
  const int savedErrno = errno;
  if (::close(fd) != 0 && ok) {
    error = Reason(errno);
    ::unlink(tempPath.c_str());
    return false;
  }
  if (!ok) {
    error = Reason(savedErrno);
    ::unlink(tempPath.c_str());
    return false;
  }
  if (::rename(tempPath.c_str(), path.c_str()) != 0) {
    error = Reason(errno);
    ::unlink(tempPath.c_str());
    return false;
  }
  return true;
}

}  // namespace vx
