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

// Reads stream to its end into bytes. A stream longer than limit bytes is
// refused with EFBIG once limit + 1 bytes have been read, so that an endless
// device or pipe costs no more than the limit (and needs no block of that
// size); ENOMEM when the whole stream does not fit in memory. Other failures
// give the system's error number. Returns true when the whole stream was read.
bool ReadAtMost(std::FILE* stream, std::size_t limit, std::string& bytes, int& error);

// Opens path for reading and reads it as above.
bool ReadFileAtMost(const std::string& path, std::size_t limit, std::string& bytes, int& error);

}  // namespace vx
