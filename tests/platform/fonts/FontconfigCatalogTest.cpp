// The fontconfig font catalogue, font matching and glyph source on a face with cubic outlines and on one without outlines.
#include "platform/fonts/FontconfigCatalog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/fonts/FontMatching.h"
#include "platform/fonts/FontconfigGlyphSource.h"

namespace vx {
namespace {

// fonts-cantarell: OpenType faces with CFF (cubic) outlines.
constexpr char kCubicFamily[] = "Cantarell";
// fonts-noto-color-emoji: colour bitmaps, no outlines.
constexpr char kBitmapFamily[] = "Noto Color Emoji";

bool Installed(const char* family) { return InstalledFamily(family).has_value(); }

TEST(FontconfigCatalog, CubicOutlineFamilyIsListedDrawnAndAFallback) {
  if (!Installed(kCubicFamily)) GTEST_SKIP() << kCubicFamily << " (fonts-cantarell) is not installed";
  FontconfigCatalog catalog;
  EXPECT_TRUE(catalog.IsTrueTypeFamily(kCubicFamily));
  EXPECT_FALSE(catalog.HasSymbolCharset(kCubicFamily));

  FontconfigGlyphSource source;
  GlyphMetrics metrics;
  std::vector<std::uint8_t> outline;
  ASSERT_TRUE(source.QueryGlyph(FontRequest{kCubicFamily, 200, 100, false, false}, u'A', metrics, outline));
  EXPECT_FALSE(outline.empty());
  EXPECT_FALSE(source.Resolve(kCubicFamily, false, false)->substituted);

  // The typographic layout may draw a character from it.
  FallbackRanking ranking;
  const std::vector<std::string> families = ranking.FamiliesWith(kCubicFamily, false, false, U'A', 3);
  ASSERT_FALSE(families.empty());
  EXPECT_EQ(families.front(), kCubicFamily);
}

TEST(FontconfigCatalog, FaceWithoutOutlinesIsNotListedAndAnotherIsDrawnInstead) {
  if (!Installed(kBitmapFamily)) GTEST_SKIP() << kBitmapFamily << " (fonts-noto-color-emoji) is not installed";
  FontconfigCatalog catalog;
  EXPECT_FALSE(catalog.IsTrueTypeFamily(kBitmapFamily));

  const std::optional<FontMatch> match = MatchFont(kBitmapFamily, false, false);
  ASSERT_TRUE(match);
  EXPECT_TRUE(match->noOutlines);
  EXPECT_FALSE(match->substituted);  // the face is installed; it only has nothing to draw
  EXPECT_NE(match->family, kBitmapFamily);
  EXPECT_TRUE(catalog.IsTrueTypeFamily(match->family)) << match->family;

  FontconfigGlyphSource source;
  GlyphMetrics metrics;
  std::vector<std::uint8_t> outline;
  ASSERT_TRUE(source.QueryGlyph(FontRequest{kBitmapFamily, 200, 100, false, false}, u'A', metrics, outline));
  EXPECT_FALSE(outline.empty());

  // A face that is not installed is that, whatever its substitute.
  const std::optional<FontMatch> missing = MatchFont("Vexoglyph No Such Family", false, false);
  ASSERT_TRUE(missing);
  EXPECT_TRUE(missing->substituted);
  EXPECT_FALSE(missing->noOutlines);
}

}  // namespace
}  // namespace vx
