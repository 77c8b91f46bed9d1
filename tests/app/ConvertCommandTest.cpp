// The vexoglyph convert command end to end: the built program, real fonts, real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <future>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <regex>
#include <string>
#include <vector>

#include "RunProgram.h"
#include "platform/ProductVersion.h"
#include "platform/fonts/FontServices.h"
#include "tests/support/DxfReader.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

using vx::test::DxfDrawing;
using vx::test::ReadDxf;
using vx::test::FolderEntries;
using vx::test::ReadFileBytes;
using vx::test::RunVexoglyph;
using vx::test::TempFolder;
using vx::test::WriteFileBytes;

const std::string kFace = "DejaVu Sans";

std::string EditorFile(const std::string& name) { return std::string(VX_EDITOR_FILES) + "/" + name; }

// Where the program on Windows legitimately differs:
//  - kHintingUnits: how far an outline point may lie from the face's design,
//    in units of the 200-unit cell every glyph is outlined at: Linux outlines
//    are the design itself; Windows hints them to whole units of that cell,
//    so its files are not the Linux program's byte for byte (the outlines
//    agree within 1 % of the cell height: OutlineReferences).
#ifdef _WIN32
constexpr double kHintingUnits = 1.0;
constexpr bool kLinuxOutlines = false;
#else
constexpr double kHintingUnits = 0.2;
constexpr bool kLinuxOutlines = true;
#endif
// The family the system draws for a face that is not installed: fontconfig's
// default on Linux, the font mapper's Arial on Windows (the Liberation face
// that stands in for Arial in the test session).
#ifdef _WIN32
const std::string kSubstituteFace = "Liberation Sans";
#else
const std::string kSubstituteFace = "DejaVu Sans";
#endif
// Windows draws installed fonts only: a font file is refused there.
#ifdef _WIN32
constexpr bool kFontFiles = false;
#else
constexpr bool kFontFiles = true;
#endif
constexpr const char* kNoFontFiles = "the system draws installed fonts only";

// The layouts.
std::vector<const char*> Layouts() { return {"host", "typographic"}; }

// Converts and reads the DXF back; warnings are the notices expected on
// standard error.
DxfDrawing ConvertToDxf(TempFolder& folder, std::vector<std::string> args, const vx::test::RunOptions& run = {},
                        const std::string& warnings = "") {
  const std::string out = folder.Path("out.dxf");
  args.insert(args.begin(), {"convert", "-o", out});
  const vx::test::RunOutcome outcome = RunVexoglyph(args, run);
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.err, warnings);
  DxfDrawing drawing = ReadDxf(ReadFileBytes(out));
  EXPECT_EQ(drawing.error, "");
  // The program writes one ENTITIES section of POLYLINE/VERTEX/SEQEND and nothing else.
  EXPECT_EQ(drawing.sections, std::vector<std::string>{"ENTITIES"});
  EXPECT_TRUE(drawing.otherEntities.empty());
  return drawing;
}

double Height(const vx::test::DxfPolyline& p) { return p.Top() - p.Bottom(); }

struct Box {
  double left, bottom, right, top;
};

// The extent of polylines [from, to): the contours of one glyph or line.
Box Extent(const DxfDrawing& dxf, std::size_t from, std::size_t to) {
  Box box{1e300, 1e300, -1e300, -1e300};
  for (std::size_t i = from; i < to; ++i) {
    const vx::test::DxfPolyline& p = dxf.polylines.at(i);
    box = {std::min(box.left, p.Left()), std::min(box.bottom, p.Bottom()), std::max(box.right, p.Right()),
           std::max(box.top, p.Top())};
  }
  return box;
}

// The message the program printed: exactly one line on standard error.
std::string OneLine(const std::string& err) {
  EXPECT_TRUE(err.ends_with('\n')) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_TRUE(err.starts_with("vexoglyph: ")) << err;
  return err;
}

TEST(ConvertCommand, TwoLettersGiveOneClosedPolylinePerContour) {
  TempFolder folder;
  const DxfDrawing dxf = ConvertToDxf(folder, {"-f", kFace, "-H", "10", "Ab"});
  // DejaVu Sans: "A" has an outer contour and a counter, "b" too.
  ASSERT_EQ(dxf.polylines.size(), 4u);
  for (const auto& p : dxf.polylines) {
    EXPECT_TRUE(p.Closed());
    EXPECT_GE(p.vertices.size(), 3u);
  }
  // A sits on the baseline and reaches the cap height (1493 of 2048 units of
  // the em; the em is 2048/2384 of the 10-unit cell).
  const Box a = Extent(dxf, 0, 2), b = Extent(dxf, 2, 4);
  EXPECT_NEAR(a.bottom, 0.0, 1e-3);  // the outline matrix adds x/65536 to y
  EXPECT_NEAR(a.top, 10 * 1493.0 / 2384, kHintingUnits * 10 / 200);
  // b follows A on the same line.
  EXPECT_GT(b.left, a.right - 0.5);
  EXPECT_NEAR(b.bottom, a.bottom, 0.2);
}

TEST(ConvertCommand, EachTextArgumentAndEachInputLineIsALine) {
  TempFolder folder;
  const DxfDrawing fromArgs = ConvertToDxf(folder, {"-f", kFace, "-H", "10", "A", "B"});
  ASSERT_EQ(fromArgs.polylines.size(), 2u + 3u);
  // The second line's baseline is one pitch (1.2 × height) lower.
  const Box a = Extent(fromArgs, 0, 2), b = Extent(fromArgs, 2, 5);
  EXPECT_NEAR(a.bottom, 0.0, 1e-3);  // the outline matrix adds x/65536 to y
  EXPECT_NEAR(b.bottom, -12.0, 1e-3);
  EXPECT_LT(b.left, a.right);

  const std::string expected = ReadFileBytes(folder.Path("out.dxf"));
  const std::string utf16le("\xFF\xFE" "A\0\n\0B\0", 8);
  for (const std::string& stdinText : {std::string("A\nB"), std::string("A\r\nB\r\n"),
                                       std::string("\xEF\xBB\xBF" "A\rB"), utf16le}) {
    ConvertToDxf(folder, {"-f", kFace, "-H", "10", "-i", "-"}, {.stdinBytes = stdinText});
    EXPECT_EQ(ReadFileBytes(folder.Path("out.dxf")), expected) << stdinText;
  }
  WriteFileBytes(folder.Path("in.txt"), "A\nB\n");
  ConvertToDxf(folder, {"-f", kFace, "-H", "10", "-i", folder.Path("in.txt")});
  EXPECT_EQ(ReadFileBytes(folder.Path("out.dxf")), expected);
}

TEST(ConvertCommand, SizeWidthFactorAndPrecisionShapeTheOutput) {
  TempFolder folder;
  // Stand-alone rules: the cell height in drawing units is the point size.
  const DxfDrawing at12 = ConvertToDxf(folder, {"-f", kFace, "-s", "12", "H"});
  const DxfDrawing at48 = ConvertToDxf(folder, {"-f", kFace, "-s", "48", "H"});
  ASSERT_EQ(at12.polylines.size(), 1u);
  ASSERT_EQ(at48.polylines.size(), 1u);
  EXPECT_NEAR(Height(at48.polylines[0]) / Height(at12.polylines[0]), 4.0, 0.05);

  const DxfDrawing narrow = ConvertToDxf(folder, {"-f", kFace, "-H", "10", "-w", "0.4", "H"});
  const DxfDrawing wide = ConvertToDxf(folder, {"-f", kFace, "-H", "10", "-w", "1.2", "H"});
  const double narrowWidth = narrow.polylines.at(0).Right() - narrow.polylines.at(0).Left();
  const double wideWidth = wide.polylines.at(0).Right() - wide.polylines.at(0).Left();
  EXPECT_NEAR(wideWidth / narrowWidth, 3.0, 0.1);
  // The outline matrix mixes a 65536th of x into y; nothing more.
  EXPECT_NEAR(Height(narrow.polylines[0]), Height(wide.polylines[0]), 1e-3);

  // "O" is all curves: more steps per spline piece, more vertices.
  const DxfDrawing coarse = ConvertToDxf(folder, {"-f", kFace, "-H", "10", "-p", "1", "O"});
  const DxfDrawing fine = ConvertToDxf(folder, {"-f", kFace, "-H", "10", "-p", "32", "O"});
  ASSERT_EQ(coarse.polylines.size(), 2u);
  ASSERT_EQ(fine.polylines.size(), 2u);
  EXPECT_GT(fine.polylines[0].vertices.size(), 8 * coarse.polylines[0].vertices.size());
}

