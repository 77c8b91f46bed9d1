// Two DXF drawings of one glyph table compared glyph by glyph: shapes within a tolerance, pen drift along a line measured.
#include "tests/support/GlyphLines.h"

#include <algorithm>
#include <cmath>

namespace vx::test {
namespace {

using Line = std::vector<const DxfPolyline*>;

// The polylines of each line, in drawing order: a contour belongs to the
// line whose baseline lies nearest below its middle (glyphs reach about a
// quarter of the spacing below their baseline and most of it above).
std::vector<Line> SplitIntoLines(const DxfDrawing& drawing, double lineSpacing) {
  std::vector<Line> lines;
  for (const DxfPolyline& polyline : drawing.polylines) {
    if (polyline.vertices.empty()) continue;
    const double middle = (polyline.Top() + polyline.Bottom()) / 2;
    const long index = std::lround((-middle + 0.28 * lineSpacing) / lineSpacing);
    if (index < 0) continue;
    if (lines.size() <= static_cast<std::size_t>(index)) lines.resize(static_cast<std::size_t>(index) + 1);
    lines[static_cast<std::size_t>(index)].push_back(&polyline);
  }
  return lines;
}

struct Offset {
  double x = 0;
  double y = 0;
};

// Mean offset of corresponding vertices; the contours must correspond.
Offset MeanOffset(const Line& actual, const Line& expected) {
  Offset sum;
  std::size_t count = 0;
  for (std::size_t c = 0; c < actual.size(); ++c) {
    for (std::size_t v = 0; v < actual[c]->vertices.size(); ++v) {
      sum.x += actual[c]->vertices[v].x - expected[c]->vertices[v].x;
      sum.y += actual[c]->vertices[v].y - expected[c]->vertices[v].y;
      ++count;
    }
  }
  return count == 0 ? Offset{} : Offset{sum.x / count, sum.y / count};
}

double LargestDistance(const Line& actual, const Line& expected, Offset moved) {
  double largest = 0;
  for (std::size_t c = 0; c < actual.size(); ++c) {
    for (std::size_t v = 0; v < actual[c]->vertices.size(); ++v) {
      const double dx = actual[c]->vertices[v].x - moved.x - expected[c]->vertices[v].x;
      const double dy = actual[c]->vertices[v].y - moved.y - expected[c]->vertices[v].y;
      largest = std::max(largest, std::hypot(dx, dy));
    }
  }
  return largest;
}

// An error text when the glyphs' contours and vertex counts differ.
std::string Mismatch(const Line& actual, const Line& expected, const std::string& where) {
  if (actual.size() != expected.size()) {
    return where + ": " + std::to_string(actual.size()) + " contours, expected " + std::to_string(expected.size());
  }
  for (std::size_t c = 0; c < actual.size(); ++c) {
    if (actual[c]->vertices.size() != expected[c]->vertices.size()) {
      return where + ", contour " + std::to_string(c) + ": " + std::to_string(actual[c]->vertices.size()) +
             " vertices, expected " + std::to_string(expected[c]->vertices.size());
    }
  }
  return {};
}

}  // namespace

std::vector<std::string> GlyphTableLines(const std::string& characters) {
  std::vector<std::string> lines;
  for (const char c : characters) lines.emplace_back(1, c);
  lines.push_back(characters);
  return lines;
}

GlyphLinesComparison CompareGlyphLines(const DxfDrawing& actual, const DxfDrawing& expected, double lineSpacing) {
  GlyphLinesComparison result;
  const std::vector<Line> actualLines = SplitIntoLines(actual, lineSpacing);
  const std::vector<Line> expectedLines = SplitIntoLines(expected, lineSpacing);
  if (expectedLines.size() < 2 || actualLines.size() != expectedLines.size()) {
    result.error = std::to_string(actualLines.size()) + " lines, expected " + std::to_string(expectedLines.size());
    return result;
  }
  const std::size_t glyphs = expectedLines.size() - 1;
  const Line& actualLast = actualLines.back();
  const Line& expectedLast = expectedLines.back();
  std::size_t first = 0;  // the glyph's first contour on the last line
  for (std::size_t g = 0; g < glyphs; ++g) {
    const std::string where = "glyph " + std::to_string(g);
    result.error = Mismatch(actualLines[g], expectedLines[g], where + " alone");
    if (!result.error.empty()) return result;
    result.shapeDeviation =
        std::max(result.shapeDeviation, LargestDistance(actualLines[g], expectedLines[g], Offset{}));

    const std::size_t contours = expectedLines[g].size();
    if (first + contours > expectedLast.size() || first + contours > actualLast.size()) {
      result.error = where + ": the last line ends early";
      return result;
    }
    const Line actualGlyph(actualLast.begin() + first, actualLast.begin() + first + contours);
    const Line expectedGlyph(expectedLast.begin() + first, expectedLast.begin() + first + contours);
    result.error = Mismatch(actualGlyph, expectedGlyph, where + " on the last line");
    if (!result.error.empty()) return result;
    const Offset drift = MeanOffset(actualGlyph, expectedGlyph);
    result.lineDrift = std::max(result.lineDrift, std::hypot(drift.x, drift.y));
    result.shapeDeviation = std::max(result.shapeDeviation, LargestDistance(actualGlyph, expectedGlyph, drift));
    first += contours;
  }
  if (first != expectedLast.size() || first != actualLast.size()) result.error = "the last line holds more contours";
  return result;
}

}  // namespace vx::test
