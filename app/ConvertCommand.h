// Running `vexoglyph convert`: text in, layout into the point store, DXF or SVG out.
#pragma once

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace vx {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // unreadable input, nothing to convert, unwritable output
inline constexpr int kExitUsage = 2;    // a wrong command line

// Converts as the options say. Returns the exit status; on failure error
// holds a one-line message for the user. notices receives one-line remarks
// for standard error that are no failure: with the typographic layout, one
// `fallback: "CHARACTERS" from FAMILY` per fallback face, in order of first use.
int RunConvert(const ConvertOptions& options, std::string& error, std::vector<std::string>& notices);

}  // namespace vx