// The numbers of an SVG path's subpaths: each "M ... Z" a list of points.
std::vector<std::vector<vx::test::DxfPoint>> SvgSubpaths(const std::string& svg) {
  std::vector<std::vector<vx::test::DxfPoint>> subpaths;
  const std::regex pathData("<path d=\"([^\"]*)\"");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), pathData); it != std::sregex_iterator(); ++it) {
    std::string d = (*it)[1];
    std::size_t pos = 0;
    while ((pos = d.find('M', pos)) != std::string::npos) {
      const std::size_t end = d.find('Z', pos);
      std::string body = d.substr(pos + 1, end - pos - 1);
      for (char& c : body)
        if (c == 'L') c = ' ';
      std::istringstream numbers(body);
      std::vector<vx::test::DxfPoint> points;
      double x = 0, y = 0;
      while (numbers >> x >> y) points.push_back({x, y});
      subpaths.push_back(points);
      pos = end;
    }
  }
  return subpaths;
}

TEST(ConvertCommand, SvgHoldsTheDxfPointsWithYFlipped) {
  TempFolder folder;
  const std::vector<std::string> text = {"-f", kFace, "-H", "10", "-p", "4", "Ab", "o"};
  const DxfDrawing dxf = ConvertToDxf(folder, text);
  std::vector<std::string> args = {"convert", "-o", folder.Path("out.svg")};
  args.insert(args.end(), text.begin(), text.end());
  ASSERT_EQ(RunVexoglyph(args).exitCode, 0);
  const std::string svg = ReadFileBytes(folder.Path("out.svg"));

  // Filled as TrueType glyphs are: where an accent overlaps its letter, both are filled (SvgFillTest).
  EXPECT_NE(svg.find("fill-rule=\"nonzero\""), std::string::npos);
  // One path per glyph, one closed subpath per contour.
  EXPECT_EQ(std::count(svg.begin(), svg.end(), 'Z'), 6);
  std::size_t paths = 0;
  for (std::size_t at = svg.find("<path "); at != std::string::npos; at = svg.find("<path ", at + 1)) ++paths;
  EXPECT_EQ(paths, 3u);
  const auto subpaths = SvgSubpaths(svg);
  ASSERT_EQ(subpaths.size(), dxf.polylines.size());
  for (std::size_t i = 0; i < subpaths.size(); ++i) {
    ASSERT_EQ(subpaths[i].size(), dxf.polylines[i].vertices.size()) << i;
    for (std::size_t k = 0; k < subpaths[i].size(); ++k) {
      EXPECT_NEAR(subpaths[i][k].x, dxf.polylines[i].vertices[k].x, 1e-9);
      EXPECT_NEAR(subpaths[i][k].y, -dxf.polylines[i].vertices[k].y, 1e-9);
    }
  }
  // The viewBox holds every point: "o" reaches below the first line's
  // baseline, so the box's bottom edge (y flipped) is beyond 12.
  std::smatch box;
  ASSERT_TRUE(std::regex_search(svg, box, std::regex("viewBox=\"([-0-9.]+) ([-0-9.]+) ([0-9.]+) ([0-9.]+)\"")));
  const double left = std::stod(box[1]), top = std::stod(box[2]);
  const double right = left + std::stod(box[3]), bottom = top + std::stod(box[4]);
  for (const auto& subpath : subpaths)
    for (const auto& p : subpath) {
      EXPECT_GT(p.x, left);
      EXPECT_LT(p.x, right);
      EXPECT_GT(p.y, top);
      EXPECT_LT(p.y, bottom);
    }
  EXPECT_GT(bottom, 12.0);
}

TEST(ConvertCommand, FormatFollowsTheExtensionUnlessGiven) {
  struct Case {
    std::string file;
    std::vector<std::string> extra;
    bool svg;
  };
  const std::vector<Case> cases = {
      {"a.svg", {}, true},           {"a.SVG", {}, true},
      {"a.dxf", {}, false},          {"a.txt", {}, false},
      {"a.dxf", {"--format", "svg"}, true}, {"a.svg", {"--format=dxf"}, false},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    std::vector<std::string> args = {"convert", "-o", folder.Path(c.file), "-f", kFace, "x"};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const auto outcome = RunVexoglyph(args);
    ASSERT_EQ(outcome.exitCode, 0) << c.file << outcome.err;
    const std::string bytes = ReadFileBytes(folder.Path(c.file));
    EXPECT_EQ(bytes.starts_with("<?xml"), c.svg) << c.file;
    EXPECT_EQ(bytes.starts_with("0\r\nSECTION\r\n"), !c.svg) << c.file;
  }
}

TEST(ConvertCommand, RtfInputKeepsEachCharactersSize) {
  TempFolder folder;
  // 12 pt then 48 pt "H"; the plain-text options do not change RTF text.
  const std::string fixture = std::string(VX_APP_TEST_DATA) + "/two-sizes.rtf";
  const DxfDrawing dxf = ConvertToDxf(folder, {"-i", fixture});
  ASSERT_EQ(dxf.polylines.size(), 2u);
  EXPECT_NEAR(Height(dxf.polylines[1]) / Height(dxf.polylines[0]), 4.0, 0.05);
  EXPECT_NEAR(Height(dxf.polylines[1]), 48 * 2048.0 / 2384 * 1493 / 2048, 0.3);
  const std::string plain = ReadFileBytes(folder.Path("out.dxf"));
  ConvertToDxf(folder, {"-i", fixture, "-s", "100", "-f", "Liberation Serif", "--bold"});
  EXPECT_EQ(ReadFileBytes(folder.Path("out.dxf")), plain);

  // With -H every character takes that height, whatever its size.
  const DxfDrawing sized = ConvertToDxf(folder, {"-i", fixture, "-H", "10"});
  ASSERT_EQ(sized.polylines.size(), 2u);
  EXPECT_NEAR(Height(sized.polylines[1]), Height(sized.polylines[0]), 1e-6);
}

TEST(ConvertCommand, WordPadRtfConvertsWithItsSizes) {
  TempFolder folder;
  // "Hi " at 11 pt, "Hi " at 22 pt: H i(2) | H i(2).
  const DxfDrawing dxf = ConvertToDxf(folder, {"-i", EditorFile("wordpad-msftedit-sizes.rtf")}, {},
                                      "vexoglyph: face \"Calibri\" is not installed; using \"" + kSubstituteFace + "\"\n");
  ASSERT_GT(dxf.polylines.size(), 4u);
  EXPECT_NEAR(Height(dxf.polylines[3]) / Height(dxf.polylines[0]), 2.0, 0.1);
}

