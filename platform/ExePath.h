// Path of the running executable and its folder.
#pragma once

#include <string>

namespace vx {

// Full path of the running process's executable file (not of a library
// loaded into it); empty when the system cannot tell.
std::string ExecutablePath();

// The folder of the running executable, ending with its path delimiter
// ("/usr/local/bin/"); empty when the system cannot tell.
std::string ExecutableDir();

}  // namespace vx
