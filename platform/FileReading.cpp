// Reading a whole file or stream into memory, up to a limit.
#include "platform/FileReading.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace vx {
namespace {

constexpr std::size_t kReadBytes = std::size_t{1} << 16;

// The size of a regular file, else 0: a file is then read into one
// allocation of its size rather than a growing one.
std::size_t RegularFileSize(std::FILE* stream) {
  struct stat status {};
  if (::fstat(::fileno(stream), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) return 0;
  return static_cast<std::size_t>(status.st_size);
}

}  // namespace

bool ReadAtMost(std::FILE* stream, std::size_t limit, std::string& bytes, int& error) {
  bytes.clear();
  bytes.reserve(std::min(RegularFileSize(stream), limit) + 1);
  errno = 0;
  char buffer[kReadBytes];
  while (bytes.size() <= limit) {
    const std::size_t wanted = std::min(sizeof buffer, limit + 1 - bytes.size());
    const std::size_t got = std::fread(buffer, 1, wanted, stream);
    // A stream of unknown length grows the text by doubling, but never past
    // the limit: the last step does not claim twice what can be kept.
    if (bytes.size() + got > bytes.capacity())
      bytes.reserve(std::min(limit + 1, std::max(2 * bytes.capacity(), bytes.size() + got)));
    bytes.append(buffer, got);
    if (got < wanted) break;
  }
  if (bytes.size() > limit) {
    error = EFBIG;
    return false;
  }
  if (std::ferror(stream)) {
    error = errno != 0 ? errno : EIO;
    return false;
  }
  return true;
}

bool ReadFileAtMost(const std::string& path, std::size_t limit, std::string& bytes, int& error) {
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) {
    error = errno != 0 ? errno : ENOENT;
    return false;
  }
  return ReadAtMost(file.get(), limit, bytes, error);
}

}  // namespace vx
