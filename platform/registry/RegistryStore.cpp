// Registry store: one export-format file per root, locked, re-read and replaced atomically.
#include "platform/registry/RegistryStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/FileReading.h"
#include "platform/OutputFile.h"
#include "platform/registry/RegistryText.h"

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

RegistryKey EmptyRoot(RegistryRoot root) { return RegistryKey(std::string(RootName(root))); }

enum class ReadOutcome { Parsed, Missing, Corrupt };

// Reads and parses a root's file, with the status of the very file read.
// Raises RegistryError when it exists but cannot be read.
ReadOutcome ReadRoot(RegistryRoot root, const std::string& path, RegistryKey& tree, struct stat& status,
                     std::string& why) {
  tree = EmptyRoot(root);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) return ReadOutcome::Missing;
    throw RegistryError("Cannot read the registry file " + path + ": " + Reason(error));
  }
  ReadResult read;
  if (std::FILE* file = ::fdopen(fd, "rb")) {
    if (::fstat(fd, &status) == 0)
      read = ReadAtMost(file, kMaxFileBytes);
    else
      read.error = errno;
    std::fclose(file);
  } else {
    read.error = errno;
    ::close(fd);
  }
  if (!read.ok) throw RegistryError("Cannot read the registry file " + path + ": " + Reason(read.error));
  return ParseRegistryText(read.bytes, RootName(root), tree, why) ? ReadOutcome::Parsed : ReadOutcome::Corrupt;
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
// counter when that name is taken) and says so, with the reason, on the
// standard error stream: the store has no other way to tell. Must run under
// the lock.
bool MoveAside(const std::string& path, const std::string& why, std::string& error) {
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
    error = "The registry file " + path + " cannot be read as a registry file (" + why +
            ") and cannot be moved aside: " + Reason(errno);
    return false;
  }
  std::fprintf(stderr, "vexoglyph: the registry file %s cannot be read as a registry file (%s); it was kept as %s\n",
               path.c_str(), why.c_str(), target.c_str());
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

RegistryKey LoadRegistryRoot(RegistryRoot root) { return RegistryRootFile(root).TakeContent(); }

void UpdateRegistryRoot(RegistryRoot root, const std::function<void(RegistryKey&)>& change) {
  RegistryRootFile(root).Update(change);
}

bool RegistryRootWritable(RegistryRoot root) {
  std::string folder;
  try {
    folder = RegistryFolder();
  } catch (const RegistryError&) {
    return false;
  }
  const std::string lockPath = RegistryFile(root) + ".lock";
  const int fd = ::open(lockPath.c_str(), O_RDWR | O_CLOEXEC);  // no O_CREAT: the probe makes nothing
  if (fd >= 0) {
    ::close(fd);
  } else if (errno != ENOENT) {
    return false;
  }
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool RegistryRootFile::Stamp::SameVersion(const Stamp& other) const {
  if (state == State::Unknown || state != other.state) return false;
  return state == State::Missing ||
         (device == other.device && inode == other.inode && size == other.size &&
          modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec);
}

RegistryRootFile::Stamp RegistryRootFile::StampOf(const std::string& path) {
  Stamp stamp;
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) stamp.state = Stamp::State::Missing;
    return stamp;
  }
  stamp.state = Stamp::State::Present;
  stamp.device = status.st_dev;
  stamp.inode = status.st_ino;
  stamp.size = status.st_size;
  stamp.modified = status.st_mtim;
  return stamp;
}

bool RegistryRootFile::UpToDate(const std::string& path) const {
  return loaded_ && path == path_ && stamp_.SameVersion(StampOf(path));
}

void RegistryRootFile::Load(const std::string& path, bool lockHeld) {
  loaded_ = false;
  path_ = path;
  struct stat status {};
  std::string why;
  ReadOutcome outcome = ReadRoot(root_, path, tree_, status, why);
  if (outcome == ReadOutcome::Corrupt) {
    std::string error;
    if (lockHeld) {
      if (!MoveAside(path, why, error)) throw RegistryError(error);
    } else {
      // Another process may have replaced or moved the file meanwhile: decide under the lock.
      FileLock lock(path + ".lock");
      if (lock.Held()) outcome = ReadRoot(root_, path, tree_, status, why);
      if (lock.Held() && outcome == ReadOutcome::Corrupt) {
        MoveAside(path, why, error);  // when it stays, writes refuse to replace it
      }
    }
  }
  if (outcome == ReadOutcome::Parsed) {
    stamp_ = Stamp{Stamp::State::Present, status.st_dev, status.st_ino, status.st_size, status.st_mtim};
  } else {
    tree_ = EmptyRoot(root_);  // an unparsable file reads as an empty root
    stamp_ = StampOf(path);
    // One that could not be moved aside is read again next time, so that a
    // write never replaces it.
    if (outcome == ReadOutcome::Corrupt && stamp_.state == Stamp::State::Present) stamp_.state = Stamp::State::Unknown;
  }
  for (const auto& change : gathered_) change(tree_);
  loaded_ = true;
}

const RegistryKey& RegistryRootFile::Content() {
  const std::string path = RegistryFile(root_);
  if (!UpToDate(path)) Load(path, false);
  return tree_;
}

RegistryKey RegistryRootFile::TakeContent() {
  Content();
  loaded_ = false;
  return std::move(tree_);
}

void RegistryRootFile::Update(const std::function<void(RegistryKey&)>& change) {
  const std::string folder = RegistryFolder();
  const std::string path = RegistryFile(root_);
  std::string error;
  if (!MakeFolders(folder, error)) throw RegistryError(error);
  FileLock lock(path + ".lock");
  if (!lock.Held()) throw RegistryError(lock.Error());
  if (!UpToDate(path)) Load(path, true);
  change(tree_);
  if (!WriteWholeFile(path, WriteRegistryText(tree_, RootName(root_)), error)) {
    loaded_ = false;  // tree_ holds a change the file does not
    throw RegistryError("Cannot write the registry file " + path + ": " + error);
  }
  stamp_ = StampOf(path);  // under the lock nobody else replaces it
}

void RegistryRootFile::Gather(std::function<void(RegistryKey&)> change) {
  Content();
  change(tree_);
  gathered_.push_back(std::move(change));
}

void RegistryRootFile::StoreGathered() {
  if (gathered_.empty()) return;
  try {
    Update([](RegistryKey&) {});  // tree_ holds the gathered changes, or gets them when re-read
  } catch (...) {
    gathered_.clear();
    loaded_ = false;
    throw;
  }
  gathered_.clear();
}

}  // namespace vx
