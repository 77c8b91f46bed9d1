// FontconfigCatalog: the font catalogue answered from fontconfig's font list and the faces' own tables.
#include "platform/fonts/FontconfigCatalog.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/fonts/FontMatching.h"
#include "platform/fonts/SymbolFaces.h"
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

}  // namespace vx
