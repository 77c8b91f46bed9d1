// A folder whose files have names longer than MAX_PATH, for testing that Windows file names of any length work.
#include "tests/support/win32/LongPathFolder.h"

#include <windows.h>

#include <stdexcept>

namespace vx::test {
namespace {

std::wstring Prefixed(const std::string& path) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
  return L"\\\\?\\" + wide;
}

HANDLE Open(const std::string& path, DWORD access, DWORD disposition) {
  return CreateFileW(Prefixed(path).c_str(), access, FILE_SHARE_READ, nullptr, disposition, 0, nullptr);
}

}  // namespace

LongPathFolder::LongPathFolder(std::size_t length) {
  inner_ = base_.path();
  for (char& c : inner_) {
    if (c == '/') c = '\\';
  }
  const std::string level(40, 'd');
  while (inner_.size() + 1 + 12 < length) {  // room for a file name such as "drawing.dxf"
    inner_ += "\\" + level;
    if (!CreateDirectoryW(Prefixed(inner_).c_str(), nullptr)) throw std::runtime_error("cannot make " + inner_);
    folders_.push_back(inner_);
  }
}

LongPathFolder::~LongPathFolder() {
  // TempFolder cannot reach names this long: everything below it goes here.
  for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((Prefixed(*folder) + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
          DeleteFileW((Prefixed(*folder) + L"\\" + found.cFileName).c_str());
        }
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(Prefixed(*folder).c_str());
  }
}

std::string LongPathFolder::ReadFile(const std::string& path) {
  const HANDLE file = Open(path, GENERIC_READ, OPEN_EXISTING);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

void LongPathFolder::WriteFile(const std::string& path, const std::string& bytes) {
  const HANDLE file = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
  DWORD written = 0;
  const bool ok = file != INVALID_HANDLE_VALUE &&
                  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!ok) throw std::runtime_error("cannot write " + path);
}

}  // namespace vx::test
