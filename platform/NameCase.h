// Case folding of UTF-8 names as Windows compares them: registry keys and values, file names, font families.
#pragma once

#include <string>
#include <string_view>

namespace vx {

// Upper-cases every character of a UTF-8 string (the registry compares and
// sorts key and value names this way). Bytes that are not valid UTF-8 pass
// through unchanged.
std::string UpperUtf8(std::string_view text);

// Lower-cases every character of a UTF-8 string; invalid bytes pass through.
std::string LowerUtf8(std::string_view text);

// True when two names are equal without regard to letter case.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace vx
