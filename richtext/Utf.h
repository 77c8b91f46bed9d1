// UTF-8 and UTF-16 conversion for face names and model text (invalid input becomes U+FFFD).
#pragma once

#include <string>
#include <string_view>

namespace vx {

// UTF-16 to UTF-8; a surrogate without its partner becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16; an invalid byte becomes U+FFFD.
std::u16string FromUtf8(std::string_view text);

// Replaces every surrogate that is not part of a pair by U+FFFD, in place.
void RepairSurrogates(std::u16string& text);

}  // namespace vx
