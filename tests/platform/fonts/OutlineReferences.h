// The glyph table whose outlines the Linux source wrote as DXF, and the check that compares a drawing with them.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "tests/support/DxfReader.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GlyphLines.h"

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

// Checks dxf, a drawing of the glyph table laid out as the references are,
// against reference's DXF: the same glyphs, contours and vertex counts, each
// glyph within 1 % of the cell height. Prints, after label, how close the
// shapes and the pen drift along the line came.
inline void ExpectMatchesOutlineReference(std::string_view dxf, const OutlineReference& reference,
                                          const std::string& label) {
  const DxfDrawing expected = ReadDxf(ReadFileBytes(OutlineReferencePath(reference)));
  ASSERT_EQ(expected.error, "");
  const GlyphLinesComparison comparison = CompareGlyphLines(ReadDxf(dxf), expected, kReferenceLineSpacing);
  EXPECT_EQ(comparison.error, "");
  EXPECT_LE(comparison.shapeDeviation, kReferenceHeight / 100);
  std::printf("%s: shapes within %.2f %%, pen drift along the line up to %.2f %% of the cell height\n",
              label.c_str(), 100 * comparison.shapeDeviation / kReferenceHeight,
              100 * comparison.lineDrift / kReferenceHeight);
}

}  // namespace vx::test
