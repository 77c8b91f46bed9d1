// Finding installed AutoCAD releases: product names, installation entries, the release table.
#include "setacaddlg/AcadDiscovery.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "setacaddlg/AcadReleases.h"
#include "tests/setacaddlg/FakeAcad.h"

namespace vx {
namespace {

TEST(ProductMatches, IsCaseInsensitiveContainmentOfANonEmptyName) {
  const struct {
    const char* product;
    const char* wanted;
    bool matches;
  } cases[] = {
      {"AutoCAD 2002", "AutoCAD 2002", true},
      {"AUTOCAD 2002", "autocad 2002", true},
      {"AutoCAD 2002 Deutsch", "AutoCAD 2002", true},
      {"Mechanical Desktop AutoCAD 2000i", "AutoCAD 2000", true},
      {" AutoCAD 2000 ", "AutoCAD 2000", true},
      {"AutoCAD 2000", " AutoCAD 2000", false},  // nothing is trimmed
      {"AutoCAD 2000", "AutoCAD 2002", false},
      {"AutoCAD 200", "AutoCAD 2000", false},
      {"AutoCAD 2005 \xC3\x84NDERUNG", "autocad 2005 \xC3\xA4nderung", true},  // beyond ASCII
      {"", "AutoCAD 2000", false},
      {"AutoCAD 2000", "", false},
      {"", "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProductMatches(c.product, c.wanted), c.matches) << '"' << c.product << "\" / \"" << c.wanted << '"';
  }
}

class Discovery : public test::FakeAcad {
 protected:
  // Which rows of the window's table discovery finds, in table order.
  std::array<bool, 6> Found() {
    std::array<bool, 6> found{};
    for (std::size_t row = 0; row < kAcadReleases.size(); ++row) {
      const AcadRelease& release = kAcadReleases[row];
      found[row] = FindAcad(release.releaseKey, release.foundProduct, release.foundProductCompared);
    }
    return found;
  }
};

TEST_F(Discovery, FindsExactlyTheReleasesTheTableSays) {
  using Rows = std::array<bool, 6>;  // R14, 2000, 2002, 2004, 2005, 2006
  const struct {
    const char* what;
    std::function<void(Discovery&)> setUp;
    Rows found;
  } cases[] = {
      {"nothing installed", [](Discovery&) {}, Rows{}},
      {"2002 under R15.0 is not 2000",
       [](Discovery& t) { t.Install("R15.0", "ACAD-1:409", "AutoCAD 2002"); },
       Rows{false, false, true, false, false, false}},
      {"2000 and 2002 under one key",
       [](Discovery& t) {
         t.Install("R15.0", "ACAD-1:409", "AutoCAD 2000");
         t.Install("R15.0", "ACAD-2:409", "AutoCAD 2002");
       },
       Rows{false, true, true, false, false, false}},
      {"other letter case and further characters",
       [](Discovery& t) { t.Install("R15.0", "ACAD-1", "autocad 2000 mechanical"); },
       Rows{false, true, false, false, false, false}},
      {"a matching entry without Acad.exe, then one with it",
       [](Discovery& t) {
         t.Install("R15.0", "A-first", "AutoCAD 2000", "");
         t.Install("R15.0", "B-second", "AutoCAD 2000");
       },
       Rows{false, true, false, false, false, false}},
      {"a matching entry without Acad.exe only",
       [](Discovery& t) { t.Install("R15.0", "ACAD-1", "AutoCAD 2000", ""); },
       Rows{}},
      {"Acad.exe as a folder does not count",
       [](Discovery& t) {
         const std::string location = t.Install("R14.0", "ACAD-1", "AutoCAD R14", "");
         std::filesystem::create_directory(std::filesystem::path(location) / "Acad.exe");
       },
       Rows{}},
      {"R14 and R16 releases whatever their product",
       [](Discovery& t) {
         t.Install("R14.0", "ACAD-1", nullptr);
         t.Install("R16.0", "ACAD-1", "Something else");
         t.Install("R16.1", "ACAD-1", "AutoCAD 2006");
         t.Install("R16.2", "ACAD-1", "");
       },
       Rows{true, false, false, true, true, true}},
      {"an installed file named acad.exe, as installations write it",
       [](Discovery& t) { t.Install("R16.2", "ACAD-1", "AutoCAD 2006", "acad.exe"); },
       Rows{false, false, false, false, false, true}},
      {"a location with a trailing delimiter",
       [](Discovery& t) {
         const std::string location = t.Install("R16.0", "ACAD-1", "AutoCAD 2004");
         t.SetEntryValue("R16.0", "ACAD-1", "AcadLocation", location + "/");
       },
       Rows{false, false, false, true, false, false}},
      {"a location written with backslashes",
       [](Discovery& t) {
         std::string location = t.Install("R16.0", "ACAD-1", "AutoCAD 2004");
         std::replace(location.begin(), location.end(), '/', '\\');
         t.SetEntryValue("R16.0", "ACAD-1", "AcadLocation", location);
       },
       Rows{false, false, false, true, false, false}},
      {"no AcadLocation",
       [](Discovery&) {
         Registry registry(RegistryRoot::LocalMachine);
         ASSERT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\R14.0\\ACAD-1", true));
       },
       Rows{}},
      {"a release key without entries",
       [](Discovery&) {
         Registry registry(RegistryRoot::LocalMachine);
         ASSERT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\R16.1", true));
       },
       Rows{}},
      {"entries under the per-user root do not count",
       [](Discovery&) {
         Registry registry(RegistryRoot::CurrentUser);
         ASSERT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\R14.0\\ACAD-1", true));
         registry.WriteString("AcadLocation", "/");
       },
       Rows{}},
  };
  for (const auto& c : cases) {
    test::ClearRegistry();
    std::filesystem::remove_all(Programs());
    c.setUp(*this);
    EXPECT_EQ(Found(), c.found) << c.what;
  }
}

TEST_F(Discovery, AProductNameOfAnotherTypeIsAnError) {
  Install("R15.0", "ACAD-1", "AutoCAD 2000");
  SetEntryNumber("R15.0", "ACAD-1", "ProductName", 2000);
  EXPECT_THROW(FindAcad("R15.0", "AutoCAD 2000", true), RegistryError);
}

TEST_F(Discovery, AReleaseInAStoreThatCannotBeWrittenIsNotFound) {
  Install("R14.0", "ACAD-1", "AutoCAD R14");
  Install("R15.0", "ACAD-1", "AutoCAD 2000");
  Install("R16.2", "ACAD-1", "AutoCAD 2006");
  ASSERT_EQ(Found(), (std::array<bool, 6>{true, true, false, false, false, true}));
  test::RefuseRegistryWrites(RegistryRoot::LocalMachine, true);
  EXPECT_EQ(Found(), (std::array<bool, 6>{})) << "registration would fail for each of them";
  test::RefuseRegistryWrites(RegistryRoot::LocalMachine, false);
  EXPECT_EQ(Found(), (std::array<bool, 6>{true, true, false, false, false, true}));
  EXPECT_FALSE(std::filesystem::exists(Folder() / "machine.reg.lock")) << "discovery makes no lock file";
}

TEST_F(Discovery, ReadsOnly) {
  Install("R15.0", "ACAD-1", "AutoCAD 2000");
  const test::RegistryState before = test::ReadState();
  Found();
  EXPECT_EQ(test::ReadState(), before);
  EXPECT_EQ(before.count("HKEY_CURRENT_USER\\Software"), 0u) << "nothing per user";
}

}  // namespace
}  // namespace vx
