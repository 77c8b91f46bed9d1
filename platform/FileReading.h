// Reading a whole file or stream into memory, up to a limit.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace vx {

// The largest file or stream the program reads whole (documents, standard
// input, settings files): enough for any real text, and a bound on what an
// endless device or a runaway file can cost.
inline constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;

struct ReadResult {
  bool ok = false;
  std::string bytes;  // the whole stream, when ok is true
  int error = 0;      // the system's error number, when ok is false
};

// Reads stream to its end. A stream longer than limit bytes is refused with
// EFBIG once limit + 1 bytes have been read, so that an endless device or
// pipe costs no more than the limit (and needs no block of that size);
// ENOMEM when the whole stream does not fit in memory. Other failures give
// the system's error number.
ReadResult ReadAtMost(std::FILE* stream, std::size_t limit);

// Opens path for reading and reads it as above.
ReadResult ReadFileAtMost(const std::string& path, std::size_t limit);

}  // namespace vx
