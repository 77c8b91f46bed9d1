// Hershey single-line faces on the command line: open polylines and stroked paths, both layouts' advances and pitch, notices and errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "RunProgram.h"
#include "engine/HersheyFont.h"
#include "tests/support/DxfReader.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

using vx::test::DxfDrawing;
using vx::test::ReadDxf;
using vx::test::ReadFileBytes;
using vx::test::RunVexoglyph;
using vx::test::TempFolder;

const std::string kSimplex = "/usr/share/hershey-fonts/futural.jhf";

bool HersheyFontsMissing() { return !std::filesystem::exists(kSimplex); }
constexpr const char* kNoHersheyFonts = "the Hershey fonts (Debian's hershey-fonts-data) are not installed";

// Converts to DXF and reads it back; the standard error is expected to hold err.
DxfDrawing Convert(TempFolder& folder, std::vector<std::string> args, const std::string& err = "") {
  const std::string out = folder.Path("out.dxf");
  args.insert(args.begin(), {"convert", "-o", out});
  const vx::test::RunOutcome outcome = RunVexoglyph(args);
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.err, err);
  DxfDrawing drawing = ReadDxf(ReadFileBytes(out));
  EXPECT_EQ(drawing.error, "");
  return drawing;
}

std::size_t OpenPolylines(const DxfDrawing& drawing) {
  return static_cast<std::size_t>(std::count_if(drawing.polylines.begin(), drawing.polylines.end(),
                                                [](const vx::test::DxfPolyline& p) { return !p.Closed(); }));
}

TEST(SingleLineFace, GlyphsAreOpenPolylinesAndStrokedPathsWithoutFill) {
  if (HersheyFontsMissing()) GTEST_SKIP() << kNoHersheyFonts;
  TempFolder folder;
  // H is three strokes, I one; the other faces draw their own.
  for (const char* face : {"Hershey Sans", "Hershey Serif", "Hershey Script", "hershey gothic english"}) {
    SCOPED_TRACE(face);
    const DxfDrawing drawing = Convert(folder, {"-f", face, "-H", "10", "HI"});
    ASSERT_FALSE(drawing.polylines.empty());
    EXPECT_EQ(OpenPolylines(drawing), drawing.polylines.size());
  }
  EXPECT_EQ(Convert(folder, {"-f", "Hershey Sans", "-H", "10", "HI"}).polylines.size(), 4u);

  const std::string svg = folder.Path("out.svg");
  ASSERT_EQ(RunVexoglyph({"convert", "-f", "Hershey Sans", "-H", "10", "-o", svg, "HI"}).exitCode, 0);
  const std::string text = ReadFileBytes(svg);
  EXPECT_EQ(std::count(text.begin(), text.end(), 'Z'), 0) << text;
  const std::string stroked = "<path fill=\"none\" stroke=\"black\" stroke-width=\"1\" vector-effect=\"non-scaling-stroke\"";
  std::size_t paths = 0;
  for (std::size_t at = text.find("<path"); at != std::string::npos; at = text.find("<path", at + 1)) {
    EXPECT_EQ(text.compare(at, stroked.size(), stroked), 0) << text.substr(at, 120);
    ++paths;
  }
  EXPECT_EQ(paths, 2u);
}

TEST(SingleLineFace, AdvanceIsTheGlyphsEdgesAndTheCellRuleHoldsInBothLayouts) {
  if (HersheyFontsMissing()) GTEST_SKIP() << kNoHersheyFonts;
  // The H of the file: its edges, and its stems at its least and greatest x.
  const vx::HersheyFont font = vx::ParseHersheyFont(ReadFileBytes(kSimplex));
  ASSERT_EQ(font.error, "");
  const vx::HersheyGlyph& h = font.glyphs.at('H' - 32);
  int stemLeft = 1000, stemRight = -1000;
  for (const auto& stroke : h.strokes)
    for (const vx::HersheyPoint& p : stroke) {
      stemLeft = std::min(stemLeft, p.x);
      stemRight = std::max(stemRight, p.x);
    }
  struct Case {
    const char* layout;
    double pitch;      // the second line's baseline below the first, at -H 32
    double tolerance;  // the host layout advances by whole units of the 200-unit cell
  };
  TempFolder folder;
  for (const Case& c : {Case{"host", 1.2 * 32, 0.5 * 32 / 200}, Case{"typographic", 32, 1e-5}}) {
    SCOPED_TRACE(c.layout);
    const DxfDrawing d = Convert(folder, {"-f", "Hershey Sans", "-H", "32", "--layout", c.layout, "HH", "H"});
    ASSERT_EQ(d.polylines.size(), 9u);
    const auto& first = d.polylines[0];
    // The font's x scale, from the stems' distance (the width factor scales x only).
    const double xScale = (d.polylines[1].Left() - first.Left()) / (stemRight - stemLeft);
    EXPECT_NEAR(first.Left(), (stemLeft - h.left) * xScale, 1e-5);
    EXPECT_NEAR(d.polylines[3].Left() - first.Left(), (h.right - h.left) * xScale, c.tolerance);
    // Capitals are 21 of the cell's 32 units and stand on the baseline.
    EXPECT_NEAR(first.Bottom(), 0, 1e-5);
    EXPECT_NEAR(first.Top(), 21, 1e-5);
    EXPECT_NEAR(d.polylines[6].Bottom(), -c.pitch, 1e-5);
  }
}

