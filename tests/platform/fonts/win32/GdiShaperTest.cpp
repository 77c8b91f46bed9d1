// Tests of the Windows shaper on the faces the test session installs in Wine: the scale it
// positions glyphs at is the one GDI draws their outlines at, and coverage and fallbacks.
#include "platform/fonts/win32/GdiShaper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/fonts/GlyphQueries.h"
#include "tests/platform/fonts/HarfBuzzFontFile.h"

namespace vx {
namespace {

// A large cell, so that the system's hinting (a device unit at most at each
// edge of a glyph) stays far below what a wrong scale would move.
constexpr int kCell = 8000;
constexpr double kHinting = 2.0;

class GdiShaping : public ::testing::Test {
 protected:
  GdiGlyphSource source;
  GdiShaper shaper{source};

  // The glyph of c as the shaper names it.
  std::uint32_t GlyphOf(const FontRequest& font, char32_t c) {
    const std::u32string line(1, c);
    std::vector<ShapedGlyph> glyphs;
    if (!shaper.Shape(font, line, 0, 1, false, glyphs) || glyphs.size() != 1) return 0;
    return glyphs[0].glyph;
  }
};

// The glyph's design box from the face file itself, in design units.
hb_glyph_extents_t DesignExtents(const std::string& file, std::uint32_t glyph) {
  hb_glyph_extents_t extents{};
  hb_font_get_glyph_extents(test::HarfBuzzFontFile(file, 0).font(), glyph, &extents);
  return extents;
}

TEST_F(GdiShaping, GlyphsArePositionedAtTheScaleTheSystemDrawsTheirOutlinesAt) {
  const std::string folder = "Z:/usr/share/fonts/truetype/";
  struct Case {
    const char* name;
    FontRequest font;
    std::string file;
  } cases[] = {
      {"DejaVu Sans at its own width", MakeFontRequest("DejaVu Sans", kCell, kDejaVuAverage * kCell / 200, false, false),
       folder + "dejavu/DejaVuSans.ttf"},
      {"DejaVu Sans narrowed", MakeFontRequest("DejaVu Sans", kCell, 2000, false, false),
       folder + "dejavu/DejaVuSans.ttf"},
      {"Liberation Serif bold widened", MakeFontRequest("Liberation Serif", kCell, 6000, true, false),
       folder + "liberation2/LiberationSerif-Bold.ttf"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<DesignScale> scale = shaper.Scale(c.font);
    ASSERT_TRUE(scale);
    EXPECT_FALSE(scale->syntheticBold);
    const std::uint32_t glyph = GlyphOf(c.font, U'H');
    ASSERT_NE(glyph, 0u);
    Glyph drawn;
    ASSERT_TRUE(source.QueryGlyphIndex(c.font, glyph, drawn.metrics, drawn.outline));
    const Box box = Bounds(drawn.Points());
    const hb_glyph_extents_t design = DesignExtents(c.file, glyph);
    EXPECT_NEAR(box.Width(), design.width * scale->xPerUnit, kHinting);
    EXPECT_NEAR(box.Height(), -design.height * scale->yPerUnit, kHinting);
    EXPECT_NEAR(box.xMin, design.x_bearing * scale->xPerUnit, kHinting);
  }
}

// The system's own outline of a glyph, unhinted, without the near-identity matrix.
std::vector<Point> UnhintedOutline(GdiGlyphSource& source, const FontRequest& font, std::uint32_t glyph) {
  const HDC dc = source.Selected(font);
  const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  GLYPHMETRICS metrics{};
  constexpr UINT format = GGO_NATIVE | GGO_GLYPH_INDEX | GGO_UNHINTED;
  const DWORD size = GetGlyphOutlineW(dc, glyph, format, &metrics, 0, nullptr, &identity);
  if (dc == nullptr || size == GDI_ERROR || size == 0) return {};
  std::vector<std::uint8_t> outline(size);
  if (GetGlyphOutlineW(dc, glyph, format, &metrics, size, outline.data(), &identity) == GDI_ERROR) return {};
  return OutlinePoints(outline);
}

TEST_F(GdiShaping, AtACommonSizeTheScaleIsTheSystemsToAFractionOfAUnit) {
  // At a cell of 200 the em is a whole number of device units: DejaVu Sans's
  // cell is 2384 of its 2048 units, so its em is 172, not 171.8 or 173 (the
  // cell less the internal leading the system reports), a difference of 0.7
  // units on the height of "H". Unhinted outlines show the system's scale to
  // 1/64 of a unit.
  constexpr double kUnhinted = 0.05;
  const std::string file = "Z:/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  for (const int width : {kDejaVuAverage, 60, 140}) {
    SCOPED_TRACE(width);
    const FontRequest font = MakeFontRequest("DejaVu Sans", 200, width, false, false);
    const std::optional<DesignScale> scale = shaper.Scale(font);
    ASSERT_TRUE(scale);
    EXPECT_DOUBLE_EQ(scale->yPerUnit, 172.0 / 2048);
    const std::uint32_t glyph = GlyphOf(font, U'H');
    const Box box = Bounds(UnhintedOutline(source, font, glyph));
    const hb_glyph_extents_t design = DesignExtents(file, glyph);
    EXPECT_NEAR(box.Height(), -design.height * scale->yPerUnit, kUnhinted);
    EXPECT_NEAR(box.Width(), design.width * scale->xPerUnit, kUnhinted);
  }
}

TEST_F(GdiShaping, AStyleTheFaceLacksIsSynthesisedAsTheSystemDrawsIt) {
  // Lohit Devanagari has a regular face only; narrowed, so that the lean
  // shows how the system combines it with the width.
  const FontRequest regular = MakeFontRequest("Lohit Devanagari", kCell, 3000, false, false);
  FontRequest bold = regular, italic = regular;
  bold.bold = true;
  italic.italic = true;
  const std::optional<DesignScale> r = shaper.Scale(regular), b = shaper.Scale(bold), i = shaper.Scale(italic);
  ASSERT_TRUE(r && b && i);
  EXPECT_FALSE(r->syntheticBold);
  EXPECT_EQ(r->italicShear, 0);
  EXPECT_TRUE(b->syntheticBold);
  ASSERT_GT(i->italicShear, 0);
  // The system leans the upright stroke of the danda by the same shear: its
  // top moves right by the shear times its height, its bottom stays.
  const std::uint32_t glyph = GlyphOf(regular, U'\u0964');
  Glyph upright, leaning;
  ASSERT_TRUE(source.QueryGlyphIndex(regular, glyph, upright.metrics, upright.outline));
  ASSERT_TRUE(source.QueryGlyphIndex(italic, glyph, leaning.metrics, leaning.outline));
  const Box u = Bounds(upright.Points()), l = Bounds(leaning.Points());
  EXPECT_NEAR(l.Width() - u.Width(), i->italicShear * u.Height(), u.Height() * 0.01);
}

TEST_F(GdiShaping, CoverageIsTheFacesAndFallbacksAreInstalledFamiliesThatHaveTheCharacter) {
  const FontRequest dejavu = MakeFontRequest("DejaVu Sans", 200, kDejaVuAverage, false, false);
  EXPECT_TRUE(shaper.Covers(dejavu, U'A'));
  EXPECT_TRUE(shaper.Covers(dejavu, U'\u0633'));  // Arabic
  EXPECT_FALSE(shaper.Covers(dejavu, U'\u6F22'));
  EXPECT_TRUE(shaper.Covers(dejavu, U'\u200D'));  // a joiner never shows: every face has it
  EXPECT_EQ(shaper.FallbackFace(dejavu, U'\u6F22'), "WenQuanYi Micro Hei");
  EXPECT_EQ(shaper.FallbackFace(dejavu, U'\u0915'), "Lohit Devanagari");
  EXPECT_EQ(shaper.FallbackFace(dejavu, U'\U0010FFFD'), "");  // no face has it

  // Extents are the face's own (DejaVu Sans: ascent 1901, descent 483, no gap).
  const std::optional<DesignScale> scale = shaper.Scale(dejavu);
  ASSERT_TRUE(scale);
  const FaceExtents extents = shaper.Extents(dejavu);
  EXPECT_DOUBLE_EQ(extents.ascent, 1901 * scale->yPerUnit);
  EXPECT_DOUBLE_EQ(extents.descent, 483 * scale->yPerUnit);
  EXPECT_DOUBLE_EQ(extents.lineGap, 0);

  // A font that cannot be made has nothing to shape.
  const FontRequest none = MakeFontRequest("DejaVu Sans", 0, 0, false, false);
  std::vector<ShapedGlyph> glyphs;
  EXPECT_FALSE(shaper.Shape(none, U"A", 0, 1, false, glyphs));
  EXPECT_TRUE(glyphs.empty());
  EXPECT_EQ(shaper.Extents(none).ascent, 0);
}

}  // namespace
}  // namespace vx
