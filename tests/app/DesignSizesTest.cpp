// Sizes, proportions and curves of the command line's output against FreeType's own reading of the same faces.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "RunProgram.h"
#include "platform/fonts/FontMatching.h"
#include "tests/support/DxfReader.h"
#include "tests/support/FileBytes.h"
#include "tests/support/NearestSegments.h"
#include "tests/support/TempFolder.h"

namespace {

using vx::test::DxfDrawing;
using vx::test::DxfPoint;
using vx::test::TempFolder;

using Contours = std::vector<std::vector<DxfPoint>>;

struct Box {
  double left = 1e300, bottom = 1e300, right = -1e300, top = -1e300;
};

// One glyph as its face designs it, in font units.
struct DesignGlyph {
  double unitsPerEm = 0;
  double cellUnits = 0;  // usWinAscent + usWinDescent
  double averageWidth = 0;  // xAvgCharWidth
  double advance = 0;
  FT_BBox box{};
  // The outline scaled to drawing units, sampled along the true curve: the
  // curve between two samples within fine of their chord.
  Contours SampledCurve(double xScale, double yScale, double fine) const;
  std::vector<FT_Vector> points;
  std::vector<char> tags;
  std::vector<short> contours;
};

// The glyph of c in the face fontconfig gives the family (which must be that
// family itself), loaded unscaled.
std::optional<DesignGlyph> ReadDesignGlyph(const std::string& family, char32_t c) {
  const std::optional<vx::FontMatch> match = vx::MatchFont(family, false, false);
  if (!match || match->family != family) {
    ADD_FAILURE() << family << " is not installed";
    return std::nullopt;
  }
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return std::nullopt;
  std::optional<DesignGlyph> glyph;
  FT_Face face = nullptr;
  if (FT_New_Face(library, match->file.c_str(), match->index, &face) == 0 &&
      FT_Load_Char(face, c, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0) {
    glyph.emplace();
    glyph->unitsPerEm = face->units_per_EM;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr) {
      glyph->cellUnits = os2->usWinAscent + os2->usWinDescent;
      glyph->averageWidth = os2->xAvgCharWidth;
    }
    glyph->advance = static_cast<double>(face->glyph->metrics.horiAdvance);
    const FT_Outline& o = face->glyph->outline;
    FT_Outline_Get_BBox(&face->glyph->outline, &glyph->box);
    glyph->points.assign(o.points, o.points + o.n_points);
    glyph->tags.assign(o.tags, o.tags + o.n_points);
    glyph->contours.assign(o.contours, o.contours + o.n_contours);
  }
  if (face) FT_Done_Face(face);
  FT_Done_FreeType(library);
  EXPECT_TRUE(glyph) << "no glyph U+" << std::hex << static_cast<unsigned>(c) << " in " << family;
  return glyph;
}

// Collects FreeType's decomposition of an outline as sampled contours.
struct Sampler {
  double xScale, yScale;
  double fine;  // largest distance of the true curve from the samples' chords, in drawing units
  Contours contours;
  DxfPoint pen;

  // FreeType hands the points over shifted by kShift bits, so that the
  // midpoints it puts between two controls are exact.
  static constexpr int kShift = 10;
  DxfPoint At(const FT_Vector* v) const {
    return {std::ldexp(static_cast<double>(v->x), -kShift) * xScale, std::ldexp(static_cast<double>(v->y), -kShift) * yScale};
  }

  // Steps that keep a piece whose second differences reach `bend` within
  // `fine` of its chords (the flattening's own bound, with the cubic's 3/4).
  int Steps(double bend) const { return std::clamp(static_cast<int>(std::ceil(std::sqrt(bend / fine))), 1, 100000); }

