// GdiShaper: the typographic layout's text services on Windows: HarfBuzz on the bytes of the faces GDI selects, FriBidi.
#pragma once

#include <memory>
#include <optional>

#include "engine/TextShaper.h"
#include "platform/fonts/HarfBuzzRuns.h"
#include "platform/fonts/win32/GdiGlyphSource.h"

namespace vx {

// Shapes with HarfBuzz on the very face the glyph source draws a font from:
// the system hands over the bytes of its font file (GetFontData; of the whole
// collection for a face in one, whose index is found by its name table), so
// glyph indices fit the outlines drawn by GGO_GLYPH_INDEX. Positions are
// HarfBuzz's in design units times the scale the system sizes the font at:
// its em in whole device units (from the cell and the face's usWinAscent + usWinDescent) over
// the design em, x times the requested average width over the face's own
// average width at that em. A bold or italic the face lacks (its OS/2
// fsSelection) is synthesised by the system and leaned or widened here alike.
// Coverage is the face's character map; fallback faces are the installed
// families, in the order the system lists them (by name), whose Unicode
// ranges hold the character and whose face has it.
// Not thread-safe: one instance per thread, beside its glyph source.
class GdiShaper final : public TextShaper {
 public:
  explicit GdiShaper(GdiGlyphSource& source);
  ~GdiShaper() override;
  GdiShaper(const GdiShaper&) = delete;
  GdiShaper& operator=(const GdiShaper&) = delete;

  BidiLine Reorder(std::u32string_view line, ParagraphDirection direction) override;
  bool Shape(const FontRequest& font, std::u32string_view line, std::size_t begin, std::size_t end,
             bool rightToLeft, std::vector<ShapedGlyph>& glyphs) override;
  bool Covers(const FontRequest& font, char32_t c) override;
  bool JoinsPrevious(char32_t c) override;
  std::string FallbackFace(const FontRequest& font, char32_t c) override;
  FaceExtents Extents(const FontRequest& font) override;

  // The scale a font's glyphs are positioned at; nullopt when the font
  // cannot be shaped (it cannot be made, or its face has no outlines).
  std::optional<DesignScale> Scale(const FontRequest& font);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vx
