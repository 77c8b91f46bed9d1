// Path of the module that holds this code (the program, or the DLL a host loaded) and its folder.
#include "platform/ExePath.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WideString.h"

namespace vx {
namespace {

// The module this function lives in: vexoglyph.exe, a test program, or
// Vexoglyph.DLL inside a CAD host. The library's companions (its help file,
// the host modules that registration names) lie beside the library itself,
// not beside the host's program.
HMODULE OwnModule() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&OwnModule), &module)) {
    return nullptr;
  }
  return module;
}

}  // namespace

std::string ExecutablePath() {
  const HMODULE module = OwnModule();
  if (module == nullptr) return {};
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
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
