// The fontconfig font catalogue and glyph source on a face with cubic outlines.
#include "platform/fonts/FontconfigCatalog.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/fonts/FontconfigGlyphSource.h"

namespace vx {
namespace {

// The family of an installed face with cubic (CFF) outlines, or empty.
std::string InstalledCffFamily() {
  FcPattern* pattern = FcPatternBuild(nullptr, FC_FONTFORMAT, FcTypeString, "CFF", nullptr);
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* set = FcFontList(nullptr, pattern, objects);
  std::string family;
  FcChar8* name = nullptr;
  if (set && set->nfont > 0 && FcPatternGetString(set->fonts[0], FC_FAMILY, 0, &name) == FcResultMatch)
    family = reinterpret_cast<const char*>(name);
  if (set) FcFontSetDestroy(set);
  FcObjectSetDestroy(objects);
  FcPatternDestroy(pattern);
  return family;
}

TEST(FontconfigCatalog, CubicOutlineFamilyIsNotTrueType) {
  const std::string family = InstalledCffFamily();
  if (family.empty()) GTEST_SKIP() << "no font with CFF outlines installed";
  FontconfigCatalog catalog;
  EXPECT_FALSE(catalog.IsTrueTypeFamily(family)) << family;
  // The glyph source refuses such a face rather than approximate its curves.
  FontconfigGlyphSource source;
  GlyphMetrics metrics;
  std::vector<std::uint8_t> outline;
  EXPECT_FALSE(source.QueryGlyph(FontRequest{family, 200, 100, false, false}, u'A', metrics, outline));
}

}  // namespace
}  // namespace vx
