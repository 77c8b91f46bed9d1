// The registry accessor on its file store: reading rules, exact files, concurrent writers, bad folders and files.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryStore.h"
#include "tests/platform/registry/TempRegistry.h"
#include "tests/support/FileBytes.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::WriteFileBytes;

class RegistryStore : public test::TempRegistry {};

std::vector<fs::path> CorruptCopies(const fs::path& folder, const std::string& fileName) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().rfind(fileName + ".corrupt-", 0) == 0) found.push_back(entry.path());
  }
  return found;
}

TEST_F(RegistryStore, WritesGiveTheFileTheRegistryEditorWouldExport) {
  Registry registry(RegistryRoot::CurrentUser);
  ASSERT_TRUE(registry.OpenKey("\\Software\\Kestrow\\Vexoglyph\\Option", true));
  registry.WriteInteger("Precision", 8);
  registry.WriteString("FontName", "Arial \"Narrow\" C:\\x");
  registry.WriteBool("ShowSymbol", true);
  registry.WriteInteger("SymbolName", -1);
  registry.WriteString("", "default");
  EXPECT_EQ(test::ReadStoreText(UserFile()),
            "Windows Registry Editor Version 5.00\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software]\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Kestrow]\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Kestrow\\Vexoglyph]\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Kestrow\\Vexoglyph\\Option]\r\n"
            "\"Precision\"=dword:00000008\r\n"
            "\"FontName\"=\"Arial \\\"Narrow\\\" C:\\\\x\"\r\n"
            "\"ShowSymbol\"=dword:00000001\r\n"
            "\"SymbolName\"=dword:ffffffff\r\n"
            "@=\"default\"\r\n"
            "\r\n");
  EXPECT_FALSE(fs::exists(MachineFile()));
}

TEST_F(RegistryStore, ValuesReadBackAsWrittenAndKeepTheirTypes) {
  Registry writer(RegistryRoot::LocalMachine);
  ASSERT_TRUE(writer.OpenKey("Software\\Test", true));
  const std::string text = "Zo\xC3\xAB \"q\" \\ back\\slash\r\nnext line";
  writer.WriteString("Text", text);
  writer.WriteString("Eight", "8");
  writer.WriteInteger("Minus", -2);
  writer.WriteInteger("Nine", 9);
  writer.WriteString("Na\"me\\", "odd name");

  Registry reader(RegistryRoot::LocalMachine);
  ASSERT_TRUE(reader.OpenKey("software\\TEST", false));
  EXPECT_EQ(reader.ReadString("Text"), text);
  EXPECT_EQ(reader.ReadString("Eight"), "8");
  EXPECT_THROW(reader.ReadInteger("Eight"), RegistryError);
  EXPECT_EQ(reader.ReadInteger("Minus"), -2);
  EXPECT_THROW(reader.ReadString("Nine"), RegistryError);
  EXPECT_EQ(reader.ReadString("NA\"ME\\"), "odd name");
  EXPECT_FALSE(fs::exists(UserFile()));
}

