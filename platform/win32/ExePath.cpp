// Path of the running process's executable file (never a library loaded into it) and its folder.
#include "platform/ExePath.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WideString.h"

namespace vx {

std::string ExecutablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    // No module handle: the process's own program, also when a CAD host
    // has loaded Vexoglyph.DLL.
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return Narrow(std::wstring_view(buffer.data(), length));
    if (buffer.size() >= 32768) return {};  // longer than any Windows path
    buffer.resize(buffer.size() * 2);       // The path was cut: try a larger buffer.
  }
}

std::string ExecutableDir() {
  const std::string path = ExecutablePath();
  const std::size_t delimiter = path.find_last_of("\\/");
  return delimiter == std::string::npos ? std::string() : path.substr(0, delimiter + 1);
}

}  // namespace vx
