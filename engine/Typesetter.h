// Typesetter: one line of styled text shaped, ordered and placed glyph by glyph.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/TextLayout.h"
#include "engine/TextShaper.h"

namespace vx {

// One glyph of a line and where it goes.
struct PlacedGlyph {
  FontRequest font;  // the face it is drawn from, a fallback face included
  std::uint32_t glyph = 0;
  double scale = 1.0;  // device units to drawing units
  double x = 0;        // origin in drawing units, from the line's start on its baseline
  double y = 0;
  std::size_t cluster = 0;  // index of the (first) code point it stands for
};

struct TypesetLine {
  std::vector<PlacedGlyph> glyphs;  // in text order; placed left to right
  double advance = 0;               // where the pen ends, in drawing units
  std::vector<double> unitAdvances;  // what each code unit adds to it (a character's on its first unit)
  std::size_t spaces = 0;            // the spaces a justified line widens
  FaceExtents extents;  // the largest ascent, descent and gap of its faces, in drawing units
};

// Characters that came from one fallback face, each once, in order of first use.
struct FallbackUse {
  std::string face;
  std::u32string characters;
};

// Lays out lines as typographers do: whole code points, the line reordered by
// the bidirectional algorithm, runs of one face, size, style and direction
// shaped by the platform (kerning, ligatures, marks, complex scripts), and
// every character the face lacks drawn from the face the platform ranks best
// for it, in the same size and style. A character's size is its em, in its own
// face and in every fallback face alike (EmFontFor).
class Typesetter {
 public:
  Typesetter(TextShaper& shaper, const LayoutSettings& settings);

  // line holds no line break; styles holds one entry per code unit of it.
  // The line is a paragraph of the given direction; each space (U+0020,
  // U+00A0, U+3000) is widened by spaceStretch drawing units.
  TypesetLine SetLine(std::u16string_view line, std::span<const CharStyle> styles,
                      ParagraphDirection direction = ParagraphDirection::Auto, double spaceStretch = 0);

  // The extents of a line without characters in the given style.
  FaceExtents EmptyLineExtents(const CharStyle& style);

  // Every fallback face used so far, in the order of first use.
  const std::vector<FallbackUse>& Fallbacks() const { return fallbacks_; }

 private:
  struct CharFont {
    FontRequest request;
    double scale = 1.0;
    double failedAdvance = 0;  // a character's advance when the font cannot be made
    double letterSpacing = 0;  // added after each character, in drawing units
    bool operator==(const CharFont&) const = default;
  };
  struct Run {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool rightToLeft = false;
    std::size_t font = 0;  // index into fonts_
    std::size_t firstGlyph = 0;
    std::size_t glyphCount = 0;
    bool shaped = false;
  };

  CharFont FontFor(const CharStyle& style) const;
  std::size_t FontIndex(const CharFont& font);
  void Decode(std::u16string_view line, std::span<const CharStyle> styles);
  std::string FallbackFor(const FontRequest& font, char32_t c);
  void NoteFallback(const std::string& face, char32_t c);
  void ChooseFaces();
  void NoteFallbacks();
  void SplitRuns(const BidiLine& bidi);
  void ShapeRuns();
  void PlaceRuns(const BidiLine& bidi, double spaceStretch, TypesetLine& out);
  void MeasureUnits(std::u16string_view line, TypesetLine& out) const;
  FaceExtents ScaledExtents(const CharFont& font);

  TextShaper& shaper_;
  LayoutSettings settings_;
  std::vector<FallbackUse> fallbacks_;
  std::unordered_set<std::uint64_t> fallbackSeen_;  // face's place in fallbacks_, character
  std::unordered_map<std::string, std::string> fallbackFaces_;  // style and character -> face

  // Scratch state of the line being set, kept to reuse its memory.
  std::u32string text_;
  std::vector<std::size_t> charFont_;  // per code point, into fonts_
  std::vector<std::size_t> ownFont_;   // per code point: its own style's font
  std::vector<CharFont> fonts_;
  std::vector<Run> runs_;
  std::vector<ShapedGlyph> shaped_;
  std::vector<double> charAdvances_;  // per code point, what it adds to the pen
};

}  // namespace vx