TEST_F(RegistryStore, ReadingRulesOfEachType) {
  WriteFileBytes(UserFile(),
             "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n"
             "\"Sz\"=\"text\"\r\n"
             "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
             "\"Dword\"=dword:00000005\r\n"
             "\"Zero\"=dword:00000000\r\n"
             "\"Binary\"=hex:01,00,00,00\r\n"
             "\"Short\"=hex(4):01\r\n");
  Registry registry;
  ASSERT_TRUE(registry.OpenKey("K", false));
  using Read = std::function<std::string()>;
  const struct {
    const char* what;
    Read read;
    const char* result;  // null: an error whose text names the value
  } cases[] = {
      {"string", [&] { return registry.ReadString("Sz"); }, "text"},
      {"string of another case", [&] { return registry.ReadString("sZ"); }, "text"},
      {"expandable string, not expanded", [&] { return registry.ReadString("Expand"); }, "%A%"},
      {"missing string", [&] { return registry.ReadString("Missing"); }, ""},
      {"string read from a dword", [&] { return registry.ReadString("Dword"); }, nullptr},
      {"string read from binary", [&] { return registry.ReadString("Binary"); }, nullptr},
      {"integer", [&] { return std::to_string(registry.ReadInteger("Dword")); }, "5"},
      {"missing integer", [&] { return std::to_string(registry.ReadInteger("Missing")); }, nullptr},
      {"integer read from a string", [&] { return std::to_string(registry.ReadInteger("Sz")); }, nullptr},
      {"integer read from binary", [&] { return std::to_string(registry.ReadInteger("Binary")); }, nullptr},
      {"dword of one byte", [&] { return std::to_string(registry.ReadInteger("Short")); }, nullptr},
      {"boolean, non-zero", [&] { return std::to_string(registry.ReadBool("Dword")); }, "1"},
      {"boolean, zero", [&] { return std::to_string(registry.ReadBool("Zero")); }, "0"},
      {"missing boolean", [&] { return std::to_string(registry.ReadBool("Missing")); }, nullptr},
  };
  for (const auto& c : cases) {
    if (c.result) {
      EXPECT_EQ(c.read(), c.result) << c.what;
      continue;
    }
    try {
      c.read();
      ADD_FAILURE() << c.what << ": no error";
    } catch (const RegistryError& error) {
      EXPECT_TRUE(std::strstr(error.what(), "'") != nullptr) << c.what << ": " << error.what();
    }
  }
}

TEST_F(RegistryStore, OpeningKeys) {
  Registry registry;
  EXPECT_FALSE(registry.OpenKey("Software\\Missing", false));
  EXPECT_FALSE(registry.HasOpenKey());
  EXPECT_FALSE(fs::exists(UserFile())) << "opening without creating writes nothing";

  ASSERT_TRUE(registry.OpenKey("\\Software\\Kestrow\\Vexoglyph", true));
  EXPECT_EQ(registry.CurrentPath(), "Software\\Kestrow\\Vexoglyph");
  for (const char* path : {"Software", "Software\\Kestrow", "\\SOFTWARE\\kestrow\\vexoglyph"}) {
    EXPECT_TRUE(registry.OpenKey(path, false)) << path;
  }
  registry.WriteString("Value", "v");
  EXPECT_NE(test::ReadStoreText(UserFile()).find("[HKEY_CURRENT_USER\\Software\\Kestrow\\Vexoglyph]\r\n\"Value\""),
            std::string::npos)
      << "keys keep the spelling they were created with";

  registry.SetRootKey(RegistryRoot::LocalMachine);
  EXPECT_FALSE(registry.HasOpenKey());
  EXPECT_FALSE(registry.OpenKey("Software\\Kestrow", false)) << "each root has its own keys";
}

TEST_F(RegistryStore, SubKeysAreListedSortedWithoutRegardToCase) {
  Registry registry(RegistryRoot::LocalMachine);
  for (const char* name : {"b", "_c", "A", "R16.0", "a2", "B1"}) {
    ASSERT_TRUE(registry.OpenKey(std::string("Software\\Autodesk\\AutoCAD\\") + name, true));
  }
  ASSERT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD", false));
  EXPECT_EQ(registry.GetKeyNames(), (std::vector<std::string>{"A", "a2", "b", "B1", "R16.0", "_c"}));
  registry.CloseKey();
  EXPECT_TRUE(registry.GetKeyNames().empty());
}