TEST(ConvertCommand, HostLayoutIsTheDefaultAndWritesWhatItAlwaysWrote) {
  // Files written by the host layout before the typographic layout, the
  // alignment and the tolerance existed; the defaults must still give them.
  struct Case {
    std::string fixture;
    std::vector<std::string> args;
  };
  const std::string two = std::string(VX_APP_TEST_DATA) + "/two-sizes.rtf";
  const std::vector<Case> cases = {
      {"two-lines.dxf", {"-f", kFace, "-H", "2.5", "-w", "0.8", "Ab fi", "AV"}},
      {"two-sizes-p3.dxf", {"-p", "3", "-i", two}},
      {"serif-bold-italic.svg", {"-f", "Liberation Serif", "--bold", "--italic", "-s", "12", "Wq"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    // On Windows the files hold other outlines (kHintingUnits): there the
    // defaults are held against the explicit host layout only.
    std::string expected = kLinuxOutlines ? ReadFileBytes(std::string(VX_APP_TEST_DATA) + "/host/" + c.fixture) : "";
    ASSERT_TRUE(!expected.empty() || !kLinuxOutlines);
    for (const std::vector<std::string>& extra :
         {std::vector<std::string>{}, {"--layout", "host", "--align", "left", "--line-spacing", "1"}}) {
      TempFolder folder;
      std::vector<std::string> args = {"convert", "-o", folder.Path(c.fixture)};
      args.insert(args.end(), c.args.begin(), c.args.end());
      args.insert(args.end(), extra.begin(), extra.end());
      const auto outcome = RunVexoglyph(args);
      ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
      if (expected.empty()) expected = ReadFileBytes(folder.Path(c.fixture));
      EXPECT_EQ(ReadFileBytes(folder.Path(c.fixture)), expected);
    }
  }
}

// The SVG paths (one per drawn glyph, in text order) as boxes.
std::vector<Box> SvgGlyphBoxes(const std::string& svg) {
  std::vector<Box> boxes;
  const std::regex pathData("<path d=\"([^\"]*)\"");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), pathData); it != std::sregex_iterator(); ++it) {
    const std::string one = it->str();
    Box box{1e300, 1e300, -1e300, -1e300};
    for (const auto& subpath : SvgSubpaths(one))
      for (const auto& p : subpath)
        box = {std::min(box.left, p.x), std::min(box.bottom, -p.y), std::max(box.right, p.x), std::max(box.top, -p.y)};
    boxes.push_back(box);
  }
  return boxes;
}

vx::test::RunOutcome ConvertToSvg(TempFolder& folder, std::vector<std::string> args, std::string& svg) {
  args.insert(args.begin(), {"convert", "-o", folder.Path("out.svg")});
  const vx::test::RunOutcome outcome = RunVexoglyph(args);
  svg = ReadFileBytes(folder.Path("out.svg"));
  return outcome;
}

TEST(ConvertCommand, TypographicLayoutShapesReordersAndFallsBack) {
  TempFolder folder;
  std::string svg;
  // "AV" kerned: V comes closer to A than the host layout puts it.
  ASSERT_EQ(ConvertToSvg(folder, {"-f", kFace, "-H", "10", "AV"}, svg).exitCode, 0);
  const std::vector<Box> host = SvgGlyphBoxes(svg);
  const auto kerned = ConvertToSvg(folder, {"--layout", "typographic", "-f", kFace, "-H", "10", "AV"}, svg);
  ASSERT_EQ(kerned.exitCode, 0) << kerned.err;
  EXPECT_EQ(kerned.err, "");
  const std::vector<Box> typographic = SvgGlyphBoxes(svg);
  ASSERT_EQ(host.size(), 2u);
  ASSERT_EQ(typographic.size(), 2u);
  EXPECT_LT(typographic[1].left - typographic[0].left, host[1].left - host[0].left - 0.3);

  // Arabic: joined (lam and alef become one glyph), right to left, written in text order.
  ASSERT_EQ(ConvertToSvg(folder, {"--layout", "typographic", "-f", kFace, "-H", "10", "سلام"}, svg).exitCode, 0);
  const std::vector<Box> arabic = SvgGlyphBoxes(svg);
  ASSERT_EQ(arabic.size(), 3u);
  EXPECT_GT(arabic[0].left, arabic[1].left);
  EXPECT_GT(arabic[1].left, arabic[2].left);

  // Chinese from a Latin face: the host layout has nothing to draw; the
  // typographic layout draws it from a face that has it and says so.
  TempFolder other;
  std::string nothing;
  const auto hostCjk = ConvertToSvg(other, {"-f", "Liberation Serif", "漢字"}, nothing);
  EXPECT_EQ(hostCjk.exitCode, 1);
  const auto cjk = ConvertToSvg(folder, {"--layout", "typographic", "-f", "Liberation Serif", "漢字", "漢"}, svg);
  ASSERT_EQ(cjk.exitCode, 0) << cjk.err;
  EXPECT_EQ(cjk.err, "vexoglyph: fallback: \"漢字\" from WenQuanYi Micro Hei\n");
  EXPECT_EQ(SvgGlyphBoxes(svg).size(), 3u);
}

TEST(ConvertCommand, TypographicLayoutTakesWholeCodePointsAndEachRtfCharactersFormat) {
  TempFolder folder;
  std::string svg;
  // U+1D400 is one character, not two code units each drawn as a missing-glyph box.
  ASSERT_EQ(ConvertToSvg(folder, {"-f", kFace, "\U0001D400"}, svg).exitCode, 0);
  EXPECT_EQ(SvgGlyphBoxes(svg).size(), 2u);
  const auto whole = ConvertToSvg(folder, {"--layout", "typographic", "-f", kFace, "\U0001D400"}, svg);
  ASSERT_EQ(whole.exitCode, 0);
  EXPECT_EQ(SvgGlyphBoxes(svg).size(), 1u);
  EXPECT_NE(whole.err.find("fallback: \"\U0001D400\" from "), std::string::npos) << whole.err;

  // 12 pt then 48 pt "H".
  const std::string fixture = std::string(VX_APP_TEST_DATA) + "/two-sizes.rtf";
  const DxfDrawing dxf = ConvertToDxf(folder, {"--layout", "typographic", "-i", fixture});
  ASSERT_EQ(dxf.polylines.size(), 2u);
  EXPECT_NEAR(Height(dxf.polylines[1]) / Height(dxf.polylines[0]), 4.0, 0.05);
  EXPECT_GT(dxf.polylines[1].Left(), dxf.polylines[0].Right());
}

// The glyph boxes of an SVG grouped into lines by their baselines, pitch apart
// downward from y = 0 (no glyph reaches half a pitch below its baseline).
std::vector<std::vector<Box>> BoxesByLine(const std::vector<Box>& boxes, double pitch) {
  std::vector<std::vector<Box>> lines;
  for (const Box& box : boxes) {
    const auto line = static_cast<std::size_t>(std::lround(-box.bottom / pitch));
    if (lines.size() <= line) lines.resize(line + 1);
    lines[line].push_back(box);
  }
  return lines;
}

// Paragraphs set to a width, in both layouts: no line beyond it, nothing
// lost, a word longer than it broken between characters, justified lines
// (all but the last) flush at both ends.
TEST(ConvertCommand, ParagraphsAreSetToTheWidth) {
  const std::string text = "Sphinx of black quartz judge my vow Supercalifragilisticexpialidocious ok";
  const std::size_t letters = 65;  // each one glyph of one path
  const double width = 120;
  for (const char* layout : {"host", "typographic"}) {
    for (const char* align : {"left", "justify"}) {
      SCOPED_TRACE(std::string(layout) + " " + align);
      TempFolder folder;
      std::string svg;
      const auto run = ConvertToSvg(
          folder, {"--layout", layout, "-f", kFace, "-H", "10", "--width", "120", "--align", align, text}, svg);
      ASSERT_EQ(run.exitCode, 0) << run.err;
      const std::vector<Box> boxes = SvgGlyphBoxes(svg);
      EXPECT_EQ(boxes.size(), letters);
      // The host pitch is 1.2 cells; DejaVu's own is 1.16 cells.
      const auto lines = BoxesByLine(boxes, std::string(layout) == "host" ? 12 : 11.64);
      // The long word, longer than the measure, is broken between its letters
      // over a line of its own and part of the next: four lines at least.
      ASSERT_GE(lines.size(), 4u);
      for (std::size_t l = 0; l < lines.size(); ++l) {
        SCOPED_TRACE("line " + std::to_string(l));
        ASSERT_FALSE(lines[l].empty());
        double left = 1e300, right = -1e300;
        for (const Box& b : lines[l]) {
          left = std::min(left, b.left);
          right = std::max(right, b.right);
        }
        // A letter's ink may reach left of its pen by its side bearing (DejaVu's j: -0.018 em).
        EXPECT_GE(left, -0.05 * 10);
        EXPECT_LE(right, width + 1e-6);
        // Justified: the first line's ink ends within its last letter's side bearing of the width.
        if (std::string(align) == "justify" && l == 0) {
          EXPECT_GT(right, width - 1.5);
        }
      }
    }
  }
}

