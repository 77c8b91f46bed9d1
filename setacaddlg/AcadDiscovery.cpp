// Finding installed AutoCAD releases from their installation entries in the registry.
#include "setacaddlg/AcadDiscovery.h"

#include "platform/FileAccess.h"
#include "platform/registry/Registry.h"
#include "platform/NameCase.h"
#include "setacaddlg/AcadReleases.h"

namespace vx {

bool ProductMatches(std::string_view productName, std::string_view wantedName) {
  if (productName.empty() || wantedName.empty()) return false;
  return LowerUtf8(productName).find(LowerUtf8(wantedName)) != std::string::npos;
}

bool FindAcad(std::string_view releaseKey, std::string_view wantedProduct, bool productCompared) {
  Registry registry(RegistryRoot::LocalMachine);
  const std::string releasePath = std::string(kAcadKey) + std::string(releaseKey);
  // Keys are opened with full access: a release whose keys cannot be written
  // (a store the user cannot write) cannot be registered, so counts as absent.
  if (!registry.OpenKeyForWriting(releasePath)) return false;
  const std::vector<std::string> entries = registry.GetKeyNames();
  registry.CloseKey();
  for (const std::string& entry : entries) {
    if (!registry.OpenKeyForWriting(releasePath + "\\" + entry)) continue;
    const std::string location = registry.ReadString("AcadLocation");
    const std::string product = registry.ReadString("ProductName");
    registry.CloseKey();
    if (FileExistsAt(location + "\\Acad.exe") &&
        (!productCompared || ProductMatches(product, wantedProduct))) {
      return true;
    }
  }
  return false;
}

bool ReleasesFound::Any() const {
  for (bool one : found) {
    if (one) return true;
  }
  return false;
}

ReleasesFound FindReleases() {
  ReleasesFound result;
  for (std::size_t row = 0; row < kAcadReleases.size(); ++row) {
    const AcadRelease& release = kAcadReleases[row];
    result.found[row] = FindAcad(release.releaseKey, release.foundProduct, release.foundProductCompared);
  }
  return result;
}

}  // namespace vx
