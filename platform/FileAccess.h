// Files named by UTF-8 paths: reading them, telling whether two names are one file, whether a file exists.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace vx {

// Opens a file by its UTF-8 name for reading bytes ("rb"), as std::fopen
// would; null with errno set when it cannot (EISDIR for a folder, on every
// system). On Windows the name reaches the system as UTF-16, so names beyond
// the ANSI code page work.
std::FILE* OpenFileForReading(const std::string& path);

enum class StandardStream { Input, Output };

// What tells one file from another: its device (volume) and its number on
// it (inode, or file index on Windows, where the C library's st_ino is
// always 0).
struct FileIdentity {
  bool known = false;    // the name or stream leads to a file
  bool regular = false;  // a regular file: not a folder, device, pipe or terminal
  std::uint64_t device = 0;
  std::uint64_t index = 0;

  // Both lead to one file, whatever names or links lead there.
  bool SameAs(const FileIdentity& other) const {
    return known && other.known && device == other.device && index == other.index;
  }
};

// The file a name leads to, links followed; unknown when none does.
FileIdentity IdentityOf(const std::string& path);

// The file the process's standard input or output is open on.
FileIdentity IdentityOf(StandardStream stream);

// True when a file exists at a path written the Windows way: backslashes
// are path delimiters and the file name's letter case does not matter, as on
// Windows (where "acad.exe" is found as "Acad.exe"). A folder of that name
// does not count.
bool FileExistsAt(const std::string& windowsPath);

}  // namespace vx
