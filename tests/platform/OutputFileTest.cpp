// Saving files: what arrives at each kind of target, what stays at the path, and what a failed or killed save leaves.
#include "platform/OutputFile.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/FileBytes.h"
#include "tests/support/FileTargets.h"
#include "tests/support/TempFolder.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
using test::FactsAt;
using test::FolderEntries;
using test::PathFacts;
using test::ReadFileBytes;
using test::TempFolder;

constexpr uid_t kNobody = 65534;

// More than a pipe holds, in pieces, so that a reader has to keep up; CR LF
// bytes among them.
const std::vector<std::string>& Pieces() {
  static const std::vector<std::string> pieces = {std::string(100000, 'a'), "0\r\nEOF\r\n", std::string(150000, 'z')};
  return pieces;
}

std::string AllPieces() {
  std::string all;
  for (const std::string& piece : Pieces()) all += piece;
  return all;
}

// A file holding bytes, with permissions, as a test prepares a target.
void MakeFile(const std::string& path, const std::string& bytes, mode_t permissions = 0644) {
  test::WriteFileBytes(path, bytes);
  ::chmod(path.c_str(), permissions);
}

struct Saved {
  bool ok = false;
  std::string error;
};

Saved Save(const std::string& path, OutputFile::Temporary temporary = OutputFile::Temporary::UnnamedWherePossible) {
  OutputFile file(temporary);
  Saved saved;
  saved.ok = file.Open(path, saved.error);
  for (const std::string& piece : Pieces()) saved.ok = saved.ok && file.Write(piece, saved.error);
  saved.ok = saved.ok && file.Commit(saved.error);
  return saved;
}

// Runs a save in a child process that first becomes the user "nobody" where
// the test runs as the superuser (whom no permission stops).
Saved SaveUnprivileged(const std::string& path) {
  int answer[2];
  if (::pipe(answer) != 0) return {false, "no pipe"};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(answer[0]);
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
      ::_exit(2);
    const Saved saved = Save(path);
    const std::string reply = (saved.ok ? "1" : "0") + saved.error;
    ::_exit(::write(answer[1], reply.data(), reply.size()) == static_cast<ssize_t>(reply.size()) ? 0 : 3);
  }
  ::close(answer[1]);
  const std::string reply = test::ReadPipeInBackground(answer[0]).get();
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || reply.empty()) return {false, "the child failed"};
  return {reply[0] == '1', reply.substr(1)};
}

