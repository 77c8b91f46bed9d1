// The system's own converter of a double-byte code page, asked one pair at a time: the reference the tables are checked against.
#pragma once

#include <optional>
#include <string_view>

namespace vx {

// The one UTF-16 unit the system's converter gives for bytes (one pair) in
// the page named converter ("CP932") with Windows number codePage; nothing
// when it refuses them or gives other than one unit.
std::optional<char16_t> SystemCharacter(const char* converter, unsigned codePage, std::string_view bytes);

}  // namespace vx
