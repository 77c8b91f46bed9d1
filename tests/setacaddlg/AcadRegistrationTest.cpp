// Demand-load registration: exactly the entries each release writes, its failures, and repeat runs.
#include "setacaddlg/AcadRegistration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "setacaddlg/AcadReleases.h"
#include "tests/setacaddlg/FakeAcad.h"

namespace vx {
namespace {

using test::RegistryState;
using test::WithKeys;

constexpr const char* kExePath = "C:\\App\\";
const std::string kHkcu = "HKEY_CURRENT_USER\\Software\\Kestrow\\Vexoglyph";
const std::string kProduct = "HKEY_LOCAL_MACHINE\\Software\\Kestrow\\Vexoglyph";
const std::string kAcad = "HKEY_LOCAL_MACHINE\\Software\\Autodesk\\AutoCAD\\";

// Entries are compared as what the run added to the registry; keys that
// already existed are not added again.

// The entries both forms write for a release, before its installation entries.
RegistryState ProductEntries(const std::string& release) {
  return {
      {kHkcu + "|DllName", "sz:C:\\App\\Vexoglyph.DLL"},
      {kProduct + "|DllName", "sz:C:\\App\\Vexoglyph.DLL"},
      {kProduct + "\\Arx " + release + "|CurVer", "sz:V1.8"},
  };
}

RegistryState R14ProductEntries(const std::string& release, const std::string& suffix) {
  RegistryState state = ProductEntries(release);
  const std::string arx = kProduct + "\\Arx " + release;
  state[arx + "\\Commands|VX"] = "sz:VX";
  state[arx + "\\Commands|VXTEXT"] = "sz:VXTEXT";
  state[arx + "\\Commands|Vexoglyph"] = "sz:Vexoglyph";
  state[arx + "\\Loader|MODULE"] = "sz:C:\\App\\Vexoglyph" + suffix + ".ARX";
  state[arx + "\\NAME|Vexoglyph"] = "sz:Vexoglyph";
  return state;
}

void AddR14Application(RegistryState& state, const std::string& release, const std::string& entry) {
  const std::string app = kAcad + release + "\\" + entry + "\\Applications\\Vexoglyph";
  state[app + "|LOADCTRLS"] = "dword:4";
  state[app + "|REGPATH"] = "sz:\\\\HKEY_LOCAL_MACHINE\\Software\\Kestrow\\Vexoglyph\\Arx " + release;
}

void AddR16Application(RegistryState& state, const std::string& release, const std::string& entry) {
  const std::string app = kAcad + release + "\\" + entry + "\\Applications\\Vexoglyph";
  state[app + "|DESCRIPTION"] = "sz:Vexoglyph: char to polyline.";
  state[app + "|LOADCTRLS"] = "dword:4";
  state[app + "|LOADER"] = "sz:C:\\App\\VexoglyphR2004.arx";
  state[app + "\\Commands|VX"] = "sz:VX";
  state[app + "\\Commands|VXTEXT"] = "sz:VXTEXT";
  state[app + "\\Commands|Vexoglyph"] = "sz:Vexoglyph";
}

class Registration : public test::FakeAcad {
 protected:
  // Runs the registration of one row of the window's table.
  static bool Register(std::size_t row) {
    const AcadRelease& release = kAcadReleases[row];
    const ArxRequest request{kExePath, release.releaseKey, release.moduleSuffix, release.registeredProduct,
                             release.registeredProductCompared};
    return release.registration == ArxRegistration::R14 ? RegisterArxR14(request) : RegisterArxR16(request);
  }

