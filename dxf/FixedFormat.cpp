// Coordinates as fixed text with six decimals, independent of the user's locale.
#include "dxf/FixedFormat.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace vx {
namespace {

// The general path: std::to_chars never consults the locale and rounds the
// exact binary value as printf does; 1.8e308 needs 309 digits before the
// point, so 400 characters hold every double.
void AppendGeneral(std::string& out, double value) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  out.append(buffer, result.ptr);
}

// The value in millionths, when that integer is certain: value × 1e6 in
// double is within half an ulp of the exact product, so when the computed
// product lies farther than that from the midpoint between two integers, the
// exact product rounds to the same integer as the computed one. Below 1e9 the
// ulp is at most 1/8.
bool Millionths(double value, std::int64_t& millionths) {
  if (!(std::fabs(value) < 1e9)) return false;  // also NaN and infinities
  const double scaled = value * 1e6;
  const double nearest = std::nearbyint(scaled);
  const double slack = std::fabs(scaled) * 0x1p-52 + 0x1p-60;
  if (!(std::fabs(scaled - nearest) < 0.5 - slack)) return false;
  millionths = static_cast<std::int64_t>(nearest);
  return true;
}

}  // namespace

void AppendFixed6(std::string& out, double value) {
  std::int64_t millionths = 0;
  if (!Millionths(value, millionths)) {
    AppendGeneral(out, value);
    return;
  }
  // The sign comes from the value itself: -0.0 and -1e-9 are "-0.000000".
  char buffer[32];
  char* p = buffer;
  if (std::signbit(value)) *p++ = '-';
  const std::uint64_t magnitude = static_cast<std::uint64_t>(millionths < 0 ? -millionths : millionths);
  p = std::to_chars(p, buffer + sizeof buffer, magnitude / 1000000).ptr;
  *p++ = '.';
  std::uint64_t fraction = magnitude % 1000000;
  for (int i = 5; i >= 0; --i) {
    p[i] = static_cast<char>('0' + fraction % 10);
    fraction /= 10;
  }
  out.append(buffer, p + 6);
}

}  // namespace vx
