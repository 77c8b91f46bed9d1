// Registry export text: reading and writing the registry editor's .reg format.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry/RegistryKey.h"

namespace vx {

// Reads an export file of one root (rootName is "HKEY_CURRENT_USER" or
// "HKEY_LOCAL_MACHINE") into root. Accepts UTF-16LE with a byte-order mark,
// as the registry editor exports, and UTF-8 with or without one; CR LF or LF
// line ends; hex data continued over lines; comment lines; key and value
// deletions ("[-...]", "\"Name\"=-"). Empty input is an empty root. Returns
// false with a reason naming the line when the text is not such a file, a
// key lies under another root, or a key path or name is beyond the
// registry's limits.
bool ParseRegistryText(std::string_view bytes, std::string_view rootName, RegistryKey& root,
                       std::string& error);

// Writes root as the registry editor exports it, so that the editor imports
// it unchanged: UTF-16LE with a byte-order mark, CR LF line ends, the version
// line, then each key as "[ROOT\path]" followed by its values and a blank
// line, keys depth first in listing order (the root itself only when it has
// values). Strings holding a line break or a NUL character are written in the
// editor's hex(1) form so they survive the round trip.
std::string WriteRegistryText(const RegistryKey& root, std::string_view rootName);

}  // namespace vx