  static int MoveTo(const FT_Vector* to, void* user) {
    auto* s = static_cast<Sampler*>(user);
    s->contours.emplace_back();
    s->pen = s->At(to);
    s->contours.back().push_back(s->pen);
    return 0;
  }
  static int LineTo(const FT_Vector* to, void* user) {
    auto* s = static_cast<Sampler*>(user);
    s->pen = s->At(to);
    s->contours.back().push_back(s->pen);
    return 0;
  }
  static int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* s = static_cast<Sampler*>(user);
    const DxfPoint p0 = s->pen, p1 = s->At(control), p2 = s->At(to);
    const int n = s->Steps(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y) / 4);
    for (int k = 1; k <= n; ++k) {
      const double t = static_cast<double>(k) / n, u = 1 - t;
      s->contours.back().push_back(
          {u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
    }
    s->pen = p2;
    return 0;
  }
  static int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* s = static_cast<Sampler*>(user);
    const DxfPoint p0 = s->pen, p1 = s->At(c1), p2 = s->At(c2), p3 = s->At(to);
    const double bend = std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                                 std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
    const int n = s->Steps(3 * bend / 4);
    for (int k = 1; k <= n; ++k) {
      const double t = static_cast<double>(k) / n, u = 1 - t;
      const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
      s->contours.back().push_back(
          {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
    }
    s->pen = p3;
    return 0;
  }
};

Contours DesignGlyph::SampledCurve(double xScale, double yScale, double fine) const {
  std::vector<FT_Vector> p = points;
  std::vector<char> t = tags;
  std::vector<short> c = contours;
  FT_Outline o{};
  o.n_points = static_cast<short>(p.size());
  o.n_contours = static_cast<short>(c.size());
  o.points = p.data();
  o.tags = t.data();
  o.contours = c.data();
  const FT_Outline_Funcs funcs{Sampler::MoveTo, Sampler::LineTo, Sampler::ConicTo, Sampler::CubicTo, Sampler::kShift, 0};
  Sampler sampler{xScale, yScale, fine, {}, {}};
  EXPECT_EQ(FT_Outline_Decompose(&o, &funcs, &sampler), 0);
  return sampler.contours;
}

DxfDrawing Convert(TempFolder& folder, std::vector<std::string> args) {
  const std::string out = folder.Path("out.dxf");
  args.insert(args.begin(), {"convert", "-o", out});
  const vx::test::RunOutcome outcome = vx::test::RunVexoglyph(args);
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  return vx::test::ReadDxf(vx::test::ReadFileBytes(out));
}

Box Extent(const DxfDrawing& dxf, std::size_t from, std::size_t to) {
  Box box;
  for (std::size_t i = from; i < to && i < dxf.polylines.size(); ++i) {
    const vx::test::DxfPolyline& p = dxf.polylines[i];
    box = {std::min(box.left, p.Left()), std::min(box.bottom, p.Bottom()), std::max(box.right, p.Right()),
           std::max(box.top, p.Top())};
  }
  return box;
}

// The design box of a glyph at an em of `em` drawing units, x scaled by widthFactor.
Box DesignBox(const DesignGlyph& g, double em, double widthFactor) {
  const double s = em / g.unitsPerEm;
  return {g.box.xMin * s * widthFactor, g.box.yMin * s, g.box.xMax * s * widthFactor, g.box.yMax * s};
}

void ExpectBoxNear(const Box& actual, const Box& expected, double within) {
  EXPECT_NEAR(actual.left, expected.left, within);
  EXPECT_NEAR(actual.bottom, expected.bottom, within);
  EXPECT_NEAR(actual.right, expected.right, within);
  EXPECT_NEAR(actual.top, expected.top, within);
}

// A character the line's face lacks comes from its fallback face at the em
// of the line's size, as a word processor sizes it: its glyph box is the
// fallback face's own at that em, whatever that face's ascent and descent.
TEST(DesignSizes, AFallbackGlyphIsDrawnAtTheEmOfTheRequestedSize) {
  struct Case {
    const char* face;      // the line's face, which lacks the character
    const char* text;
    char32_t character;
    const char* fallback;  // the face that has it
  };
  const Case cases[] = {
      {"DejaVu Sans", "漢", U'漢', "WenQuanYi Micro Hei"},
      {"DejaVu Sans", "ह", U'ह', "Lohit Devanagari"},
      {"Liberation Sans", "ก", U'ก', "Garuda"},
  };
  constexpr double kEm = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<DesignGlyph> glyph = ReadDesignGlyph(c.fallback, c.character);
    ASSERT_TRUE(glyph);
    for (const std::vector<std::string>& size :
         {std::vector<std::string>{"-s", "100"}, std::vector<std::string>{"-H", "100"}}) {
      SCOPED_TRACE(size[0]);
      TempFolder folder;
      std::vector<std::string> args = {"--layout", "typographic", "--tolerance", "0.001", "-f", c.face, c.text};
      args.insert(args.end(), size.begin(), size.end());
      const DxfDrawing dxf = Convert(folder, args);
      ASSERT_FALSE(dxf.polylines.empty());
      // The only glyph of the line, at the pen's start on the baseline.
      ExpectBoxNear(Extent(dxf, 0, dxf.polylines.size()), DesignBox(*glyph, kEm, 1.0), 0.002 * kEm);
    }
  }
}

// -w scales x of each face's own design: 1 (the typographic layout's
// default) draws every face as designed, glyph boxes and advances alike.
TEST(DesignSizes, TheTypographicWidthFactorScalesEachFacesOwnDesign) {
  struct Case {
    const char* face;
    std::vector<std::string> widthFactor;  // the -w option, if any
    double scale;
  };
  const Case cases[] = {
      {"DejaVu Sans", {}, 1.0},
      {"DejaVu Sans", {"-w", "1"}, 1.0},
      {"Liberation Serif", {"-w", "1"}, 1.0},
      {"Liberation Serif", {"-w", "0.5"}, 0.5},
  };
  constexpr double kEm = 300;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.face) + (c.widthFactor.empty() ? "" : " -w " + c.widthFactor[1]));
    const std::optional<DesignGlyph> glyph = ReadDesignGlyph(c.face, U'H');
    ASSERT_TRUE(glyph);
    TempFolder folder;
    std::vector<std::string> args = {"--layout", "typographic", "-s", "300", "-f", c.face, "HH"};
    args.insert(args.end(), c.widthFactor.begin(), c.widthFactor.end());
    const DxfDrawing dxf = Convert(folder, args);
    // H is one contour in both faces.
    ASSERT_EQ(dxf.polylines.size(), 2u);
    ExpectBoxNear(Extent(dxf, 0, 1), DesignBox(*glyph, kEm, c.scale), 1e-3 * kEm);
    const double advance = glyph->advance * kEm / glyph->unitsPerEm * c.scale;
    EXPECT_NEAR(Extent(dxf, 1, 2).left - Extent(dxf, 0, 1).left, advance, 1e-3 * kEm);
  }
}

