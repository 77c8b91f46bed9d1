// The SVG's filled area against FreeType's own rendering of the same glyphs: an accented letter
// whose accent overlaps its base (ç, Å, ą, Ş, ư) shows no hole where its contours overlap.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <regex>
#include <string>

#include "RunProgram.h"
#include "platform/fonts/FontMatching.h"
#include "tests/support/DxfReader.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

using vx::test::TempFolder;

// The drawing is this many units high, and rasterised at one pixel per unit.
constexpr int kPixelHeight = 400;

// A glyph's filled area as a share of its bounding box: the same for any
// scaling of x and y, so that the width factor and the cell sizing drop out.
struct Coverage {
  double filled = 0;  // pixels, partly covered ones in part
  double width = 0;
  double height = 0;
  double Share() const { return filled / (width * height); }
};

// FreeType's rendering of the character (non-zero winding, as TrueType glyphs are filled).
std::optional<Coverage> FreeTypeCoverage(const std::string& file, int index, char32_t c) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return std::nullopt;
  std::optional<Coverage> coverage;
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.c_str(), index, &face) == 0 && FT_Set_Pixel_Sizes(face, 0, kPixelHeight) == 0 &&
      FT_Load_Char(face, c, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0) {
    FT_BBox box;
    FT_Outline_Get_BBox(&face->glyph->outline, &box);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) == 0) {
      const FT_Bitmap& bitmap = face->glyph->bitmap;
      coverage = Coverage{0, (box.xMax - box.xMin) / 64.0, (box.yMax - box.yMin) / 64.0};
      for (unsigned row = 0; row < bitmap.rows; ++row)
        for (unsigned column = 0; column < bitmap.width; ++column)
          coverage->filled += bitmap.buffer[row * bitmap.pitch + column] / 255.0;
    }
  }
  if (face) FT_Done_Face(face);
  FT_Done_FreeType(library);
  return coverage;
}

// The SVG as rsvg-convert draws it; the bounding box from the path's points.
std::optional<Coverage> SvgCoverage(const TempFolder& folder, const std::string& svgPath) {
  const std::string png = folder.Path("glyph.png");
  const std::string command = "rsvg-convert -o '" + png + "' '" + svgPath + "'";
  if (std::system(command.c_str()) != 0) return std::nullopt;
  const QImage image(QString::fromStdString(png));
  if (image.isNull()) return std::nullopt;
  Coverage coverage;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) coverage.filled += qAlpha(image.pixel(x, y)) / 255.0;

  const std::string svg = vx::test::ReadFileBytes(svgPath);
  const std::string data = svg.substr(svg.find("<path d=\""));
  const std::regex pair("(-?[0-9.]+) (-?[0-9.]+)");
  double left = std::numeric_limits<double>::max(), right = -left, top = left, bottom = -left;
  for (auto it = std::sregex_iterator(data.begin(), data.end(), pair); it != std::sregex_iterator(); ++it) {
    const double x = std::stod((*it)[1]), y = std::stod((*it)[2]);
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
  coverage.width = right - left;
  coverage.height = bottom - top;
  return coverage;
}

struct Letter {
  const char* face;
  const char* utf8;
  char32_t code;
};

