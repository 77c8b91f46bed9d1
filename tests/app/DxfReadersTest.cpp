// The command line's DXF files as an independent reader (ezdxf) reads and audits them: both versions, with and without units.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "RunProgram.h"
#include "tests/support/CommandOutput.h"
#include "tests/support/DxfReader.h"
#include "tests/support/FileBytes.h"
#include "tests/support/NearestSegments.h"
#include "tests/support/TempFolder.h"

namespace {

using vx::test::FarthestFrom;
using vx::test::IndexOf;
using vx::test::SegmentIndex;
using vx::test::TempFolder;

// What ezdxf reads from a file (see ezdxf_read.py).
struct EzdxfView {
  std::string version;
  std::string insunits;
  int auditErrors = -1;
  std::vector<std::string> types;
  std::vector<vx::test::DxfPolyline> polylines;
};

// What ezdxf makes of file; an empty view, and a failure, when it cannot read it.
EzdxfView ReadWithEzdxf(const std::string& file) {
  const std::optional<std::string> out =
      vx::test::CommandOutput("/usr/bin/python3 '" VX_APP_TEST_SOURCES "/ezdxf_read.py' '" + file + "'");
  if (!out) {
    ADD_FAILURE() << "ezdxf could not read " << file;
    return {};
  }
  std::istringstream in(*out);
  EzdxfView view;
  std::string word;
  in >> word >> view.version >> word >> view.insunits >> word >> view.auditErrors;
  std::string type;
  int closed = 0;
  std::size_t count = 0;
  while (in >> type >> closed >> count) {
    view.types.push_back(type);
    vx::test::DxfPolyline& polyline = view.polylines.emplace_back();
    polyline.flags = closed;
    polyline.vertices.resize(count);
    for (vx::test::DxfPoint& p : polyline.vertices) in >> p.x >> p.y >> p.bulge;
  }
  return view;
}

bool EzdxfMissing() {
  return std::system("/usr/bin/python3 -c 'import ezdxf' > /dev/null 2>&1") != 0;
}

TEST(DxfReaders, EzdxfReadsASingleLineFacesStrokesAsOpenPolylinesInBothVersions) {
  if (EzdxfMissing()) GTEST_SKIP() << "ezdxf for /usr/bin/python3 (python3-ezdxf) is missing";
  if (!std::filesystem::exists("/usr/share/hershey-fonts/futural.jhf"))
    GTEST_SKIP() << "the Hershey fonts (Debian's hershey-fonts-data) are not installed";
  TempFolder folder;
  for (const char* version : {"r12", "r2000"}) {
    SCOPED_TRACE(version);
    const vx::test::RunOutcome outcome = vx::test::RunVexoglyph(
        {"convert", "-f", "Hershey Sans", "-H", "10", "--dxf", version, "-o", folder.Path("out.dxf"), "HI"});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    const EzdxfView view = ReadWithEzdxf(folder.Path("out.dxf"));
    EXPECT_EQ(view.auditErrors, 0);
    ASSERT_EQ(view.polylines.size(), 4u);  // H's three strokes, I's one
    for (const vx::test::DxfPolyline& polyline : view.polylines) {
      EXPECT_FALSE(polyline.Closed());
      EXPECT_EQ(polyline.vertices.size(), 2u);
    }
  }
}

TEST(DxfReaders, EzdxfReadsAndAuditsEveryVersionWithAndWithoutUnits) {
  if (EzdxfMissing()) GTEST_SKIP() << "ezdxf for /usr/bin/python3 (python3-ezdxf) is missing";
  struct Case {
    std::vector<std::string> options;
    const char* version;
    const char* insunits;
  };
  const Case cases[] = {
      {{}, "AC1009", "none"},
      {{"--units", "mm"}, "AC1009", "4"},
      {{"--units", "in"}, "AC1009", "1"},
      {{"--dxf", "r2000"}, "AC1015", "0"},
      {{"--dxf", "r2000", "--units", "mm"}, "AC1015", "4"},
      {{"--dxf", "r2000", "--units", "ft"}, "AC1015", "2"},
      {{"--dxf", "r2000", "--units", "cm", "--outline", "merged"}, "AC1015", "5"},
      {{"--dxf", "r12", "--units", "m", "--outline", "merged"}, "AC1009", "6"},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    std::string name;
    for (const std::string& option : c.options) name += option + " ";
    SCOPED_TRACE(name);
    const bool merged = name.find("merged") != std::string::npos;
    // What was converted: the default R12 file, read by our own reader.
    std::vector<std::string> args = {"convert", "-f", "DejaVu Sans", "-H", "10", "-o", folder.Path("plain.dxf"),
                                     "Ça ç"};
    if (merged) args.insert(args.end() - 1, {"--outline", "merged"});
    ASSERT_EQ(vx::test::RunVexoglyph(args).exitCode, 0);
    const vx::test::DxfDrawing converted = vx::test::ReadDxf(vx::test::ReadFileBytes(folder.Path("plain.dxf")));
    ASSERT_EQ(converted.error, "");

    args[6] = folder.Path("out.dxf");
    args.insert(args.end() - 1, c.options.begin(), c.options.end());
    const vx::test::RunOutcome outcome = vx::test::RunVexoglyph(args);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    const EzdxfView view = ReadWithEzdxf(folder.Path("out.dxf"));
    EXPECT_EQ(view.version, c.version);
    EXPECT_EQ(view.insunits, c.insunits);
    EXPECT_EQ(view.auditErrors, 0);
    ASSERT_EQ(view.polylines.size(), converted.polylines.size());
    for (std::size_t i = 0; i < converted.polylines.size(); ++i) {
      EXPECT_EQ(view.types[i], std::string(c.version) == "AC1015" ? "LWPOLYLINE" : "POLYLINE");
      EXPECT_TRUE(view.polylines[i].Closed());
      const auto& expected = converted.polylines[i].vertices;
      const auto& read = view.polylines[i].vertices;
      ASSERT_EQ(read.size(), expected.size()) << "polyline " << i;
      for (std::size_t j = 0; j < expected.size(); ++j) {
        EXPECT_EQ(read[j].x, expected[j].x) << "polyline " << i << " vertex " << j;
        EXPECT_EQ(read[j].y, expected[j].y) << "polyline " << i << " vertex " << j;
      }
    }
  }
}

// A closed polyline of lines and arcs as points no more than step apart
// along it, every vertex among them.
std::vector<vx::test::DxfPoint> Densified(const vx::test::DxfPolyline& polyline, double step) {
  std::vector<vx::test::DxfPoint> points;
  const auto& v = polyline.vertices;
  for (std::size_t i = 0; i < v.size(); ++i) {
    const vx::test::DxfPoint& a = v[i];
    const vx::test::DxfPoint& b = v[(i + 1) % v.size()];
    points.push_back({a.x, a.y});
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    if (a.bulge == 0 || chord == 0) continue;
    // The centre lies left of a-b for a counter-clockwise arc (bulge > 0).
    const double sweep = 4 * std::atan(a.bulge);
    const double toCentre = chord / 2 / std::tan(sweep / 2);
    const double cx = (a.x + b.x) / 2 - (b.y - a.y) / chord * toCentre;
    const double cy = (a.y + b.y) / 2 + (b.x - a.x) / chord * toCentre;
    const double radius = std::hypot(a.x - cx, a.y - cy), start = std::atan2(a.y - cy, a.x - cx);
    const int n = static_cast<int>(std::ceil(std::abs(sweep) * radius / step));
    for (int k = 1; k < n; ++k)
      points.push_back({cx + radius * std::cos(start + sweep * k / n), cy + radius * std::sin(start + sweep * k / n)});
  }
  return points;
}

std::size_t VertexCount(const std::vector<vx::test::DxfPolyline>& polylines) {
  std::size_t count = 0;
  for (const vx::test::DxfPolyline& polyline : polylines) count += polyline.vertices.size();
  return count;
}

// --arcs against the true curve, sampled finely (the same merged outlines
// flattened to within a fiftieth of the tolerance): each sample within the
// tolerance of the arcs, and each point of the arcs within the tolerance of
// the samples' polyline; in both versions, as ezdxf reads them, with fewer
// vertices than the tolerance gives straight steps.
TEST(DxfReaders, ArcsStayWithinTheToleranceOfTheTrueCurveBothWays) {
  if (EzdxfMissing()) GTEST_SKIP() << "ezdxf for /usr/bin/python3 (python3-ezdxf) is missing";
  constexpr double kTolerance = 0.01, kFine = kTolerance / 50;
  // Six decimals in the file, and the arcs' own sampling below.
  constexpr double kWriting = 2e-6, kSampling = 1e-4;
  TempFolder folder;
  const auto convert = [&](const std::string& file, std::vector<std::string> options) {
    std::vector<std::string> args = {"convert", "-f", "DejaVu Sans", "-H", "10", "-o", folder.Path(file)};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back("Søg@8");
    const vx::test::RunOutcome outcome = vx::test::RunVexoglyph(args);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    return vx::test::ReadDxf(vx::test::ReadFileBytes(folder.Path(file)));
  };
  const vx::test::DxfDrawing fine = convert("fine.dxf", {"--outline", "merged", "--tolerance", std::to_string(kFine)});
  const vx::test::DxfDrawing steps = convert("steps.dxf", {"--tolerance", std::to_string(kTolerance)});
  ASSERT_EQ(fine.error, "");
  std::vector<std::vector<vx::test::DxfPoint>> curve;
  for (const vx::test::DxfPolyline& polyline : fine.polylines) curve.push_back(polyline.vertices);
  const SegmentIndex curveIndex = IndexOf(curve, 4 * kTolerance);

  for (const char* version : {"r12", "r2000"}) {
    SCOPED_TRACE(version);
    const std::string file = std::string("arcs-") + version + ".dxf";
    convert(file, {"--arcs", "--tolerance", std::to_string(kTolerance), "--dxf", version});
    const EzdxfView view = ReadWithEzdxf(folder.Path(file));
    EXPECT_EQ(view.auditErrors, 0);
    ASSERT_EQ(view.polylines.size(), fine.polylines.size());
    std::size_t arcs = 0;
    std::vector<std::vector<vx::test::DxfPoint>> written;
    for (const vx::test::DxfPolyline& polyline : view.polylines) {
      EXPECT_TRUE(polyline.Closed());
      arcs += std::count_if(polyline.vertices.begin(), polyline.vertices.end(), [](const auto& v) { return v.bulge != 0; });
      written.push_back(Densified(polyline, kSampling));
    }
    EXPECT_GT(arcs, 20u);
    EXPECT_LT(VertexCount(view.polylines), VertexCount(steps.polylines) / 2);
    EXPECT_LE(FarthestFrom(curve, IndexOf(written, 4 * kTolerance)), kTolerance + kWriting);
    EXPECT_LE(FarthestFrom(written, curveIndex), kTolerance + kFine + kWriting);
  }
}

}  // namespace
