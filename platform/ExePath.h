// Path of the running executable and its folder.
#pragma once

#include <string>

namespace vx {

// Full path of the running process's executable file; empty when the system
// cannot tell. On Linux that is the process's program, never a library
// loaded into it. On Windows it is the module that holds this code: the
// program, or Vexoglyph.DLL when a CAD host loaded it, because the library's
// companions (help file, host modules) lie beside the library, not beside
// the host's own program.
std::string ExecutablePath();

// The folder of ExecutablePath(), ending with its path delimiter
// ("/usr/local/bin/", "C:\Program Files\Vexoglyph\"); empty when the
// system cannot tell.
std::string ExecutableDir();

}  // namespace vx
