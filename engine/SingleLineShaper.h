// SingleLineShaper: the typographic layout's text services for single-line faces, the shaper beneath for the rest.
#pragma once

#include "engine/SingleLineFaces.h"
#include "engine/TextShaper.h"

namespace vx {

// Shapes runs of a single-line face itself: one glyph per character, its
// place in the font (character - 32), advancing by its edges; an invisible
// character is a glyph of no outline and no advance. Such a face covers the
// characters it has glyphs for (and the invisible ones); a character it
// lacks comes from the fallback face `other` names for it. Its line extents
// are its cell's ascent and descent, without a gap. Reordering, marks,
// fallbacks and every other face go to `other`. Both must outlive the shaper.
class SingleLineShaper final : public TextShaper {
 public:
  // The glyph index that stands for an invisible character: no such glyph.
  static constexpr std::uint32_t kNoGlyph = 0xFFFFFFFF;

  SingleLineShaper(TextShaper& other, const SingleLineFaces& faces) : other_(other), faces_(faces) {}

  BidiLine Reorder(std::u32string_view line, ParagraphDirection direction) override {
    return other_.Reorder(line, direction);
  }
  bool Shape(const FontRequest& font, std::u32string_view line, std::size_t begin, std::size_t end,
             bool rightToLeft, std::vector<ShapedGlyph>& glyphs) override;
  bool Covers(const FontRequest& font, char32_t c) override;
  bool JoinsPrevious(char32_t c) override { return other_.JoinsPrevious(c); }
  std::string FallbackFace(const FontRequest& font, char32_t c) override { return other_.FallbackFace(font, c); }
  FaceExtents Extents(const FontRequest& font) override;

 private:
  TextShaper& other_;
  const SingleLineFaces& faces_;
};

}  // namespace vx
