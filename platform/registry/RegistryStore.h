// Registry store: one export-format file per root, locked, re-read and replaced atomically.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryKey.h"

namespace vx {

// The folder of the store: $VEXOGLYPH_REGISTRY_DIR when set, otherwise
// $XDG_CONFIG_HOME/vexoglyph, otherwise ~/.config/vexoglyph. Raises
// RegistryError when no home folder can be found.
std::string RegistryFolder();

// The file that holds one root: "user.reg" for HKEY_CURRENT_USER,
// "machine.reg" for HKEY_LOCAL_MACHINE, in RegistryFolder().
std::string RegistryFile(RegistryRoot root);

// Current content of a root's file. A missing file or folder is an empty
// root. A file that cannot be parsed (not an export of this root, or beyond
// the registry's limits) is moved aside (as "user.reg.corrupt-<date>-<time>"),
// the move is reported on the standard error stream, and the root is empty.
// Raises RegistryError when the file exists but cannot be read.
RegistryKey LoadRegistryRoot(RegistryRoot root);

// Changes a root's file: takes the lock shared by all processes
// ("user.reg.lock"), re-reads the file so that changes made by others since
// are kept, applies change, and saves the result as OutputFile does (a
// temporary file renamed over the file; a symbolic link is written through
// to its target). Raises RegistryError with the system's reason when the
// folder or file cannot be written; an unparsable file that cannot be moved
// aside is never overwritten.
void UpdateRegistryRoot(RegistryRoot root, const std::function<void(RegistryKey&)>& change);

// True when a root's file could be replaced now: its folder can be written
// and its lock file, if there is one, can be opened for writing. Creates
// nothing.
bool RegistryRootWritable(RegistryRoot root);

// One root's file as this process last read or wrote it, for a run of reads
// and writes: the file is read again only when it changed since (another
// writer replaced it), so that many reads cost one reading of the file. Writes
// keep the rules of UpdateRegistryRoot. Changes may also be gathered: they
// show in Content() at once and reach the file together, in one replacement.
class RegistryRootFile {
 public:
  explicit RegistryRootFile(RegistryRoot root) : root_(root) {}

  // As LoadRegistryRoot, but reading the file only when it changed since
  // this object last read or wrote it; gathered changes are included.
  const RegistryKey& Content();
  // Content() handed over; the next use reads the file again.
  RegistryKey TakeContent();

  // As UpdateRegistryRoot; the file is re-read under the lock only when
  // another writer changed it meanwhile.
  void Update(const std::function<void(RegistryKey&)>& change);

  // Applies change to Content() and keeps it for StoreGathered. Raises
  // RegistryError when the file cannot be read.
  void Gather(std::function<void(RegistryKey&)> change);
  // Writes the gathered changes in one replacement of the file, onto what
  // the file holds then; raises RegistryError as Update does, and then none
  // of them is stored. Either way nothing remains gathered.
  void StoreGathered();
  bool HasGathered() const { return !gathered_.empty(); }

 private:
  // What identifies one version of the file: a replacement is a new inode,
  // an edit in place a new size or modification time.
  struct Stamp {
    enum class State { Unknown, Missing, Present } state = State::Unknown;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    bool SameVersion(const Stamp& other) const;
  };

  static Stamp StampOf(const std::string& path);
  bool UpToDate(const std::string& path) const;
  // Reads the file into tree_ and replays the gathered changes. With
  // lockHeld an unparsable file that cannot be moved aside raises
  // RegistryError; without, it is decided under the lock and left alone.
  void Load(const std::string& path, bool lockHeld);

  RegistryRoot root_;
  std::string path_;  // the file tree_ was read from
  bool loaded_ = false;
  Stamp stamp_;
  RegistryKey tree_;
  std::vector<std::function<void(RegistryKey&)>> gathered_;
};

}  // namespace vx
