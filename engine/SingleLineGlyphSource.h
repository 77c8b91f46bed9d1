// SingleLineGlyphSource: single-line faces drawn as open strokes, every other face by the source beneath.
#pragma once

#include "engine/GlyphSource.h"
#include "engine/SingleLineFaces.h"

namespace vx {

// A glyph source that answers for the single-line faces itself and hands
// every other request on to `other`: a character of a single-line face comes
// as open strokes (polygons of kPolygonTypeOpenStroke) sized as
// SingleLineFaces says; a character such a face lacks is asked of `other`
// under the same request, which draws it from the face that stands in for
// the name there. Glyph indices of a single-line face are its glyphs' places
// in the font (character - 32). Both must outlive the source.
class SingleLineGlyphSource final : public GlyphSource {
 public:
  SingleLineGlyphSource(GlyphSource& other, const SingleLineFaces& faces) : other_(other), faces_(faces) {}

  bool QueryGlyph(const FontRequest& font, char16_t code, GlyphMetrics& metrics,
                  std::vector<std::uint8_t>& outline) override;
  bool QueryGlyphIndex(const FontRequest& font, std::uint32_t glyph, GlyphMetrics& metrics,
                       std::vector<std::uint8_t>& outline) override;
  void ExpectText(std::span<const FaceText> faces) override { other_.ExpectText(faces); }

 private:
  GlyphSource& other_;
  const SingleLineFaces& faces_;
};

}  // namespace vx
