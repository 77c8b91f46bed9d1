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
#include "tests/support/win32/LongPathFolder.h"

namespace {

using vx::test::ReadFileBytes;
using vx::test::RunVexoglyph;
using vx::test::TempFolder;

const std::string kFace = "DejaVu Sans";
const std::string kLongPathText = "Ab";

std::string WriteInput(const std::string& path) {
  vx::test::WriteFileBytes(path, kLongPathText);
  return path;
}

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

// A relative output name lies in the current folder of the program, and
// replaces a file of that name there.
TEST(WindowsCommandLine, RelativeOutputGoesToTheCurrentFolder) {
  TempFolder folder;
  wchar_t previous[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
  const std::u16string wideFolder = vx::FromUtf8(folder.path());
  ASSERT_TRUE(SetCurrentDirectoryW(reinterpret_cast<const wchar_t*>(wideFolder.c_str())));
  const vx::test::RunOutcome made = RunVexoglyph({"convert", "-o", "relative.dxf", "-f", kFace, "A"});
  const std::string first = ReadFileBytes(folder.Path("relative.dxf"));
  const vx::test::RunOutcome replaced = RunVexoglyph({"convert", "-o", "relative.dxf", "-f", kFace, "AB"});
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(made.exitCode, 0) << made.err;
  EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
  EXPECT_EQ(vx::test::FolderEntries(folder.path()), std::vector<std::string>{"relative.dxf"});
  EXPECT_NE(ReadFileBytes(folder.Path("relative.dxf")), first);
}

// Input and output names of 300 characters, beyond MAX_PATH, convert as
// short ones do, the output replacing a file of that name.
TEST(WindowsCommandLine, NamesLongerThanMaxPathConvert) {
  TempFolder shortFolder;
  const std::string expected = Convert(shortFolder, {"-f", kFace, "-i", WriteInput(shortFolder.Path("text.txt"))});
  const vx::test::LongPathFolder folder(300);
  const std::string input = folder.Path("text.txt");
  const std::string output = folder.Path("drawing.dxf");
  ASSERT_GE(output.size(), 300u);
  vx::test::LongPathFolder::WriteFile(input, kLongPathText);
  vx::test::LongPathFolder::WriteFile(output, "an older drawing, replaced");
  const vx::test::RunOutcome outcome = RunVexoglyph({"convert", "-o", output, "-f", kFace, "-i", input});
  EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
  EXPECT_EQ(vx::test::LongPathFolder::ReadFile(output), expected);
}

// The program declares itself long-path aware, so that Windows lets names
// beyond MAX_PATH through wherever the system allows it.
TEST(WindowsCommandLine, TheProgramsManifestDeclaresLongPathAwareness) {
  const std::u16string program = vx::FromUtf8(VEXOGLYPH_EXE);
  const HMODULE image = LoadLibraryExW(reinterpret_cast<const wchar_t*>(program.c_str()), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr);
  std::string manifest;
  if (const HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {  // RT_MANIFEST
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(image, found)));
    if (bytes != nullptr) manifest.assign(bytes, SizeofResource(image, found));
  }
  FreeLibrary(image);
  EXPECT_NE(manifest.find("<longPathAware"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find(">true</longPathAware>"), std::string::npos) << manifest;
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
