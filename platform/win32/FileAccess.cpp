// Files named by UTF-8 paths on Windows: the names reach the system as UTF-16.
#include "platform/FileAccess.h"

#include <windows.h>

#include <cerrno>

#include "platform/win32/WideString.h"

namespace vx {
namespace {

// The identity of an open file: its volume's serial number and its index on
// that volume.
FileIdentity IdentityOfHandle(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info)) return {};
  const bool folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return {true, !folder, info.dwVolumeSerialNumber,
          (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

}  // namespace

std::FILE* OpenFileForReading(const std::string& path) {
  const std::wstring name = FileSystemName(path);
  // The C library refuses a folder as "Permission denied"; it is a folder.
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    errno = EISDIR;
    return nullptr;
  }
  return _wfopen(name.c_str(), L"rb");
}

FileIdentity IdentityOf(const std::string& path) {
  // No access rights are needed to read the identity; a folder opens too.
  const HANDLE file = CreateFileW(FileSystemName(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  const FileIdentity identity = IdentityOfHandle(file);
  CloseHandle(file);
  return identity;
}

FileIdentity IdentityOf(StandardStream stream) {
  const HANDLE file = GetStdHandle(stream == StandardStream::Input ? STD_INPUT_HANDLE : STD_OUTPUT_HANDLE);
  if (file == nullptr || file == INVALID_HANDLE_VALUE) return {};
  return IdentityOfHandle(file);
}

bool FileExistsAt(const std::string& windowsPath) {
  const DWORD attributes = GetFileAttributesW(Widen(windowsPath).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace vx
