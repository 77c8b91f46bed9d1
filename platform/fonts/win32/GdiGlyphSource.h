// GdiGlyphSource: glyph outlines and metrics from the system's own rasteriser (GetGlyphOutlineW, GGO_NATIVE).
#pragma once

#include <windows.h>

#include <memory>

#include "engine/GlyphSource.h"
#include "platform/fonts/win32/GdiFontCatalog.h"

namespace vx {

// Creates the font as the request says (CreateFontW with the cell height, the
// average character width, weight 700 for bold, italic) and asks for the
// glyph's native outline with the near-identity matrix, after the request's
// horizontal scale in x (a scale not above 0, or one that makes the em wider
// than kMaxFontSize, is refused). One memory device
// context serves every query, and the font of the last request stays
// selected in it for the next (a text's characters come in runs of one
// font); a new request replaces it. As the Linux source
// does: a blank the face has no glyph for has metrics but no outline (no
// missing-glyph box), and a symbol code that a face in the symbol character
// set has no glyph for shows the Symbol encoding's character, when the face
// has that.
// Not thread-safe: one instance per thread.
class GdiGlyphSource final : public GlyphSource {
 public:
  GdiGlyphSource();
  ~GdiGlyphSource() override;
  GdiGlyphSource(const GdiGlyphSource&) = delete;
  GdiGlyphSource& operator=(const GdiGlyphSource&) = delete;

  bool QueryGlyph(const FontRequest& font, char16_t code, GlyphMetrics& metrics,
                  std::vector<std::uint8_t>& outline) override;
  bool QueryGlyphIndex(const FontRequest& font, std::uint32_t glyph, GlyphMetrics& metrics,
                       std::vector<std::uint8_t>& outline) override;

  // The memory context with the font selected as outlines are drawn from it,
  // for questions to the face (its tables, its metrics); null when the font
  // cannot be made. The font stays selected until the next call on the source.
  HDC Selected(const FontRequest& font);

 private:
  struct Selection;  // the memory context and the font selected in it
  std::unique_ptr<Selection> selection_;
  GdiFontCatalog catalog_;  // which faces are in the symbol character set, which have no outlines
};

}  // namespace vx
