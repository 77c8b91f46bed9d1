// The dialog's settings in the per-user store: defaults, per-value errors, clamping, writing.
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "dialog/DialogSettings.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RegExportReader.h"
#include "tests/support/TempRegistryDir.h"

namespace vx {
namespace {

using test::ReadFileBytes;
using test::TempRegistryDir;
using test::WriteFileBytes;

const char* const kHeader =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Kestrow\\Vexoglyph\\Option]\r\n";

const char* const kPrecision = "\"Precision\"=dword:00000011\r\n";
const char* const kFontName = "\"FontName\"=\"Liberation Serif\"\r\n";
const char* const kSymbolName = "\"SymbolName\"=dword:00000002\r\n";
const char* const kShowSymbol = "\"ShowSymbol\"=dword:00000001\r\n";
const char* const kFormState = "\"FormState\"=dword:00000001\r\n";

// Counts, through the kernel's file events, how often one file of a folder is
// opened and how often another file is renamed onto its name (a replacement).
class FileEvents {
 public:
  struct Counts {
    int opened = 0;
    int replaced = 0;
  };

  FileEvents(const std::string& folder, std::string name) : name_(std::move(name)) {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    EXPECT_GE(fd_, 0);
    // Closes are watched too: the kernel merges an event into an identical
    // one before it, so that opens in a row would count once.
    EXPECT_GE(::inotify_add_watch(fd_, folder.c_str(), IN_OPEN | IN_CLOSE | IN_MOVED_TO), 0);
  }
  ~FileEvents() { ::close(fd_); }
  FileEvents(const FileEvents&) = delete;
  FileEvents& operator=(const FileEvents&) = delete;

  // The events since the last call.
  Counts Take() {
    Counts counts;
    alignas(inotify_event) char buffer[16384];
    for (ssize_t got; (got = ::read(fd_, buffer, sizeof buffer)) > 0;) {
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->len > 0 && name_ == event->name) {
          counts.opened += (event->mask & IN_OPEN) ? 1 : 0;
          counts.replaced += (event->mask & IN_MOVED_TO) ? 1 : 0;
        }
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return counts;
  }

