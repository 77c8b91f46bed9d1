// Coordinates as fixed text with six decimals, independent of the user's locale.
#pragma once

#include <string>

namespace vx {

// Appends value as C's "%f" writes it in the C locale: fixed notation, six
// digits after ".", a minus sign for negative values (-0.0 included).
void AppendFixed6(std::string& out, double value);

}  // namespace vx