  void Reset() {
    test::ClearRegistry();
    std::filesystem::remove_all(Programs());
  }
};

// On Windows the registry keeps the entries itself: there is no export file
// to read, and a key whose writes are refused cannot be opened at all (the
// registration asks for full access), so no write fails after its opening.
#ifdef _WIN32
constexpr bool kRegistryInFiles = false;
#else
constexpr bool kRegistryInFiles = true;
#endif

enum Row : std::size_t { kR14, kR2000, kR2002, kR2004, kR2005, kR2006 };

TEST_F(Registration, WritesExactlyTheEntriesOfEachRelease) {
  const struct {
    const char* what;
    std::function<void(Registration&)> setUp;
    Row row;
    bool result;
    RegistryState written;  // value entries; the keys on their paths are implied
  } cases[] = {
      {"R14 with one installation",
       [](Registration& t) { t.Install("R14.0", "ACAD-1:409", "AutoCAD R14"); }, kR14, true,
       [] {
         RegistryState s = R14ProductEntries("R14.0", "R14");
         AddR14Application(s, "R14.0", "ACAD-1:409");
         return s;
       }()},
      {"2000 beside 2002 under R15.0: only the 2000 entry",
       [](Registration& t) {
         t.Install("R15.0", "ACAD-1:409", "AutoCAD 2000");
         t.Install("R15.0", "ACAD-2:409", "AutoCAD 2002");
       },
       kR2000, true,
       [] {
         RegistryState s = R14ProductEntries("R15.0", "R2000");
         AddR14Application(s, "R15.0", "ACAD-1:409");
         return s;
       }()},
      {"2002 shares the module of 2000",
       [](Registration& t) {
         t.Install("R15.0", "ACAD-1:409", "AutoCAD 2000");
         t.Install("R15.0", "ACAD-2:409", "AUTOCAD 2002 Deutsch");
       },
       kR2002, true,
       [] {
         RegistryState s = R14ProductEntries("R15.0", "R2000");
         AddR14Application(s, "R15.0", "ACAD-2:409");
         return s;
       }()},
      {"2005: every matching entry in any letter case, without looking for Acad.exe",
       [](Registration& t) {
         t.Install("R16.1", "ACAD-1", "autocad 2005", "");
         t.Install("R16.1", "ACAD-2", "AutoCAD 2006");
         t.Install("R16.1", "ACAD-3", "Mechanical AUTOCAD 2005");
       },
       kR2005, true,
       [] {
         RegistryState s = ProductEntries("R16.1");
         AddR16Application(s, "R16.1", "ACAD-1");
         AddR16Application(s, "R16.1", "ACAD-3");
         return s;
       }()},
      {"2004 compares the product at registration",
       [](Registration& t) { t.Install("R16.0", "ACAD-1", "Something else"); }, kR2004, true,
       ProductEntries("R16.0")},
      {"R14 registers every entry, with or without a product name",
       [](Registration& t) {
         t.Install("R14.0", "A", nullptr);
         t.Install("R14.0", "B", "Anything");
       },
       kR14, true,
       [] {
         RegistryState s = R14ProductEntries("R14.0", "R14");
         AddR14Application(s, "R14.0", "A");
         AddR14Application(s, "R14.0", "B");
         return s;
       }()},
      {"2006 with its release key but no entry", [](Registration& t) { t.Install("R16.2", "x", "AutoCAD 2004"); },
       kR2006, true, ProductEntries("R16.2")},
      {"R14 without its release key fails after the product keys", [](Registration&) {}, kR14, false,
       R14ProductEntries("R14.0", "R14")},
      {"2006 without its release key fails after the product keys", [](Registration&) {}, kR2006, false,
       ProductEntries("R16.2")},
  };
  for (const auto& c : cases) {
    Reset();
    c.setUp(*this);
    const RegistryState before = test::ReadState();
    EXPECT_EQ(Register(c.row), c.result) << c.what;
    RegistryState expected = before;
    for (const auto& [name, data] : WithKeys(c.written)) expected[name] = data;
    EXPECT_EQ(test::Added(before, test::ReadState()), test::Added(before, expected)) << c.what;
  }
}

TEST_F(Registration, TheFileShowsREGPATHAndTheProductKeyWithItsBlank) {
  Install("R14.0", "ACAD-1", "AutoCAD R14");
  ASSERT_TRUE(Register(kR14));
  const std::string machine = kRegistryInFiles ? test::ReadStoreText(MachineFile()) : "";
  for (const char* line : {
           "[HKEY_LOCAL_MACHINE\\Software\\Kestrow\\Vexoglyph\\Arx R14.0]\r\n\"CurVer\"=\"V1.8\"\r\n",
           "[HKEY_LOCAL_MACHINE\\Software\\Kestrow\\Vexoglyph\\Arx R14.0\\Loader]\r\n"
           "\"MODULE\"=\"C:\\\\App\\\\VexoglyphR14.ARX\"\r\n",
           "[HKEY_LOCAL_MACHINE\\Software\\Autodesk\\AutoCAD\\R14.0\\ACAD-1\\Applications\\Vexoglyph]\r\n"
           "\"LOADCTRLS\"=dword:00000004\r\n"
           "\"REGPATH\"=\"\\\\\\\\HKEY_LOCAL_MACHINE\\\\Software\\\\Kestrow\\\\Vexoglyph\\\\Arx R14.0\"\r\n",
       }) {
    if (kRegistryInFiles) {
      EXPECT_NE(machine.find(line), std::string::npos) << line << "\nin\n" << machine;
    }
  }
  Registry registry(RegistryRoot::LocalMachine);
  ASSERT_TRUE(registry.OpenKey("Software\\Kestrow\\Vexoglyph\\Arx R14.0\\Commands", false));
  std::vector<std::string> commands = registry.GetValueNames();
  std::vector<std::string> expected = {"VX", "VXTEXT", "Vexoglyph"};  // in the order written
  // The system's registry lists values in an order of its own (Wine's: by name).
  if (!kRegistryInFiles) {
    std::sort(commands.begin(), commands.end());
    std::sort(expected.begin(), expected.end());
  }
  EXPECT_EQ(commands, expected);
}

TEST_F(Registration, RunningTwiceLeavesWhatOneRunLeaves) {
  Install("R15.0", "ACAD-1", "AutoCAD 2000");
  Install("R15.0", "ACAD-2", "AutoCAD 2002");
  Install("R16.0", "ACAD-1", "AutoCAD 2004");
  for (Row row : {kR2000, kR2002, kR2004}) ASSERT_TRUE(Register(row));
  const RegistryState once = test::ReadState();
  for (Row row : {kR2000, kR2002, kR2004}) ASSERT_TRUE(Register(row));
  EXPECT_EQ(test::ReadState(), once);
}

TEST_F(Registration, ThePerUserLibraryPathIsBestEffort) {
  Install("R16.0", "ACAD-1", "AutoCAD 2004");
  const struct {
    const char* what;
    bool keyExists;
  } cases[] = {{"the key cannot be created", false}, {"the value cannot be written", true}};
  for (const auto& c : cases) {
    test::RefuseRegistryWrites(RegistryRoot::CurrentUser, false);
    test::RemoveRegistryKey(RegistryRoot::CurrentUser, "Software");
    if (c.keyExists) {
      Registry registry(RegistryRoot::CurrentUser);
      ASSERT_TRUE(registry.OpenKey("Software\\Kestrow\\Vexoglyph", true));
    }
    test::RefuseRegistryWrites(RegistryRoot::CurrentUser, true);  // every per-user write is refused
    EXPECT_TRUE(Register(kR2004)) << c.what;
    Registry machine(RegistryRoot::LocalMachine);
    ASSERT_TRUE(machine.OpenKey("Software\\Kestrow\\Vexoglyph", false)) << c.what;
    EXPECT_EQ(machine.ReadString("DllName"), "C:\\App\\Vexoglyph.DLL") << c.what;
  }
}

TEST_F(Registration, ARefusedMachineWriteIsAnErrorNotAResult) {
  if (!kRegistryInFiles) GTEST_SKIP() << "the registry refuses such a key at its opening, which asks for full access";
  Install("R16.0", "ACAD-1", "AutoCAD 2004");
  Registry registry(RegistryRoot::LocalMachine);
  ASSERT_TRUE(registry.OpenKey("Software\\Kestrow\\Vexoglyph", true));  // opened, then refused
  test::RefuseRegistryWrites(RegistryRoot::LocalMachine, true);
  try {
    Register(kR2004);
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Failed to set data for 'DllName': ", 0), 0u) << error.what();
  }
}

TEST_F(Registration, AProductNameOfAnotherTypeIsAnError) {
  Install("R16.1", "ACAD-1", "AutoCAD 2005");
  SetEntryNumber("R16.1", "ACAD-1", "ProductName", 2005);
  EXPECT_THROW(Register(kR2005), RegistryError);
}

}  // namespace
}  // namespace vx
