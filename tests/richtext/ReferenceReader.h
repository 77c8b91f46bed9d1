// The reference reader beside the repository (a Python program) and ours, each file's runs in one comparable text.
#pragma once

#include <optional>
#include <string>

namespace vx::test {

// The runs the reference reader gets from an RTF file, one line each
// (hex text | hex face | half-points | bold | italic | symbol), or nullopt
// where python3 or the reference reader is missing.
std::optional<std::string> ReferenceRuns(const std::string& file);

// Our reader's runs from the same file, in the same lines.
std::string OurRuns(const std::string& file);

}  // namespace vx::test
