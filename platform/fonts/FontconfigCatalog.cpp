// FontconfigCatalog: the font catalogue answered from fontconfig's font list and the faces' own tables.
#include "platform/fonts/FontconfigCatalog.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/fonts/FontMatching.h"
#include "platform/fonts/CharacterMaps.h"
#include "base/Utf.h"

namespace vx {
namespace {

bool FaceHasSymbolCharset(FT_Library library, const FontFile& file) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.file.c_str(), file.index, &face) != 0) return false;
  const bool symbol = HasSymbolCharset(face);
  FT_Done_Face(face);
  return symbol;
}

// The codes of a face in the symbol character set that reach a glyph; 0 for
// a face that is not in that set or cannot be opened.
int CountSymbolCodeGlyphs(FT_Library library, const FontFile& file, int firstCode, int count) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.file.c_str(), file.index, &face) != 0) return 0;
  const CharacterMaps maps = ReadCharacterMaps(face);
  int glyphs = 0;
  if (maps.symbolCharset) {
    for (int code = firstCode; code < firstCode + count; ++code) {
      if (GlyphOfCode(face, maps, static_cast<char16_t>(code)) != 0) ++glyphs;
    }
  }
  FT_Done_Face(face);
  return glyphs;
}

}  // namespace

struct FontconfigCatalog::Impl {
  struct Family {
    std::vector<FontFile> outlineFaces;  // the faces the glyph source draws
    std::optional<bool> symbol;
  };
  FT_Library library = nullptr;
  std::unordered_map<std::string, Family> families;

  Impl() {
    if (FT_Init_FreeType(&library) != 0) library = nullptr;
  }
  ~Impl() {
    if (library) FT_Done_FreeType(library);
  }

  Family& Lookup(const std::string& name) {
    const std::string key = LowerAscii(name);
    if (auto it = families.find(key); it != families.end()) return it->second;
    Family family;
    for (FontFile& face : FamilyFaces(name)) {
      if (HasDrawableOutlines(face)) family.outlineFaces.push_back(std::move(face));
    }
    return families.emplace(key, std::move(family)).first->second;
  }

  bool Symbol(Family& family) {
    if (!family.symbol) {
      family.symbol = library != nullptr &&
                      std::any_of(family.outlineFaces.begin(), family.outlineFaces.end(),
                                  [this](const FontFile& f) { return FaceHasSymbolCharset(library, f); });
    }
    return *family.symbol;
  }
};

FontconfigCatalog::FontconfigCatalog() : impl_(std::make_unique<Impl>()) {}
FontconfigCatalog::~FontconfigCatalog() = default;

bool FontconfigCatalog::IsTrueTypeFamily(const std::string& family) {
  return !impl_->Lookup(family).outlineFaces.empty();
}

bool FontconfigCatalog::HasSymbolCharset(const std::string& family) {
  return impl_->Symbol(impl_->Lookup(family));
}

// Counted on the family's face that has most of them: its styles draw the
// same symbols.
int FontconfigCatalog::CountSymbolGlyphs(const std::string& family, int firstCode, int count) {
  if (impl_->library == nullptr || count <= 0 || firstCode < 0 || firstCode > 0x100 - count) return 0;
  int most = 0;
  for (const FontFile& face : impl_->Lookup(family).outlineFaces) {
    most = std::max(most, CountSymbolCodeGlyphs(impl_->library, face, firstCode, count));
  }
  return most;
}

}  // namespace vx
