// Loading the shared library on Linux: libvexoglyph.so by its file name, through the dynamic loader.
#include "tests/host/HostLibrary.h"

#include <dlfcn.h>

namespace vx::host {
namespace {

std::string LoaderError() {
  const char* error = ::dlerror();
  return error == nullptr ? std::string() : std::string(error);
}

}  // namespace

void* LoadHostLibrary(std::string& error) {
  void* library = ::dlopen(VX_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  error = library == nullptr ? std::string(VX_LIBRARY_PATH) + ": " + LoaderError() : std::string();
  return library;
}

bool ReleaseHostLibrary(void*) { return true; }

void* FindExport(void* library, const char* name, std::string& error) {
  ::dlerror();
  void* symbol = ::dlsym(library, name);
  error = LoaderError();
  return symbol;
}

}  // namespace vx::host
