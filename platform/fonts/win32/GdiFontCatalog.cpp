// GdiFontCatalog: the font catalogue answered by the system's family enumeration (EnumFontFamiliesExW).
#include "platform/fonts/win32/GdiFontCatalog.h"

#include <windows.h>

#include "platform/NameCase.h"
#include "platform/win32/WideString.h"

namespace vx {
namespace {

struct Found {
  bool any = false;
  bool trueType = false;
  bool symbol = false;
};

// A face with outlines the glyph source draws: a TrueType face, or an
// OpenType face with PostScript outlines, which the system enumerates as a
// device face with NTM_PS_OPENTYPE (Wine does; the glyph source asks for its
// cubic pieces).
bool HasOutlines(const TEXTMETRICW* metrics, DWORD fontType) {
  if ((fontType & TRUETYPE_FONTTYPE) != 0) return true;
  const auto* extended = reinterpret_cast<const NEWTEXTMETRICEXW*>(metrics);
  return metrics != nullptr && (extended->ntmTm.ntmFlags & NTM_PS_OPENTYPE) != 0;
}

int CALLBACK NoteFace(const LOGFONTW* logFont, const TEXTMETRICW* metrics, DWORD fontType, LPARAM data) {
  Found& found = *reinterpret_cast<Found*>(data);
  found.any = true;
  if (HasOutlines(metrics, fontType)) {
    found.trueType = true;
    if (logFont->lfCharSet == SYMBOL_CHARSET) found.symbol = true;
  }
  return 1;  // go on: another face of the family may be the one
}

// Every face of one family in one character set (DEFAULT_CHARSET: in all).
void Enumerate(HDC dc, const std::wstring& family, BYTE charset, Found& found) {
  LOGFONTW wanted{};
  wanted.lfCharSet = charset;
  family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  EnumFontFamiliesExW(dc, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
}

bool HasGlyph(HDC dc, wchar_t character) {
  WORD index = 0xFFFF;
  return GetGlyphIndicesW(dc, &character, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
}

}  // namespace

SymbolCodeCharacter CharacterOfSymbolCode(HDC dc, int code) {
  SymbolCodeCharacter symbol;
  symbol.character = static_cast<wchar_t>(0xF000 + code);
  if (HasGlyph(dc, symbol.character)) {
    symbol.found = true;
    return symbol;
  }
  const char byte = static_cast<char>(code);
  if (MultiByteToWideChar(CP_ACP, 0, &byte, 1, &symbol.character, 1) != 1) symbol.character = 0;
  symbol.found = symbol.character != 0 && HasGlyph(dc, symbol.character);
  return symbol;
}

const GdiFontCatalog::Answer& GdiFontCatalog::Ask(const std::string& family) {
  const std::string key = UpperUtf8(family);
  if (const auto cached = answers_.find(key); cached != answers_.end()) return cached->second;
  Answer answer;
  const std::wstring wide = Widen(family);
  // An empty name would enumerate every family; a longer one than a font
  // name can be names none.
  if (!wide.empty() && wide.size() < LF_FACESIZE) {
    const HDC dc = CreateCompatibleDC(nullptr);
    if (dc != nullptr) {
      Found all, symbol;
      Enumerate(dc, wide, DEFAULT_CHARSET, all);
      Enumerate(dc, wide, SYMBOL_CHARSET, symbol);
      answer.trueType = all.trueType;
      answer.withoutOutlines = all.any && !all.trueType;
      answer.symbol = symbol.symbol;
      DeleteDC(dc);
    }
  }
  return answers_.emplace(key, answer).first->second;
}

bool GdiFontCatalog::IsTrueTypeFamily(const std::string& family) { return Ask(family).trueType; }

bool GdiFontCatalog::HasSymbolCharset(const std::string& family) { return Ask(family).symbol; }

int GdiFontCatalog::CountSymbolGlyphs(const std::string& family, int firstCode, int count) {
  if (count <= 0 || firstCode < 0 || firstCode > 0x100 - count || !HasSymbolCharset(family)) return 0;
  const HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return 0;
  const HFONT font = CreateFontW(-32, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET, OUT_TT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, Widen(family).c_str());
  int glyphs = 0;
  if (font != nullptr) {
    const HGDIOBJ old = SelectObject(dc, font);
    for (int code = firstCode; code < firstCode + count; ++code) {
      if (CharacterOfSymbolCode(dc, code).found) ++glyphs;
    }
    SelectObject(dc, old);
    DeleteObject(font);
  }
  DeleteDC(dc);
  return glyphs;
}

bool GdiFontCatalog::HasNoOutlines(const std::string& family) { return Ask(family).withoutOutlines; }

}  // namespace vx
