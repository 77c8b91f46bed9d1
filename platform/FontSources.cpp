// The platform's font services on Linux: fontconfig and FreeType.
#include "platform/FontSources.h"

#include "platform/FontMatching.h"
#include "platform/FontconfigCatalog.h"
#include "platform/FontconfigGlyphSource.h"
#include "platform/HarfBuzzShaper.h"

namespace vx {

std::unique_ptr<GlyphSource> MakeGlyphSource() { return std::make_unique<FontconfigGlyphSource>(); }

std::unique_ptr<TextShaper> MakeTextShaper(GlyphSource& source) {
  auto* fontconfigSource = dynamic_cast<FontconfigGlyphSource*>(&source);
  if (fontconfigSource == nullptr) return nullptr;
  return std::make_unique<HarfBuzzShaper>(*fontconfigSource);
}

std::string SubstituteFamily(GlyphSource& source, const std::string& face, bool bold, bool italic) {
  auto* fontconfigSource = dynamic_cast<FontconfigGlyphSource*>(&source);
  if (fontconfigSource == nullptr) return {};
  const std::optional<ResolvedFace> resolved = fontconfigSource->Resolve(face, bold, italic);
  return resolved && resolved->substituted ? resolved->family : std::string();
}

std::vector<std::string> InstalledFamilies() { return InstalledFamilyNames(); }

std::unique_ptr<FontCatalog> MakeFontCatalog() { return std::make_unique<FontconfigCatalog>(); }

std::string DefaultSansFace() { return DefaultSansFamily(); }

}  // namespace vx
