// Single-line faces: Hershey fonts drawn as open strokes, sized as the layouts size installed faces.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GlyphSource.h"
#include "engine/HersheyFont.h"

namespace vx {

// The Hershey fonts' coordinate system, the same in every font of the
// collection: capitals stand on the baseline at y = 9 and reach y = -12
// (y down), descenders reach y = 16, and the body every glyph is designed in
// spans y = -16 .. 16. Its 32 units are the face's cell: 25 above the
// baseline and 7 below it, as a TrueType face's win ascent and descent are.
inline constexpr int kHersheyBaseline = 9;
inline constexpr int kHersheyAscent = 25;
inline constexpr int kHersheyDescent = 7;
inline constexpr int kHersheyCell = kHersheyAscent + kHersheyDescent;

// The first character of a Hershey font: glyph i draws character 32 + i.
inline constexpr char32_t kHersheyFirstCharacter = 32;
// Hershey fonts draw the printable ASCII characters only.
inline constexpr char32_t kHersheyLastCharacter = 126;

// A glyph of a single-line face in device units: its strokes as native
// outline polygons of the type kPolygonTypeOpenStroke, its advance and metrics.
struct StrokedGlyph {
  double advance = 0;  // exact; metrics.gmCellIncX holds it rounded
  GlyphMetrics metrics;
  std::vector<std::uint8_t> outline;
};

// The single-line faces of a conversion, by name (compared without regard
// to ASCII letter case), each drawn at a font request's size:
//   - the height is the cell height (a negative one too: the face's em is its cell);
//   - the width is the average character width, the mean advance of the
//     face's glyphs, scaling x only;
//   - a glyph's advance is the distance between its left and right edges, and
//     its left edge lies at the pen;
//   - bold draws the face named "NAME Bold" (italic "NAME Italic", both
//     "NAME Bold Italic") where there is one; an italic without its own face
//     is sheared as installed faces' synthetic italic is, and a bold without
//     one is drawn regular.
// The exact scale applies: not the near-identity matrix of installed faces.
class SingleLineFaces {
 public:
  void Add(std::string_view name, HersheyFont font);
  bool empty() const { return faces_.empty(); }

  // Whether a face name is one of these faces.
  bool Names(std::string_view face) const { return Find(face) != nullptr; }

  // Whether the font's face is one of these and has a glyph for c.
  bool Has(const FontRequest& font, char32_t c) const;

  // Whether the font asks for a bold that its face has no face of its own for.
  bool LacksBold(const FontRequest& font) const;

  // Glyph `index` of the font's face; nullopt when the font is none of these
  // faces, has no such glyph, or its size is refused (height 0, height or
  // width beyond kMaxFontSize, coordinates beyond the native range).
  std::optional<StrokedGlyph> Draw(const FontRequest& font, std::uint32_t index) const;

  // The advance of glyph `index` at the font's size, exact; 0 for none.
  double Advance(const FontRequest& font, std::uint32_t index) const;

  // Ascent and descent above and below the baseline in device units, no line
  // gap; zero for a font that is none of these faces.
  struct Extents {
    double ascent = 0;
    double descent = 0;
  };
  Extents LineExtents(const FontRequest& font) const;

 private:
  struct Face {
    std::string key;  // the name in lower case
    HersheyFont font;
    double averageAdvance = 1;
  };
  struct Styled {
    const Face* face = nullptr;
    bool shear = false;  // a synthetic italic
    bool bold = false;   // a bold asked for is drawn
  };
  struct Scale {
    double x = 0;
    double y = 0;
  };

  const Face* Find(std::string_view name) const;
  std::optional<Styled> Resolve(const FontRequest& font) const;
  static std::optional<Scale> ScaleOf(const Face& face, const FontRequest& font);

  std::vector<Face> faces_;
};

}  // namespace vx
