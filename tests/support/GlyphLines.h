// Two DXF drawings of one glyph table compared glyph by glyph: shapes within a tolerance, pen drift along a line measured.
#pragma once

#include <string>
#include <vector>

#include "tests/support/DxfReader.h"

namespace vx::test {

// The text of a glyph table: each character alone on a line of its own,
// then all of them together on a last line ("A", "b", "g", "Abg").
std::vector<std::string> GlyphTableLines(const std::string& characters);

struct GlyphLinesComparison {
  std::string error;          // empty when both drawings hold the same glyphs, contours and vertex counts
  double shapeDeviation = 0;  // largest distance of two corresponding vertices, each glyph placed as drawn
                              // on its own line and moved by its pen drift on the last line
  double lineDrift = 0;       // largest distance, along the last line, between where a glyph starts
                              // in actual and where it starts in expected
};

// Compares drawings of a glyph table (GlyphTableLines) laid out with
// baselines lineSpacing apart. A glyph on the last line is moved by the mean
// offset of its vertices before its shape is compared; that offset is its
// drift.
GlyphLinesComparison CompareGlyphLines(const DxfDrawing& actual, const DxfDrawing& expected, double lineSpacing);

}  // namespace vx::test
