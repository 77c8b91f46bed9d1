// Loading the shared library on Windows: Vexoglyph.DLL by name, found beside the host's program.
#include "tests/host/HostLibrary.h"

#include <windows.h>

namespace vx::host {
namespace {

std::string LoaderError(const char* call) { return std::string(call) + ": error " + std::to_string(GetLastError()); }

}  // namespace

void* LoadHostLibrary(std::string& error) {
  const HMODULE library = LoadLibraryW(L"Vexoglyph.DLL");
  error = library == nullptr ? LoaderError("LoadLibrary") : std::string();
  return library;
}

bool ReleaseHostLibrary(void* library) { return FreeLibrary(static_cast<HMODULE>(library)) != 0; }

void* FindExport(void* library, const char* name, std::string& error) {
  const FARPROC address = GetProcAddress(static_cast<HMODULE>(library), name);
  error = address == nullptr ? LoaderError("GetProcAddress") : std::string();
  // Through void*: an export's address says nothing of its type.
  return reinterpret_cast<void*>(address);
}

}  // namespace vx::host
