// HarfBuzzRuns: HarfBuzz shaping of runs on a face's own bytes at a glyph source's scale, for every system's shaper.
#pragma once

#include <hb.h>

#include <cstddef>
#include <string_view>
#include <vector>

#include "engine/TextShaper.h"

namespace vx {

// How a glyph source draws a face: device units per design unit (x with the
// width factor), and what it synthesises for a style the face lacks.
struct DesignScale {
  double xPerUnit = 0;
  double yPerUnit = 0;
  bool syntheticBold = false;  // each advancing glyph one device unit wider
  double italicShear = 0;      // synthetic italic: x' = x + italicShear * y
};

// One face of a font file or collection, opened for HarfBuzz from its bytes
// and shaped in design units.
class HarfBuzzFace {
 public:
  // Takes over the caller's reference to blob (the whole file, or the
  // collection, whose face index is given).
  HarfBuzzFace(hb_blob_t* blob, unsigned index);
  ~HarfBuzzFace();
  HarfBuzzFace(const HarfBuzzFace&) = delete;
  HarfBuzzFace& operator=(const HarfBuzzFace&) = delete;

  // Whether the bytes are a face with glyphs.
  bool Usable() const;
  // Whether the face's character map gives c a glyph other than the missing one.
  bool HasGlyph(char32_t c) const;
  FaceExtents Extents(const DesignScale& scale) const;
  hb_face_t* Face() const { return face_; }
  hb_font_t* Font() const { return font_; }

 private:
  hb_face_t* face_ = nullptr;
  hb_font_t* font_ = nullptr;
};

// Shapes a run with HarfBuzz, split by script and each piece shaped with its
// script set; positions are HarfBuzz's in design units times the scale, with
// synthetic italic leaning mark offsets as it leans outlines and synthetic
// bold widening each advancing glyph.
class HarfBuzzRuns {
 public:
  HarfBuzzRuns();
  ~HarfBuzzRuns();
  HarfBuzzRuns(const HarfBuzzRuns&) = delete;
  HarfBuzzRuns& operator=(const HarfBuzzRuns&) = delete;

  // Appends the glyphs of line[begin, end) (the rest of the line is context)
  // to glyphs, left to right; false, appending nothing, for a range that is
  // empty, outside the line or too long for HarfBuzz.
  bool Shape(const HarfBuzzFace& face, const DesignScale& scale, std::u32string_view line, std::size_t begin,
             std::size_t end, bool rightToLeft, std::vector<ShapedGlyph>& glyphs);

 private:
  hb_buffer_t* buffer_;
};

// Format characters (joiners, direction marks) never show: any face has them.
bool NeverShows(char32_t c);

// Marks, joiners and variation selectors: they belong to the character before them.
bool JoinsPreviousCharacter(char32_t c);

}  // namespace vx
