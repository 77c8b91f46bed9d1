// The start of a program on each system: standard streams made ready for bytes, the command line as UTF-8.
#pragma once

#include <string>
#include <vector>

namespace vx {

// Prepares the process for a command-line program and returns its
// arguments (the program's name first) as UTF-8. On Windows the arguments
// come from the UTF-16 command line, whatever the ANSI code page, and
// standard input and output carry bytes unchanged (no CR LF translation, no
// end at Ctrl-Z).
std::vector<std::string> StartProgram(int argc, char** argv);

}  // namespace vx