// --tolerance D holds against the face's own curves, not only against the
// outline the conversion traced: every point of the true curve within D of
// the drawing, every vertex of the drawing within D of the curve, down to a
// ten-millionth of the em; in both layouts, for quadratic and cubic outlines
// (Cantarell's long cubic pieces need more than the 1024 steps a piece may
// have below a millionth of the em).
TEST(DesignSizes, ATinyToleranceHoldsAgainstTheTrueCurve) {
  struct Case {
    const char* layout;
    const char* face;
    const char* tolerance;
  };
  const Case cases[] = {
      {"typographic", "DejaVu Sans", "1e-4"}, {"host", "DejaVu Sans", "1e-4"}, {"typographic", "Cantarell", "1e-3"}};
  constexpr double kSize = 1000;
  // The true curve's own sampling, and six decimals in the file.
  constexpr double kFine = 1e-6, kWriting = 1e-6;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.layout) + " " + c.face);
    const double tolerance = std::stod(c.tolerance);
    const std::optional<DesignGlyph> glyph = ReadDesignGlyph(c.face, U'S');
    ASSERT_TRUE(glyph);
    // The typographic layout's size is the em, drawn as designed; the host's
    // is the cell of usWinAscent + usWinDescent, whose em is a whole number
    // of units, with an average character width of 0.65 of the cell.
    double em = kSize, widthFactor = 1;
    if (std::string(c.layout) == "host") {
      em = std::round(kSize * glyph->unitsPerEm / glyph->cellUnits);
      widthFactor = std::ceil(0.65 * kSize) / std::round(glyph->averageWidth * em / glyph->unitsPerEm);
    }
    const double scale = em / glyph->unitsPerEm;
    const Contours curve = glyph->SampledCurve(scale * widthFactor, scale, kFine);
    TempFolder folder;
    const DxfDrawing dxf =
        Convert(folder, {"--layout", c.layout, "-s", "1000", "--tolerance", c.tolerance, "-f", c.face, "S"});
    ASSERT_EQ(dxf.polylines.size(), curve.size());
    Contours drawn;
    for (const vx::test::DxfPolyline& p : dxf.polylines) drawn.push_back(p.vertices);
    constexpr double kCell = 0.1;  // wider than any error sought
    EXPECT_LE(vx::test::FarthestFrom(curve, vx::test::IndexOf(drawn, kCell)), tolerance + kWriting);
    EXPECT_LE(vx::test::FarthestFrom(drawn, vx::test::IndexOf(curve, kCell)), tolerance + kFine + kWriting);
  }
}

}  // namespace
