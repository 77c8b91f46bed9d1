// TextShaper: the platform's text services behind the typographic layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GlyphSource.h"
#include "engine/TextLayout.h"

namespace vx {

// One line in the order of the Unicode bidirectional algorithm.
struct BidiLine {
  std::vector<std::uint8_t> levels;  // embedding level of each code point; odd is right-to-left
  std::vector<std::size_t> visualOrder;  // the logical index of each code point, left to right
};

// One glyph as the shaper places it, in device units of the font (the width
// factor applied to x): its origin lies offsetX, offsetY from the pen, and
// the pen then moves by advance.
struct ShapedGlyph {
  std::uint32_t glyph = 0;  // index in the face the font lands on
  std::size_t cluster = 0;  // logical index of the first code point it stands for
  double advance = 0;
  double offsetX = 0;
  double offsetY = 0;
};

// A face's own line measures in device units: ascent above the baseline,
// descent below it (positive), and the gap it asks between lines.
struct FaceExtents {
  double ascent = 0;
  double descent = 0;
  double lineGap = 0;
};

class TextShaper {
 public:
  virtual ~TextShaper() = default;

  // The line as a paragraph of the given direction (Auto: that of its first
  // strong character).
  virtual BidiLine Reorder(std::u32string_view line, ParagraphDirection direction) = 0;

  // Shapes line[begin, end) in one font and direction (the rest of the line
  // is context) and appends its glyphs to glyphs, left to right. Returns
  // false, appending nothing, when the font cannot be made.
  virtual bool Shape(const FontRequest& font, std::u32string_view line, std::size_t begin,
                     std::size_t end, bool rightToLeft, std::vector<ShapedGlyph>& glyphs) = 0;

  // Whether the face the font lands on has an outline the glyph source can
  // draw for c.
  virtual bool Covers(const FontRequest& font, char32_t c) = 0;

  // Characters that belong to the character before them (combining marks,
  // joiners, variation selectors): they are drawn from the same face.
  virtual bool JoinsPrevious(char32_t c) = 0;

  // The family to draw c from when the font's face lacks it: the face the
  // platform ranks best for c in the font's style among those the glyph source
  // can draw; empty when there is none.
  virtual std::string FallbackFace(const FontRequest& font, char32_t c) = 0;

  // Zero extents when the font cannot be made.
  virtual FaceExtents Extents(const FontRequest& font) = 0;
};

}  // namespace vx
