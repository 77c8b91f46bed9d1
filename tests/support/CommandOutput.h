// Test helper: what a shell command prints on standard output.
#pragma once

#include <optional>
#include <string>

namespace vx::test {

// Runs command through the shell and returns all it wrote to standard
// output; nullopt when it could not be started or did not exit with 0.
std::optional<std::string> CommandOutput(const std::string& command);

}  // namespace vx::test
