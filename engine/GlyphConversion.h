// ConvertGlyph: one character of one font into closed contours in the store.
#pragma once

#include <cstdint>

#include "engine/GlyphSource.h"
#include "engine/NativeOutline.h"

namespace vx {

// Returns true when the outline was walked and its points appended; false
// (nothing appended) for a null face name, a font that cannot be made, a
// failing query, a glyph without outline or a first polygon of another type.
// metrics is filled whenever the query ran. Running out of memory (in the
// source or in the store) raises std::bad_alloc: a glyph is never dropped
// for want of memory as if it had no outline.
bool ConvertGlyph(GlyphSource& source, char16_t character, const char* faceName, int height,
                  int width, bool bold, bool italic, double scale, double originX, double originY,
                  GlyphMetrics& metrics);

// The same for a font request made already.
bool ConvertGlyph(GlyphSource& source, char16_t character, const FontRequest& font, double scale, double originX,
                  double originY, GlyphMetrics& metrics);

// Whether ConvertGlyph would convert the character, and its metrics, without
// walking the outline: nothing is appended.
bool MeasureGlyph(GlyphSource& source, char16_t character, const char* faceName, int height, int width,
                  bool bold, bool italic, GlyphMetrics& metrics);
bool MeasureGlyph(GlyphSource& source, char16_t character, const FontRequest& font, GlyphMetrics& metrics);

// The same for a glyph named by its index in the face the font lands on; the
// font's width must already be at least 2.
bool ConvertGlyphIndex(GlyphSource& source, const FontRequest& font, std::uint32_t glyph,
                       double scale, double originX, double originY);

}  // namespace vx
