// Saving files on Windows: a regular file replaced whole keeping its attributes, the rest written into, every failure told.
#include "platform/OutputFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/win32/LongPathFolder.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

// Each test saves into a folder of its own.
class WindowsOutputFile : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path(name); }
  std::vector<std::string> Entries() const { return test::FolderEntries(folder_.path()); }

  test::TempFolder folder_;
};

TEST_F(WindowsOutputFile, ANewFileAppearsOnlyAtCommit) {
  OutputFile file;
  std::string error;
  ASSERT_TRUE(file.Open(Path("new.dxf"), error)) << error;
  ASSERT_TRUE(file.Write("0\r\nEOF\r\n", error)) << error;
  EXPECT_FALSE(fs::exists(Path("new.dxf")));
  ASSERT_TRUE(file.Commit(error)) << error;
  EXPECT_EQ(test::ReadFileBytes(Path("new.dxf")), "0\r\nEOF\r\n");  // bytes as written, no CR added
  EXPECT_EQ(Entries(), std::vector<std::string>{"new.dxf"});
}

// Until Commit the old file stays as it was; the new one then takes its
// place, with the old one's attributes.
TEST_F(WindowsOutputFile, AnExistingFileIsReplacedWholeKeepingItsAttributes) {
  test::WriteFileBytes(Path("kept.dxf"), "previous drawing");
  ASSERT_TRUE(SetFileAttributesW((folder_.folder() / "kept.dxf").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  OutputFile file;
  std::string error;
  ASSERT_TRUE(file.Open(Path("kept.dxf"), error)) << error;
  ASSERT_TRUE(file.Write("new drawing", error)) << error;
  EXPECT_EQ(test::ReadFileBytes(Path("kept.dxf")), "previous drawing");
  ASSERT_TRUE(file.Commit(error)) << error;
  EXPECT_EQ(test::ReadFileBytes(Path("kept.dxf")), "new drawing");
  EXPECT_NE(GetFileAttributesW((folder_.folder() / "kept.dxf").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(Entries(), std::vector<std::string>{"kept.dxf"});
}

TEST_F(WindowsOutputFile, AnAbandonedSaveLeavesTheOldFileAndNothingElse) {
  test::WriteFileBytes(Path("kept.dxf"), "previous drawing");
  {
    OutputFile file;
    std::string error;
    ASSERT_TRUE(file.Open(Path("kept.dxf"), error)) << error;
    ASSERT_TRUE(file.Write("half a drawing", error)) << error;
  }
  EXPECT_EQ(test::ReadFileBytes(Path("kept.dxf")), "previous drawing");
  EXPECT_EQ(Entries(), std::vector<std::string>{"kept.dxf"});
}

// A file with a second name is written into, so that both names keep
// showing the one file.
TEST_F(WindowsOutputFile, AFileWithASecondHardLinkIsWrittenInto) {
  test::WriteFileBytes(Path("a.dxf"), "old");
  std::error_code linked;
  fs::create_hard_link(Path("a.dxf"), Path("b.dxf"), linked);
  if (linked) GTEST_SKIP() << "this file system makes no hard links: " << linked.message();
  std::string error;
  ASSERT_TRUE(WriteWholeFile(Path("a.dxf"), "new drawing", error)) << error;
  EXPECT_EQ(test::ReadFileBytes(Path("b.dxf")), "new drawing");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"a.dxf", "b.dxf"}));
}

TEST_F(WindowsOutputFile, EveryFailureIsReportedWithItsReasonAndLeavesNothing) {
  test::WriteFileBytes(Path("plain-file"), "keep");
  fs::create_directory(Path("a-folder"));
  const struct {
    const char* what;
    std::string path;
    std::string reason;
  } cases[] = {
      {"empty name", "", std::strerror(ENOENT)},
      {"folder that does not exist", Path("missing") + "\\out.dxf", std::strerror(ENOENT)},
      {"target that is a folder", Path("a-folder"), std::strerror(EISDIR)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string error;
    EXPECT_FALSE(WriteWholeFile(c.path, "bytes", error));
    EXPECT_EQ(error, c.reason);
  }
  EXPECT_EQ(test::ReadFileBytes(Path("plain-file")), "keep");
  EXPECT_TRUE(fs::is_directory(Path("a-folder")));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"a-folder", "plain-file"}));
}

// A device is written into as it is: NUL takes the bytes and stays NUL.
TEST_F(WindowsOutputFile, ADeviceIsWrittenIntoNeverReplaced) {
  std::string error;
  EXPECT_TRUE(WriteWholeFile("NUL", "bytes for nobody", error)) << error;
  EXPECT_TRUE(Entries().empty());
}

