// Saving a file where the user named it, on Windows: a regular file is replaced whole, anything else is written into.
#include "platform/OutputFile.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/TemporaryName.h"
#include "platform/win32/WideString.h"

namespace vx {
namespace {

// Fresh temporary names tried before giving up (each is random).
constexpr int kTemporaryNameAttempts = 100;

// The C library's message for the errors it shares with Linux, so that the
// same failure reads the same on both systems; the system's own text for
// the others.
std::string Reason(DWORD systemError) {
  switch (systemError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return std::strerror(ENOENT);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return std::strerror(EACCES);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return std::strerror(ENOSPC);
    case ERROR_WRITE_PROTECT:
      return std::strerror(EROFS);
    default:
      return SystemErrorText(systemError);
  }
}

// What a name leads to now.
enum class Existing { Nothing, RegularFile, LinkedFile, Folder, Other, Unknown };

Existing Look(const std::wstring& target, DWORD& systemError) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    systemError = GetLastError();
    return systemError == ERROR_FILE_NOT_FOUND ? Existing::Nothing : Existing::Unknown;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Existing::Folder;
  const HANDLE file = CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    systemError = GetLastError();
    return Existing::Unknown;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  Existing found = Existing::Other;  // a device: NUL, CON, COM1, a pipe
  if (GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info)) {
    found = info.nNumberOfLinks > 1 ? Existing::LinkedFile : Existing::RegularFile;
  }
  CloseHandle(file);
  return found;
}

}  // namespace

int OutputFile::WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const unsigned chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<unsigned>(bytes.size());
    const int written = _write(fd, bytes.data(), chunk);
    if (written < 0) return errno;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

void OutputFile::Abandon() {
  if (fd_ >= 0) _close(fd_);
  if (!tempPath_.empty()) DeleteFileW(Widen(tempPath_).c_str());
  fd_ = -1;
  tempPath_.clear();
  replacing_ = regular_ = existed_ = false;
}

// Windows has no symbolic links for the user to name here, and its own
// files keep their attributes through ReplaceFileW; otherwise the rules are
// Linux's: a new name or a regular file is replaced whole, a file with more
// than one link is written into, a folder is refused, a device is written.
bool OutputFile::Open(const std::string& path, std::string& error) {
  Abandon();
  if (path.empty()) return Fail(ENOENT, error);
  if (path == kStandardOutputName) return OpenOwnDescriptor(_fileno(stdout), error);
  target_ = path;
  DWORD systemError = 0;
  switch (Look(Widen(target_), systemError)) {
    case Existing::Nothing:
      return OpenReplacement(error);
    case Existing::RegularFile:
      existed_ = true;
      kept_.mode = GetFileAttributesW(Widen(target_).c_str());
      return OpenReplacement(error);
    case Existing::LinkedFile:
      return OpenInPlace(true, error);
    case Existing::Folder:
      return Fail(EISDIR, error);
    case Existing::Other:
      return OpenInPlace(false, error);
    case Existing::Unknown:
      break;
  }
  error = Reason(systemError);
  Abandon();
  return false;
}

// The bytes go to "<target>.XXXXXX" beside the target until Commit.
bool OutputFile::OpenReplacement(std::string& error) {
  int reason = EEXIST;
  for (int attempt = 0; attempt < kTemporaryNameAttempts && reason == EEXIST; ++attempt) {
    const std::string name = FreshTemporaryName(target_);
    reason = _wsopen_s(&fd_, Widen(name).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYRW,
                       _S_IREAD | _S_IWRITE);
    if (reason == 0) {
      tempPath_ = name;
      replacing_ = true;
      return true;
    }
    fd_ = -1;
  }
  return WriteIntoOrFail(reason, error);
}

bool OutputFile::OpenInPlace(bool truncate, std::string& error) {
  const int failed = _wsopen_s(&fd_, Widen(target_).c_str(), _O_WRONLY | _O_BINARY | (truncate ? _O_TRUNC : 0),
                               _SH_DENYNO, 0);
  if (failed != 0) {
    fd_ = -1;
    return Fail(failed, error);
  }
  regular_ = GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(fd_))) == FILE_TYPE_DISK;
  return true;
}

bool OutputFile::OpenOwnDescriptor(int descriptor, std::string& error) {
  fd_ = _dup(descriptor);
  if (fd_ < 0) return Fail(errno, error);
  _setmode(fd_, _O_BINARY);  // bytes as they are: CR LF is written, never CR CR LF
  regular_ = GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(fd_))) == FILE_TYPE_DISK;
  return true;
}

// The complete file, flushed to disk, takes the target's place: an existing
// file is replaced keeping its attributes and security (ReplaceFileW), a new
// one is moved into place.
bool OutputFile::CommitReplacement(std::string& error) {
  if (_commit(fd_) != 0) return Fail(errno, error);
  if (_close(std::exchange(fd_, -1)) != 0) return Fail(errno, error);
  const std::wstring temporary = Widen(tempPath_);
  const std::wstring target = Widen(target_);
  const bool placed =
      existed_ ? ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                              nullptr) != 0
               : MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!placed) {
    error = Reason(GetLastError());
    Abandon();
    return false;
  }
  // ReplaceFileW keeps them on Windows; not every implementation of it does.
  if (existed_ && GetFileAttributesW(target.c_str()) != kept_.mode) SetFileAttributesW(target.c_str(), kept_.mode);
  tempPath_.clear();
  replacing_ = existed_ = false;
  return true;
}

bool OutputFile::CommitInPlace(std::string& error) {
  // Devices and pipes have nothing to flush.
  if (regular_ && _commit(fd_) != 0) return Fail(errno, error);
  regular_ = false;
  if (_close(std::exchange(fd_, -1)) != 0) return Fail(errno, error);
  return true;
}

}  // namespace vx