TEST(ConvertCommand, LetterSpacingWidensEveryAdvanceByItsEm) {
  TempFolder folder;
  std::string svg;
  ASSERT_EQ(ConvertToSvg(folder, {"--layout", "typographic", "-f", kFace, "-H", "10", "HHH"}, svg).exitCode, 0);
  const std::vector<Box> plain = SvgGlyphBoxes(svg);
  const auto spaced = ConvertToSvg(
      folder, {"--layout", "typographic", "--letter-spacing", "0.25", "-f", kFace, "-H", "10", "HHH"}, svg);
  ASSERT_EQ(spaced.exitCode, 0) << spaced.err;
  const std::vector<Box> wide = SvgGlyphBoxes(svg);
  ASSERT_EQ(plain.size(), 3u);
  ASSERT_EQ(wide.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(wide[i].left - plain[i].left, 2.5 * static_cast<double>(i), 1e-6);

  // RTF's \expndtw: 60 twips (3 points) at 12 points is a quarter em.
  const std::string rtf = folder.Path("spaced.rtf");
  WriteFileBytes(rtf, "{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Sans;}}\\f0\\fs24\\expndtw60 HHH\\par}");
  ASSERT_EQ(ConvertToSvg(folder, {"--layout", "typographic", "-H", "10", "-i", rtf}, svg).exitCode, 0);
  const std::vector<Box> fromRtf = SvgGlyphBoxes(svg);
  ASSERT_EQ(fromRtf.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(fromRtf[i].left, wide[i].left, 1e-6);
}

// Word writes Arabic as {\rtlch\fcs1 \af1\afs40 \ltrch\fcs0 \f0\fs24 ...}:
// the Arabic takes the associated face and size, and a paragraph declared
// right to left puts its first word on the right.
TEST(ConvertCommand, RightToLeftRtfTakesTheAssociatedFormatAndTheParagraphDirection) {
  TempFolder folder;
  const auto convert = [&](const std::string& paragraph, const std::string& run) {
    const std::string rtf = folder.Path("arabic.rtf");
    WriteFileBytes(rtf, "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset0 Liberation Serif;}"
                        "{\\f1\\fnil\\fcharset178 DejaVu Sans;}}\\pard" + paragraph + " {" + run +
                        " \\u1605?\\u1585?\\u1581?\\u1576?\\u1575?}\\par}");
    std::string svg;
    const auto outcome = ConvertToSvg(folder, {"--layout", "typographic", "-i", rtf}, svg);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    return SvgGlyphBoxes(svg);
  };
  const std::string word = "\\rtlch\\fcs1 \\af1\\afs40 \\ltrch\\fcs0 \\f0\\fs24 Hi";
  const std::vector<Box> associated = convert("\\ltrpar", word);
  // The same Arabic given directly in DejaVu Sans at 20 points.
  const std::vector<Box> direct = convert("\\ltrpar", "\\f0\\fs24 Hi }{\\f1\\fs40");
  ASSERT_EQ(associated.size(), direct.size());
  ASSERT_GE(associated.size(), 4u);
  for (std::size_t i = 2; i < associated.size(); ++i) {
    EXPECT_NEAR(associated[i].top - associated[i].bottom, direct[i].top - direct[i].bottom, 1e-6);
  }
  // Left to right: "Hi" first, on the left; right to left: "Hi" on the right, the line ending at x = 0.
  EXPECT_LT(associated[0].left, associated[2].left);
  const std::vector<Box> rtl = convert("\\rtlpar", word);
  ASSERT_EQ(rtl.size(), associated.size());
  EXPECT_GT(rtl[0].left, rtl[2].right);
  EXPECT_LE(rtl[1].right, 1e-6);
  EXPECT_GT(rtl[1].right, -1.5);
}

TEST(ConvertCommand, TypographicLinePitchComesFromTheFaceTimesTheLineSpacing) {
  // DejaVu Sans: ascent 1901, descent 483, no line gap, em 2048; at height 10
  // the em is 10.
  const double pitch = (1901 + 483) * 10.0 / 2048;
  for (const double spacing : {1.0, 1.5}) {
    TempFolder folder;
    const DxfDrawing dxf = ConvertToDxf(folder, {"--layout", "typographic", "--line-spacing", std::to_string(spacing),
                                                 "-f", kFace, "-H", "10", "H", "H"});
    ASSERT_EQ(dxf.polylines.size(), 2u);
    EXPECT_NEAR(dxf.polylines[0].Bottom(), 0, 1e-3);
    EXPECT_NEAR(dxf.polylines[1].Bottom(), -spacing * pitch, 1e-3);
  }
}

TEST(ConvertCommand, AlignmentPlacesEachLineInBothLayouts) {
  for (const char* layout : Layouts()) {
    SCOPED_TRACE(layout);
    TempFolder folder;
    const std::vector<std::string> text = {"--layout", layout, "-f", kFace, "-H", "10", "HH", "HHHH"};
    auto with = [&](const char* align) {
      std::vector<std::string> args = text;
      args.insert(args.end(), {"--align", align});
      return ConvertToDxf(folder, args);
    };
    const DxfDrawing left = with("left"), center = with("center"), right = with("right");
    ASSERT_EQ(left.polylines.size(), 6u);
    ASSERT_EQ(center.polylines.size(), 6u);
    ASSERT_EQ(right.polylines.size(), 6u);
    // Each line moves by half or all of its own advance: the longer line twice as far.
    const double shortShift = left.polylines[0].Left() - right.polylines[0].Left();
    const double longShift = left.polylines[2].Left() - right.polylines[2].Left();
    EXPECT_NEAR(longShift, 2 * shortShift, 1e-5);  // the DXF keeps six decimals
    EXPECT_NEAR(left.polylines[2].Left() - center.polylines[2].Left(), longShift / 2, 1e-5);
    // The last H ends short of x = 0 by its right side bearing (and, in the
    // host layout, its left one: the host advance adds it).
    EXPECT_LT(right.polylines[5].Right(), 0);
    EXPECT_GT(right.polylines[5].Right(), -3);
  }
}

TEST(ConvertCommand, ToleranceGivesFewerVerticesThanEightStepsInBothLayouts) {
  for (const char* layout : Layouts()) {
    SCOPED_TRACE(layout);
    TempFolder folder;
    const DxfDrawing fixed = ConvertToDxf(folder, {"--layout", layout, "-f", kFace, "-H", "2.5", "-p", "8", "Os"});
    const DxfDrawing tolerant =
        ConvertToDxf(folder, {"--layout", layout, "-f", kFace, "-H", "2.5", "--tolerance", "0.01", "Os"});
    std::size_t fixedVertices = 0, tolerantVertices = 0;
    for (const auto& p : fixed.polylines) fixedVertices += p.vertices.size();
    for (const auto& p : tolerant.polylines) tolerantVertices += p.vertices.size();
    ASSERT_EQ(tolerant.polylines.size(), fixed.polylines.size());
    EXPECT_LT(tolerantVertices, fixedVertices / 2);
    // A much larger drawing needs more steps for the same tolerance.
    const DxfDrawing large =
        ConvertToDxf(folder, {"--layout", layout, "-f", kFace, "-H", "250", "--tolerance", "0.01", "Os"});
    std::size_t largeVertices = 0;
    for (const auto& p : large.polylines) largeVertices += p.vertices.size();
    EXPECT_GT(largeVertices, 4 * tolerantVertices);
  }
}

TEST(ConvertCommand, HelpDescribesEveryOption) {
  const auto top = RunVexoglyph({"--help"});
  EXPECT_EQ(top.exitCode, 0);
  EXPECT_NE(top.out.find("vexoglyph convert"), std::string::npos);
  const auto convert = RunVexoglyph({"convert", "--help"});
  EXPECT_EQ(convert.exitCode, 0);
  for (const char* option : {"--input", "--output", "--format", "--font", "--bold", "--italic", "--height",
                             "--size", "--width-factor", "--precision", "--tolerance", "--layout", "--align",
                             "--line-spacing", "--outline", "--units", "--dxf", "--arcs", "--version", "RTF"})
    EXPECT_NE(convert.out.find(option), std::string::npos) << option;
}

TEST(ConvertCommand, VersionIsTheAboutBoxes) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--version"}, {"convert", "--version"}}) {
    const auto outcome = RunVexoglyph(args);
    EXPECT_EQ(outcome.exitCode, 0) << args.back();
    EXPECT_EQ(outcome.out, "vexoglyph " VX_VERSION "\n");
    EXPECT_EQ(outcome.err, "");
  }
  EXPECT_TRUE(std::regex_match(VX_VERSION, std::regex("[0-9]+\\.[0-9]+\\.[0-9]+")));
}

