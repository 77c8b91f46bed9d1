// The shared library as a CAD host holds it: loaded by file name, exports found by their plain names.
#pragma once

#include <string>

namespace vx::host {

// Loads the library the way a host of this system finds it; null on failure,
// with the loader's reason in error.
void* LoadHostLibrary(std::string& error);

// Lets go of a loaded library: unloaded on Windows; on Linux it stays loaded
// for the process, as in a host. False when the system refuses.
bool ReleaseHostLibrary(void* library);

// The address of an exported name, or null; error holds the loader's reason,
// and is empty when the name was found.
void* FindExport(void* library, const char* name, std::string& error);

}  // namespace vx::host
