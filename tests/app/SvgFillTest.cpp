// The SVG's filled area against FreeType's own rendering of the same glyphs: an accented letter
// whose accent overlaps its base (ç, Å, ą, Ş, ư) shows no hole where its contours overlap.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>
#include <regex>
#include <string>

#include "RunProgram.h"
#include "platform/fonts/FontMatching.h"
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

}  // namespace
