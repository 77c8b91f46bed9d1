// Hershey fonts: the single-stroke glyphs of a .jhf file, read without ever reading past its text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vx {

// A point of a glyph in the file's units, y down, relative to the glyph's
// centre line; the baseline of the Latin fonts is at y = 9 and their cell
// spans y = -16 .. 16.
struct HersheyPoint {
  int x = 0;
  int y = 0;
};

// One glyph: its left and right edges (the advance is right - left) and its
// strokes, each an open polyline of at least one point.
struct HersheyGlyph {
  int left = 0;
  int right = 0;
  std::vector<std::vector<HersheyPoint>> strokes;
};

// The glyphs of a .jhf text, in file order (the ASCII fonts' glyph i is the
// character 32 + i); or, for a damaged text, no glyphs and a one-line error.
struct HersheyFont {
  std::vector<HersheyGlyph> glyphs;
  std::string error;
};

// Reads the classic .jhf format: each glyph a 5-column number, a 3-column
// count of coordinate pairs (the edges counted), then that many pairs of
// characters, each coordinate its character's code minus 'R', " R" lifting
// the pen; a glyph may go on over following lines. Refuses, naming the glyph
// and line, a count that is not a number, a glyph that ends early, a
// character outside printable ASCII, a glyph without its edges, and a text
// without glyphs.
HersheyFont ParseHersheyFont(std::string_view text);

}  // namespace vx
