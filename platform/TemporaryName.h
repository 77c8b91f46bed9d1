// The name of a save's temporary file beside its target.
#pragma once

#include <string>

namespace vx {

// "<target>.XXXXXX" with six random letters; a taken name is for the caller to try again.
std::string FreshTemporaryName(const std::string& target);

}  // namespace vx
