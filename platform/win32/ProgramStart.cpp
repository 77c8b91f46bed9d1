// The start of a program on Windows: the UTF-16 command line as UTF-8, standard streams in binary mode.
#include "platform/ProgramStart.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

#include <cstdio>

#include "platform/win32/WideString.h"

namespace vx {

std::vector<std::string> StartProgram(int argc, char** argv) {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);  // narrow ones are all there is
  std::vector<std::string> args;
  args.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) args.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return args;
}

}  // namespace vx