TEST(SvgFill, OverlappingContoursAreFilledAsFreeTypeFillsThem) {
  ASSERT_EQ(std::system("rsvg-convert --version > /dev/null 2>&1"), 0)
      << "rsvg-convert (librsvg2-bin, which tools/install-deps.sh installs) is missing";
  // Letters whose accent or horn overlaps the base letter's contour, and an
  // "o", whose hole must stay a hole.
  const Letter letters[] = {
      {"Liberation Sans", "Ç", U'Ç'}, {"Liberation Sans", "ç", U'ç'}, {"Liberation Sans", "Å", U'Å'},
      {"Liberation Sans", "ą", U'ą'}, {"Liberation Sans", "ę", U'ę'}, {"Liberation Sans", "Ş", U'Ş'},
      {"Liberation Serif", "ç", U'ç'}, {"DejaVu Sans", "ư", U'ư'},    {"DejaVu Sans", "ơ", U'ơ'},
      {"DejaVu Sans", "Ş", U'Ş'},     {"DejaVu Sans", "o", U'o'},
  };
  TempFolder folder;
  for (const Letter& letter : letters) {
    SCOPED_TRACE(std::string(letter.face) + " " + letter.utf8);
    const std::optional<vx::FontMatch> match = vx::MatchFont(letter.face, false, false);
    ASSERT_TRUE(match && !match->substituted);
    const std::optional<Coverage> reference = FreeTypeCoverage(match->file, match->index, letter.code);
    ASSERT_TRUE(reference);

    const std::string svg = folder.Path("glyph.svg");
    const vx::test::RunOutcome outcome = vx::test::RunVexoglyph(
        {"convert", "-f", letter.face, "-H", std::to_string(kPixelHeight), "--tolerance", "0.01", "-o", svg,
         letter.utf8});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    const std::optional<Coverage> drawn = SvgCoverage(folder, svg);
    ASSERT_TRUE(drawn);
    // The two renderings agree within 0.011 % of the box; a hole where the
    // contours overlap takes 0.065 % (Liberation Sans ą) to 1.7 % (ơ) away.
    EXPECT_NEAR(drawn->Share(), reference->Share(), 0.0003);
  }
}

// Whether segments ab and cd share a point other than an end the two have in common.
bool Touch(const vx::test::DxfPoint& a, const vx::test::DxfPoint& b, const vx::test::DxfPoint& c,
           const vx::test::DxfPoint& d) {
  const auto cross = [](const vx::test::DxfPoint& o, const vx::test::DxfPoint& p, const vx::test::DxfPoint& q) {
    const double value = (p.x - o.x) * (q.y - o.y) - (p.y - o.y) * (q.x - o.x);
    return (value > 0) - (value < 0);
  };
  const auto same = [](const vx::test::DxfPoint& p, const vx::test::DxfPoint& q) { return p.x == q.x && p.y == q.y; };
  const auto within = [](const vx::test::DxfPoint& p, const vx::test::DxfPoint& q, const vx::test::DxfPoint& r) {
    return std::min(p.x, q.x) <= r.x && r.x <= std::max(p.x, q.x) && std::min(p.y, q.y) <= r.y &&
           r.y <= std::max(p.y, q.y);
  };
  const int d1 = cross(a, b, c), d2 = cross(a, b, d), d3 = cross(c, d, a), d4 = cross(c, d, b);
  if (d1 == 0 && d2 == 0) {  // on one line: they overlap when they share more than an end
    const double length = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
    const auto along = [&](const vx::test::DxfPoint& p) {
      return std::abs(b.x - a.x) >= std::abs(b.y - a.y) ? (p.x - a.x) / (b.x - a.x) : (p.y - a.y) / (b.y - a.y);
    };
    const double lo = std::max(0.0, std::min(along(c), along(d))), hi = std::min(1.0, std::max(along(c), along(d)));
    return length > 0 && hi > lo;
  }
  if ((same(a, c) || same(a, d) || same(b, c) || same(b, d))) return false;
  if (d1 * d2 < 0 && d3 * d4 < 0) return true;
  return (d1 == 0 && within(a, b, c)) || (d2 == 0 && within(a, b, d)) || (d3 == 0 && within(c, d, a)) ||
         (d4 == 0 && within(c, d, b));
}

double DoubleArea(const std::vector<vx::test::DxfPoint>& v) {
  double sum = 0;
  for (std::size_t i = 0; i < v.size(); ++i) sum += v[i].x * v[(i + 1) % v.size()].y - v[(i + 1) % v.size()].x * v[i].y;
  return sum;
}

