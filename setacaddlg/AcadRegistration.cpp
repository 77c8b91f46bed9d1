// Registering the host add-on module with AutoCAD releases for demand loading.
#include "setacaddlg/AcadRegistration.h"

#include <exception>
#include <vector>

#include "platform/registry/Registry.h"
#include "setacaddlg/AcadDiscovery.h"
#include "setacaddlg/AcadReleases.h"

namespace vx {
namespace {

constexpr std::string_view kModuleName = "Vexoglyph";
constexpr std::string_view kLibraryFile = "Vexoglyph.DLL";
constexpr std::string_view kCurrentVersion = "V1.8";
constexpr std::string_view kDescription = "Vexoglyph: char to polyline.";
constexpr std::string_view kCommands[] = {"VX", "VXTEXT", "Vexoglyph"};

std::string Join(std::string_view a, std::string_view b) { return std::string(a) + std::string(b); }

// Each command under its own name, in the order AutoCAD lists them.
void WriteCommands(Registry& registry) {
  for (std::string_view command : kCommands) registry.WriteString(command, command);
}

// Steps shared by both forms: "DllName" for the current user (best effort,
// every error ignored) and for the machine (skipped when the key cannot be
// opened), then "CurVer" in the product key "Arx <release>". Leaves the
// accessor on HKEY_LOCAL_MACHINE. False when the product key cannot be opened.
bool WriteProductKeys(Registry& registry, const ArxRequest& request) {
  const std::string libraryPath = request.exePath + std::string(kLibraryFile);
  registry.SetRootKey(RegistryRoot::CurrentUser);
  try {
    if (registry.OpenKey(kProductKey, true)) {
      registry.WriteString("DllName", libraryPath);
      registry.CloseKey();
    }
  } catch (const std::exception&) {
    // The per-user copy is only a convenience for the host module.
  }
  registry.SetRootKey(RegistryRoot::LocalMachine);
  if (registry.OpenKey(kProductKey, true)) {
    registry.WriteString("DllName", libraryPath);
    registry.CloseKey();
  }
  if (!registry.OpenKey(Join(kArxKeyPrefix, request.releaseKey), true)) return false;
  registry.WriteString("CurVer", kCurrentVersion);
  registry.CloseKey();
  return true;
}

// True when the entry can be opened and passes the product filter.
bool EntryWanted(Registry& registry, const std::string& entryPath, const ArxRequest& request) {
  if (!registry.OpenKey(entryPath, false)) return false;
  const std::string product = registry.ReadString("ProductName");
  registry.CloseKey();
  return !request.productCompared || ProductMatches(product, request.wantedProduct);
}

// The keys of the installation entries under the release's AutoCAD key that
// pass the product filter, in listing order; false when that key cannot be
// opened.
bool WantedEntries(Registry& registry, const ArxRequest& request, std::vector<std::string>& entryPaths) {
  const std::string releasePath = Join(kAcadKey, request.releaseKey);
  if (!registry.OpenKey(releasePath, false)) return false;
  const std::vector<std::string> entries = registry.GetKeyNames();
  registry.CloseKey();
  for (const std::string& entry : entries) {
    const std::string entryPath = releasePath + "\\" + entry;
    if (EntryWanted(registry, entryPath, request)) entryPaths.push_back(entryPath);
  }
  return true;
}

}  // namespace

bool RegisterArxR14(const ArxRequest& request) {
  Registry registry(RegistryRoot::LocalMachine);
  if (!WriteProductKeys(registry, request)) return false;
  const std::string arxKey = Join(kArxKeyPrefix, request.releaseKey);

  if (!registry.OpenKey(arxKey + "\\Commands", true)) return false;
  WriteCommands(registry);
  registry.CloseKey();

  if (!registry.OpenKey(arxKey + "\\Loader", true)) return false;
  registry.WriteString("MODULE", request.exePath + Join(kModuleName, request.moduleSuffix) + ".ARX");
  registry.CloseKey();

  if (!registry.OpenKey(arxKey + "\\NAME", true)) return false;
  registry.WriteString(kModuleName, kModuleName);
  registry.CloseKey();

  std::vector<std::string> entryPaths;
  if (!WantedEntries(registry, request, entryPaths)) return false;
  for (const std::string& entryPath : entryPaths) {
    if (!registry.OpenKey(entryPath + "\\Applications\\Vexoglyph", true)) return false;
    registry.WriteInteger("LOADCTRLS", 4);
    registry.WriteString("REGPATH", Join(kRegPathPrefix, request.releaseKey));
    registry.CloseKey();
  }
  return true;
}

bool RegisterArxR16(const ArxRequest& request) {
  Registry registry(RegistryRoot::LocalMachine);
  if (!WriteProductKeys(registry, request)) return false;

  std::vector<std::string> entryPaths;
  if (!WantedEntries(registry, request, entryPaths)) return false;
  for (const std::string& entryPath : entryPaths) {
    const std::string applicationKey = entryPath + "\\Applications\\Vexoglyph";
    if (!registry.OpenKey(applicationKey, true)) return false;
    registry.WriteString("DESCRIPTION", kDescription);
    registry.WriteInteger("LOADCTRLS", 4);
    registry.WriteString("LOADER", request.exePath + Join(kModuleName, request.moduleSuffix) + ".arx");
    registry.CloseKey();

    if (!registry.OpenKey(applicationKey + "\\Commands", true)) return false;
    WriteCommands(registry);
    registry.CloseKey();
  }
  return true;
}

bool RegisterReleases(const std::string& exePath, const std::array<bool, kAcadReleases.size()>& checked,
                      const std::function<void(std::string_view message)>& reportFailure) {
  bool allSucceeded = true;
  for (std::size_t row = 0; row < kAcadReleases.size(); ++row) {
    if (!checked[row]) continue;
    const AcadRelease& release = kAcadReleases[row];
    const ArxRequest request{exePath, release.releaseKey, release.moduleSuffix, release.registeredProduct,
                             release.registeredProductCompared};
    const bool registered =
        release.registration == ArxRegistration::R14 ? RegisterArxR14(request) : RegisterArxR16(request);
    if (!registered) {
      reportFailure(release.failureMessage);
      allSucceeded = false;
    }
  }
  return allSucceeded;
}

}  // namespace vx