TEST(SingleLineFace, MergedOutlinesArcsAndBoldLeaveItAsItIsWithANotice) {
  if (HersheyFontsMissing()) GTEST_SKIP() << kNoHersheyFonts;
  TempFolder folder;
  struct Case {
    std::vector<std::string> options;
    const char* notice;
  };
  const Case cases[] = {
      {{"--outline", "merged"}, "vexoglyph: --outline merged does not apply to single-line faces; their glyphs stay open strokes\n"},
      {{"--arcs"}, "vexoglyph: --arcs does not apply to single-line faces; their glyphs stay open strokes\n"},
      {{"--bold", "-f", "Hershey Cursive"}, "vexoglyph: single-line face \"Hershey Cursive\" has no bold; drawn regular\n"},
      {{"--bold", "--italic"}, ""},  // Hershey Sans Bold, sheared
  };
  for (const Case& c : cases) {
    std::vector<std::string> args{"-f", "Hershey Sans", "-H", "10"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back("Hob");
    SCOPED_TRACE(args[4]);
    const DxfDrawing drawing = Convert(folder, args, c.notice);
    ASSERT_FALSE(drawing.polylines.empty());
    EXPECT_EQ(OpenPolylines(drawing), drawing.polylines.size());
  }
}

TEST(SingleLineFace, ACharacterTheFaceLacksComesFromAnInstalledFaceWithANotice) {
  if (HersheyFontsMissing()) GTEST_SKIP() << kNoHersheyFonts;
  TempFolder folder;
  const std::string out = folder.Path("out.dxf");
  const vx::test::RunOutcome outcome = RunVexoglyph({"convert", "-o", out, "-f", "Hershey Sans", "-H", "10", "H\u00e9"});
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  // The face that stands in is the system's (DejaVu Sans by the tests' font
  // configuration; the font mapper's choice for the default face on Windows).
  const std::string notice = "vexoglyph: face \"Hershey Sans\" has no U+00E9 \"\u00e9\"; using \"";
  EXPECT_EQ(outcome.err.substr(0, notice.size()), notice);
#ifndef _WIN32
  EXPECT_EQ(outcome.err, notice + "DejaVu Sans\"\n");
#endif
  const DxfDrawing drawing = ReadDxf(ReadFileBytes(out));
  ASSERT_GT(drawing.polylines.size(), 3u);
  EXPECT_EQ(OpenPolylines(drawing), 3u);  // H's strokes; é's contours are closed
}

TEST(SingleLineFace, AFaceNameOfNoHersheyFaceIsAnErrorAndHelpListsTheFaces) {
  const vx::test::RunOutcome outcome = RunVexoglyph({"convert", "-f", "Hershey Nonsense", "-o", "-", "a"});
  EXPECT_EQ(outcome.exitCode, 2);
  EXPECT_EQ(outcome.err,
            "vexoglyph: There is no Hershey face \"Hershey Nonsense\"; \"vexoglyph convert --help\" lists them\n");
  EXPECT_EQ(outcome.out, "");
  const std::string help = RunVexoglyph({"convert", "--help"}).out;
  for (const char* face : {"Hershey Sans,", "Hershey Serif,", "Hershey Script,", "Hershey Gothic English,",
                           "Hershey Cyrillic,", "Hershey Symbolic\n"})
    EXPECT_NE(help.find(face), std::string::npos) << face;
}

}  // namespace
