// Saving a file where the user named it: a regular file is replaced whole, anything else is written into.
#include "platform/OutputFile.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/TemporaryName.h"

namespace vx {
namespace {

// As many symbolic links as the kernel follows for one name.
constexpr int kMaxLinksFollowed = 40;

// Fresh temporary names tried before giving up (each is random).
constexpr int kTemporaryNameAttempts = 100;

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::optional<int> DescriptorNumber(std::string_view text) {
  int number = -1;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, number);
  if (text.empty() || ec != std::errc() || ptr != end || number < 0) return std::nullopt;
  return number;
}

// The descriptor of this process that a name stands for (/dev/stdout,
// /dev/stderr, /dev/fd/N, /proc/self/fd/N, /proc/<own id>/fd/N), known by
// name so that neither /dev nor /proc needs to be there.
std::optional<int> OwnDescriptorNamed(std::string_view path) {
  if (path == "/dev/stdout") return STDOUT_FILENO;
  if (path == "/dev/stderr") return STDERR_FILENO;
  const std::string ownProcess = "/proc/" + std::to_string(::getpid()) + "/fd/";
  for (std::string_view folder : {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/"),
                                  std::string_view("/proc/thread-self/fd/"), std::string_view(ownProcess)}) {
    if (path.starts_with(folder)) return DescriptorNumber(path.substr(folder.size()));
  }
  return std::nullopt;
}

bool IsOnProcessFilesystem(const std::string& folder) {
  struct statfs filesystem {};
  return ::statfs(folder.c_str(), &filesystem) == 0 && filesystem.f_type == PROC_SUPER_MAGIC;
}

struct ResolvedName {
  std::string path;
  std::optional<int> ownDescriptor;
  // A link that the process filesystem makes for another process's open
  // file: only the kernel can follow it, and nothing can be put beside it.
  bool openFileLink = false;
};

// Follows symbolic links from named to the name they lead to; a name that
// does not exist (a new file, or a link's missing target) ends the walk.
// Returns 0 or the system's reason.
int Resolve(const std::string& named, ResolvedName& resolved) {
  std::string path = named;
  for (int followed = 0;; ++followed) {
    resolved.path = path;
    resolved.ownDescriptor = OwnDescriptorNamed(path);
    if (resolved.ownDescriptor) return 0;
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return 0;
    const std::string folder = FolderOf(path);
    if (IsOnProcessFilesystem(folder)) {
      resolved.openFileLink = true;
      return 0;
    }
    if (followed == kMaxLinksFollowed) return ELOOP;
    std::error_code failed;
    const std::filesystem::path target = std::filesystem::read_symlink(path, failed);
    if (failed) return failed.value();
    path = target.is_absolute() ? target.string() : (std::filesystem::path(folder) / target).string();
  }
}

bool IsMemberOf(gid_t group) {
  const int count = ::getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int listed = ::getgroups(count, groups.data());
  return listed > 0 && std::find(groups.begin(), groups.begin() + listed, group) != groups.begin() + listed;
}

// Whether a file this process makes can be given the owner and group of the
// existing file (the superuser can give any; others keep their own user and
// may choose among their groups).
bool MayKeepOwner(const struct stat& existing) {
  const uid_t self = ::geteuid();
  if (self == 0) return true;
  return existing.st_uid == self && (existing.st_gid == ::getegid() || IsMemberOf(existing.st_gid));
}

// Tries fresh random names "<target>.XXXXXX" with attempt until one is not
// taken (attempt fails with EEXIST for a taken one). Returns 0 with the name
// in name, or the system's reason.
int WithFreshName(const std::string& target, const std::function<bool(const std::string&)>& attempt,
                  std::string& name) {
  for (int tries = 0; tries < kTemporaryNameAttempts; ++tries) {
    name = FreshTemporaryName(target);
    if (attempt(name)) return 0;
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

bool UnnamedRefused(int reason) { return reason == EOPNOTSUPP || reason == EISDIR || reason == EINVAL; }

// A temporary file made in folder: unnamed where the filesystem has them
// (and /proc is there to link it by), otherwise "<target>.XXXXXX". A
// replaced file's content is private until Commit gives it the old mode; a
// new file gets the mode a plain create gives (umask or default ACL).
// Returns the descriptor, or -1 with the reason in reason.
int CreateTemporary(const std::string& target, bool unnamedAllowed, bool replacing, std::string& name,
                    int& reason) {
  const mode_t mode = replacing ? 0600 : 0666;
  if (unnamedAllowed && ::access("/proc/self/fd", X_OK) == 0) {
    const int fd = ::open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (fd >= 0 || !UnnamedRefused(errno)) {
      reason = errno;
      return fd;
    }
  }
  int fd = -1;
  reason = WithFreshName(
      target,
      [&](const std::string& candidate) {
        fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        return fd >= 0;
      },
      name);
  return fd;
}

// Keeps a write to a pipe whose reader has gone from raising SIGPIPE, which
// would end the process (a host program included): the write fails with
// EPIPE instead, and a SIGPIPE it raised is taken back.
class PipeSignalHeld {
 public:
  PipeSignalHeld() {
    sigemptyset(&pipeSignal_);
    sigaddset(&pipeSignal_, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    alreadyPending_ = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipeSignal_, &previous_);
  }
  ~PipeSignalHeld() {
    if (!alreadyPending_) {
      const timespec now{0, 0};
      while (sigtimedwait(&pipeSignal_, nullptr, &now) == SIGPIPE) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  PipeSignalHeld(const PipeSignalHeld&) = delete;
  PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

 private:
  sigset_t pipeSignal_;
  sigset_t previous_;
  bool alreadyPending_ = false;
};

}  // namespace

// A descriptor in non-blocking mode (a standard output some programs hand on
// that way) is waited for.
int OutputFile::WriteAll(int fd, std::string_view bytes) {
  PipeSignalHeld held;
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        pollfd ready{fd, POLLOUT, 0};
        if (::poll(&ready, 1, -1) >= 0 || errno == EINTR) continue;
      }
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

void OutputFile::Abandon() {
  if (fd_ >= 0) ::close(fd_);
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
  fd_ = -1;
  tempPath_.clear();
  replacing_ = regular_ = existed_ = false;
}

bool OutputFile::Open(const std::string& path, std::string& error) {
  Abandon();
  if (path.empty()) return Fail(ENOENT, error);
  ResolvedName resolved;
  if (const int reason = Resolve(path, resolved); reason != 0) return Fail(reason, error);
  target_ = resolved.path;
  if (resolved.ownDescriptor) return OpenOwnDescriptor(*resolved.ownDescriptor, error);
  struct stat existing {};
  if (::stat(target_.c_str(), &existing) != 0) {
    if (errno != ENOENT) return Fail(errno, error);
    return OpenReplacement(error);
  }
  if (!S_ISREG(existing.st_mode)) return OpenInPlace(false, error);
  if (resolved.openFileLink || existing.st_nlink > 1 || !MayKeepOwner(existing)) return OpenInPlace(true, error);
  existed_ = true;
  kept_ = {static_cast<unsigned int>(existing.st_mode & 07777), existing.st_uid, existing.st_gid};
  return OpenReplacement(error);
}

bool OutputFile::OpenReplacement(std::string& error) {
  int reason = 0;
  fd_ = CreateTemporary(target_, temporary_ == Temporary::UnnamedWherePossible, existed_, tempPath_, reason);
  if (fd_ >= 0) {
    replacing_ = true;
    return true;
  }
  tempPath_.clear();
  return WriteIntoOrFail(reason, error);
}

bool OutputFile::OpenInPlace(bool truncate, std::string& error) {
  fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (truncate ? O_TRUNC : 0));
  if (fd_ < 0) return Fail(errno, error);
  struct stat opened {};
  if (::fstat(fd_, &opened) != 0) return Fail(errno, error);
  regular_ = S_ISREG(opened.st_mode);
  // A regular file that took the place of the device or FIFO seen before.
  if (regular_ && !truncate && ::ftruncate(fd_, 0) != 0) return Fail(errno, error);
  return true;
}

bool OutputFile::OpenOwnDescriptor(int descriptor, std::string& error) {
  const int flags = ::fcntl(descriptor, F_GETFL);
  if (flags < 0) return Fail(errno, error);
  if ((flags & O_ACCMODE) == O_RDONLY) return Fail(EBADF, error);
  // Written through a copy of the descriptor: its position and append mode
  // are the ones the process was given (a shell's ">>" appends).
  fd_ = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
  if (fd_ < 0) return Fail(errno, error);
  struct stat opened {};
  if (::fstat(fd_, &opened) != 0) return Fail(errno, error);
  regular_ = S_ISREG(opened.st_mode);
  return true;
}

bool OutputFile::CommitReplacement(std::string& error) {
  if (existed_) {
    struct stat made {};
    // Open chose this way only where the process may set them; where the
    // system still refuses, the file keeps this process's owner.
    if (::fstat(fd_, &made) == 0 && (made.st_uid != kept_.owner || made.st_gid != kept_.group) &&
        ::fchown(fd_, static_cast<uid_t>(kept_.owner), static_cast<gid_t>(kept_.group)) != 0) {
    }
    if (::fchmod(fd_, static_cast<mode_t>(kept_.mode)) != 0) return Fail(errno, error);
  }
  if (::fsync(fd_) != 0) return Fail(errno, error);
  if (tempPath_.empty() && !LinkUnnamedTemporary(error)) return false;
  if (::close(std::exchange(fd_, -1)) != 0) return Fail(errno, error);
  if (::rename(tempPath_.c_str(), target_.c_str()) != 0) return Fail(errno, error);
  tempPath_.clear();
  replacing_ = existed_ = false;
  return true;
}

// A complete unnamed file gets a name beside the target, for the rename:
// files cannot be linked over an existing name.
bool OutputFile::LinkUnnamedTemporary(std::string& error) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd_);
  std::string name;
  const int reason = WithFreshName(
      target_,
      [&](const std::string& candidate) {
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0;
      },
      name);
  if (reason != 0) return Fail(reason, error);
  tempPath_ = name;
  return true;
}

bool OutputFile::CommitInPlace(std::string& error) {
  // Devices and pipes have nothing to flush (and refuse to be asked).
  if (regular_ && ::fsync(fd_) != 0) return Fail(errno, error);
  regular_ = false;
  if (::close(std::exchange(fd_, -1)) != 0) return Fail(errno, error);
  return true;
}

}  // namespace vx
