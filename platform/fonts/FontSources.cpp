// The platform's font services on Linux: fontconfig and FreeType.
#include "platform/fonts/FontSources.h"

#include "platform/fonts/FontMatching.h"
#include "platform/fonts/FontconfigCatalog.h"
#include "platform/fonts/FontconfigGlyphSource.h"
#include "platform/fonts/HarfBuzzShaper.h"

namespace vx {

std::unique_ptr<GlyphSource> MakeGlyphSource() { return std::make_unique<FontconfigGlyphSource>(); }

std::unique_ptr<TextShaper> MakeTextShaper(GlyphSource& source) {
  auto* fontconfigSource = dynamic_cast<FontconfigGlyphSource*>(&source);
  if (fontconfigSource == nullptr) return nullptr;
  return std::make_unique<HarfBuzzShaper>(*fontconfigSource);
}

FaceSubstitute SubstituteFamily(GlyphSource& source, const std::string& face, std::uint8_t charset) {
  auto* fontconfigSource = dynamic_cast<FontconfigGlyphSource*>(&source);
  if (fontconfigSource == nullptr) return {};
  const std::optional<ResolvedFace> resolved = fontconfigSource->Resolve(face, false, false, charset);
  if (!resolved || !(resolved->substituted || resolved->noOutlines)) return {};
  return {resolved->family, resolved->noOutlines};
}

std::string UseFontFile(GlyphSource& source, const std::string& name, const std::string& path, int index) {
  auto* fontconfigSource = dynamic_cast<FontconfigGlyphSource*>(&source);
  if (fontconfigSource == nullptr) return "Font files cannot be used with this glyph source";
  return fontconfigSource->UseFontFile(name, path, index);
}

std::vector<std::string> InstalledFamilies() { return InstalledFamilyNames(); }

std::unique_ptr<FontCatalog> MakeFontCatalog() { return std::make_unique<FontconfigCatalog>(); }

// DefaultSansFace and CharactersNoFaceHas are defined with the font matching,
// whose fontconfig helpers they use.

}  // namespace vx
