// HarfBuzzShaper: the typographic layout's text services by FriBidi, HarfBuzz and fontconfig.
#pragma once

#include <memory>

#include "engine/TextShaper.h"
#include "platform/fonts/FontconfigGlyphSource.h"

namespace vx {

// Shapes with HarfBuzz on the very face file, at the very scale, that the
// glyph source draws a font with, so that glyph indices and positions fit
// the outlines: positions are HarfBuzz's in design units, times the source's
// scale (width factor included); synthetic italic leans mark offsets as it
// leans outlines, and synthetic bold widens each advancing glyph by one
// device unit as it widens the cell. Each run is split by script and every
// piece shaped with its script set. Fallback faces are the families
// fontconfig ranks for the font's name and style whose face the glyph source
// can draw (scalable outlines) and that have the character.
// Not thread-safe: one instance per thread, beside its glyph source.
class HarfBuzzShaper final : public TextShaper {
 public:
  explicit HarfBuzzShaper(FontconfigGlyphSource& source);
  ~HarfBuzzShaper() override;
  HarfBuzzShaper(const HarfBuzzShaper&) = delete;
  HarfBuzzShaper& operator=(const HarfBuzzShaper&) = delete;

  BidiLine Reorder(std::u32string_view line, ParagraphDirection direction) override;
  bool Shape(const FontRequest& font, std::u32string_view line, std::size_t begin, std::size_t end,
             bool rightToLeft, std::vector<ShapedGlyph>& glyphs) override;
  bool Covers(const FontRequest& font, char32_t c) override;
  bool JoinsPrevious(char32_t c) override;
  std::string FallbackFace(const FontRequest& font, char32_t c) override;
  FaceExtents Extents(const FontRequest& font) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vx
