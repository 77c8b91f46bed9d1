// Saving files on Windows: a regular file replaced whole keeping its attributes, the rest written into, every failure told.
#include "platform/OutputFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vx {
namespace {

namespace fs = std::filesystem;

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("vx-output-" + std::to_string(GetCurrentProcessId()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    for (const auto& entry : fs::directory_iterator(folder_)) {
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder_;
};

TEST_F(OutputFileTest, ANewFileAppearsOnlyAtCommit) {
  OutputFile file;
  std::string error;
  ASSERT_TRUE(file.Open(Path("new.dxf"), error)) << error;
  ASSERT_TRUE(file.Write("0\r\nEOF\r\n", error)) << error;
  EXPECT_FALSE(fs::exists(Path("new.dxf")));
  ASSERT_TRUE(file.Commit(error)) << error;
  EXPECT_EQ(Read(Path("new.dxf")), "0\r\nEOF\r\n");  // bytes as written, no CR added
  EXPECT_EQ(Entries(), std::vector<std::string>{"new.dxf"});
}

// Until Commit the old file stays as it was; the new one then takes its
// place, with the old one's attributes.
TEST_F(OutputFileTest, AnExistingFileIsReplacedWholeKeepingItsAttributes) {
  Write(Path("kept.dxf"), "previous drawing");
  ASSERT_TRUE(SetFileAttributesW((folder_ / "kept.dxf").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  OutputFile file;
  std::string error;
  ASSERT_TRUE(file.Open(Path("kept.dxf"), error)) << error;
  ASSERT_TRUE(file.Write("new drawing", error)) << error;
  EXPECT_EQ(Read(Path("kept.dxf")), "previous drawing");
  ASSERT_TRUE(file.Commit(error)) << error;
  EXPECT_EQ(Read(Path("kept.dxf")), "new drawing");
  EXPECT_NE(GetFileAttributesW((folder_ / "kept.dxf").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(Entries(), std::vector<std::string>{"kept.dxf"});
}

TEST_F(OutputFileTest, AnAbandonedSaveLeavesTheOldFileAndNothingElse) {
  Write(Path("kept.dxf"), "previous drawing");
  {
    OutputFile file;
    std::string error;
    ASSERT_TRUE(file.Open(Path("kept.dxf"), error)) << error;
    ASSERT_TRUE(file.Write("half a drawing", error)) << error;
  }
  EXPECT_EQ(Read(Path("kept.dxf")), "previous drawing");
  EXPECT_EQ(Entries(), std::vector<std::string>{"kept.dxf"});
}

// A file with a second name is written into, so that both names keep
// showing the one file.
TEST_F(OutputFileTest, AFileWithASecondHardLinkIsWrittenInto) {
  Write(Path("a.dxf"), "old");
  std::error_code linked;
  fs::create_hard_link(Path("a.dxf"), Path("b.dxf"), linked);
  if (linked) GTEST_SKIP() << "this file system makes no hard links: " << linked.message();
  std::string error;
  ASSERT_TRUE(WriteWholeFile(Path("a.dxf"), "new drawing", error)) << error;
  EXPECT_EQ(Read(Path("b.dxf")), "new drawing");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"a.dxf", "b.dxf"}));
}

TEST_F(OutputFileTest, EveryFailureIsReportedWithItsReasonAndLeavesNothing) {
  Write(Path("plain-file"), "keep");
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
  EXPECT_EQ(Read(Path("plain-file")), "keep");
  EXPECT_TRUE(fs::is_directory(Path("a-folder")));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"a-folder", "plain-file"}));
}

// A device is written into as it is: NUL takes the bytes and stays NUL.
TEST_F(OutputFileTest, ADeviceIsWrittenIntoNeverReplaced) {
  std::string error;
  EXPECT_TRUE(WriteWholeFile("NUL", "bytes for nobody", error)) << error;
  EXPECT_TRUE(Entries().empty());
}

// The bytes of a save to standard output are the bytes written.
TEST_F(OutputFileTest, StandardOutputTakesTheBytesUnchanged) {
  const std::string captured = Path("stdout.bin");
  fflush(stdout);
  const int saved = _dup(_fileno(stdout));
  FILE* sink = _wfopen(fs::path(captured).c_str(), L"wb");
  ASSERT_NE(sink, nullptr);
  _dup2(_fileno(sink), _fileno(stdout));
  std::string error;
  const bool written = WriteWholeFile(kStandardOutputName, "0\r\nEOF\r\n", error);
  fflush(stdout);
  _dup2(saved, _fileno(stdout));
  _close(saved);
  fclose(sink);
  EXPECT_TRUE(written) << error;
  EXPECT_EQ(Read(captured), "0\r\nEOF\r\n");
}

}  // namespace
}  // namespace vx
