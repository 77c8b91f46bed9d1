// The platform's font services on Windows: the system's rasteriser and family enumeration.
#include "platform/fonts/FontSources.h"

#include <windows.h>

#include <algorithm>

#include "platform/registry/RegistryCase.h"
#include "platform/win32/WideString.h"

#include "platform/fonts/win32/GdiFontCatalog.h"
#include "platform/fonts/win32/GdiGlyphSource.h"

namespace vx {

std::unique_ptr<GlyphSource> MakeGlyphSource() { return std::make_unique<GdiGlyphSource>(); }

std::unique_ptr<TextShaper> MakeTextShaper(GlyphSource& /*source*/) { return nullptr; }

// The face the font mapper selects for the name, asked of a memory context.
FaceSubstitute SubstituteFamily(GlyphSource& /*source*/, const std::string& face, bool bold, bool italic) {
  const HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return {};
  const HFONT font = CreateFontW(200, 0, 0, 0, bold ? FW_BOLD : FW_DONTCARE, italic ? TRUE : FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, Widen(face).c_str());
  std::string selected;
  if (font != nullptr) {
    const HGDIOBJ previous = SelectObject(dc, font);
    wchar_t name[LF_FACESIZE];
    if (GetTextFaceW(dc, LF_FACESIZE, name) > 0) selected = Narrow(std::wstring_view(name, wcsnlen(name, LF_FACESIZE)));
    SelectObject(dc, previous);
    DeleteObject(font);
  }
  DeleteDC(dc);
  if (selected.empty() || SameNameIgnoringCase(selected, face)) return {};
  return {selected, false};
}

// GDI draws installed fonts by their family names; a file's family name
// would have to be read from the file itself. A font file is refused.
std::string UseFontFile(GlyphSource& /*source*/, const std::string& /*name*/, const std::string& path,
                        int /*index*/) {
  return "Cannot use font file \"" + path + "\": on Windows, install the font and give its family name";
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

std::unique_ptr<FontCatalog> MakeFontCatalog() { return std::make_unique<GdiFontCatalog>(); }

// The sans-serif face every Windows installation has.
std::string DefaultSansFace() { return "Arial"; }

}  // namespace vx