 private:
  std::string name_;
  int fd_ = -1;
};

// What the full fixture above reads as.
DialogSettings Stored() { return {17, "Liberation Serif", 2, true, true}; }

TEST(DialogSettings, FirstUseWithoutKeyGivesEveryDefaultAndWritesNothing) {
  TempRegistryDir dir;
  EXPECT_EQ(ReadDialogSettings("DejaVu Sans"), (DialogSettings{8, "DejaVu Sans", std::nullopt, false, false}));
  EXPECT_FALSE(std::filesystem::exists(dir.userFile()));
}

TEST(DialogSettings, WritingCreatesTheKeyWithAllFiveValuesInOrder) {
  TempRegistryDir dir;
  ASSERT_TRUE(WriteDialogSettings({17, "Liberation Serif", -1, true, false}));
  const std::string text = test::RegExportText(ReadFileBytes(dir.userFile()));
  const std::string expected = std::string(
      "[HKEY_CURRENT_USER\\Software\\Kestrow\\Vexoglyph\\Option]\r\n"
      "\"Precision\"=dword:00000011\r\n"
      "\"FontName\"=\"Liberation Serif\"\r\n"
      "\"SymbolName\"=dword:ffffffff\r\n"
      "\"ShowSymbol\"=dword:00000001\r\n"
      "\"FormState\"=dword:00000000\r\n");
  EXPECT_NE(text.find(expected), std::string::npos) << text;
  EXPECT_EQ(ReadDialogSettings("x"), (DialogSettings{17, "Liberation Serif", -1, true, false}));
}

TEST(DialogSettings, AShowReadsTheStoreOnceAndACloseWritesItOnce) {
  TempRegistryDir dir;
  FileEvents events(dir.path(), "user.reg");
  ASSERT_TRUE(WriteDialogSettings(Stored()));  // the first close: no file to read yet
  FileEvents::Counts firstClose = events.Take();
  EXPECT_EQ(firstClose.opened, 0);
  EXPECT_EQ(firstClose.replaced, 1);

  EXPECT_EQ(ReadDialogSettings("f"), Stored());
  FileEvents::Counts show = events.Take();
  EXPECT_EQ(show.opened, 1);
  EXPECT_EQ(show.replaced, 0);

  ASSERT_TRUE(WriteDialogSettings({3, "x", 1, false, false}));
  FileEvents::Counts close = events.Take();
  EXPECT_EQ(close.opened, 1);
  EXPECT_EQ(close.replaced, 1);
  EXPECT_EQ(ReadDialogSettings("f"), (DialogSettings{3, "x", 1, false, false}));
}

TEST(DialogSettings, EachValueMissingOrMistypedGivesOnlyThatValueItsDefault) {
  struct Case {
    const char* what;
    std::string precision, fontName, symbolName, showSymbol, formState;
    DialogSettings expected;
  };
  DialogSettings defaultPrecision = Stored(), emptyFont = Stored(), selectionFont = Stored(),
                 noSymbol = Stored(), paletteClosed = Stored(), normalWindow = Stored();
  defaultPrecision.precision = 8;
  emptyFont.fontName = "";  // a missing string reads as empty text, without error
  selectionFont.fontName = "DejaVu Sans";
  noSymbol.symbolIndex.reset();  // none stored: the showing chooses
  paletteClosed.showSymbol = false;
  normalWindow.maximized = false;
  const Case cases[] = {
      {"all present", kPrecision, kFontName, kSymbolName, kShowSymbol, kFormState, Stored()},
      {"Precision missing", "", kFontName, kSymbolName, kShowSymbol, kFormState, defaultPrecision},
      {"Precision as a string", "\"Precision\"=\"17\"\r\n", kFontName, kSymbolName, kShowSymbol,
       kFormState, defaultPrecision},
      {"FontName missing", kPrecision, "", kSymbolName, kShowSymbol, kFormState, emptyFont},
      {"FontName as a number", kPrecision, "\"FontName\"=dword:00000001\r\n", kSymbolName,
       kShowSymbol, kFormState, selectionFont},
      {"SymbolName missing", kPrecision, kFontName, "", kShowSymbol, kFormState, noSymbol},
      {"SymbolName as a string", kPrecision, kFontName, "\"SymbolName\"=\"Wingdings\"\r\n",
       kShowSymbol, kFormState, noSymbol},
      {"ShowSymbol missing", kPrecision, kFontName, kSymbolName, "", kFormState, paletteClosed},
      {"ShowSymbol as a string", kPrecision, kFontName, kSymbolName, "\"ShowSymbol\"=\"1\"\r\n",
       kFormState, paletteClosed},
      {"FormState missing", kPrecision, kFontName, kSymbolName, kShowSymbol, "", normalWindow},
      {"FormState as binary", kPrecision, kFontName, kSymbolName, kShowSymbol,
       "\"FormState\"=hex:01,00,00,00\r\n", normalWindow},
  };
  for (const Case& c : cases) {
    TempRegistryDir dir;
    WriteFileBytes(dir.userFile(), kHeader + c.precision + c.fontName + c.symbolName +
                                      c.showSymbol + c.formState);
    EXPECT_EQ(ReadDialogSettings("DejaVu Sans"), c.expected) << c.what;
  }
}

TEST(DialogSettings, PrecisionIsBroughtToTheTrackBarRangeAndBooleansAreNonZero) {
  struct Case {
    const char* stored;
    int precision;
  };
  const Case cases[] = {{"00000000", 1},  {"00000028", 32}, {"00000001", 1},
                        {"00000020", 32}, {"ffffffff", 1},  {"00000011", 17}};
  for (const Case& c : cases) {
    TempRegistryDir dir;
    WriteFileBytes(dir.userFile(), std::string(kHeader) + "\"Precision\"=dword:" + c.stored +
                                      "\r\n\"ShowSymbol\"=dword:00000002\r\n"
                                      "\"FormState\"=dword:ffffffff\r\n");
    const DialogSettings read = ReadDialogSettings("f");
    EXPECT_EQ(read.precision, c.precision) << c.stored;
    EXPECT_TRUE(read.showSymbol);
    EXPECT_TRUE(read.maximized);
  }
}

TEST(DialogSettings, AnUnwritableStoreIsReportedWithoutRaising) {
  TempRegistryDir dir;
  // A folder below a plain file cannot be made, whoever runs the test.
  const std::string blocker = dir.path() + "/file";
  WriteFileBytes(blocker, "not a folder");
  ::setenv("VEXOGLYPH_REGISTRY_DIR", (blocker + "/store").c_str(), 1);
  EXPECT_FALSE(WriteDialogSettings(Stored()));
  EXPECT_EQ(ReadDialogSettings("f"), DefaultDialogSettings("f"));
}

TEST(DialogSettings, AValueThatCannotBeWrittenSkipsTheRestWithoutRaising) {
  TempRegistryDir dir;
  const std::string before = std::string(kHeader) + kPrecision + kFontName;
  WriteFileBytes(dir.userFile(), before);
  // The key opens (it exists), but no writer can take the store's lock.
  std::filesystem::create_directory(dir.userFile() + ".lock");
  EXPECT_FALSE(WriteDialogSettings({3, "x", 1, false, false}));
  EXPECT_EQ(ReadFileBytes(dir.userFile()), before);
}

TEST(DialogSettings, AReadOnlyStoreFolderKeepsItsFileAndStillReads) {
  if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
  TempRegistryDir dir;
  const std::string before = std::string(kHeader) + kPrecision + kFontName;
  WriteFileBytes(dir.userFile(), before);
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_exec);
  std::filesystem::permissions(dir.userFile(), std::filesystem::perms::owner_read);
  EXPECT_FALSE(WriteDialogSettings({3, "x", 1, false, false}));
  EXPECT_EQ(ReadFileBytes(dir.userFile()), before);
  EXPECT_EQ(ReadDialogSettings("f").precision, 17);
}

}  // namespace
}  // namespace vx
