// Replacing a file as a whole: written beside the target, flushed, then renamed over it.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Writes bytes into a temporary file in the target's folder, flushes it to
// disk and renames it over path, so the target is either the old file or the
// complete new one. On failure returns false, leaves the target untouched,
// removes the temporary file and puts the system's reason into error.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace vx
