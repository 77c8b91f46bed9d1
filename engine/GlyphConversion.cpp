// ConvertGlyph: asks the glyph source for a native outline and walks it into the store.
#include "engine/GlyphConversion.h"

#include <cstring>
#include <new>
#include <vector>

#include "engine/OutlineFlattening.h"

namespace vx {

bool ConvertGlyph(GlyphSource& source, char16_t character, const char* faceName, int height,
                  int width, bool bold, bool italic, double scale, double originX, double originY,
                  GlyphMetrics& metrics) {
  if (faceName == nullptr) return false;
  const FontRequest font{faceName, height, width < 2 ? 2 : width, bold, italic};

  // One buffer reused across glyphs: everything runs on the dialog's thread.
  static thread_local std::vector<std::uint8_t> outline;
  outline.clear();
  try {
    if (!source.QueryGlyph(font, character, metrics, outline)) return false;
  } catch (const std::bad_alloc&) {
    return false;  // the outline buffer could not be allocated: no points
  }
  if (outline.size() < kPolygonHeaderSize) return false;  // no outline (a space)

  PolygonHeader first;
  std::memcpy(&first, outline.data(), sizeof first);
  if (first.dwType != kPolygonTypeTT) return false;

  WalkOutline(outline.data(), outline.size(), Placement{scale, originX, originY});
  return true;
}

}  // namespace vx