// Whether the filesystem of folder makes unnamed temporary files.
bool TakesUnnamedFiles(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

class UmaskFixed : public ::testing::Test {
 protected:
  void SetUp() override { previous_ = ::umask(022); }
  void TearDown() override { ::umask(previous_); }

 private:
  mode_t previous_ = 0;
};

using OutputFileReplacing = UmaskFixed;

TEST_F(OutputFileReplacing, ARegularFileOrNewNameIsReplacedWholeKeepingModeAndOwner) {
  const bool root = ::geteuid() == 0;
  struct Case {
    const char* what;
    std::function<void(const TempFolder&)> prepare;
    std::string named;    // the name saved to
    std::string landsIn;  // the file that then holds the bytes
    mode_t permissions;
    uid_t owner;
    std::vector<std::string> entries;  // the folder afterwards
    bool needsRoot = false;
  };
  const uid_t self = ::geteuid();
  const std::vector<Case> cases = {
      {"a new name", [](const TempFolder&) {}, "out.dxf", "out.dxf", 0644, self, {"out.dxf"}},
      {"an existing file keeps its permission bits",
       [](const TempFolder& f) { MakeFile(f.Path("out.dxf"), "old", 0640); }, "out.dxf", "out.dxf", 0640, self,
       {"out.dxf"}},
      {"a read-only file of one's own", [](const TempFolder& f) { MakeFile(f.Path("out.dxf"), "old", 0444); },
       "out.dxf", "out.dxf", 0444, self, {"out.dxf"}},
      {"a link into another folder is written through",
       [](const TempFolder& f) {
         fs::create_directory(f.Path("real"));
         MakeFile(f.Path("real/target.dxf"), "old", 0600);
         fs::create_symlink("real/target.dxf", f.Path("out.dxf"));
       },
       "out.dxf", "real/target.dxf", 0600, self, {"out.dxf", "real"}},
      {"a chain of links, one of them absolute",
       [](const TempFolder& f) {
         fs::create_directory(f.Path("real"));
         MakeFile(f.Path("real/target.dxf"), "old", 0640);
         fs::create_symlink(f.Path("real/target.dxf"), f.Path("hop.dxf"));
         fs::create_symlink("hop.dxf", f.Path("out.dxf"));
       },
       "out.dxf", "real/target.dxf", 0640, self, {"hop.dxf", "out.dxf", "real"}},
      {"a link that points nowhere creates its target",
       [](const TempFolder& f) { fs::create_symlink("made.dxf", f.Path("out.dxf")); }, "out.dxf", "made.dxf",
       0644, self, {"made.dxf", "out.dxf"}},
      {"another user's file keeps its owner",
       [](const TempFolder& f) {
         MakeFile(f.Path("out.dxf"), "old", 0604);
         ASSERT_EQ(::chown(f.Path("out.dxf").c_str(), kNobody, kNobody), 0);
       },
       "out.dxf", "out.dxf", 0604, kNobody, {"out.dxf"}, true},
  };
  for (const Case& c : cases) {
    if (c.needsRoot && !root) {
      std::printf("skipped \"%s\": only the superuser can give a file to another user\n", c.what);
      continue;
    }
    TempFolder folder;
    c.prepare(folder);
    const std::string named = folder.Path(c.named), landsIn = folder.Path(c.landsIn);
    const PathFacts before = FactsAt(landsIn);
    const Saved saved = Save(named);
    ASSERT_TRUE(saved.ok) << c.what << ": " << saved.error;
    EXPECT_EQ(ReadFileBytes(landsIn), AllPieces()) << c.what;
    const PathFacts after = FactsAt(landsIn);
    EXPECT_EQ(after.kind, "regular") << c.what;
    EXPECT_EQ(after.permissions, c.permissions) << c.what;
    EXPECT_EQ(after.owner, c.owner) << c.what;
    EXPECT_EQ(after.links, 1u) << c.what;
    if (before.kind != "missing") {
      EXPECT_NE(after.inode, before.inode) << c.what << ": replaced, not written into";
    }
    if (c.named != c.landsIn) {
      EXPECT_EQ(FactsAt(named).kind, "symlink") << c.what;
    }
    EXPECT_EQ(FolderEntries(folder.path()), c.entries) << c.what;
  }
}

// The same kind of thing at named as before; the same file where it is one
// of the folder's (the process's descriptor links are made afresh).
void ExpectUnchanged(const std::string& named, const PathFacts& before, const TempFolder& folder,
                     const char* what) {
  const PathFacts after = FactsAt(named);
  EXPECT_EQ(after.kind, before.kind) << what;
  if (named.starts_with(folder.path())) {
    EXPECT_EQ(after.inode, before.inode) << what;
  }
}

// The target of a case that is written into: the name to save to, and how
// to collect the bytes that arrived (after the save).
struct IntoTarget {
  std::string named;
  std::function<std::string()> received;
  std::string expected = AllPieces();
  nlink_t links = 1;  // of a regular file at named
};

// The write end of a new pipe, named by its descriptor under folder, with a
// reader that takes everything written until that end is closed.
IntoTarget PipeNamedUnder(const std::string& folder) {
  int ends[2];
  EXPECT_EQ(::pipe2(ends, O_CLOEXEC), 0);
  auto reader = std::make_shared<std::future<std::string>>(test::ReadPipeInBackground(ends[0]));
  return IntoTarget{folder + std::to_string(ends[1]), [reader, w = ends[1]] {
                      ::close(w);
                      return reader->get();
                    }};
}

TEST(OutputFileWritingInto, AnythingButASingleRegularFileReceivesTheBytesAndKeepsItsKind) {
  const std::vector<std::pair<const char*, std::function<IntoTarget(const TempFolder&)>>> cases = {
      {"a file with a second hard link: both names show the new bytes",
       [](const TempFolder& f) {
         MakeFile(f.Path("a.dxf"), "old");
         fs::create_hard_link(f.Path("a.dxf"), f.Path("b.dxf"));
         return IntoTarget{f.Path("a.dxf"), [f = f.Path("b.dxf")] { return ReadFileBytes(f); }, AllPieces(), 2};
       }},
      {"a FIFO with a reader",
       [](const TempFolder& f) {
         ::mkfifo(f.Path("fifo.dxf").c_str(), 0644);
         auto reader = std::make_shared<std::future<std::string>>(test::ReadFifoInBackground(f.Path("fifo.dxf")));
         return IntoTarget{f.Path("fifo.dxf"), [reader] { return reader->get(); }};
       }},
      {"a pipe named /dev/fd/N (a shell's >(...))", [](const TempFolder&) { return PipeNamedUnder("/dev/fd/"); }},
      {"a pipe named /proc/self/fd/N", [](const TempFolder&) { return PipeNamedUnder("/proc/self/fd/"); }},
      {"a file opened for appending, named by its descriptor: appended to",
       [](const TempFolder& f) {
         const int fd = ::open(f.Path("log.dxf").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
         EXPECT_EQ(::write(fd, "old,", 4), 4);
         return IntoTarget{"/dev/fd/" + std::to_string(fd),
                           [fd, log = f.Path("log.dxf")] {
                             ::close(fd);
                             return ReadFileBytes(log);
                           },
                           "old," + AllPieces()};
       }},
  };
  for (const auto& [what, prepare] : cases) {
    TempFolder folder;
    const IntoTarget target = prepare(folder);
    const PathFacts before = FactsAt(target.named);
    const std::vector<std::string> entries = FolderEntries(folder.path());
    const Saved saved = Save(target.named);
    EXPECT_TRUE(saved.ok) << what << ": " << saved.error;
    ExpectUnchanged(target.named, before, folder, what);
    EXPECT_EQ(target.received(), target.expected) << what;
    if (before.kind == "regular") {
      EXPECT_EQ(FactsAt(target.named).links, target.links) << what;
    }
    EXPECT_EQ(FolderEntries(folder.path()), entries) << what;
  }
}

TEST(OutputFileWritingInto, DeviceNodesReceiveTheBytesOrReportTheDevicesReasonAndStayDevices) {
  TempFolder folder;
  const struct {
    const char* model;
    bool ok;
    std::string error;
  } cases[] = {
      {"/dev/null", true, ""},
      {"/dev/full", false, std::strerror(ENOSPC)},
  };
  for (const auto& c : cases) {
    const std::string node = folder.Path(fs::path(c.model).filename().string() + ".dxf");
    if (!test::MakeDeviceLike(node, c.model)) GTEST_SKIP() << "this process may not make device nodes";
    const Saved saved = Save(node);
    EXPECT_EQ(saved.ok, c.ok) << c.model;
    EXPECT_EQ(saved.error, c.error) << c.model;
    const PathFacts after = FactsAt(node);
    EXPECT_EQ(after.kind, "character device") << c.model;
    EXPECT_EQ(after.deviceNumber, FactsAt(c.model).deviceNumber) << c.model;
  }
  EXPECT_EQ(FolderEntries(folder.path()), (std::vector<std::string>{"full.dxf", "null.dxf"}));
}

TEST(OutputFileFailures, AreReportedWithTheSystemsReasonAndLeaveThePathAsItWas) {
  const struct {
    const char* what;
    std::function<std::string(const TempFolder&)> prepare;  // the name to save to
    int reason;
  } cases[] = {
      {"a socket", [](const TempFolder& f) {
         test::MakeSocketFile(f.Path("socket.dxf"));
         return f.Path("socket.dxf");
       }, ENXIO},
      {"a folder", [](const TempFolder& f) {
         fs::create_directory(f.Path("folder.dxf"));
         return f.Path("folder.dxf");
       }, EISDIR},
      {"a name in a missing folder", [](const TempFolder& f) { return f.Path("missing/out.dxf"); }, ENOENT},
      {"a name under a file", [](const TempFolder& f) {
         MakeFile(f.Path("plain"), "x");
         return f.Path("plain/out.dxf");
       }, ENOTDIR},
      {"links that lead round in a circle", [](const TempFolder& f) {
         fs::create_symlink("b.dxf", f.Path("a.dxf"));
         fs::create_symlink("a.dxf", f.Path("b.dxf"));
         return f.Path("a.dxf");
       }, ELOOP},
      {"a descriptor that is not open", [](const TempFolder&) {
         const int fd = ::dup(STDERR_FILENO);
         ::close(fd);
         return "/dev/fd/" + std::to_string(fd);
       }, EBADF},
      {"a descriptor open for reading only", [](const TempFolder& f) {
         MakeFile(f.Path("in.txt"), "text");
         return "/dev/fd/" + std::to_string(::open(f.Path("in.txt").c_str(), O_RDONLY | O_CLOEXEC));
       }, EBADF},
      {"a pipe whose reader has gone (the process lives on)", [](const TempFolder&) {
         int ends[2];
         EXPECT_EQ(::pipe2(ends, O_CLOEXEC), 0);
         ::close(ends[0]);
         return "/dev/fd/" + std::to_string(ends[1]);
       }, EPIPE},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    const std::string named = c.prepare(folder);
    const PathFacts before = FactsAt(named);
    const std::vector<std::string> entries = FolderEntries(folder.path());
    const Saved saved = Save(named);
    EXPECT_FALSE(saved.ok) << c.what;
    EXPECT_EQ(saved.error, std::strerror(c.reason)) << c.what;
    ExpectUnchanged(named, before, folder, c.what);
    EXPECT_EQ(FolderEntries(folder.path()), entries) << c.what;
  }
}

TEST(OutputFileUnprivileged, AFileThatCannotBeReplacedIsWrittenIntoKeepingItsOwner) {
  const bool root = ::geteuid() == 0;
  const uid_t writer = root ? kNobody : ::geteuid();
  const gid_t writerGroup = root ? kNobody : ::getegid();
  const struct {
    const char* what;
    mode_t folderMode;
    uid_t fileOwner;  // of the existing out.dxf, mode 0666; none for -1
    bool ok;
    std::string error;
  } cases[] = {
      {"a writable file in a read-only folder", 0555, writer, true, ""},
      {"a new name in a read-only folder", 0555, static_cast<uid_t>(-1), false, std::strerror(EACCES)},
      {"another user's writable file in a shared folder", 0777, 0, true, ""},
      {"another user's writable file in a shared folder with the sticky bit", 01777, 0, true, ""},
  };
  for (const auto& c : cases) {
    if (c.fileOwner != static_cast<uid_t>(-1) && c.fileOwner != writer && !root) {
      std::printf("skipped \"%s\": only the superuser can give a file to another user\n", c.what);
      continue;
    }
    TempFolder scratch;
    ::chmod(scratch.path().c_str(), 0755);
    const std::string folder = scratch.Path("shared"), named = folder + "/out.dxf";
    fs::create_directory(folder);
    if (c.fileOwner != static_cast<uid_t>(-1)) {
      MakeFile(named, "old", 0666);
      ASSERT_EQ(::chown(named.c_str(), c.fileOwner, c.fileOwner == writer ? writerGroup : 0), 0);
    }
    ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);
    const PathFacts before = FactsAt(named);
    const Saved saved = SaveUnprivileged(named);
    EXPECT_EQ(saved.ok, c.ok) << c.what << ": " << saved.error;
    EXPECT_EQ(saved.error, c.error) << c.what;
    const PathFacts after = FactsAt(named);
    EXPECT_EQ(after.inode, before.inode) << c.what;
    EXPECT_EQ(after.owner, before.owner) << c.what;
    EXPECT_EQ(after.permissions, before.permissions) << c.what;
    if (c.ok) {
      EXPECT_EQ(ReadFileBytes(named), AllPieces()) << c.what;
    }
    EXPECT_EQ(FolderEntries(folder), before.kind == "missing" ? std::vector<std::string>{}
                                                        : std::vector<std::string>{"out.dxf"})
        << c.what;
  }
}

TEST(OutputFileTemporary, AnUnnamedOneLeavesNoEntryUntilCommitAndTheNamedFallbackCleansUp) {
  TempFolder folder;
  const bool unnamed = TakesUnnamedFiles(folder.path());
  const std::string target = folder.Path("drawing.dxf");
  for (const OutputFile::Temporary temporary :
       {OutputFile::Temporary::UnnamedWherePossible, OutputFile::Temporary::Named}) {
    const bool named = temporary == OutputFile::Temporary::Named || !unnamed;
    MakeFile(target, "old", 0640);
    std::string error;
    {
      OutputFile abandoned(temporary);
      ASSERT_TRUE(abandoned.Open(target, error)) << error;
      ASSERT_TRUE(abandoned.Write("new", error)) << error;
      const std::vector<std::string> during = FolderEntries(folder.path());
      ASSERT_EQ(during.size(), named ? 2u : 1u) << named;
      if (named) {
        EXPECT_TRUE(during[1].starts_with("drawing.dxf.")) << during[1];
      }
    }
    EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{"drawing.dxf"}) << named;
    EXPECT_EQ(ReadFileBytes(target), "old");

    OutputFile committed(temporary);
    ASSERT_TRUE(committed.Open(target, error) && committed.Write("new", error) && committed.Commit(error)) << error;
    EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{"drawing.dxf"}) << named;
    EXPECT_EQ(ReadFileBytes(target), "new");
    EXPECT_EQ(FactsAt(target).permissions, 0640u);
  }
}

TEST(OutputFileTemporary, ASaveKilledMidwayLeavesTheOldFileAndNothingBeside) {
  if (!TakesUnnamedFiles(TempFolder().path()))
    GTEST_SKIP() << "the filesystem of the temporary folder makes no unnamed temporary files";
  for (const bool existed : {true, false}) {
    TempFolder folder;
    const std::string target = folder.Path("drawing.dxf");
    if (existed) MakeFile(target, "precious");
    const pid_t child = ::fork();
    if (child == 0) {
      OutputFile file;
      std::string error;
      if (!file.Open(target, error)) ::_exit(1);
      for (int megabyte = 0; megabyte < 32; ++megabyte)
        if (!file.Write(std::string(1 << 20, 'x'), error)) ::_exit(1);
      ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
    EXPECT_EQ(FolderEntries(folder.path()), existed ? std::vector<std::string>{"drawing.dxf"} : std::vector<std::string>{});
    if (existed) {
      EXPECT_EQ(ReadFileBytes(target), "precious");
    }
  }
}

}  // namespace
}  // namespace vx
