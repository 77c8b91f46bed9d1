// The start of a program on Linux: arguments are UTF-8 already.
#include "platform/ProgramStart.h"

#include <csignal>

namespace vx {

std::vector<std::string> StartProgram(int argc, char** argv) {
  // A file-size limit then makes a write fail with a reason (and the
  // temporary file be removed) instead of killing the program mid-write.
  std::signal(SIGXFSZ, SIG_IGN);
  return std::vector<std::string>(argv, argv + argc);
}

}  // namespace vx
