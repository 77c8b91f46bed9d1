// GlyphSource: the platform stage that yields a glyph's native outline and metrics.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/NativeOutline.h"

namespace vx {

// Font heights and widths beyond this many device units are refused: a glyph
// source's query returns false. No drawing needs them, and the native
// format's 16.16 coordinates end at 32767 anyway.
inline constexpr int kMaxFontSize = 16384;

// Synthetic italic's shear, in device units of x per device unit of y.
inline constexpr double kSyntheticItalicShear = 0.25;

// A font's character set by its Windows number (a LOGFONT's lfCharSet, RTF's
// \fcharset): the script its text is in, which the system weighs when it
// picks a face for a name that is not installed.
inline constexpr std::uint8_t kDefaultCharset = 1;
inline constexpr std::uint8_t kSymbolCharset = 2;

// A font as the conversion asks for it, in device units: a positive height is
// the character cell height, a negative one the em; a positive width is the
// average character width, 0 keeps the face's designed proportions. x is then
// scaled by horizontalScale (the typographic layout's width factor, relative
// to the design; the host layout leaves it at 1).
struct FontRequest {
  std::string face;  // UTF-8 face name
  int height = 0;
  int width = 0;  // 0, or already raised to at least 2 by the caller
  bool bold = false;
  bool italic = false;
  std::uint8_t charset = kDefaultCharset;
  double horizontalScale = 1.0;
  bool operator==(const FontRequest&) const = default;
};

// The request for a font of the given cell height and average width; a width
// below 2 is raised to 2, as font creation does.
inline FontRequest MakeFontRequest(std::string face, int height, int width, bool bold, bool italic,
                                   std::uint8_t charset = kDefaultCharset) {
  return FontRequest{std::move(face), height, width < 2 ? 2 : width, bold, italic, charset};
}

// The characters a text draws in one face name and character set, each once
// in order of first use.
struct FaceText {
  std::string face;
  std::uint8_t charset = kDefaultCharset;
  std::u32string characters;
  bool operator==(const FaceText&) const = default;
};

class GlyphSource {
 public:
  virtual ~GlyphSource() = default;

  // Outline of one UTF-16 code unit in the native format, with the fixed
  // near-identity matrix (1 + 1/65536, 1/65536; 1/65536, 1 + 1/65536) applied.
  // Returns false when the font cannot be made (a height of 0, a height or
  // width beyond kMaxFontSize included) or the query fails, an outline that
  // would leave the 16.16 coordinate range too. Returns true with an empty
  // outline for a glyph without contours (a space); metrics are filled in both
  // true cases. Raises std::bad_alloc when memory runs out.
  virtual bool QueryGlyph(const FontRequest& font, char16_t code, GlyphMetrics& metrics,
                          std::vector<std::uint8_t>& outline) = 0;

  // The same for a glyph given by its index in the face the font lands on
  // (as a shaper names glyphs): same sizing, style, matrix and results.
  virtual bool QueryGlyphIndex(const FontRequest& font, std::uint32_t glyph, GlyphMetrics& metrics,
                               std::vector<std::uint8_t>& outline) = 0;

  // Told before a text is laid out what it draws in each face and character
  // set, replacing what the text before told: a source that picks the face for
  // a name that is not installed picks, for each face name and character set,
  // one that has its characters. The system's font mapper needs only the
  // character set, which every request carries; such a source ignores this.
  virtual void ExpectText(std::span<const FaceText> /*faces*/) {}

  // When on, outlines are the design outline scaled in double precision and
  // nothing else: the near-identity matrix above is left out, so that a curve
  // can be followed as closely as a tolerance asks. Off (the host's outlines,
  // matrix included) until told otherwise; a source whose system applies the
  // matrix itself ignores this.
  virtual void KeepDesignOutlines(bool /*on*/) {}
};

}  // namespace vx
