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

// Why a file another program holds open cannot be replaced or written; the
// C library calls it "Permission denied", which sends the user looking at
// the file's permissions instead of at the program that has it open.
constexpr const char* kInUseReason = "The file is in use by another program";

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
      return std::strerror(EACCES);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return kInUseReason;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
      return std::strerror(EPIPE);
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

// Whether another program holds the file open without letting others
// delete or rename it, so that it cannot be replaced now. Asked before the
// replacement, which fails the same way but may leave a temporary file of
// the system's behind.
bool HeldByAnotherProgram(const std::wstring& target) {
  const HANDLE file = CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}

// The C library's error number for a failed _write: a pipe whose reader has
// gone is EPIPE, as on Linux, where the C library says EINVAL.
int WriteFailure(int reason) {
  const unsigned long systemError = _doserrno;
  return systemError == ERROR_NO_DATA || systemError == ERROR_BROKEN_PIPE ? EPIPE : reason;
}

}  // namespace

int OutputFile::WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const unsigned chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<unsigned>(bytes.size());
    const int written = _write(fd, bytes.data(), chunk);
    if (written < 0) return WriteFailure(errno);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

void OutputFile::Abandon() {
  if (fd_ >= 0) _close(fd_);
  if (!tempPath_.empty()) DeleteFileW(FileSystemName(tempPath_).c_str());
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
  // Resolved once, so that the temporary file lies beside the target and
  // every later call names the same file.
  target_ = Narrow(FileSystemName(path));
  DWORD systemError = 0;
  switch (Look(FileSystemName(target_), systemError)) {
    case Existing::Nothing:
      return OpenReplacement(error);
    case Existing::RegularFile:
      if (HeldByAnotherProgram(FileSystemName(target_))) {
        systemError = ERROR_SHARING_VIOLATION;
        break;
      }
      existed_ = true;
      kept_.mode = GetFileAttributesW(FileSystemName(target_).c_str());
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
    reason = _wsopen_s(&fd_, FileSystemName(name).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYRW,
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
  const int failed = _wsopen_s(&fd_, FileSystemName(target_).c_str(), _O_WRONLY | _O_BINARY | (truncate ? _O_TRUNC : 0),
                               _SH_DENYNO, 0);
  if (failed != 0) {
    fd_ = -1;
    const DWORD systemError = _doserrno;
    if (systemError != ERROR_SHARING_VIOLATION && systemError != ERROR_LOCK_VIOLATION) return Fail(failed, error);
    error = Reason(systemError);
    Abandon();
    return false;
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
  const std::wstring temporary = FileSystemName(tempPath_);
  const std::wstring target = FileSystemName(target_);
  const bool held = existed_ && HeldByAnotherProgram(target);
  const bool placed =
      held      ? false
      : existed_ ? ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                              nullptr) != 0
               : MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!placed) {
    error = Reason(held ? ERROR_SHARING_VIOLATION : GetLastError());
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
