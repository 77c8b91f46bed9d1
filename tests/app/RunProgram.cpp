// Running the built vexoglyph program from a test: arguments, standard input, limits, its answers.
#include "RunProgram.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace vx::test {

bool FileSizeLimitApplies() { return true; }

std::string FileSizeLimitMissing() { return {}; }

bool MemoryLimitApplies() { return true; }

std::string MemoryLimitMissing() { return {}; }

RunOutcome RunVexoglyph(const std::vector<std::string>& args, const RunOptions& options) {
  TempFolder io;
  WriteFileBytes(io.Path("in"), options.stdinBytes);
  std::vector<std::string> argv{VEXOGLYPH_EXE};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargv;
  for (std::string& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid == 0) {
    const int in = ::open((options.stdinFile.empty() ? io.Path("in") : options.stdinFile).c_str(), O_RDONLY);
    const int out = ::open(io.Path("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open(io.Path("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0) ::_exit(127);
    ::dup2(in, 0);
    ::dup2(out, 1);
    ::dup2(err, 2);
    const auto setLimit = [](int resource, const std::optional<long>& bytes) {
      if (!bytes) return;
      const rlimit limit{static_cast<rlim_t>(*bytes), static_cast<rlim_t>(*bytes)};
      ::setrlimit(resource, &limit);
    };
    setLimit(RLIMIT_FSIZE, options.fileSizeLimit);
    setLimit(RLIMIT_AS, options.memoryLimit);
    ::execv(cargv[0], cargv.data());
    ::_exit(127);
  }
  RunOutcome outcome;
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid) throw std::runtime_error("cannot run vexoglyph");
  if (WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  outcome.out = ReadFileBytes(io.Path("out"));
  outcome.err = ReadFileBytes(io.Path("err"));
  return outcome;
}

}  // namespace vx::test