TEST_F(RegistryStore, WritersKeepWhatOthersWroteSinceTheyOpenedTheKey) {
  Registry first;
  Registry second;
  ASSERT_TRUE(first.OpenKey("K", true));
  ASSERT_TRUE(second.OpenKey("K", true));
  first.WriteString("A", "1");
  second.WriteString("B", "2");
  first.WriteString("C", "3");
  Registry reader;
  ASSERT_TRUE(reader.OpenKey("K", false));
  EXPECT_EQ(reader.GetValueNames(), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(RegistryStore, TwoProcessesWritingAtOnceKeepEveryValue) {
  constexpr int kValuesPerProcess = 60;
  pid_t children[2];
  for (int child = 0; child < 2; ++child) {
    children[child] = ::fork();
    ASSERT_GE(children[child], 0);
    if (children[child] == 0) {
      int status = 0;
      try {
        Registry registry(RegistryRoot::LocalMachine);
        for (int i = 0; i < kValuesPerProcess; ++i) {
          // Each write opens the key afresh, as separate routines would.
          if (!registry.OpenKey("Software\\Shared", true)) status = 1;
          registry.WriteInteger("p" + std::to_string(child) + "-" + std::to_string(i), i);
        }
      } catch (...) {
        status = 2;
      }
      ::_exit(status);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  Registry reader(RegistryRoot::LocalMachine);
  ASSERT_TRUE(reader.OpenKey("Software\\Shared", false));
  EXPECT_EQ(reader.GetValueNames().size(), 2u * kValuesPerProcess);
  for (int child = 0; child < 2; ++child) {
    for (int i = 0; i < kValuesPerProcess; ++i) {
      EXPECT_EQ(reader.ReadInteger("p" + std::to_string(child) + "-" + std::to_string(i)), i);
    }
  }
  EXPECT_TRUE(CorruptCopies(Folder(), "machine.reg").empty());
}

TEST_F(RegistryStore, AnUnparsableFileIsMovedAsideUntouchedAndTheStoreStartsEmpty) {
  const std::string garbage = "this is not a registry file\n\"Precision\"=dword:00000008\n";
  const struct {
    const char* what;
    std::function<void(Registry&)> firstUse;
  } cases[] = {
      {"found by a read", [](Registry& r) { EXPECT_FALSE(r.OpenKey("Software", false)); }},
      {"found by a write", [](Registry& r) {
         ASSERT_TRUE(r.OpenKey("Software\\New", true));
         r.WriteString("Fresh", "yes");
       }},
  };
  for (const auto& c : cases) {
    for (const fs::path& old : CorruptCopies(Folder(), "user.reg")) fs::remove(old);
    WriteFileBytes(UserFile(), garbage);
    Registry registry;
    c.firstUse(registry);
    const std::vector<fs::path> aside = CorruptCopies(Folder(), "user.reg");
    ASSERT_EQ(aside.size(), 1u) << c.what;
    EXPECT_EQ(ReadFileBytes(aside[0]), garbage) << c.what;
    ASSERT_TRUE(registry.OpenKey("Software\\New", true)) << c.what;
    registry.WriteString("Fresh", "yes");
    EXPECT_EQ(registry.ReadString("Fresh"), "yes") << c.what;
    EXPECT_EQ(test::ReadStoreText(UserFile()).rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u) << c.what;
    fs::remove(UserFile());
  }
}

TEST_F(RegistryStore, ASecondCorruptFileGetsItsOwnName) {
  for (const char* garbage : {"first\n", "second\n"}) {
    WriteFileBytes(UserFile(), garbage);
    Registry registry;
    EXPECT_FALSE(registry.OpenKey("Software", false));
  }
  const std::vector<fs::path> aside = CorruptCopies(Folder(), "user.reg");
  ASSERT_EQ(aside.size(), 2u);
  EXPECT_NE(ReadFileBytes(aside[0]), ReadFileBytes(aside[1]));
}

TEST_F(RegistryStore, AFolderThatCannotBeMadeRefusesCreationWithTheSystemsReason) {
  const fs::path plainFile = Folder() / "plain-file";
  WriteFileBytes(plainFile, "x");
  ::setenv("VEXOGLYPH_REGISTRY_DIR", (plainFile / "registry").c_str(), 1);
  Registry registry;
  EXPECT_FALSE(registry.OpenKey("Software\\Kestrow", false));
  EXPECT_FALSE(registry.OpenKey("Software\\Kestrow", true));
  try {
    UpdateRegistryRoot(RegistryRoot::CurrentUser, [](RegistryKey&) {});
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& error) {
    EXPECT_NE(std::string(error.what()).find(std::strerror(ENOTDIR)), std::string::npos) << error.what();
  }
}

TEST_F(RegistryStore, ARefusedWriteIsAnErrorWithTheSystemsReasonAndChangesNothing) {
  Registry registry;
  ASSERT_TRUE(registry.OpenKey("Software\\Kestrow", true));
  registry.WriteString("Kept", "1");
  const std::string before = ReadFileBytes(UserFile());
  fs::remove(Folder() / "user.reg.lock");
  fs::create_directory(Folder() / "user.reg.lock");  // the lock cannot be taken
  try {
    registry.WriteString("DllName", "/opt/vexoglyph/Vexoglyph.DLL");
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& error) {
    const std::string text = error.what();
    EXPECT_EQ(text.rfind("Failed to set data for 'DllName': ", 0), 0u) << text;
    EXPECT_NE(text.find(std::strerror(EISDIR)), std::string::npos) << text;
  }
  EXPECT_EQ(ReadFileBytes(UserFile()), before);
  EXPECT_EQ(registry.ReadString("Kept"), "1") << "reads need no lock";
}

TEST_F(RegistryStore, AFileThatCannotBeReadIsNeverReplaced) {
  fs::create_directory(UserFile());
  Registry registry;
  EXPECT_FALSE(registry.OpenKey("Software", true));
  EXPECT_TRUE(fs::is_directory(UserFile()));
}

TEST_F(RegistryStore, AnEndlessFileIsReadNoFurtherThanTheLimitAndNeverReplaced) {
  fs::create_symlink("/dev/zero", UserFile());
  Registry registry;
  try {
    EXPECT_FALSE(registry.OpenKey("Software", true));
  } catch (const RegistryError& error) {
    EXPECT_NE(std::string(error.what()).find(std::strerror(EFBIG)), std::string::npos) << error.what();
  }
  EXPECT_EQ(fs::read_symlink(UserFile()), "/dev/zero");
}

TEST_F(RegistryStore, AnExportFromWindowsCanBeDroppedIn) {
  const std::u16string exported =
      u"Windows Registry Editor Version 5.00\r\n\r\n"
      u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:409]\r\n"
      u"\"ProductName\"=\"AutoCAD 2002 \u2013 Fran\u00E7ais\"\r\n"
      u"\"AcadLocation\"=\"C:\\\\Program Files\\\\AutoCAD 2002\"\r\n"
      u"\"Flags\"=hex:0a,0b\r\n\r\n";
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : exported) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  WriteFileBytes(MachineFile(), bytes);
  Registry registry(RegistryRoot::LocalMachine);
  ASSERT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:409", false));
  EXPECT_EQ(registry.ReadString("ProductName"), "AutoCAD 2002 \xE2\x80\x93 Fran\xC3\xA7" "ais");
  EXPECT_EQ(registry.ReadString("AcadLocation"), "C:\\Program Files\\AutoCAD 2002");
  registry.WriteString("New", "v");
  const std::string rewritten = test::ReadStoreText(MachineFile());
  EXPECT_NE(rewritten.find("\"Flags\"=hex:0a,0b\r\n\"New\"=\"v\"\r\n"), std::string::npos) << rewritten;
}

TEST_F(RegistryStore, AFileBeyondTheRegistrysLimitsIsKeptAsideAndReported) {
  const auto keyLine = [](std::size_t depth, const std::string& name) {
    std::string line = "[HKEY_CURRENT_USER";
    for (std::size_t level = 0; level < depth; ++level) line += "\\" + name;
    return line + "]\r\n";
  };
  const std::string head = "Windows Registry Editor Version 5.00\r\n\r\n";
  const struct {
    const char* what;
    std::string text;
    const char* reason;
  } cases[] = {
      {"100,000 levels in 200 KB", head + keyLine(100000, "k"), "deeper than 512 levels"},
      {"a key name of 256 characters", head + keyLine(2, std::string(256, 'n')), "longer than 255 characters"},
      {"a value name of 16,384 characters", head + keyLine(1, "k") + "\"" + std::string(16384, 'v') + "\"=\"x\"\r\n",
       "longer than 16383 characters"},
  };
  for (const auto& c : cases) {
    for (const fs::path& old : CorruptCopies(Folder(), "user.reg")) fs::remove(old);
    WriteFileBytes(UserFile(), c.text);
    testing::internal::CaptureStderr();
    Registry registry;
    EXPECT_FALSE(registry.OpenKey("k", false)) << c.what;
    const std::string report = testing::internal::GetCapturedStderr();
    const std::vector<fs::path> aside = CorruptCopies(Folder(), "user.reg");
    ASSERT_EQ(aside.size(), 1u) << c.what;
    EXPECT_TRUE(ReadFileBytes(aside[0]) == c.text) << c.what;
    EXPECT_NE(report.find(UserFile().string()), std::string::npos) << c.what << ": " << report;
    EXPECT_NE(report.find(c.reason), std::string::npos) << c.what << ": " << report;
    EXPECT_NE(report.find(aside[0].string()), std::string::npos) << c.what << ": " << report;
    ASSERT_TRUE(registry.OpenKey("k", true)) << c.what;
    registry.WriteString("Fresh", "yes");
    Registry reader;
    ASSERT_TRUE(reader.OpenKey("k", false)) << c.what;
    EXPECT_EQ(reader.ReadString("Fresh"), "yes") << c.what;
  }
}

TEST_F(RegistryStore, KeysAndValueNamesBeyondTheRegistrysLimitsAreNeitherOpenedNorMade) {
  const auto path = [](std::size_t depth, const std::string& name) {
    std::string joined;
    for (std::size_t level = 0; level < depth; ++level) joined += "\\" + name;
    return joined;
  };
  Registry registry;
  EXPECT_FALSE(registry.OpenKey(path(513, "k"), true));
  EXPECT_FALSE(registry.OpenKey(path(1, std::string(256, 'n')), true));
  EXPECT_FALSE(fs::exists(UserFile())) << "nothing was made";
  ASSERT_TRUE(registry.OpenKey(path(512, "k"), true));
  EXPECT_THROW(registry.WriteString(std::string(16384, 'v'), "x"), RegistryError);
  registry.WriteString(std::string(16383, 'v'), "longest");
  ASSERT_TRUE(registry.OpenKey(path(1, std::string(255, 'n')), true));
  Registry reader;
  ASSERT_TRUE(reader.OpenKey(path(512, "k"), false)) << "what was made can be read back";
  EXPECT_EQ(reader.ReadString(std::string(16383, 'v')), "longest");
  EXPECT_TRUE(CorruptCopies(Folder(), "user.reg").empty());
}

TEST_F(RegistryStore, ReadsSeeWhatOthersWroteSinceTheKeyWasOpened) {
  Registry writer;
  ASSERT_TRUE(writer.OpenKey("K", true));
  writer.WriteString("A", "1");
  Registry reader;
  ASSERT_TRUE(reader.OpenKey("K", false));
  EXPECT_EQ(reader.ReadString("A"), "1");
  writer.WriteString("A", "2");
  EXPECT_EQ(reader.ReadString("A"), "2");
  WriteFileBytes(UserFile(), "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\K]\n\"A\"=\"edited by hand\"\n");
  EXPECT_EQ(reader.ReadString("A"), "edited by hand");
  fs::remove(UserFile());
  EXPECT_EQ(reader.ReadString("A"), "");
}

TEST_F(RegistryStore, GatheredWritesReachTheFileTogetherOntoWhatOthersWrote) {
  {
    Registry gatherer;
    gatherer.BeginWrites();
    ASSERT_TRUE(gatherer.OpenKey("K", true));
    gatherer.WriteString("A", "1");
    EXPECT_EQ(gatherer.ReadString("A"), "1") << "reads see gathered writes";
    EXPECT_FALSE(fs::exists(UserFile())) << "nothing is written before the commit";
    Registry other;
    ASSERT_TRUE(other.OpenKey("K\\Other", true));
    other.WriteString("B", "2");
    gatherer.WriteInteger("C", 3);
    EXPECT_EQ(gatherer.ReadString("A"), "1");
    gatherer.CommitWrites();
  }
  Registry reader;
  ASSERT_TRUE(reader.OpenKey("K", false));
  EXPECT_EQ(reader.GetValueNames(), (std::vector<std::string>{"A", "C"}));
  ASSERT_TRUE(reader.OpenKey("K\\Other", false));
  EXPECT_EQ(reader.ReadString("B"), "2");

  const std::string before = ReadFileBytes(UserFile());
  {
    Registry dropped;
    dropped.BeginWrites();
    ASSERT_TRUE(dropped.OpenKey("K", true));
    dropped.WriteString("Dropped", "never committed");
  }
  EXPECT_EQ(ReadFileBytes(UserFile()), before);

  Registry refused;
  refused.BeginWrites();
  ASSERT_TRUE(refused.OpenKey("New", true));
  refused.WriteString("A", "x");
  fs::remove(Folder() / "user.reg.lock");
  fs::create_directory(Folder() / "user.reg.lock");  // the lock cannot be taken
  try {
    refused.CommitWrites();
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& error) {
    EXPECT_NE(std::string(error.what()).find(std::strerror(EISDIR)), std::string::npos) << error.what();
  }
  EXPECT_EQ(ReadFileBytes(UserFile()), before);
  EXPECT_FALSE(refused.OpenKey("New", false)) << "what was not stored is gone";
}

TEST_F(RegistryStore, AUtf8FileIsReadAndRewrittenInTheEditorsEncoding) {
  WriteFileBytes(UserFile(),
             "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"Name\"=\"Zo\xC3\xAB\"\r\n\r\n");
  Registry registry;
  ASSERT_TRUE(registry.OpenKey("K", false));
  EXPECT_EQ(registry.ReadString("Name"), "Zo\xC3\xAB");
  registry.WriteString("New", "\xE2\x98\xBA");
  EXPECT_EQ(ReadFileBytes(UserFile()),
            test::Utf16LeBytes(u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n"
                               u"\"Name\"=\"Zo\u00EB\"\r\n\"New\"=\"\u263A\"\r\n\r\n"));
}

TEST_F(RegistryStore, AUserFileThatIsASymbolicLinkIsWrittenThrough) {
  // Settings kept in another folder (a dotfiles checkout) and linked in.
  const fs::path kept = Folder() / "dotfiles" / "user.reg";
  fs::create_directory(kept.parent_path());
  Registry first;
  ASSERT_TRUE(first.OpenKey("Software\\Kestrow", true));
  first.WriteString("First", "1");
  fs::rename(UserFile(), kept);
  fs::create_symlink("dotfiles/user.reg", UserFile());

  Registry second;
  ASSERT_TRUE(second.OpenKey("Software\\Kestrow", true));
  second.WriteString("Second", "2");
  EXPECT_TRUE(fs::is_symlink(UserFile()));
  EXPECT_EQ(fs::read_symlink(UserFile()), "dotfiles/user.reg");
  Registry reader;
  ASSERT_TRUE(reader.OpenKey("Software\\Kestrow", false));
  EXPECT_EQ(reader.ReadString("First"), "1");
  EXPECT_EQ(reader.ReadString("Second"), "2");
  EXPECT_EQ(std::distance(fs::directory_iterator(kept.parent_path()), {}), 1);
}

TEST(RegistryFolder, FollowsTheEnvironment) {
  const struct {
    const char* registryDir;
    const char* configHome;
    const char* home;
    std::string file;
  } cases[] = {
      {"/srv/reg/", "/cfg", "/home/u", "/srv/reg/user.reg"},
      {nullptr, "/cfg", "/home/u", "/cfg/vexoglyph/user.reg"},
      {nullptr, "relative/cfg", "/home/u", "/home/u/.config/vexoglyph/user.reg"},
      {nullptr, nullptr, "/home/u", "/home/u/.config/vexoglyph/user.reg"},
  };
  const auto set = [](const char* name, const char* value) {
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  };
  const char* savedHome = std::getenv("HOME");
  const std::string home = savedHome ? savedHome : "";
  for (const auto& c : cases) {
    set("VEXOGLYPH_REGISTRY_DIR", c.registryDir);
    set("XDG_CONFIG_HOME", c.configHome);
    set("HOME", c.home);
    EXPECT_EQ(RegistryFile(RegistryRoot::CurrentUser), c.file);
  }
  ::setenv("VEXOGLYPH_REGISTRY_DIR", "/srv/reg", 1);
  EXPECT_EQ(RegistryFile(RegistryRoot::LocalMachine), "/srv/reg/machine.reg");
  ::unsetenv("VEXOGLYPH_REGISTRY_DIR");
  ::unsetenv("XDG_CONFIG_HOME");
  set("HOME", savedHome ? home.c_str() : nullptr);
}

}  // namespace
}  // namespace vx
