// The platform's font services on Linux: fontconfig, FreeType and HarfBuzz on one glyph source.
#include "platform/fonts/FontServices.h"

#include <optional>

#include "platform/fonts/FontMatching.h"
#include "platform/fonts/FontconfigCatalog.h"
#include "platform/fonts/FontconfigGlyphSource.h"
#include "platform/fonts/HarfBuzzShaper.h"

namespace vx {

struct FontServices::Parts {
  std::optional<FontconfigGlyphSource> glyphs;
  std::optional<HarfBuzzShaper> shaper;
  std::optional<FontconfigCatalog> catalog;

  FontconfigGlyphSource& Glyphs() {
    if (!glyphs) glyphs.emplace();
    return *glyphs;
  }
};

FontServices::FontServices() : parts_(std::make_unique<Parts>()) {}
FontServices::~FontServices() = default;

GlyphSource& FontServices::Glyphs() { return parts_->Glyphs(); }

TextShaper& FontServices::Shaper() {
  if (!parts_->shaper) parts_->shaper.emplace(parts_->Glyphs());
  return *parts_->shaper;
}

FaceSubstitute FontServices::Substitute(const std::string& face, std::uint8_t charset) {
  const std::optional<ResolvedFace> resolved = parts_->Glyphs().Resolve(face, false, false, charset);
  if (!resolved || !(resolved->substituted || resolved->noOutlines)) return {};
  return {resolved->family, resolved->noOutlines};
}

std::string FontServices::UseFontFile(const std::string& name, const std::string& path, int index) {
  return parts_->Glyphs().UseFontFile(name, path, index);
}

FontCatalog& FontServices::Catalog() {
  if (!parts_->catalog) parts_->catalog.emplace();
  return *parts_->catalog;
}

std::vector<std::string> InstalledFamilies() { return InstalledFamilyNames(); }

// DefaultSansFace and CharactersNoFaceHas are defined with the font matching,
// whose fontconfig helpers they use.

}  // namespace vx
