// GdiGlyphSource: glyph outlines and metrics from the system's own rasteriser (GetGlyphOutlineW, GGO_NATIVE).
#include "platform/fonts/win32/GdiGlyphSource.h"

#include <windows.h>

#include <cmath>
#include <cstdlib>

#include "base/CodePoints.h"
#include "engine/Fixed1616.h"
#include "platform/fonts/FontServices.h"
#include "platform/fonts/SymbolEncoding.h"
#include "platform/win32/WideString.h"

namespace vx {
namespace {

// A memory device context compatible with the screen, deleted with its owner.
class MemoryContext {
 public:
  MemoryContext() {
    const HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    if (screen != nullptr) ReleaseDC(nullptr, screen);
  }
  ~MemoryContext() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  MemoryContext(const MemoryContext&) = delete;
  MemoryContext& operator=(const MemoryContext&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_ = nullptr;
};

// A font made for one request and selected into a context; the context's
// previous font is restored and the made one deleted with its owner.
class SelectedFont {
 public:
  SelectedFont(HDC dc, const FontRequest& request) : dc_(dc) {
    font_ = CreateFontW(request.height, request.width, 0, 0, request.bold ? FW_BOLD : FW_DONTCARE,
                        request.italic ? TRUE : FALSE, FALSE, FALSE, request.charset, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        Widen(request.face).c_str());
    if (font_ != nullptr) previous_ = SelectObject(dc_, font_);
  }
  ~SelectedFont() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
    if (font_ != nullptr) DeleteObject(font_);
  }
  SelectedFont(const SelectedFont&) = delete;
  SelectedFont& operator=(const SelectedFont&) = delete;
  bool made() const { return font_ != nullptr && previous_ != nullptr; }

 private:
  HDC dc_;
  HFONT font_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// 1 + 1/65536 on the diagonal, 1/65536 off it: every fraction part is 1.
constexpr MAT2 kNearIdentity = {{1, 1}, {1, 0}, {1, 0}, {1, 1}};

// The near-identity matrix after the font's horizontal scale s: x' = (1 +
// 1/65536) s x + y / 65536, as the Linux source scales x before the matrix.
MAT2 MatrixFor(const FontRequest& font) {
  if (font.horizontalScale == 1.0) return kNearIdentity;
  MAT2 matrix = kNearIdentity;
  const long raw = std::lround(font.horizontalScale * 65537.0);
  matrix.eM11.value = static_cast<short>(raw >> 16);
  matrix.eM11.fract = static_cast<WORD>(raw & 0xFFFF);
  return matrix;
}

bool SizeIsMade(const FontRequest& font) {
  return font.height != 0 && font.height <= kMaxFontSize && font.height >= -kMaxFontSize &&
         font.width <= kMaxFontSize && font.horizontalScale > 0 &&
         std::abs(font.height) * font.horizontalScale <= kMaxFontSize;
}

// Whether the glyph's black box lies within the 16.16 coordinate range, so
// that the system's outline coordinates have not wrapped around.
bool FitsCoordinates(const GLYPHMETRICS& metrics) {
  const long left = metrics.gmptGlyphOrigin.x;
  const long top = metrics.gmptGlyphOrigin.y;
  const long right = left + static_cast<long>(metrics.gmBlackBoxX);
  const long bottom = top - static_cast<long>(metrics.gmBlackBoxY);
  for (const long value : {left, top, right, bottom}) {
    if (value >= kMaxFixedCoordinate || value <= -kMaxFixedCoordinate) return false;
  }
  return true;
}

constexpr WORD kNoGlyph = 0xFFFF;

// The font's glyph for a character, or kNoGlyph.
WORD GlyphOf(HDC dc, char16_t code) {
  const wchar_t character = code;
  WORD glyph = kNoGlyph;
  if (GetGlyphIndicesW(dc, &character, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) return kNoGlyph;
  return glyph;
}

void CopyMetrics(const GLYPHMETRICS& from, GlyphMetrics& to) {
  to.gmBlackBoxX = from.gmBlackBoxX;
  to.gmBlackBoxY = from.gmBlackBoxY;
  to.gmptGlyphOrigin.x = from.gmptGlyphOrigin.x;
  to.gmptGlyphOrigin.y = from.gmptGlyphOrigin.y;
  to.gmCellIncX = from.gmCellIncX;
  to.gmCellIncY = from.gmCellIncY;
}

// The outline of one glyph of the selected font (a character, or a glyph
// index with GGO_GLYPH_INDEX); metricsOnly leaves the outline empty.
bool QueryOutline(HDC dc, const MAT2& matrix, UINT glyph, UINT format, bool metricsOnly, GlyphMetrics& metrics,
                  std::vector<std::uint8_t>& outline) {
  GLYPHMETRICS gdiMetrics{};
  const DWORD size = GetGlyphOutlineW(dc, glyph, format, &gdiMetrics, 0, nullptr, &matrix);
  if (size == GDI_ERROR || !FitsCoordinates(gdiMetrics)) return false;
  CopyMetrics(gdiMetrics, metrics);
  if (size == 0 || metricsOnly) return true;  // a glyph without contours, such as a space

  outline.resize(size);
  if (GetGlyphOutlineW(dc, glyph, format, &gdiMetrics, size, outline.data(), &matrix) == GDI_ERROR) {
    outline.clear();
    return false;
  }
  return true;
}

// The request as the system draws it: a family installed only with faces
// that have no outlines (a colour-bitmap emoji face) is drawn in the default
// face, which the command line names.
FontRequest DrawnRequest(GdiFontCatalog& catalog, const FontRequest& font) {
  if (!catalog.HasNoOutlines(font.face)) return font;
  FontRequest drawn = font;
  drawn.face = DefaultSansFace();
  return drawn;
}

}  // namespace

// The memory context, and the font of the last request selected in it.
struct GdiGlyphSource::Selection {
  MemoryContext context;
  FontRequest request;
  std::unique_ptr<SelectedFont> font;

