// Running the built vexoglyph program from a test: arguments, standard input, limits, its answers.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vx::test {

// Every member has its default, so that a test names only those it sets.
struct RunOptions {
  std::string stdinBytes = {};
  std::optional<long> fileSizeLimit = {};  // bytes, as a shell's ulimit -f would set it
  std::string stdinFile = {};              // read as standard input instead of stdinBytes
  std::optional<long> memoryLimit = {};    // bytes of address space, as ulimit -v would set it
};

struct RunOutcome {
  int exitCode = -1;  // -1 when the program did not exit normally (a signal)
  int signal = 0;
  std::string out;
  std::string err;
};

// Runs the vexoglyph program with args (argv[1] on), in the current folder.
RunOutcome RunVexoglyph(const std::vector<std::string>& args, const RunOptions& options = {});

// Whether RunOptions::fileSizeLimit takes effect on this system, and why not.
bool FileSizeLimitApplies();
std::string FileSizeLimitMissing();

// Whether RunOptions::memoryLimit makes the program run out of memory on
// this system, and why not.
bool MemoryLimitApplies();
std::string MemoryLimitMissing();

}  // namespace vx::test
