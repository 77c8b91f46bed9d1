// The font catalogue's two phases: TrueType faces of the display list, then those with a symbol set.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vx {

// Whether the platform lists a face name in the phase asked about (a TrueType
// face, or a face with the symbol set).
using FaceTest = std::function<bool(const std::string& face)>;

// Asks the test about each name in order and returns the names it accepts,
// each once compared without regard to case (spelled as first accepted).
// step runs after each name.
std::vector<std::string> CollectFaces(const std::vector<std::string>& names, const FaceTest& accepts,
                                      const std::function<void()>& step);

}  // namespace vx
