// The command line's DXF files as an independent reader (ezdxf) reads and audits them: both versions, with and without units.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "RunProgram.h"
#include "tests/support/CommandOutput.h"
#include "tests/support/DxfReader.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

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
    for (vx::test::DxfPoint& p : polyline.vertices) in >> p.x >> p.y;
  }
  return view;
}

bool EzdxfMissing() {
  return std::system("/usr/bin/python3 -c 'import ezdxf' > /dev/null 2>&1") != 0;
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

}  // namespace
