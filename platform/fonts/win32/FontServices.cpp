// The platform's font services on Windows: the system's rasteriser, font mapper and family enumeration.
#include "platform/fonts/FontServices.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/NameCase.h"
#include "platform/win32/WideString.h"

#include "platform/fonts/win32/GdiFamilyQueries.h"
#include "platform/fonts/win32/GdiFontCatalog.h"
#include "platform/fonts/win32/GdiGlyphSource.h"
#include "platform/fonts/win32/GdiShaper.h"

namespace vx {

struct FontServices::Parts {
  std::optional<GdiGlyphSource> glyphs;
  std::optional<GdiShaper> shaper;
  std::optional<GdiFontCatalog> catalog;

  GdiGlyphSource& Glyphs() {
    if (!glyphs) glyphs.emplace();
    return *glyphs;
  }

  GdiFontCatalog& Catalog() {
    if (!catalog) catalog.emplace();
    return *catalog;
  }
};

FontServices::FontServices() : parts_(std::make_unique<Parts>()) {}
FontServices::~FontServices() = default;

GlyphSource& FontServices::Glyphs() { return parts_->Glyphs(); }

TextShaper& FontServices::Shaper() {
  if (!parts_->shaper) parts_->shaper.emplace(parts_->Glyphs());
  return *parts_->shaper;
}

FontCatalog& FontServices::Catalog() { return parts_->Catalog(); }

// The face the font mapper selects for the name and character set.
// An installed family whose faces have no outlines is drawn in the default
// face (the glyph source does the same).
FaceSubstitute FontServices::Substitute(const std::string& face, std::uint8_t charset) {
  if (parts_->Catalog().HasNoOutlines(face)) return {DefaultSansFace(), true};
  std::string selected;
  WithFamilyFont(face, charset, [&](HDC dc) {
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
    const UnicodeRanges ranges = UnicodeRanges::OfFamily(family);
    std::erase_if(missing, [&](char32_t c) { return ranges.Has(c); });
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