TEST(SvgFill, MergedOutlinesAndTheirArcsFillWhatTheFontFillsWithoutCrossingsOrRepeatedVertices) {
  TempFolder folder;
  for (const char* face : {"DejaVu Sans", "Liberation Sans"}) {
    const std::optional<vx::FontMatch> match = vx::MatchFont(face, false, false);
    ASSERT_TRUE(match && !match->substituted);
    for (const auto& [utf8, code] : {std::pair{"Ç", U'Ç'}, {"a", U'a'}, {"ç", U'ç'}, {"Å", U'Å'}, {"ą", U'ą'},
                                     {"ę", U'ę'}, {"Ş", U'Ş'}, {"ư", U'ư'}, {"ơ", U'ơ'}}) {
      SCOPED_TRACE(std::string(face) + " " + utf8);
      const std::optional<Coverage> reference = FreeTypeCoverage(match->file, match->index, code);
      ASSERT_TRUE(reference);
      const std::string dxf = folder.Path("glyph.dxf");
      const vx::test::RunOutcome outcome =
          vx::test::RunVexoglyph({"convert", "-f", face, "-H", std::to_string(kPixelHeight), "--tolerance", "0.01",
                                  "--outline", "merged", "-o", dxf, utf8});
      ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
      const vx::test::DxfDrawing drawing = vx::test::ReadDxf(vx::test::ReadFileBytes(dxf));
      ASSERT_EQ(drawing.error, "");
      ASSERT_FALSE(drawing.polylines.empty());

      // Every edge of the glyph, each polyline closed by its flag alone.
      struct Edge {
        vx::test::DxfPoint a, b;
      };
      std::vector<Edge> edges;
      double area = 0, left = 1e300, right = -1e300, bottom = 1e300, top = -1e300;
      for (const vx::test::DxfPolyline& polyline : drawing.polylines) {
        ASSERT_TRUE(polyline.Closed());
        const std::vector<vx::test::DxfPoint>& v = polyline.vertices;
        ASSERT_GE(v.size(), 3u);
        for (std::size_t i = 0; i < v.size(); ++i) {
          const vx::test::DxfPoint& next = v[(i + 1) % v.size()];
          ASSERT_FALSE(v[i].x == next.x && v[i].y == next.y) << "vertex " << i << " repeats in the next";
          edges.push_back({v[i], next});
        }
        area += DoubleArea(v) / 2;
        left = std::min(left, polyline.Left());
        right = std::max(right, polyline.Right());
        bottom = std::min(bottom, polyline.Bottom());
        top = std::max(top, polyline.Top());
      }
      for (std::size_t i = 0; i < edges.size(); ++i)
        for (std::size_t j = i + 1; j < edges.size(); ++j)
          ASSERT_FALSE(Touch(edges[i].a, edges[i].b, edges[j].a, edges[j].b)) << "edges " << i << " and " << j;
      // Outer contours count positive, holes negative: the sum is the filled area.
      const double share = area / ((right - left) * (top - bottom));
      EXPECT_NEAR(share, reference->Share(), 0.01 * reference->Share());

      // The merged SVG, of lines or of arcs, draws the same fill as the font's
      // own contours. An arc may reach beyond its ends: the box is the lines'.
      const std::string svg = folder.Path("glyph.svg");
      std::optional<Coverage> lines;
      for (const char* outline : {"--outline=merged", "--arcs"}) {
        SCOPED_TRACE(outline);
        ASSERT_EQ(vx::test::RunVexoglyph({"convert", "-f", face, "-H", std::to_string(kPixelHeight), "--tolerance",
                                          "0.01", outline, "-o", svg, utf8})
                      .exitCode,
                  0);
        std::optional<Coverage> drawn = SvgCoverage(folder, svg);
        ASSERT_TRUE(drawn);
        if (lines) {
          drawn->width = lines->width;
          drawn->height = lines->height;
        }
        lines = lines ? lines : drawn;
        EXPECT_NEAR(drawn->Share(), reference->Share(), 0.0003);
      }
    }
  }
}

}  // namespace