  // The context with a font for request selected, as the system draws it
  // (asked of the catalogue only when the request changes); null when
  // either cannot be made.
  HDC For(const FontRequest& wanted, GdiFontCatalog& catalog) {
    if (context.get() == nullptr) return nullptr;
    if (!font || !(request == wanted)) {
      font.reset();  // the previous font goes before the next is made
      font = std::make_unique<SelectedFont>(context.get(), DrawnRequest(catalog, wanted));
      request = wanted;
    }
    if (!font->made()) {
      font.reset();
      return nullptr;
    }
    return context.get();
  }
};

GdiGlyphSource::GdiGlyphSource() : selection_(std::make_unique<Selection>()) {}

GdiGlyphSource::~GdiGlyphSource() = default;

HDC GdiGlyphSource::Selected(const FontRequest& font) {
  return SizeIsMade(font) ? selection_->For(font, catalog_) : nullptr;
}

bool GdiGlyphSource::QueryGlyph(const FontRequest& font, char16_t code, GlyphMetrics& metrics,
                                std::vector<std::uint8_t>& outline) {
  outline.clear();
  if (!SizeIsMade(font)) return false;
  const HDC dc = selection_->For(font, catalog_);
  if (dc == nullptr) return false;

  bool blank = false;
  if (GlyphOf(dc, code) == kNoGlyph) {
    // A blank without a glyph is blank all the same: it converts as a space.
    blank = IsBlank(code);
    const char16_t symbol = blank ? 0 : UnicodeOfSymbolCode(code);
    if (symbol != 0 && catalog_.HasSymbolCharset(font.face) && GlyphOf(dc, symbol) != kNoGlyph) code = symbol;
  }
  return QueryOutline(dc, MatrixFor(font), code, GGO_NATIVE, blank, metrics, outline);
}

bool GdiGlyphSource::QueryGlyphIndex(const FontRequest& font, std::uint32_t glyph, GlyphMetrics& metrics,
                                     std::vector<std::uint8_t>& outline) {
  outline.clear();
  if (!SizeIsMade(font) || glyph > 0xFFFF) return false;
  const HDC dc = selection_->For(font, catalog_);
  return dc != nullptr && QueryOutline(dc, MatrixFor(font), glyph, GGO_NATIVE | GGO_GLYPH_INDEX, false, metrics, outline);
}

}  // namespace vx
