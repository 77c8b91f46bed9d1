// Coordinates as fixed text with six decimals, independent of the user's locale.
#include "dxf/FixedFormat.h"

#include <charconv>

namespace vx {

void AppendFixed6(std::string& out, double value) {
  // std::to_chars never consults the locale; 1.8e308 needs 309 digits before
  // the point, so 400 characters hold every double.
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  out.append(buffer, result.ptr);
}

}  // namespace vx
