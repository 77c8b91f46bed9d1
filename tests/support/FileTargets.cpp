// Save targets of every kind for tests: device nodes, FIFOs and pipes with readers, sockets, what a path holds.
#include "tests/support/FileTargets.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace vx::test {
namespace {

std::string KindOf(mode_t mode) {
  if (S_ISREG(mode)) return "regular";
  if (S_ISLNK(mode)) return "symlink";
  if (S_ISDIR(mode)) return "directory";
  if (S_ISCHR(mode)) return "character device";
  if (S_ISFIFO(mode)) return "fifo";
  if (S_ISSOCK(mode)) return "socket";
  return "other";
}

std::string ReadToEnd(int fd) {
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) {
      bytes.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      return bytes;
    }
  }
}

}  // namespace

PathFacts FactsAt(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return {"missing"};
  return {KindOf(st.st_mode), st.st_mode & 07777, st.st_nlink, st.st_ino, st.st_uid, st.st_rdev};
}

bool MakeDeviceLike(const std::string& path, const std::string& model) {
  struct stat device {};
  if (::stat(model.c_str(), &device) != 0 || !S_ISCHR(device.st_mode)) return false;
  return ::mknod(path.c_str(), S_IFCHR | 0666, device.st_rdev) == 0;
}

void MakeSocketFile(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) throw std::runtime_error("socket path too long: " + path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const bool made = fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  const int reason = errno;
  if (fd >= 0) ::close(fd);
  if (!made) throw std::runtime_error("cannot make a socket at " + path + ": " + std::strerror(reason));
}

std::future<std::string> ReadFifoInBackground(const std::string& path) {
  return std::async(std::launch::async, [path] {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::string("cannot open the FIFO: ") + std::strerror(errno);
    std::string bytes = ReadToEnd(fd);
    ::close(fd);
    return bytes;
  });
}

std::future<std::string> ReadPipeInBackground(int readEnd) {
  return std::async(std::launch::async, [readEnd] {
    std::string bytes = ReadToEnd(readEnd);
    ::close(readEnd);
    return bytes;
  });
}

}  // namespace vx::test
