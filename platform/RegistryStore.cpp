// Registry store: one export-format file per root, locked, re-read and replaced atomically.
#include "platform/RegistryStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/AtomicFile.h"

namespace vx {
namespace {

std::string Reason(int error) { return std::strerror(error); }

std::string EnvValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string HomeFolder() {
  std::string home = EnvValue("HOME");
  if (home.empty()) {
    if (const passwd* entry = ::getpwuid(::getuid())) home = entry->pw_dir ? entry->pw_dir : "";
  }
  return home;
}

// Reads a whole file; false with errno-style code in error when it cannot.
bool ReadWholeFile(const std::string& path, std::string& bytes, int& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  bytes.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      error = errno;
      ::close(fd);
      return false;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return true;
}

enum class ReadOutcome { Parsed, Missing, Corrupt };

// Reads and parses a root's file. Raises RegistryError when it exists but
// cannot be read.
ReadOutcome ReadRoot(RegistryRoot root, const std::string& path, RegistryKey& tree, std::string& why) {
  std::string bytes;
  int error = 0;
  if (!ReadWholeFile(path, bytes, error)) {
    tree = RegistryKey{std::string(RootName(root)), {}, {}};
    if (error == ENOENT || error == ENOTDIR) return ReadOutcome::Missing;
    throw RegistryError("Cannot read the registry file " + path + ": " + Reason(error));
  }
  return ParseRegistryText(bytes, RootName(root), tree, why) ? ReadOutcome::Parsed : ReadOutcome::Corrupt;
}

bool MakeFolders(const std::string& folder, std::string& error) {
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      error = "Cannot create the folder " + part + ": " + Reason(errno);
      return false;
    }
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    error = "Cannot use the folder " + folder + ": " + Reason(errno);
    return false;
  }
  if (!S_ISDIR(info.st_mode)) {
    error = "Cannot use the folder " + folder + ": " + Reason(ENOTDIR);
    return false;
  }
  return true;
}

// Holds the exclusive lock on a root's lock file for its lifetime.
class FileLock {
 public:
  explicit FileLock(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
      error_ = "Cannot open the lock file " + path + ": " + Reason(errno);
      return;
    }
    while (::flock(fd_, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      error_ = "Cannot lock " + path + ": " + Reason(errno);
      ::close(fd_);
      fd_ = -1;
      return;
    }
  }
  ~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool Held() const { return fd_ >= 0; }
  const std::string& Error() const { return error_; }

 private:
  int fd_ = -1;
  std::string error_;
};

// Renames an unparsable file to "<file>.corrupt-YYYYMMDD-HHMMSS" (with a
// counter when that name is taken). Must run under the lock.
bool MoveAside(const std::string& path, std::string& error) {
  const std::time_t now = std::time(nullptr);
  std::tm local {};
  ::localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string base = path + ".corrupt-" + stamp;
  std::string target = base;
  struct stat info {};
  for (int n = 2; ::lstat(target.c_str(), &info) == 0; ++n) target = base + "-" + std::to_string(n);
  if (::rename(path.c_str(), target.c_str()) != 0) {
    error = "The registry file " + path + " cannot be read as a registry file and cannot be moved aside: " +
            Reason(errno);
    return false;
  }
  return true;
}

}  // namespace

std::string RegistryFolder() {
  std::string folder = EnvValue("VEXOGLYPH_REGISTRY_DIR");
  if (folder.empty()) {
    std::string config = EnvValue("XDG_CONFIG_HOME");
    if (config.empty() || config[0] != '/') {
      const std::string home = HomeFolder();
      if (home.empty()) throw RegistryError("Cannot find a folder for the registry: no home folder is set");
      config = home + "/.config";
    }
    folder = config + "/vexoglyph";
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string RegistryFile(RegistryRoot root) {
  return RegistryFolder() + (root == RegistryRoot::CurrentUser ? "/user.reg" : "/machine.reg");
}

RegistryKey LoadRegistryRoot(RegistryRoot root) {
  const std::string path = RegistryFile(root);
  RegistryKey tree;
  std::string why;
  if (ReadRoot(root, path, tree, why) != ReadOutcome::Corrupt) return tree;
  // Another process may have replaced or moved the file meanwhile: decide under the lock.
  FileLock lock(path + ".lock");
  if (!lock.Held()) return RegistryKey{std::string(RootName(root)), {}, {}};
  if (ReadRoot(root, path, tree, why) == ReadOutcome::Corrupt) {
    std::string error;
    MoveAside(path, error);  // when it stays, writes refuse to replace it
  }
  return tree;
}

void UpdateRegistryRoot(RegistryRoot root, const std::function<void(RegistryKey&)>& change) {
  const std::string folder = RegistryFolder();
  const std::string path = RegistryFile(root);
  std::string error;
  if (!MakeFolders(folder, error)) throw RegistryError(error);
  FileLock lock(path + ".lock");
  if (!lock.Held()) throw RegistryError(lock.Error());
  RegistryKey tree;
  std::string why;
  if (ReadRoot(root, path, tree, why) == ReadOutcome::Corrupt && !MoveAside(path, error)) {
    throw RegistryError(error);
  }
  change(tree);
  if (!WriteFileAtomically(path, WriteRegistryText(tree, RootName(root)), error)) {
    throw RegistryError("Cannot write the registry file " + path + ": " + error);
  }
}

}  // namespace vx
