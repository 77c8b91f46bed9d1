// Tests of the fontconfig/FreeType glyph source on the fonts of Debian's packages.
#include "platform/fonts/FontconfigGlyphSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/GlyphConversion.h"
#include "platform/fonts/FontServices.h"
#include "tests/platform/fonts/GlyphQueries.h"
#include "tests/platform/fonts/GlyphSourceChecks.h"
#include "tests/support/StoreContents.h"

namespace vx {
namespace {

// Design values of the faces used below (font units, from their tables).
//   DejaVu Sans: em 2048, usWinAscent 1901, usWinDescent 483, xAvgCharWidth
//   1038; 'H' spans x 201..1339, y 0..1493; U+2031 reaches x 3442.
//   Liberation Sans: em 2048, win 1854 + 434; 'H' top 1409.
//   Liberation Serif: em 2048, win 1825 + 443; 'H' top 1341.
std::string FileName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

class FontconfigGlyphs : public test::StoreTest {
 protected:
  FontconfigGlyphSource source;
};

TEST_F(FontconfigGlyphs, EveryContourOfRealGlyphsIsClosed) {
  ExpectEveryContourClosed(source, {{"DejaVu Sans", false, false}, {"DejaVu Sans", true, false},
                                    {"DejaVu Sans", false, true}, {"Liberation Serif", true, true},
                                    {"DejaVu Math TeX Gyre", true, true}, {"Wingdings", false, false}});
}

TEST_F(FontconfigGlyphs, PositiveHeightIsTheCellHeight) {
  struct Case {
    const char* face;
    double cellUnits;
    double capTopUnits;
  };
  for (const Case& c : {Case{"DejaVu Sans", 1901 + 483, 1493}, Case{"Liberation Sans", 1854 + 434, 1409},
                        Case{"Liberation Serif", 1825 + 443, 1341}}) {
    for (const int height : {200, 1000}) {
      SCOPED_TRACE(std::string(c.face) + " at " + std::to_string(height));
      const Glyph h = Query(source, c.face, u'H', height, 0);
      ASSERT_TRUE(h.ok);
      // The em is the cell height less the internal leading, in whole pixels.
      const double em = std::round(height * 2048 / c.cellUnits);
      EXPECT_NEAR(Bounds(h.Points()).yMax, c.capTopUnits * em / 2048, 0.05);
      EXPECT_NEAR(Bounds(h.Points()).yMin, 0.0, 0.05);
      EXPECT_EQ(h.metrics.gmptGlyphOrigin.y, static_cast<int>(std::ceil(Bounds(h.Points()).yMax)));
    }
  }
}

TEST_F(FontconfigGlyphs, NegativeHeightIsTheEm) {
  const Glyph h = Query(source, "DejaVu Sans", u'H', -200, 0);
  ASSERT_TRUE(h.ok);
  EXPECT_NEAR(Bounds(h.Points()).yMax, 1493 * 200.0 / 2048, 0.05);
}

TEST_F(FontconfigGlyphs, WidthScalesXOnly) {
  const Glyph natural = Query(source, "DejaVu Sans", u'H', 200, kDejaVuAverage);
  const Glyph doubled = Query(source, "DejaVu Sans", u'H', 200, 2 * kDejaVuAverage);
  const Glyph narrow = Query(source, "DejaVu Sans", u'H', 200, 20);
  ASSERT_TRUE(natural.ok && doubled.ok && narrow.ok);
  const Box n = Bounds(natural.Points());
  const Box d = Bounds(doubled.Points());
  const Box s = Bounds(narrow.Points());
  // At the face's own average width the outline keeps its design proportions.
  EXPECT_NEAR(n.xMin, 201 * 172.0 / 2048, 0.05);
  EXPECT_NEAR(n.xMax, 1339 * 172.0 / 2048, 0.05);
  EXPECT_NEAR(d.Width(), 2 * n.Width(), 0.01);
  EXPECT_NEAR(s.Width(), n.Width() * 20 / kDejaVuAverage, 0.01);
  for (const Box& b : {d, s}) {
    EXPECT_NEAR(b.yMax, n.yMax, 0.01);
    EXPECT_NEAR(b.yMin, n.yMin, 0.01);
  }
  EXPECT_EQ(natural.metrics.gmCellIncX, 129);  // 1540 * 172 / 2048 = 129.3
  EXPECT_EQ(doubled.metrics.gmCellIncX, 259);  // twice that, rounded once
  EXPECT_EQ(natural.metrics.gmptGlyphOrigin.x, 16);
  EXPECT_EQ(doubled.metrics.gmptGlyphOrigin.x, 33);
}

TEST_F(FontconfigGlyphs, BoldAndItalicUseTheFamilysOwnFaces) {
  struct Case {
    bool bold;
    bool italic;
    const char* file;
  };
  const Glyph regular = Query(source, "DejaVu Sans", u'a');
  for (const Case& c : {Case{false, false, "DejaVuSans.ttf"}, Case{true, false, "DejaVuSans-Bold.ttf"},
                        Case{false, true, "DejaVuSans-Oblique.ttf"},
                        Case{true, true, "DejaVuSans-BoldOblique.ttf"}}) {
    SCOPED_TRACE(c.file);
    const std::optional<ResolvedFace> face = source.Resolve("DejaVu Sans", c.bold, c.italic);
    ASSERT_TRUE(face);
    EXPECT_EQ(FileName(face->file), c.file);
    EXPECT_FALSE(face->syntheticBold);
    EXPECT_FALSE(face->syntheticItalic);
    const Glyph styled = Query(source, "DejaVu Sans", u'a', 200, kDejaVuAverage, c.bold, c.italic);
    ASSERT_TRUE(styled.ok);
    EXPECT_EQ(styled.outline == regular.outline, !c.bold && !c.italic);
  }
}

TEST_F(FontconfigGlyphs, FamilyWithoutItalicFaceIsSheared) {
  const char* face = "DejaVu Math TeX Gyre";  // a regular face only
  const std::optional<ResolvedFace> resolved = source.Resolve(face, false, true);
  ASSERT_TRUE(resolved);
  EXPECT_EQ(resolved->family, face);
  EXPECT_TRUE(resolved->syntheticItalic);
  const Glyph upright = Query(source, face, u'H', 1000, 0);
  const Glyph italic = Query(source, face, u'H', 1000, 0, false, true);
  ASSERT_TRUE(upright.ok && italic.ok);
  const std::vector<Point> u = upright.Points();
  const std::vector<Point> i = italic.Points();
  ASSERT_EQ(u.size(), i.size());
  for (std::size_t k = 0; k < u.size(); ++k) {
    EXPECT_NEAR(i[k].x, u[k].x + 0.25 * u[k].y, 0.01) << k;
    EXPECT_NEAR(i[k].y, u[k].y, 0.01) << k;
  }
  EXPECT_EQ(italic.metrics.gmCellIncX, upright.metrics.gmCellIncX);
}

TEST_F(FontconfigGlyphs, FamilyWithoutBoldFaceIsEmboldened) {
  const char* face = "DejaVu Math TeX Gyre";
  const std::optional<ResolvedFace> resolved = source.Resolve(face, true, false);
  ASSERT_TRUE(resolved);
  EXPECT_TRUE(resolved->syntheticBold);
  EXPECT_FALSE(resolved->syntheticItalic);
  const Glyph regular = Query(source, face, u'H', 2000, 0);
  const Glyph bold = Query(source, face, u'H', 2000, 0, true, false);
  ASSERT_TRUE(regular.ok && bold.ok);
  // Em 469 at cell height 2000 (em 1000, win 2408 + 1858): strokes widen by
  // em / 24 in x and in y, the advance by one unit.
  const double strength = 469.0 / 24;
  const Box r = Bounds(regular.Points());
  const Box b = Bounds(bold.Points());
  EXPECT_NEAR(b.Width() - r.Width(), strength, 0.1);
  EXPECT_NEAR(b.Height() - r.Height(), strength, 0.1);
  EXPECT_EQ(bold.metrics.gmCellIncX, regular.metrics.gmCellIncX + 1);
}

TEST_F(FontconfigGlyphs, EmboldenedAdvanceIsOneUnitWiderAtEveryWidth) {
  const char* face = "DejaVu Math TeX Gyre";  // no bold face of its own
  // Widths around the face's own average, narrow and wide: the extra unit is
  // added after the width scaling, so it stays one unit.
  for (const int width : {0, 20, 90, 260, 600}) {
    SCOPED_TRACE(width);
    const Glyph regular = Query(source, face, u'H', 200, width);
    const Glyph bold = Query(source, face, u'H', 200, width, true, false);
    ASSERT_TRUE(regular.ok && bold.ok);
    EXPECT_EQ(bold.metrics.gmCellIncX, regular.metrics.gmCellIncX + 1);
  }
}

TEST_F(FontconfigGlyphs, SpaceHasMetricsButNoOutline) {
  const Glyph space = Query(source, "DejaVu Sans", u' ');
  EXPECT_TRUE(space.ok);
  EXPECT_TRUE(space.outline.empty());
  EXPECT_EQ(space.metrics.gmCellIncX, 55);  // 651 * 172 / 2048 = 54.7
  GlyphMetrics metrics;
  EXPECT_FALSE(ConvertGlyph(source, u' ', "DejaVu Sans", 200, 200, false, false, 1.0, 0, 0, metrics));
  EXPECT_EQ(gPointList.GetCount(), 0);
}

TEST_F(FontconfigGlyphs, NamesMapToInstalledFamiliesOrTheirSubstitutes) {
  struct Case {
    const char* name;
    const char* family;
    bool substituted;
  };
  for (const Case& c : {
           Case{"dejavu sans", "DejaVu Sans", false},
           Case{"DejaVuSans", "DejaVu Sans", false},  // its PostScript name
           Case{"Liberation Serif (Hebrew)", "Liberation Serif", false},
           Case{"Liberation Sans CE", "Liberation Sans", false},
           // Not installed: fontconfig's metric-compatible substitutes.
           Case{"Times New Roman CE", "Liberation Serif", true},
           Case{"Arial Cyr", "Liberation Sans", true},
           Case{"ArialMT", "Liberation Sans", true},
           Case{"TimesNewRomanPSMT", "Liberation Serif", true},
       }) {
    SCOPED_TRACE(c.name);
    const std::optional<ResolvedFace> face = source.Resolve(c.name, false, false);
    ASSERT_TRUE(face);
    EXPECT_EQ(face->family, c.family);
    EXPECT_EQ(face->substituted, c.substituted);
  }
}

TEST_F(FontconfigGlyphs, UnknownFaceFallsBackAndStillConverts) {
  const char* name = "Vexoglyph No Such Face";
  const std::optional<ResolvedFace> face = source.Resolve(name, false, false);
  ASSERT_TRUE(face);
  EXPECT_TRUE(face->substituted);
  GlyphMetrics metrics;
  ASSERT_TRUE(ConvertGlyph(source, u'A', name, 200, 200, false, false, 1.0, 0, 0, metrics));
  test::ExpectOneWellFormedGlyph(test::StoreRecords());
  EXPECT_GT(metrics.gmCellIncX, 0);
}

// Whether the font draws c with a glyph of its own: not the missing-glyph
// box, which a private-use character (that no test font has) shows.
bool DrawsItsOwnGlyph(GlyphSource& source, const FontRequest& font, char32_t c) {
  GlyphMetrics metrics;
  std::vector<std::uint8_t> glyph, box;
  return source.QueryGlyph(font, static_cast<char16_t>(c), metrics, glyph) &&
         source.QueryGlyph(font, u'\uE000', metrics, box) && glyph != box;
}

TEST_F(FontconfigGlyphs, AFaceThatIsNotInstalledIsStoodInForByAFaceThatHasTheText) {
  const std::u32string text = U"\u304A\u5143\u6C17\u3067\u3059\u304B";  // お元気ですか
  const auto drawsText = [&](FontconfigGlyphSource& from, std::uint8_t charset) {
    for (const bool bold : {false, true}) {
      const FontRequest font = MakeFontRequest("MS Mincho", 200, 0, bold, false, charset);
      for (const char32_t c : text) EXPECT_TRUE(DrawsItsOwnGlyph(from, font, c)) << std::hex << static_cast<std::uint32_t>(c);
    }
  };
  // Told the text: the substitute has its characters, in any character set,
  // and both styles come from one family.
  for (const std::uint8_t charset : {kDefaultCharset, std::uint8_t{128}}) {
    SCOPED_TRACE(charset);
    source.ExpectText(std::vector<FaceText>{{"MS Mincho", charset, text}});
    drawsText(source, charset);
    const std::optional<ResolvedFace> regular = source.Resolve("MS Mincho", false, false, charset);
    ASSERT_TRUE(regular);
    EXPECT_TRUE(regular->substituted);
    EXPECT_EQ(source.Resolve("MS Mincho", true, false, charset)->family, regular->family);
    FontServices fonts;  // told the same text, the services name the same substitute
    fonts.Glyphs().ExpectText(std::vector<FaceText>{{"MS Mincho", charset, text}});
    EXPECT_EQ(fonts.Substitute("MS Mincho", charset).family, regular->family);
  }
  // Told nothing: the Japanese character set alone asks for a Japanese face.
  FontconfigGlyphSource untold;
  drawsText(untold, 128);

  // An installed face stays itself, whatever the text it lacks.
  source.ExpectText(std::vector<FaceText>{{"DejaVu Sans", 128, text}});
  const std::optional<ResolvedFace> installed = source.Resolve("DejaVu Sans", false, false, 128);
  ASSERT_TRUE(installed);
  EXPECT_EQ(installed->family, "DejaVu Sans");
  EXPECT_FALSE(installed->substituted);
  EXPECT_FALSE(DrawsItsOwnGlyph(source, MakeFontRequest("DejaVu Sans", 200, 0, false, false, 128), text[0]));
}

TEST(FontconfigCoverage, CharactersNoFaceHasAreThoseOfNoInstalledFace) {
  EXPECT_EQ(CharactersNoFaceHas(U"A\uE000\u304A\U0010FFFD\uE000B"), U"\uE000\U0010FFFD");
  EXPECT_EQ(CharactersNoFaceHas(U"Ab\u5143"), U"");
}

TEST_F(FontconfigGlyphs, SymbolFaceReachesItsGlyphsThroughSingleByteCodes) {
  ExpectSymbolFaceReachesItsGlyphsThroughSingleByteCodes(source);
}

TEST_F(FontconfigGlyphs, AbsurdSizesAreRefused) {
  ExpectAbsurdSizesRefused(source);
  // The largest sizes still convert where the outline fits.
  const Glyph big = Query(source, "DejaVu Sans", u'H', 16384, 16384);
  ASSERT_TRUE(big.ok);
  EXPECT_NEAR(Bounds(big.Points()).yMax, 1493 * std::round(16384 * 2048 / 2384.0) / 2048, 0.5);
  const Glyph tiny = Query(source, "DejaVu Sans", u'H', 1, 2);
  EXPECT_TRUE(tiny.ok);
}

TEST_F(FontconfigGlyphs, CachedAnswersEqualFreshOnes) {
  // More faces than the source keeps open, visited twice in turn, with sizes
  // changing while the face stays.
  struct Request {
    const char* face;
    int height;
    int width;
    bool bold;
    bool italic;
  };
  const std::vector<Request> requests{
      {"DejaVu Sans", 200, 130, false, false},      {"DejaVu Sans", 250, 163, false, false},
      {"DejaVu Sans", 200, 130, true, false},       {"DejaVu Sans", 200, 130, false, true},
      {"DejaVu Sans", 200, 130, true, true},        {"Liberation Sans", 200, 130, false, false},
      {"Liberation Sans", 200, 130, true, true},    {"Liberation Serif", 200, 130, false, false},
      {"Liberation Serif", 200, 130, true, false},  {"Liberation Serif", 200, 130, false, true},
      {"Wingdings", 200, 200, false, false},        {"DejaVu Math TeX Gyre", 300, 100, true, true},
      {"DejaVu Sans Mono", 200, 130, false, false}, {"No Such Face", 200, 130, false, false},
  };
  for (int round = 0; round < 2; ++round) {
    for (const Request& r : requests) {
      for (const char16_t c : {u'A', u'g'}) {
        SCOPED_TRACE(std::string(r.face) + " round " + std::to_string(round));
        FontconfigGlyphSource fresh;
        const Glyph cached = Query(source, r.face, c, r.height, r.width, r.bold, r.italic);
        const Glyph expected = Query(fresh, r.face, c, r.height, r.width, r.bold, r.italic);
        ASSERT_TRUE(expected.ok);
        EXPECT_EQ(cached.ok, expected.ok);
        EXPECT_EQ(cached.outline, expected.outline);
        EXPECT_EQ(cached.metrics.gmCellIncX, expected.metrics.gmCellIncX);
        EXPECT_EQ(cached.metrics.gmptGlyphOrigin.x, expected.metrics.gmptGlyphOrigin.x);
      }
    }
  }
}

TEST(DefaultSansFace, IsAnInstalledFamily) {
  const std::string family = DefaultSansFace();
  ASSERT_FALSE(family.empty());
  FontconfigGlyphSource source;
  const std::optional<ResolvedFace> face = source.Resolve(family, false, false);
  ASSERT_TRUE(face);
  EXPECT_FALSE(face->substituted);
}

}  // namespace
}  // namespace vx
