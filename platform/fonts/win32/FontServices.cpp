// The platform's font services on Windows: the system's rasteriser, font mapper and family enumeration.
#include "platform/fonts/FontServices.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/NameCase.h"
#include "platform/win32/WideString.h"

#include "platform/fonts/win32/GdiFontCatalog.h"
#include "platform/fonts/win32/GdiGlyphSource.h"

namespace vx {

struct FontServices::Parts {
  std::optional<GdiGlyphSource> glyphs;
  std::optional<GdiFontCatalog> catalog;

  GdiFontCatalog& Catalog() {
    if (!catalog) catalog.emplace();
    return *catalog;
  }
};

FontServices::FontServices() : parts_(std::make_unique<Parts>()) {}
FontServices::~FontServices() = default;

GlyphSource& FontServices::Glyphs() {
  if (!parts_->glyphs) parts_->glyphs.emplace();
  return *parts_->glyphs;
}

TextShaper* FontServices::Shaper() { return nullptr; }

FontCatalog& FontServices::Catalog() { return parts_->Catalog(); }

namespace {

// Calls use with a memory context that has a font of the face and character
// set selected; false when either cannot be made.
template <typename Use>
bool WithFont(const std::string& face, BYTE charset, Use use) {
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

// Whether a character lies in one of a face's Unicode ranges.
bool InRanges(const GLYPHSET& ranges, char32_t c) {
  for (DWORD i = 0; i < ranges.cRanges; ++i) {
    const WCRANGE& range = ranges.ranges[i];
    if (c >= range.wcLow && c < static_cast<char32_t>(range.wcLow) + range.cGlyphs) return true;
  }
  return false;
}

}  // namespace

// The face the font mapper selects for the name and character set.
// An installed family whose faces have no outlines is drawn in the default
// face (the glyph source does the same).
FaceSubstitute FontServices::Substitute(const std::string& face, std::uint8_t charset) {
  if (parts_->Catalog().HasNoOutlines(face)) return {DefaultSansFace(), true};
  std::string selected;
  WithFont(face, charset, [&](HDC dc) {
    wchar_t name[LF_FACESIZE];
    if (GetTextFaceW(dc, LF_FACESIZE, name) > 0) selected = Narrow(std::wstring_view(name, wcsnlen(name, LF_FACESIZE)));
  });
  if (selected.empty() || SameNameIgnoringCase(selected, face)) return {};
  return {selected, false};
}

// GDI draws installed fonts by their family names; a file's family name
// would have to be read from the file itself. A font file is refused.
std::string FontServices::UseFontFile(const std::string& /*name*/, const std::string& path, int /*index*/) {
  return "Cannot use font file \"" + path + "\": on Windows, install the font and give its family name";
}

// Each family's Unicode ranges (GetFontUnicodeRanges), which hold the
// Basic Multilingual Plane only: a character beyond it is never drawn from a
// UTF-16 code unit anyway.
std::u32string CharactersNoFaceHas(std::u32string_view characters) {
  std::u32string missing;
  for (const char32_t c : characters) {
    if (missing.find(c) == std::u32string::npos) missing.push_back(c);
  }
  for (const std::string& family : InstalledFamilies()) {
    if (missing.empty()) break;
    WithFont(family, DEFAULT_CHARSET, [&](HDC dc) {
      const DWORD size = GetFontUnicodeRanges(dc, nullptr);
      if (size == 0) return;
      std::vector<std::uint8_t> buffer(size);
      auto* ranges = reinterpret_cast<GLYPHSET*>(buffer.data());
      if (GetFontUnicodeRanges(dc, ranges) == 0) return;
      std::erase_if(missing, [&](char32_t c) { return InRanges(*ranges, c); });
    });
  }
  return missing;
}

namespace {

int CALLBACK NoteFamily(const LOGFONTW* logFont, const TEXTMETRICW*, DWORD, LPARAM data) {
  // Names beginning with "@" are the vertical versions of East Asian faces.
  if (logFont->lfFaceName[0] != L'@') {
    reinterpret_cast<std::vector<std::string>*>(data)->push_back(
        Narrow(std::wstring_view(logFont->lfFaceName, wcsnlen(logFont->lfFaceName, LF_FACESIZE))));
  }
  return 1;
}

}  // namespace

std::vector<std::string> InstalledFamilies() {
  std::vector<std::string> families;
  const HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return families;
  LOGFONTW every{};
  every.lfCharSet = DEFAULT_CHARSET;  // and an empty face name: every family, once per character set
  EnumFontFamiliesExW(dc, &every, NoteFamily, reinterpret_cast<LPARAM>(&families), 0);
  DeleteDC(dc);
  std::stable_sort(families.begin(), families.end(),
                   [](const std::string& a, const std::string& b) { return UpperUtf8(a) < UpperUtf8(b); });
  families.erase(std::unique(families.begin(), families.end(),
                             [](const std::string& a, const std::string& b) { return SameNameIgnoringCase(a, b); }),
                 families.end());
  return families;
}

// The sans-serif face every Windows installation has.
std::string DefaultSansFace() { return "Arial"; }

}  // namespace vx