// The output of a conversion that succeeds without a word on standard error.
std::string ConvertedBytes(TempFolder& folder, std::vector<std::string> args) {
  const std::string out = folder.Path("converted.dxf");
  args.insert(args.begin(), {"convert", "-o", out});
  const vx::test::RunOutcome outcome = RunVexoglyph(args);
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  return ReadFileBytes(out);
}

const std::string kFontFolder = "/usr/share/fonts/truetype/";

// -f with a font file draws that file's face, installed or not, with a style
// the face lacks synthesised as for a family without it: the same drawing as
// the installed family gives.
TEST(ConvertCommand, AFontFileIsDrawnAsItsFamilyWhetherInstalledOrNot) {
  if (!kFontFiles) GTEST_SKIP() << kNoFontFiles;
  TempFolder folder;
  // Copies outside every font folder: installed nowhere.
  const std::string regular = folder.Path("downloaded.ttf"), bold = folder.Path("downloaded-bold.TTF");
  WriteFileBytes(regular, ReadFileBytes(kFontFolder + "dejavu/DejaVuSans.ttf"));
  WriteFileBytes(bold, ReadFileBytes(kFontFolder + "dejavu/DejaVuSans-Bold.ttf"));
  const std::string collection = kFontFolder + "wqy/wqy-microhei.ttc";
  struct Case {
    std::string file;
    std::string family;
    std::vector<std::string> style;
  };
  const std::vector<Case> cases = {
      {regular, "DejaVu Sans", {}},
      {regular, "DejaVu Sans", {"--layout", "typographic", "--align", "center"}},
      {bold, "DejaVu Sans", {"--bold"}},  // a bold face is not made bolder
      {kFontFolder + "lohit-devanagari/Lohit-Devanagari.ttf", "Lohit Devanagari", {"--bold", "--italic"}},
      {collection, "WenQuanYi Micro Hei", {}},
      {collection + "#1", "WenQuanYi Micro Hei Mono", {"--italic"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> text = c.style;
    text.insert(text.end(), {"-H", "10", "Ab", "c"});
    std::vector<std::string> byFile = {"-f", c.file}, byFamily = {"-f", c.family};
    byFile.insert(byFile.end(), text.begin(), text.end());
    byFamily.insert(byFamily.end(), text.begin(), text.end());
    const std::string drawn = ConvertedBytes(folder, byFile);
    EXPECT_EQ(drawn, ConvertedBytes(folder, byFamily)) << c.file;
    EXPECT_NE(drawn.find("POLYLINE"), std::string::npos) << c.file;
  }
}

TEST(ConvertCommand, AFontFileThatCannotServeIsAnErrorNotASubstitute) {
  TempFolder folder;
  const std::string text = folder.Path("notes.ttf");
  WriteFileBytes(text, "not a font\n");
  const std::string missing = folder.Path("missing.otf");
  const std::string collection = kFontFolder + "wqy/wqy-microhei.ttc";
  struct Case {
    std::string font;
    std::string message;
  };
  std::vector<Case> cases;
  if (kFontFiles) {
    cases = {{missing, "Cannot open font file \"" + missing + "\". No such file or directory"},
             {text, "\"" + text + "\" is not a font file"},
             {folder.path(), "Cannot open font file \"" + folder.path() + "\". Not a regular file"},
             {collection + "#2", "\"" + collection + "\" has no face #2 (its faces are #0 to #1)"}};
  } else {
    cases = {{text, "Cannot use font file \"" + text + "\": on Windows, install the font"}};
  }
  for (const Case& c : cases) {
    TempFolder output;
    const auto outcome = RunVexoglyph({"convert", "-o", output.Path("out.dxf"), "-f", c.font, "A"});
    EXPECT_EQ(outcome.exitCode, 1) << c.font;
    EXPECT_NE(OneLine(outcome.err).find(c.message), std::string::npos) << outcome.err;
    EXPECT_TRUE(FolderEntries(output.path()).empty()) << c.font;
  }
}

TEST(ConvertCommand, ErrorsExitNonZeroWithOneLineAndWriteNothing) {
  struct Case {
    std::vector<std::string> args;  // "-o OUT" is added unless noOutput
    int exitCode;
    std::string message;
    bool noOutput = false;
  };
  const std::vector<Case> cases = {
      {{"--bogus", "A"}, 2, "Unknown option \"--bogus\""},
      {{"A"}, 2, "No output file given", true},
      {{"A", "-o"}, 2, "Option -o needs a value", true},
      {{"-p", "0", "A"}, 2, "Invalid precision \"0\""},
      {{"-p", "33", "A"}, 2, "Invalid precision \"33\""},
      {{"-p", "8.5", "A"}, 2, "Invalid precision \"8.5\""},
      {{"-p", "8x", "A"}, 2, "Invalid precision \"8x\""},
      {{"-H", "abc", "A"}, 2, "Invalid height \"abc\": not a number"},
      {{"-H", "2.5mm", "A"}, 2, "Invalid height \"2.5mm\": not a number"},
      {{"-H", "nan", "A"}, 2, "Invalid height \"nan\": not a number"},
      {{"-H", "inf", "A"}, 2, "Invalid height \"inf\": not a number"},
      {{"-H", "-1", "A"}, 2, "Invalid height \"-1\": must be greater than 0"},
      {{"-H", "0", "A"}, 2, "Invalid height \"0\": must be greater than 0"},
      {{"--height=", "A"}, 2, "Invalid height \"\": not a number"},
      {{"-s", "-3", "A"}, 2, "Invalid size \"-3\""},
      {{"-s", "12pt", "A"}, 2, "Invalid size \"12pt\": not a number"},
      {{"-s", "100000", "A"}, 2, "Invalid size \"100000\""},
      {{"-w", "0.8x", "A"}, 2, "Invalid width factor \"0.8x\": not a number"},
      {{"-w", "-0.5", "A"}, 2, "Invalid width factor \"-0.5\": must be greater than 0"},
      {{"--format", "pdf", "A"}, 2, "Unknown format \"pdf\""},
      {{"--layout", "fancy", "A"}, 2, "Unknown layout \"fancy\": use host or typographic"},
      {{"--align", "both", "A"}, 2, "Unknown alignment \"both\": use left, center, right or justify"},
      {{"--align", "justify", "A"}, 2, "--align justify needs --width"},
      {{"--width", "0", "A"}, 2, "Invalid width \"0\": must be greater than 0"},
      {{"--width", "-5", "A"}, 2, "Invalid width \"-5\": must be greater than 0"},
      {{"--width", "nan", "A"}, 2, "Invalid width \"nan\": not a number"},
      {{"--width", "1e300", "A"}, 2, "Invalid width \"1e300\": must be greater than 0 and at most 1000000000"},
      {{"--letter-spacing", "0.1", "A"}, 2, "--letter-spacing needs --layout typographic"},
      {{"--layout", "typographic", "--letter-spacing", "inf", "A"}, 2, "Invalid letter spacing \"inf\": not a number"},
      {{"--layout", "typographic", "--letter-spacing", "-2", "A"}, 2,
       "Invalid letter spacing \"-2\": must be from -1 to 100 em"},
      {{"--outline", "union", "A"}, 2, "Unknown outline \"union\": use font or merged"},
      {{"--units", "yd", "A"}, 2, "Unknown units \"yd\": use mm, cm, m, in or ft"},
      {{"--dxf", "r14", "A"}, 2, "Unknown DXF version \"r14\": use r12 or r2000"},
      {{"--line-spacing", "0", "A"}, 2, "Invalid line spacing \"0\": must be greater than 0"},
      {{"--tolerance", "-0.1", "A"}, 2, "Invalid tolerance \"-0.1\": must be greater than 0"},
      {{"--tolerance", "nan", "A"}, 2, "Invalid tolerance \"nan\": not a number"},
      {{"-p", "4", "--tolerance", "0.1", "A"}, 2, "Give either --precision or --tolerance, not both"},
      {{"--arcs", "-p", "8", "A"}, 2, "--arcs takes --tolerance, not --precision"},
      {{"--layout", "typographic"}, 1, "No text to convert!"},
      {{"-i", "in.txt", "A"}, 2, "Give either TEXT arguments or --input, not both"},
      {{"-i", "/nonexistent/in.txt"}, 1, "Cannot open file \"/nonexistent/in.txt\". No such file or directory"},
      {{}, 1, "No text to convert!"},
      {{""}, 1, "No text to convert!"},
      {{"   ", " "}, 1, "No text to convert!"},
      {{"-i", "-"}, 1, "No text to convert!"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    std::vector<std::string> args = {"convert"};
    if (!c.noOutput) args.insert(args.end(), {"-o", folder.Path("out.dxf")});
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto outcome = RunVexoglyph(args);
    EXPECT_EQ(outcome.exitCode, c.exitCode) << c.message;
    EXPECT_NE(OneLine(outcome.err).find(c.message), std::string::npos) << outcome.err;
    EXPECT_TRUE(FolderEntries(folder.path()).empty()) << c.message;
  }
  const auto unknown = RunVexoglyph({"frobnicate"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(OneLine(unknown.err).find("Unknown command \"frobnicate\""), std::string::npos);
}

// A font is at most 16384 units wide: the width factor's limit follows from
// each character's size, for TEXT and plain text at -s, with -H, and for the
// sizes an RTF file brings.
TEST(ConvertCommand, WidthFactorsThatMakeFontsTooWideAreRefusedWithTheirLimit) {
  TempFolder folder;
  const std::string large = folder.Path("large.rtf");
  WriteFileBytes(large, "{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Sans;}}\\f0\\fs2000 H\\par}");
  const std::string limit = " (fonts are at most 16384 units wide)";
  struct Refused {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Refused> refused = {
      {{"-w", "90", "H"}, "Invalid width factor \"90\": at most 81.92 for 30-point characters" + limit},
      {{"-s", "1000", "-w", "20", "H"}, "Invalid width factor \"20\": at most 16.384 for 1000-point characters" + limit},
      {{"-s", "1638", "-w", "10.01", "H"}, "Invalid width factor \"10.01\": at most 10.0024 for 1638-point characters" + limit},
      {{"-H", "2.5", "-w", "81.93", "H"}, "Invalid width factor \"81.93\": at most 81.92" + limit},
      {{"-i", large, "-w", "20"}, "Invalid width factor \"20\": at most 16.384 for 1000-point characters" + limit},
  };
  for (const Refused& c : refused) {
    std::vector<std::string> args = {"convert", "-o", folder.Path("out.dxf")};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto outcome = RunVexoglyph(args);
    EXPECT_EQ(outcome.exitCode, 2) << c.message;
    EXPECT_TRUE(OneLine(outcome.err).starts_with("vexoglyph: " + c.message)) << outcome.err;
  }
  EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{"large.rtf"});

  for (const std::vector<std::string>& accepted :
       {std::vector<std::string>{"-w", "81.92", "H"}, {"-s", "1000", "-w", "16.384", "H"},
        {"-H", "2.5", "-w", "81.92", "H"}, {"-i", large, "-w", "16.384"}, {"-i", large, "-H", "1", "-w", "80"}}) {
    EXPECT_EQ(ConvertToDxf(folder, accepted).polylines.size(), 1u) << accepted[1];
  }
}

TEST(ConvertCommand, AFaceThatIsNotInstalledIsNamedOnceWithItsSubstitute) {
  TempFolder folder;
  const std::string substitute =
      "vexoglyph: face \"No Such Face\" is not installed; using \"" + kSubstituteFace + "\"\n";
  const DxfDrawing text = ConvertToDxf(folder, {"-f", "No Such Face", "-H", "10", "Ab", "c"}, {}, substitute);
  EXPECT_EQ(text.polylines.size(), 5u);
  // An installed family in another letter case is that family.
  ConvertToDxf(folder, {"-f", "dejavu sans", "A"});

  // RTF: the missing face in three runs on two lines, an installed one between.
  const std::string rtf = folder.Path("faces.rtf");
  WriteFileBytes(rtf, "{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Sans;}{\\f1 No Such Face;}}"
                         "\\f1 A\\f0 B\\f1 C\\par\\f1\\b D\\par}");
  const DxfDrawing fromRtf = ConvertToDxf(folder, {"-i", rtf}, {}, substitute);
  EXPECT_EQ(fromRtf.polylines.size(), 2u + 3u + 1u + 2u);
}

// Whether the system has a family of that name.
bool Installed(const std::string& family) {
  const std::vector<std::string> families = vx::InstalledFamilies();
  return std::find(families.begin(), families.end(), family) != families.end();
}

TEST(ConvertCommand, FacesWithPostScriptOutlinesConvertInEveryLayout) {
  if (!Installed("Cantarell")) GTEST_SKIP() << "Cantarell (fonts-cantarell) is not installed";
  for (const char* layout : Layouts()) {
    SCOPED_TRACE(layout);
    TempFolder folder;
    // Drawn from the face itself: no substitute, no fallback to name.
    const DxfDrawing dxf = ConvertToDxf(folder, {"--layout", layout, "-f", "Cantarell", "-H", "10", "Ab"});
    ASSERT_EQ(dxf.polylines.size(), 4u);  // A and b: an outline and a counter each
    const Box a = Extent(dxf, 0, 2), b = Extent(dxf, 2, 4);
    EXPECT_NEAR(a.bottom, 0.0, 1e-2);
    EXPECT_GT(a.top, 5.0);
    EXPECT_GT(b.left, a.right - 0.5);
  }
}

TEST(ConvertCommand, AFaceWithoutOutlinesIsNamedOnceWithTheFaceDrawnInstead) {
  if (!Installed("Noto Color Emoji")) GTEST_SKIP() << "Noto Color Emoji (fonts-noto-color-emoji) is not installed";
  const std::regex notice("vexoglyph: face \"Noto Color Emoji\" has no outlines; using \"([^\"]+)\"\n");
  for (const char* layout : Layouts()) {
    SCOPED_TRACE(layout);
    TempFolder folder;
    const vx::test::RunOutcome outcome = RunVexoglyph(
        {"convert", "-o", folder.Path("out.dxf"), "--layout", layout, "-f", "Noto Color Emoji", "-H", "10", "Ab", "c"});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    std::smatch named;
    ASSERT_TRUE(std::regex_match(outcome.err, named, notice)) << outcome.err;
    EXPECT_NE(named[1], "Noto Color Emoji");
    EXPECT_TRUE(Installed(named[1])) << named[1];
    EXPECT_EQ(ReadDxf(ReadFileBytes(folder.Path("out.dxf"))).polylines.size(), 2u + 2u + 1u);
  }
}

TEST(ConvertCommand, AFaceThatIsNotInstalledIsStoodInForByAFaceThatHasTheText) {
  if (!kLinuxOutlines) GTEST_SKIP() << "the font mapper of the Windows session picks by its own fonts";
  TempFolder folder;
  const std::string text = "\u304A\u5143\u6C17\u3067\u3059\u304B";  // お元気ですか
  // The same text from a Japanese word processor: Shift-JIS bytes in a face
  // of the Japanese character set.
  const std::string rtf = folder.Path("mincho.rtf");
  WriteFileBytes(rtf, "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset128 MS Mincho;}}"
                      "\\f0\\fs60 \\'82\\'a8\\'8c\\'b3\\'8b\\'43\\'82\\'c5\\'82\\'b7\\'82\\'a9\\par}");
  const std::regex named("vexoglyph: face \"MS Mincho\" is not installed; using \"([^\"]+)\"\n");
  const auto dxf = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"convert", "-o", folder.Path("out.dxf")});
    const vx::test::RunOutcome outcome = RunVexoglyph(args);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    return std::make_pair(ReadFileBytes(folder.Path("out.dxf")), outcome.err);
  };
  for (const char* layout : Layouts()) {
    for (const std::vector<std::string>& input :
         {std::vector<std::string>{"-f", "MS Mincho", "-s", "30", text}, {"-i", rtf}}) {
      SCOPED_TRACE(std::string(layout) + " " + input[1]);
      std::vector<std::string> args = {"--layout", layout};
      args.insert(args.end(), input.begin(), input.end());
      const auto [drawn, err] = dxf(args);
      std::smatch substitute;
      ASSERT_TRUE(std::regex_match(err, substitute, named)) << err;
      // What the substitute draws when named, each character its own glyph,
      // not the missing-glyph box a private-use character shows.
      EXPECT_EQ(dxf({"--layout", layout, "-f", substitute[1], "-s", "30", text}).first, drawn);
      const std::string box = dxf({"--layout", layout, "-f", substitute[1], "\uE000"}).first;
      for (std::size_t i = 0; i < text.size(); i += 3)
        EXPECT_NE(dxf({"--layout", layout, "-f", substitute[1], text.substr(i, 3)}).first, box) << i;
    }
  }
}

TEST(ConvertCommand, CharactersNoFaceHasAreNamedOnceAndStillDrawnAsTheBox) {
  if (!kLinuxOutlines) GTEST_SKIP() << "the fonts of the Windows session are not the install script's";
  TempFolder folder;
  // U+E000 (private use) is in no test font; the joiner and the variation
  // selector show nothing and are not named.
  const std::string text = "a\uE000b\u200D\uFE0F\uE000";
  for (const char* layout : Layouts()) {
    SCOPED_TRACE(layout);
    const DxfDrawing drawn = ConvertToDxf(folder, {"--layout", layout, "-f", kFace, text}, {},
                                          "vexoglyph: no installed face has U+E000 \"\uE000\"\n");
    const DxfDrawing letters = ConvertToDxf(folder, {"--layout", layout, "-f", kFace, "ab"});
    EXPECT_GT(drawn.polylines.size(), letters.polylines.size());
  }
}

TEST(ConvertCommand, FallbackCharactersAreNamedWithoutInvisibleOnes) {
  TempFolder folder;
  const auto outcome = RunVexoglyph({"convert", "-o", folder.Path("out.dxf"), "--layout", "typographic", "-f", kFace,
                                     "\u6F22\u200D\u5B57\uFE00"});
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_TRUE(std::regex_match(OneLine(outcome.err), std::regex("vexoglyph: fallback: \"\u6F22\u5B57\" from [^\"]+\n")))
      << outcome.err;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;  // it reserves more address space than any limit we could set
#else
constexpr bool kAddressSanitizer = false;
#endif

TEST(ConvertCommand, StandardInputIsReadUpToTheFileLimitAndNoFurther) {
  TempFolder folder;
  vx::test::RunOptions endless = {.stdinFile = "/dev/zero"};
  // Reading stops at 256 MB: well within a gigabyte of address space.
  if (!kAddressSanitizer) endless.memoryLimit = 1L << 30;
  const auto outcome = RunVexoglyph({"convert", "-o", folder.Path("out.dxf"), "-i", "-"}, endless);
  EXPECT_EQ(outcome.signal, 0);
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.err, "vexoglyph: Cannot read standard input. File too large\n");
  EXPECT_TRUE(FolderEntries(folder.path()).empty());
}

TEST(ConvertCommand, RunningOutOfMemoryIsReportedAndWritesNothing) {
  if (kAddressSanitizer) GTEST_SKIP() << "an address-space limit does not work under AddressSanitizer";
  if (!vx::test::MemoryLimitApplies()) GTEST_SKIP() << vx::test::MemoryLimitMissing();
  TempFolder folder;
  // One line of 20 million characters: its layout input alone needs more
  // than the 600 MB the program may take.
  WriteFileBytes(folder.Path("line.txt"), std::string(20'000'000, 'a'));
  const std::string keep = folder.Path("keep.dxf");
  WriteFileBytes(keep, "precious\r\n");
  for (const std::string& output : {keep, folder.Path("new.svg")}) {
    const auto outcome = RunVexoglyph({"convert", "-o", output, "-i", folder.Path("line.txt")},
                                      {.memoryLimit = 600L << 20});
    EXPECT_EQ(outcome.signal, 0);
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.err, "vexoglyph: Out of memory\n");
  }
  EXPECT_EQ(ReadFileBytes(keep), "precious\r\n");
  EXPECT_EQ(FolderEntries(folder.path()), (std::vector<std::string>{"keep.dxf", "line.txt"}));
}

TEST(ConvertCommand, UnwritableOutputKeepsTheExistingFileAndLeavesNoTemporary) {
  if (!vx::test::FileSizeLimitApplies()) GTEST_SKIP() << vx::test::FileSizeLimitMissing();
  TempFolder folder;
  const std::string keep = folder.Path("keep.dxf");
  WriteFileBytes(keep, "precious\r\n");
  // A file-size limit makes the write fail part-way, as a full disk would.
  const auto full = RunVexoglyph({"convert", "-o", keep, "-f", kFace, "Lorem ipsum dolor sit amet"},
                                 {.fileSizeLimit = 4096});
  EXPECT_EQ(full.signal, 0);
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_NE(OneLine(full.err).find("Cannot create file \"" + keep + "\". File too large"), std::string::npos)
      << full.err;
  EXPECT_EQ(ReadFileBytes(keep), "precious\r\n");
  EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{"keep.dxf"});
}

