// Reading a whole file or stream into memory, up to a limit.
#include "platform/FileReading.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <new>
#include <vector>

#include "platform/FileAccess.h"

namespace vx {
namespace {

constexpr std::size_t kReadBytes = std::size_t{1} << 16;
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

// The size of a regular file, else 0.
std::size_t RegularFileSize(std::FILE* stream) {
  struct stat status {};
  if (::fstat(::fileno(stream), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) return 0;
  return static_cast<std::size_t>(status.st_size);
}

// Reads into pieces of a megabyte until the end or one byte past the limit,
// so that refusing an endless stream never needs the limit's size in one
// block (a 32-bit process may not find one), and joins them once the whole
// stream is known to fit.
bool ReadPieces(std::FILE* stream, std::size_t limit, std::string& bytes) {
  std::vector<std::string> pieces;
  std::size_t total = 0;
  char buffer[kReadBytes];
  while (total <= limit) {
    const std::size_t wanted = std::min(sizeof buffer, limit + 1 - total);
    const std::size_t got = std::fread(buffer, 1, wanted, stream);
    if (pieces.empty() || pieces.back().size() + got > kPieceBytes) {
      pieces.emplace_back();
      pieces.back().reserve(kPieceBytes);
    }
    pieces.back().append(buffer, got);
    total += got;
    if (got < wanted) break;
  }
  if (total > limit) return false;
  bytes.reserve(total);
  for (const std::string& piece : pieces) bytes += piece;
  return true;
}

ReadResult Failed(int error) {
  ReadResult failed;
  failed.error = error;
  return failed;
}

}  // namespace

ReadResult ReadAtMost(std::FILE* stream, std::size_t limit) {
  ReadResult read;
  std::string& bytes = read.bytes;
  errno = 0;
  try {
    bool fits = true;
    if (const std::size_t size = RegularFileSize(stream); size > 0) {
      // A regular file is read into one allocation of its size.
      bytes.reserve(std::min(size, limit) + 1);
      char buffer[kReadBytes];
      while (bytes.size() <= limit) {
        const std::size_t wanted = std::min(sizeof buffer, limit + 1 - bytes.size());
        const std::size_t got = std::fread(buffer, 1, wanted, stream);
        bytes.append(buffer, got);
        if (got < wanted) break;
      }
      fits = bytes.size() <= limit;
    } else {
      fits = ReadPieces(stream, limit, bytes);
    }
    if (!fits) return Failed(EFBIG);
  } catch (const std::bad_alloc&) {
    return Failed(ENOMEM);
  }
  if (std::ferror(stream)) return Failed(errno != 0 ? errno : EIO);
  read.ok = true;
  return read;
}

ReadResult ReadFileAtMost(const std::string& path, std::size_t limit) {
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenFileForReading(path), &std::fclose);
  if (!file) return Failed(errno != 0 ? errno : ENOENT);
  return ReadAtMost(file.get(), limit);
}

}  // namespace vx
