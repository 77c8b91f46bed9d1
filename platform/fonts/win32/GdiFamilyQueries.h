// GdiFamilyQueries: questions to an installed family through a font of it selected in a memory context.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vx {

// Calls use with a memory context that has a font of the face and character
// set selected; false when either cannot be made.
bool WithFamilyFont(const std::string& face, std::uint8_t charset, const std::function<void(HDC)>& use);

// The characters a font has, as the system lists them (GetFontUnicodeRanges):
// the Basic Multilingual Plane only.
class UnicodeRanges {
 public:
  // The ranges of the font selected in dc; none when the system has no list.
  explicit UnicodeRanges(HDC dc);
  // The ranges of the family's default face.
  static UnicodeRanges OfFamily(const std::string& family);

  bool Has(char32_t c) const;

 private:
  UnicodeRanges() = default;
  struct Range {
    char32_t first;
    char32_t last;
  };
  std::vector<Range> ranges_;
};

}  // namespace vx
