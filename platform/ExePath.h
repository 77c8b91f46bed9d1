// Path of the running executable and its folder.
#pragma once

#include <string>

namespace vx {

// Full path of the running process's executable file: the process's own
// program, never a library loaded into it (inside a CAD host, the host's
// program); empty when the system cannot tell. The help file and the
// registration's host modules are looked for beside it.
std::string ExecutablePath();

// The folder of ExecutablePath(), ending with its path delimiter
// ("/usr/local/bin/", "C:\Program Files\Vexoglyph\"); empty when the
// system cannot tell.
std::string ExecutableDir();

}  // namespace vx
