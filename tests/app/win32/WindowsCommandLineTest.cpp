// vexoglyph.exe on Windows: its UTF-16 command line, output names from the current folder, CR LF bytes, GDI outlines.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/app/RunProgram.h"
#include "base/Utf.h"
#include "tests/platform/fonts/OutlineReferences.h"
#include "tests/support/DxfReader.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GlyphLines.h"
#include "tests/support/TempFolder.h"

namespace {

using vx::test::ReadFileBytes;
using vx::test::RunVexoglyph;
using vx::test::TempFolder;

const std::string kFace = "DejaVu Sans";

std::string Convert(TempFolder& folder, const std::vector<std::string>& args, const std::string& name = "out.dxf") {
  std::vector<std::string> all = {"convert", "-o", folder.Path(name)};
  all.insert(all.end(), args.begin(), args.end());
  const vx::test::RunOutcome outcome = RunVexoglyph(all);
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  return ReadFileBytes(folder.Path(name));
}

// The command line arrives as UTF-16, whatever the ANSI code page: two
// characters beyond it convert as those two characters, exactly as the same
// text read from a UTF-8 file does, not as two question marks.
TEST(WindowsCommandLine, ArgumentsBeyondTheAnsiCodePageStayWhole) {
  TempFolder folder;
  const std::string fromArguments = Convert(folder, {"-f", kFace, "-H", "10", "\xCE\xA9\xD0\xB6"});  // Ωж
  vx::test::WriteFileBytes(folder.Path("text.txt"), "\xCE\xA9\xD0\xB6");
  const std::string fromFile = Convert(folder, {"-f", kFace, "-H", "10", "-i", folder.Path("text.txt")}, "file.dxf");
  const std::string questionMarks = Convert(folder, {"-f", kFace, "-H", "10", "??"}, "marks.dxf");
  EXPECT_EQ(fromArguments, fromFile);
  EXPECT_NE(fromArguments, questionMarks);
  EXPECT_EQ(vx::test::ReadDxf(fromArguments).polylines.size(), 2u);  // Ω and ж have one contour each
}

// A relative output name lies in the current folder of the program.
TEST(WindowsCommandLine, RelativeOutputGoesToTheCurrentFolder) {
  TempFolder folder;
  wchar_t previous[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
  const std::u16string wideFolder = vx::FromUtf8(folder.path());
  ASSERT_TRUE(SetCurrentDirectoryW(reinterpret_cast<const wchar_t*>(wideFolder.c_str())));
  const vx::test::RunOutcome outcome = RunVexoglyph({"convert", "-o", "relative.dxf", "-f", kFace, "A"});
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(vx::test::FolderEntries(folder.path()), std::vector<std::string>{"relative.dxf"});
}

// Lines end in CR LF, written as bytes: no line end is translated again.
TEST(WindowsCommandLine, DxfLinesEndInCrLfOnly) {
  TempFolder folder;
  const std::string dxf = Convert(folder, {"-f", kFace, "Ab"});
  ASSERT_FALSE(dxf.empty());
  EXPECT_EQ(dxf.find("\r\r"), std::string::npos);
  for (std::size_t at = dxf.find('\n'); at != std::string::npos; at = dxf.find('\n', at + 1)) {
    ASSERT_GT(at, 0u);
    ASSERT_EQ(dxf[at - 1], '\r') << "at byte " << at;
  }
  EXPECT_EQ(vx::test::ReadDxf(dxf).error, "");
}

// The program under Windows draws the glyph table as the Linux program does,
// each glyph within 1 % of the cell height; the pen drifts along a line as
// the system rounds advances its own way.
TEST(WindowsCommandLine, OutlinesMatchTheLinuxProgramsWithinOnePercent) {
  using namespace vx::test;
  const OutlineReference& reference = kOutlineReferences[0];
  ASSERT_EQ(std::string(reference.face), kFace);
  TempFolder folder;
  std::vector<std::string> args = {"-f", reference.face, "-H", "100", "-w", "0.8", "-p", "2"};
  for (const std::string& line : GlyphTableLines(kReferenceCharacters)) args.push_back(line);
  ExpectMatchesOutlineReference(Convert(folder, args), reference, std::string("vexoglyph.exe, ") + reference.face);
}

}  // namespace
