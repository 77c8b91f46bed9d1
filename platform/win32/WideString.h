// UTF-8 inside, UTF-16 at the Windows boundary: conversions for the W functions and the system's error texts.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vx {

// A UTF-8 string as a wide string for a W function; an invalid byte becomes U+FFFD.
std::wstring Widen(std::string_view utf8);

// A wide string from a W function as UTF-8; a lone surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view wide);

// A UTF-8 file name as the W file functions take it whatever its length: a
// relative name resolved against the current folder (so that calls that
// take no relative names, such as ReplaceFileW, find it), and one of
// MAX_PATH characters or more given the "\\?\" prefix (so that the system
// takes it whole). Device names (NUL, CON, "\\.\...") and names that
// already have the prefix stay devices and prefixed names.
std::wstring FileSystemName(std::string_view utf8);

// The system's text for an error code (GetLastError's), as one UTF-8 line
// without a trailing period or line break; "error N" when it has none.
std::string SystemErrorText(DWORD error);

}  // namespace vx
