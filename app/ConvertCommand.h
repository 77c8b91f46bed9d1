// Running `vexoglyph convert`: text in, laid out glyph by glyph, DXF or SVG written as it comes.
#pragma once

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace vx {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // unreadable input, nothing to convert, unwritable output, no memory
inline constexpr int kExitUsage = 2;    // a wrong command line

// Converts as the options say. Returns the exit status; on failure error
// holds a one-line message for the user. notices receives one-line remarks
// for standard error that are no failure: a face that is not installed and
// the substitute that stands in for it, and with the typographic layout one
// `fallback: "CHARACTERS" from FAMILY` per fallback face, in order of first use.
// Memory does not grow with the text's geometry: each glyph is written out as
// soon as it is placed. Running out of memory all the same ends in "Out of
// memory" with the output left as it was.
int RunConvert(const ConvertOptions& options, std::string& error, std::vector<std::string>& notices);

}  // namespace vx
