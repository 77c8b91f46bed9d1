// Test fixture: a temporary registry with fake AutoCAD installations, and a flat view of the registry.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/registry/Registry.h"
#include "tests/platform/registry/ScratchRegistry.h"
#include "tests/platform/registry/TempRegistry.h"
#include "tests/support/FileBytes.h"

namespace vx::test {

// Every key and value of both roots of the test's registry.
inline RegistryState ReadState() { return ReadRegistryState(); }

// What after holds that before did not (new or changed entries).
inline RegistryState Added(const RegistryState& before, const RegistryState& after) {
  RegistryState added;
  for (const auto& [name, data] : after) {
    const auto it = before.find(name);
    if (it == before.end() || it->second != data) added[name] = data;
  }
  return added;
}

// Value entries as "ROOT\path|name" -> data, completed by every key on their paths.
inline RegistryState WithKeys(const RegistryState& values) {
  RegistryState state = values;
  for (const auto& [name, data] : values) {
    std::string path = name.substr(0, name.find('|'));
    for (;;) {
      state.emplace(path, "(key)");
      const std::size_t slash = path.rfind('\\');
      if (slash == std::string::npos) break;
      path.resize(slash);
    }
  }
  return state;
}

// A temporary registry and a folder of fake installations.
class FakeAcad : public TempRegistry {
 public:
  std::filesystem::path Programs() const { return Folder() / "programs"; }

  // Adds the installation entry HKLM\Software\Autodesk\AutoCAD\<release>\<entry>
  // with "ProductName" (unless null) and "AcadLocation" pointing at a new
  // folder, which holds a file named exeName unless exeName is empty.
  std::string Install(const std::string& release, const std::string& entry, const char* product,
                      const std::string& exeName = "Acad.exe") {
    const std::filesystem::path location = Programs() / (release + "-" + entry);
    std::filesystem::create_directories(location);
    if (!exeName.empty()) WriteFileBytes(location / exeName, "MZ");
    Registry registry(RegistryRoot::LocalMachine);
    EXPECT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\" + release + "\\" + entry, true));
    if (product) registry.WriteString("ProductName", product);
    registry.WriteString("AcadLocation", location.string());
    return location.string();
  }

  // Sets one value of an installation entry.
  void SetEntryValue(const std::string& release, const std::string& entry, const std::string& name,
                     const std::string& text) {
    Registry registry(RegistryRoot::LocalMachine);
    ASSERT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\" + release + "\\" + entry, true));
    registry.WriteString(name, text);
  }

  void SetEntryNumber(const std::string& release, const std::string& entry, const std::string& name, int number) {
    Registry registry(RegistryRoot::LocalMachine);
    ASSERT_TRUE(registry.OpenKey("Software\\Autodesk\\AutoCAD\\" + release + "\\" + entry, true));
    registry.WriteInteger(name, number);
  }

  // Removes a release's AutoCAD key, as an uninstallation would.
  void Uninstall(const std::string& release) {
    RemoveRegistryKey(RegistryRoot::LocalMachine, "Software\\Autodesk\\AutoCAD\\" + release);
  }
};

}  // namespace vx::test
