// A limit on the size of files the test process writes: the process's RLIMIT_FSIZE.
#include "tests/support/FileSizeLimit.h"

#include <signal.h>
#include <sys/resource.h>

namespace vx::test {

FileSizeLimit::FileSizeLimit(long bytes) {
  rlimit current{};
  if (::getrlimit(RLIMIT_FSIZE, &current) != 0) return;
  saved_ = static_cast<long long>(current.rlim_cur);
  // Past the limit the system raises SIGXFSZ, which would end the process.
  savedHandler_ = ::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = current;
  limited.rlim_cur = static_cast<rlim_t>(bytes);
  active_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
  if (!active_) ::signal(SIGXFSZ, savedHandler_);
}

FileSizeLimit::~FileSizeLimit() {
  if (!active_) return;
  rlimit current{};
  ::getrlimit(RLIMIT_FSIZE, &current);
  current.rlim_cur = static_cast<rlim_t>(saved_);
  ::setrlimit(RLIMIT_FSIZE, &current);
  ::signal(SIGXFSZ, savedHandler_);
}

std::string FileSizeLimit::why() const { return active_ ? "" : "the file size limit cannot be set"; }

}  // namespace vx::test
