// Test helper: what a shell command prints on standard output.
#include "tests/support/CommandOutput.h"

#include <cstdio>

namespace vx::test {

std::optional<std::string> CommandOutput(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string out;
  char buffer[4096];
  while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, got);
  if (pclose(pipe) != 0) return std::nullopt;
  return out;
}

}  // namespace vx::test
