// Path of the running executable and its folder.
#include "platform/ExePath.h"

#include <unistd.h>

#include <vector>

namespace vx {

std::string ExecutablePath() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) {
      return std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    buffer.resize(buffer.size() * 2);  // The path may have been cut: try a larger buffer.
  }
}

std::string ExecutableDir() {
  const std::string path = ExecutablePath();
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace vx
