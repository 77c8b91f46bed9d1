// The glyph table whose outlines the Linux source wrote as DXF, for every system's source to be compared with.
#pragma once

#include <string>

namespace vx::test {

// As `vexoglyph convert -f FACE [--bold] [--italic] -H 100 -w 0.8 -p 2` lays
// out the lines of GlyphTableLines(kReferenceCharacters): straight edges,
// round ones with a counter, and crossing curves.
inline constexpr char kReferenceCharacters[] = "Ab&";
inline constexpr double kReferenceHeight = 100;
inline constexpr double kReferenceWidthFactor = 0.8;
inline constexpr int kReferencePrecision = 2;
inline constexpr double kReferenceLineSpacing = 1.2 * kReferenceHeight;

struct OutlineReference {
  const char* face;
  const char* style;  // the file name's style part
  bool bold;
  bool italic;
};

inline constexpr OutlineReference kOutlineReferences[] = {
    {"DejaVu Sans", "regular", false, false},     {"DejaVu Sans", "bold", true, false},
    {"DejaVu Sans", "italic", false, true},       {"DejaVu Sans", "bold-italic", true, true},
    {"DejaVu Serif", "bold-italic", true, true},
    {"Liberation Sans", "regular", false, false}, {"Liberation Sans", "bold", true, false},
    {"Liberation Sans", "italic", false, true},   {"Liberation Sans", "bold-italic", true, true},
    {"Liberation Serif", "regular", false, false}, {"Liberation Mono", "regular", false, false},
};

// The reference DXF of one entry: "DejaVu Sans" regular is
// tests/platform/fonts/data/outlines/DejaVuSans-regular.dxf.
inline std::string OutlineReferencePath(const OutlineReference& reference) {
  std::string name;
  for (const char* c = reference.face; *c != '\0'; ++c) {
    if (*c != ' ') name += *c;
  }
  return std::string(VX_OUTLINE_REFERENCES) + "/" + name + "-" + reference.style + ".dxf";
}

}  // namespace vx::test
