// Registry store: one export-format file per root, locked, re-read and replaced atomically.
#pragma once

#include <functional>
#include <string>

#include "platform/Registry.h"
#include "platform/RegistryText.h"

namespace vx {

// The folder of the store: $VEXOGLYPH_REGISTRY_DIR when set, otherwise
// $XDG_CONFIG_HOME/vexoglyph, otherwise ~/.config/vexoglyph. Raises
// RegistryError when no home folder can be found.
std::string RegistryFolder();

// The file that holds one root: "user.reg" for HKEY_CURRENT_USER,
// "machine.reg" for HKEY_LOCAL_MACHINE, in RegistryFolder().
std::string RegistryFile(RegistryRoot root);

// Current content of a root's file. A missing file or folder is an empty
// root. A file that cannot be parsed is moved aside (as
// "user.reg.corrupt-<date>-<time>") and the root is empty. Raises
// RegistryError when the file exists but cannot be read.
RegistryKey LoadRegistryRoot(RegistryRoot root);

// Changes a root's file: takes the lock shared by all processes
// ("user.reg.lock"), re-reads the file so that changes made by others since
// are kept, applies change, writes the result to a temporary file and
// renames it over the file. Raises RegistryError with the system's reason
// when the folder or file cannot be written; an unparsable file that cannot
// be moved aside is never overwritten.
void UpdateRegistryRoot(RegistryRoot root, const std::function<void(RegistryKey&)>& change);

}  // namespace vx
