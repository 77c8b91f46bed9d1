// The shell and the manual on Windows: ShellExecuteW reaches a document's registered program; the compiled manual beside the program.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "dialog/HelpFile.h"
#include "dialog/ShellOpen.h"
#include "platform/ExePath.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace vx {
namespace {

// A document type registered with the system for the life of the object:
// opening a document of it runs cmd.exe, which writes the name it was given
// into record.
class RecordingDocumentType {
 public:
  static constexpr const wchar_t* kExtension = L"Software\\Classes\\.vxopentest";
  static constexpr const wchar_t* kType = L"Software\\Classes\\VexoglyphOpenTest";

  explicit RecordingDocumentType(const std::filesystem::path& record) {
    SetDefault(kExtension, L"VexoglyphOpenTest");
    SetDefault(std::wstring(kType) + L"\\shell\\open\\command",
               L"C:\\windows\\system32\\cmd.exe /c echo %1> \"" + record.wstring() + L"\"");
  }
  ~RecordingDocumentType() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kExtension);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kType);
  }

 private:
  static void SetDefault(const std::wstring& key, const std::wstring& value) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
  }
};

// Replaces the launcher by a recorder for the life of the object.
class RecordingLauncher {
 public:
  RecordingLauncher() {
    previous_ = SetShellLauncher([this](const std::string& target, NativeWindow) { opened.push_back(target); });
  }
  ~RecordingLauncher() { SetShellLauncher(previous_); }
  std::vector<std::string> opened;

 private:
  ShellLauncher previous_;
};

TEST(WindowsShell, OpenHandsTheDocumentToItsRegisteredProgram) {
  test::TempFolder folder;
  const std::filesystem::path document = folder.folder() / "notes.vxopentest";
  const std::filesystem::path record = folder.folder() / "opened.txt";
  test::WriteFileBytes(document, "text");
  RecordingDocumentType type(record);

  ShellOpen(document.string());

  // The program runs on its own: wait for its record. Wine starts a console
  // program (and its console host) in a second when the machine is idle, but
  // took more than ten while other tests and builds loaded it: the wait ends
  // after two minutes.
  std::string opened;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
  while (opened.find("\r\n") == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    opened = test::ReadFileBytes(record);
  }
  EXPECT_EQ(opened, document.string() + "\r\n");
}

// The manual built beside the program (Vexoglyph.chm, compiled from the
// HTML manual) copied beside this test program for the life of the object.
class ManualBesideProgram {
 public:
  ManualBesideProgram() : path_(ExecutableDir() + kHelpFileName) {
    std::filesystem::copy_file(VX_BUILT_HELP_FILE, path_, std::filesystem::copy_options::overwrite_existing);
  }
  ~ManualBesideProgram() { std::filesystem::remove(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

TEST(WindowsHelp, TheBuildCompilesTheManualIntoAHelpFile) {
  const std::string help = test::ReadFileBytes(std::string(VX_BUILT_HELP_FILE));
  ASSERT_GE(help.size(), 4u);
  EXPECT_EQ(help.substr(0, 4), "ITSF") << "a compiled HTML help file";
  EXPECT_EQ(std::string(kHelpFileName), "Vexoglyph.chm");
}

TEST(WindowsHelp, TheManualBesideTheProgramIsOpenedAsAWhole) {
  ManualBesideProgram manual;
  RecordingLauncher launcher;
  OpenHelpFile(nullptr);
  ASSERT_EQ(launcher.opened.size(), 1u);
  EXPECT_EQ(launcher.opened[0], manual.path());
  EXPECT_EQ(HelpFilePath(), manual.path());
  // The shell opens a help file only as a whole: the about box's links to
  // its sections lead to the manual itself.
  for (std::string_view section : {std::string_view(), kSupportSection, kNewVersionsSection}) {
    EXPECT_EQ(HelpTarget(section), manual.path());
  }
}

}  // namespace
}  // namespace vx
