// FontconfigGlyphSource: glyph outlines from FreeType faces that fontconfig matches.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/GlyphSource.h"

namespace vx {

// The installed face a request lands on, and what has to be synthesised
// because the family has no such face of its own.
struct ResolvedFace {
  std::string file;
  int index = 0;            // face index within the file
  std::string family;       // the installed family that answered
  bool substituted = false;  // the name matched no installed family
  bool noOutlines = false;   // the family that answered has no outlines; family is the one drawn instead
  bool syntheticBold = false;
  bool syntheticItalic = false;
};

// How the glyph source draws a font: the face file it lands on and the scale
// from the face's design units to device units (x includes the width factor).
struct FaceScale {
  std::string file;
  int index = 0;
  bool outlines = false;  // scalable outlines (glyf, CFF, CFF2): the source can draw its glyphs
  double xPerUnit = 0;
  double yPerUnit = 0;
  bool syntheticBold = false;    // strokes widened, advance one device unit wider
  bool syntheticItalic = false;  // x' = x + kSyntheticItalicShear * y
};


// Sizes a font as the Windows font mapper does: a positive height is the cell
// height (usWinAscent + usWinDescent), a negative one the em height; the width
// is the average character width (OS/2 xAvgCharWidth), scaling x only, and
// a width of 0 the face's own proportions; the horizontal scale then scales x.
// A height of 0, a height or width beyond kMaxFontSize units (the em times the
// horizontal scale included), a horizontal scale not above 0, or an outline
// that would leave the 16.16 coordinate range is refused: QueryGlyph returns false.
// Glyphs are loaded unscaled and unhinted, so every outline is the design
// outline, scaled in double precision. Memory running out in FreeType raises
// std::bad_alloc, as it does anywhere else in a conversion.
//
// Faces, their sizes and name resolutions are cached in small bounded caches;
// a cached answer is always the one an uncached query would give.
// Not thread-safe: one instance per thread.
class FontconfigGlyphSource final : public GlyphSource {
 public:
  FontconfigGlyphSource();
  ~FontconfigGlyphSource() override;
  FontconfigGlyphSource(const FontconfigGlyphSource&) = delete;
  FontconfigGlyphSource& operator=(const FontconfigGlyphSource&) = delete;

  bool QueryGlyph(const FontRequest& font, char16_t code, GlyphMetrics& metrics,
                  std::vector<std::uint8_t>& outline) override;
  bool QueryGlyphIndex(const FontRequest& font, std::uint32_t glyph, GlyphMetrics& metrics,
                       std::vector<std::uint8_t>& outline) override;
  // A face name that is not installed then stands for the substitute that
  // has the characters told for it and its character set (MatchFont).
  void ExpectText(std::span<const FaceText> faces) override;
  void KeepDesignOutlines(bool on) override;

  // The face and scale a font is drawn with; nullopt when the font cannot be
  // made (as QueryGlyph would then fail).
  std::optional<FaceScale> Scale(const FontRequest& font);

  // The face a name, style and character set land on; nullopt when
  // fontconfig offers no face at all.
  std::optional<ResolvedFace> Resolve(const std::string& face, bool bold, bool italic,
                                      std::uint8_t charset = kDefaultCharset);

  // From now on the face name `name` stands for face `index` of the font
  // file at `path`, installed or not; a style the face lacks is synthesised.
  // Returns why the file cannot serve (missing, unreadable, not a font, no
  // such face index), else empty.
  std::string UseFontFile(const std::string& name, const std::string& path, int index);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vx
