// Hershey fonts: the single-stroke glyphs of a .jhf file, read without ever reading past its text.
#include "engine/HersheyFont.h"

#include <cstddef>
#include <optional>

namespace vx {
namespace {

// Reads a glyph's characters across line breaks; every read is checked
// against the text's end.
class GlyphCursor {
 public:
  GlyphCursor(std::string_view text, std::size_t& line) : text_(text), line_(line) {}

  bool AtEnd() const { return at_ >= text_.size(); }

  // The next character of the glyph, line breaks skipped; nullopt at the end.
  std::optional<char> Next() {
    while (at_ < text_.size() && (text_[at_] == '\n' || text_[at_] == '\r')) {
      if (text_[at_] == '\n') ++line_;
      ++at_;
    }
    if (at_ >= text_.size()) return std::nullopt;
    return text_[at_++];
  }

  // Skips the line break after a glyph, and blank lines.
  void SkipBreaks() {
    while (at_ < text_.size() && (text_[at_] == '\n' || text_[at_] == '\r')) {
      if (text_[at_] == '\n') ++line_;
      ++at_;
    }
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  std::size_t& line_;
};

std::string Where(std::size_t glyph, std::size_t line) {
  return "glyph " + std::to_string(glyph + 1) + " (line " + std::to_string(line) + ")";
}

// A right-aligned number of `columns` characters, blanks before it.
std::optional<int> ReadColumns(GlyphCursor& cursor, int columns) {
  int value = 0;
  bool digits = false;
  for (int i = 0; i < columns; ++i) {
    const std::optional<char> c = cursor.Next();
    if (!c) return std::nullopt;
    if (*c == ' ' && !digits) continue;
    if (*c < '0' || *c > '9') return std::nullopt;
    value = value * 10 + (*c - '0');
    digits = true;
  }
  if (!digits) return std::nullopt;
  return value;
}

// One glyph from the cursor; an error text when it is damaged.
std::string ReadGlyph(GlyphCursor& cursor, std::size_t index, const std::size_t& line, HersheyGlyph& glyph) {
  const std::size_t start = line;
  if (!ReadColumns(cursor, 5)) return Where(index, start) + ": no glyph number in its first 5 columns";
  const std::optional<int> pairs = ReadColumns(cursor, 3);
  if (!pairs || *pairs < 1) return Where(index, start) + ": no count of coordinate pairs in columns 6 to 8";
  std::vector<HersheyPoint> stroke;
  for (int pair = 0; pair < *pairs; ++pair) {
    const std::optional<char> x = cursor.Next();
    const std::optional<char> y = cursor.Next();
    if (!x || !y)
      return Where(index, start) + ": the file ends after " + std::to_string(pair) + " of " +
             std::to_string(*pairs) + " coordinate pairs";
    if (*x < ' ' || *x > '~' || *y < ' ' || *y > '~')
      return Where(index, start) + ": a coordinate is not a printable ASCII character";
    if (pair == 0) {
      glyph.left = *x - 'R';
      glyph.right = *y - 'R';
    } else if (*x == ' ' && *y == 'R') {
      if (!stroke.empty()) glyph.strokes.push_back(std::move(stroke));
      stroke.clear();
    } else {
      stroke.push_back({*x - 'R', *y - 'R'});
    }
  }
  if (!stroke.empty()) glyph.strokes.push_back(std::move(stroke));
  if (glyph.right < glyph.left) return Where(index, start) + ": its right edge lies left of its left edge";
  return {};
}

}  // namespace

HersheyFont ParseHersheyFont(std::string_view text) {
  HersheyFont font;
  std::size_t line = 1;
  GlyphCursor cursor(text, line);
  cursor.SkipBreaks();
  while (!cursor.AtEnd()) {
    HersheyGlyph glyph;
    const std::string error = ReadGlyph(cursor, font.glyphs.size(), line, glyph);
    if (!error.empty()) return {{}, error};
    font.glyphs.push_back(std::move(glyph));
    cursor.SkipBreaks();
  }
  if (font.glyphs.empty()) font.error = "no glyphs";
  return font;
}

}  // namespace vx
