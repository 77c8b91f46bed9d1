// GdiFamilyQueries: questions to an installed family through a font of it selected in a memory context.
#include "platform/fonts/win32/GdiFamilyQueries.h"

#include "platform/win32/WideString.h"

namespace vx {

bool WithFamilyFont(const std::string& face, std::uint8_t charset, const std::function<void(HDC)>& use) {
  const HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return false;
  const HFONT font = CreateFontW(200, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 Widen(face).c_str());
  if (font != nullptr) {
    const HGDIOBJ previous = SelectObject(dc, font);
    use(dc);
    SelectObject(dc, previous);
    DeleteObject(font);
  }
  DeleteDC(dc);
  return font != nullptr;
}

UnicodeRanges::UnicodeRanges(HDC dc) {
  const DWORD size = GetFontUnicodeRanges(dc, nullptr);
  if (size == 0) return;
  std::vector<std::uint8_t> buffer(size);
  auto* set = reinterpret_cast<GLYPHSET*>(buffer.data());
  if (GetFontUnicodeRanges(dc, set) == 0) return;
  for (DWORD i = 0; i < set->cRanges; ++i) {
    const WCRANGE& range = set->ranges[i];
    if (range.cGlyphs == 0) continue;
    ranges_.push_back({range.wcLow, static_cast<char32_t>(range.wcLow) + range.cGlyphs - 1});
  }
}

UnicodeRanges UnicodeRanges::OfFamily(const std::string& family) {
  UnicodeRanges ranges;
  WithFamilyFont(family, DEFAULT_CHARSET, [&](HDC dc) { ranges = UnicodeRanges(dc); });
  return ranges;
}

bool UnicodeRanges::Has(char32_t c) const {
  for (const Range& range : ranges_) {
    if (c >= range.first && c <= range.last) return true;
  }
  return false;
}

}  // namespace vx
