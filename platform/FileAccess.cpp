// Files named by UTF-8 paths on Linux: the names are the system's own.
#include "platform/FileAccess.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/NameCase.h"

namespace vx {
namespace {

bool IsFileNotFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// The entry of folder whose name equals name without regard to case, if any.
std::string FindIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
  if (!dir) return {};
  std::string found;
  const std::string wanted = UpperUtf8(name);
  while (const dirent* entry = ::readdir(dir)) {
    if (UpperUtf8(entry->d_name) == wanted) {
      found = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

}  // namespace

std::FILE* OpenFileForReading(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

namespace {

FileIdentity IdentityFromStat(const struct stat& file) {
  return {true, S_ISREG(file.st_mode), static_cast<std::uint64_t>(file.st_dev),
          static_cast<std::uint64_t>(file.st_ino)};
}

}  // namespace

FileIdentity IdentityOf(const std::string& path) {
  struct stat file {};
  return ::stat(path.c_str(), &file) == 0 ? IdentityFromStat(file) : FileIdentity{};
}

FileIdentity IdentityOf(StandardStream stream) {
  struct stat file {};
  const int descriptor = stream == StandardStream::Input ? STDIN_FILENO : STDOUT_FILENO;
  return ::fstat(descriptor, &file) == 0 ? IdentityFromStat(file) : FileIdentity{};
}

bool FileExistsAt(const std::string& windowsPath) {
  std::string path = windowsPath;
  std::replace(path.begin(), path.end(), '\\', '/');
  if (IsFileNotFolder(path)) return true;
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return false;
  const std::string actual = FindIgnoringCase(folder, name);
  return !actual.empty() && IsFileNotFolder(folder + "/" + actual);
}

}  // namespace vx