// The bytes of a save to standard output are the bytes written.
TEST_F(WindowsOutputFile, StandardOutputTakesTheBytesUnchanged) {
  const std::string captured = Path("stdout.bin");
  fflush(stdout);
  const int saved = _dup(_fileno(stdout));
  FILE* sink = _wfopen(test::Utf8Path(captured).c_str(), L"wb");
  ASSERT_NE(sink, nullptr);
  _dup2(_fileno(sink), _fileno(stdout));
  std::string error;
  const bool written = WriteWholeFile(kStandardOutputName, "0\r\nEOF\r\n", error);
  fflush(stdout);
  _dup2(saved, _fileno(stdout));
  _close(saved);
  fclose(sink);
  EXPECT_TRUE(written) << error;
  EXPECT_EQ(test::ReadFileBytes(captured), "0\r\nEOF\r\n");
}

// A name without a folder part lies in the current folder, whether it is
// new or replaces a file there (which takes the full name on Windows).
TEST_F(WindowsOutputFile, ANameWithoutAFolderIsSavedInTheCurrentFolder) {
  wchar_t previous[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
  ASSERT_TRUE(SetCurrentDirectoryW(folder_.folder().c_str()));
  std::string newError, replacedError;
  const bool made = WriteWholeFile("out.dxf", "first drawing", newError);
  const bool replaced = WriteWholeFile("out.dxf", "second drawing", replacedError);
  SetCurrentDirectoryW(previous);
  EXPECT_TRUE(made) << newError;
  EXPECT_TRUE(replaced) << replacedError;
  EXPECT_EQ(test::ReadFileBytes(Path("out.dxf")), "second drawing");
  EXPECT_EQ(Entries(), std::vector<std::string>{"out.dxf"});
}

// Names beyond MAX_PATH (260) are saved, new and replaced alike.
TEST(WindowsOutputFileNames, ANameLongerThanMaxPathIsSavedAndReplaced) {
  const test::LongPathFolder folder(300);
  const std::string path = folder.Path("drawing.dxf");
  ASSERT_GE(path.size(), 300u);
  for (const char* bytes : {"first drawing", "second drawing"}) {
    std::string error;
    EXPECT_TRUE(WriteWholeFile(path, bytes, error)) << error;
    EXPECT_EQ(test::LongPathFolder::ReadFile(path), bytes);
  }
}

// A file another program holds open without letting others replace or
// write it is refused as in use, and stays as it was.
TEST_F(WindowsOutputFile, AFileHeldOpenByAnotherProgramIsReportedInUse) {
  const struct {
    const char* what;
    DWORD access;
    DWORD share;
  } holders[] = {
      {"reader sharing reads only", GENERIC_READ, FILE_SHARE_READ},
      {"writer sharing nothing", GENERIC_WRITE, 0},
  };
  for (const auto& holder : holders) {
    SCOPED_TRACE(holder.what);
    test::WriteFileBytes(Path("held.dxf"), "held drawing");
    const HANDLE held = CreateFileW((folder_.folder() / "held.dxf").c_str(), holder.access, holder.share, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string error;
    EXPECT_FALSE(WriteWholeFile(Path("held.dxf"), "new drawing", error));
    CloseHandle(held);
    EXPECT_EQ(error, "The file is in use by another program");
    EXPECT_EQ(test::ReadFileBytes(Path("held.dxf")), "held drawing");
    EXPECT_EQ(Entries(), std::vector<std::string>{"held.dxf"});
  }
}

// A pipe whose reader has gone fails as it does on Linux.
TEST(WindowsOutputFilePipes, APipeWhoseReaderHasGoneIsABrokenPipe) {
  int ends[2];
  ASSERT_EQ(_pipe(ends, 4096, _O_BINARY), 0);
  _close(ends[0]);
  fflush(stdout);
  const int saved = _dup(_fileno(stdout));
  _dup2(ends[1], _fileno(stdout));
  _close(ends[1]);
  std::string error;
  const bool written = WriteWholeFile(kStandardOutputName, "0\r\nEOF\r\n", error);
  _dup2(saved, _fileno(stdout));
  _close(saved);
  EXPECT_FALSE(written);
  EXPECT_EQ(error, std::strerror(EPIPE));
  EXPECT_EQ(error, "Broken pipe");
}

}  // namespace
}  // namespace vx