TEST(ConvertCommand, OutputIntoAFolderOrAMissingFolderFailsAndLeavesNoTemporary) {
  TempFolder folder;
  WriteFileBytes(folder.Path("keep.dxf"), "precious\r\n");
  // A folder in the way and a folder that does not exist.
  std::filesystem::create_directory(folder.Path("dir.svg"));
  const auto intoFolder = RunVexoglyph({"convert", "-o", folder.Path("dir.svg"), "-f", kFace, "A"});
  EXPECT_EQ(intoFolder.exitCode, 1);
  EXPECT_NE(OneLine(intoFolder.err).find("Is a directory"), std::string::npos) << intoFolder.err;
  const auto missing = RunVexoglyph({"convert", "-o", folder.Path("no/such/a.dxf"), "-f", kFace, "A"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(OneLine(missing.err).find("No such file or directory"), std::string::npos) << missing.err;
  EXPECT_EQ(FolderEntries(folder.path()), (std::vector<std::string>{"dir.svg", "keep.dxf"}));
  EXPECT_TRUE(FolderEntries(folder.Path("dir.svg")).empty());
}

TEST(ConvertCommand, OutputThatIsTheInputFileIsRefused) {
  const struct {
    const char* what;
    std::string input, output;  // names in the folder; "-" the standard stream
    bool inputOnStandardInput = false;
  } cases[] = {
      {"the same name", "notes.txt", "notes.txt"},
      {"a link to it", "notes.txt", "link.txt"},
      {"another hard link to it", "notes.txt", "hard.txt"},
      {"standard input that is the output file", "-", "notes.txt", true},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    const std::string text = folder.Path("notes.txt");
    WriteFileBytes(text, "Ab\n");
    // Windows lets only administrators make symbolic links.
    std::error_code noLink;
    std::filesystem::create_symlink("notes.txt", folder.Path("link.txt"), noLink);
    if (noLink && c.output == "link.txt") continue;
    std::filesystem::create_hard_link(text, folder.Path("hard.txt"));
    std::vector<std::string> entries = {"hard.txt", "notes.txt"};
    if (!noLink) entries.insert(entries.begin() + 1, "link.txt");
    const std::string input = c.input == "-" ? "-" : folder.Path(c.input);
    const auto outcome = RunVexoglyph({"convert", "-i", input, "-o", folder.Path(c.output), "--format", "dxf"},
                                      {.stdinBytes = "", .fileSizeLimit = std::nullopt, .stdinFile = c.inputOnStandardInput ? text : ""});
    EXPECT_EQ(outcome.exitCode, 1) << c.what;
    EXPECT_NE(OneLine(outcome.err).find("is the input file"), std::string::npos) << c.what;
    EXPECT_EQ(ReadFileBytes(text), "Ab\n") << c.what;
    EXPECT_EQ(FolderEntries(folder.path()), entries);
  }
}

#ifndef _WIN32
}  // namespace

// The save targets that only POSIX systems let a user name: FIFOs, pipes
// named /dev/fd/N, device nodes, symbolic links. (Windows has none of them.)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/FileTargets.h"

namespace {

// What arrives where -o leads, and what stays at the path: the bytes are
// those of the same conversion into a new file.
TEST(ConvertCommand, OutputGoesIntoWhatTheNameLeadsTo) {
  struct Target {
    std::string output;
    std::function<std::string(const vx::test::RunOutcome&)> received;
    std::string path;  // checked to hold the same kind of thing afterwards
    bool bytesVanish = false;
  };
  const std::vector<std::pair<const char*, std::function<std::optional<Target>(const TempFolder&)>>> cases = {
      {"-o - is standard output",
       [](const TempFolder&) { return Target{"-", [](const vx::test::RunOutcome& run) { return run.out; }, ""}; }},
      {"/dev/stdout",
       [](const TempFolder&) {
         return Target{"/dev/stdout", [](const vx::test::RunOutcome& run) { return run.out; }, ""};
       }},
      {"a symbolic link, written through",
       [](const TempFolder& f) {
         WriteFileBytes(f.Path("target.dxf"), "old");
         std::filesystem::create_symlink("target.dxf", f.Path("link.dxf"));
         return Target{f.Path("link.dxf"), [t = f.Path("target.dxf")](const auto&) { return ReadFileBytes(t); },
                       f.Path("link.dxf")};
       }},
      {"a file with a second hard link",
       [](const TempFolder& f) {
         WriteFileBytes(f.Path("a.dxf"), "old");
         std::filesystem::create_hard_link(f.Path("a.dxf"), f.Path("b.dxf"));
         return Target{f.Path("a.dxf"), [b = f.Path("b.dxf")](const auto&) { return ReadFileBytes(b); }, f.Path("a.dxf")};
       }},
      {"a FIFO with a reader",
       [](const TempFolder& f) {
         ::mkfifo(f.Path("fifo.dxf").c_str(), 0644);
         auto reader = std::make_shared<std::future<std::string>>(vx::test::ReadFifoInBackground(f.Path("fifo.dxf")));
         return Target{f.Path("fifo.dxf"), [reader](const auto&) { return reader->get(); }, f.Path("fifo.dxf")};
       }},
      {"a pipe named /dev/fd/N, as a shell names >(...)",
       [](const TempFolder&) {
         int ends[2];
         EXPECT_EQ(::pipe(ends), 0);  // inherited by the program
         ::fcntl(ends[0], F_SETFD, FD_CLOEXEC);
         auto reader = std::make_shared<std::future<std::string>>(vx::test::ReadPipeInBackground(ends[0]));
         return Target{"/dev/fd/" + std::to_string(ends[1]),
                       [reader, w = ends[1]](const auto&) {
                         ::close(w);
                         return reader->get();
                       },
                       ""};
       }},
      {"a device node like /dev/null",
       [](const TempFolder& f) -> std::optional<Target> {
         if (!vx::test::MakeDeviceLike(f.Path("null.dxf"), "/dev/null")) return std::nullopt;
         return Target{f.Path("null.dxf"), [](const auto&) { return std::string(); }, f.Path("null.dxf"), true};
       }},
  };
  TempFolder reference;
  ConvertToDxf(reference, {"-f", kFace, "-H", "10", "Ab"});
  const std::string expected = ReadFileBytes(reference.Path("out.dxf"));
  ASSERT_NE(expected.find("POLYLINE\r\n"), std::string::npos);
  for (const auto& [what, prepare] : cases) {
    TempFolder folder;
    const std::optional<Target> target = prepare(folder);
    if (!target) {
      std::printf("skipped \"%s\": this process may not make device nodes\n", what);
      continue;
    }
    const vx::test::PathFacts before = vx::test::FactsAt(target->path);
    const auto outcome = RunVexoglyph({"convert", "-o", target->output, "-f", kFace, "-H", "10", "Ab"});
    EXPECT_EQ(outcome.exitCode, 0) << what << outcome.err;
    EXPECT_EQ(outcome.err, "") << what;
    const std::string received = target->received(outcome);
    EXPECT_EQ(received, target->bytesVanish ? "" : expected) << what;
    if (!target->path.empty()) {
      const vx::test::PathFacts after = vx::test::FactsAt(target->path);
      EXPECT_EQ(after.kind, before.kind) << what;
      EXPECT_EQ(after.inode, before.inode) << what;
    }
  }
  EXPECT_FALSE(vx::test::Exists("-")) << "no file named \"-\" is made";

  // SVG on standard output too.
  const auto svg = RunVexoglyph({"convert", "-o", "-", "--format", "svg", "-f", kFace, "A"});
  EXPECT_EQ(svg.exitCode, 0) << svg.err;
  EXPECT_TRUE(svg.out.starts_with("<?xml")) << svg.out;
  EXPECT_TRUE(svg.out.ends_with("</svg>\n")) << svg.out;
}

TEST(ConvertCommand, TargetsThatRefuseTheBytesAreReportedAndKeepTheirKind) {
  TempFolder folder;
  const bool devices = vx::test::MakeDeviceLike(folder.Path("full.dxf"), "/dev/full");
  const struct {
    std::string output;
    std::string message;
  } cases[] = {
      {folder.Path("full.dxf"), "Cannot create file \"" + folder.Path("full.dxf") + "\". No space left on device"},
      {"/dev/fd/1000", "Cannot create file \"/dev/fd/1000\". Bad file descriptor"},
  };
  for (const auto& c : cases) {
    if (c.output.ends_with("full.dxf") && !devices) {
      std::printf("skipped \"%s\": this process may not make device nodes\n", c.output.c_str());
      continue;
    }
    const auto outcome = RunVexoglyph({"convert", "-o", c.output, "-f", kFace, "A"});
    EXPECT_EQ(outcome.exitCode, 1) << c.output;
    EXPECT_NE(OneLine(outcome.err).find(c.message), std::string::npos) << outcome.err;
  }
  if (devices) {
    EXPECT_EQ(vx::test::FactsAt(folder.Path("full.dxf")).kind, "character device");
  }
}

#endif  // _WIN32

}  // namespace
