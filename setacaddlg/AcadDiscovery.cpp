// Finding installed AutoCAD releases from their installation entries in the registry.
#include "setacaddlg/AcadDiscovery.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/Registry.h"
#include "platform/RegistryCase.h"
#include "setacaddlg/AcadReleases.h"

namespace vx {
namespace {

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// The entry of folder whose name equals name without regard to case, if any.
std::string FindIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
  if (!dir) return {};
  std::string found;
  const std::string wanted = UpperUtf8(name);
  while (const dirent* entry = ::readdir(dir)) {
    if (UpperUtf8(entry->d_name) == wanted) {
      found = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

}  // namespace

bool ProductMatches(std::string_view productName, std::string_view wantedName) {
  if (productName.empty() || wantedName.empty()) return false;
  return LowerUtf8(productName).find(LowerUtf8(wantedName)) != std::string::npos;
}

bool AcadFileExists(const std::string& windowsPath) {
  std::string path = windowsPath;
  std::replace(path.begin(), path.end(), '\\', '/');
  if (IsRegularFile(path)) return true;
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return false;
  const std::string actual = FindIgnoringCase(folder, name);
  return !actual.empty() && IsRegularFile(folder + "/" + actual);
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
    if (AcadFileExists(location + "\\Acad.exe") &&
        (!productCompared || ProductMatches(product, wantedProduct))) {
      return true;
    }
  }
  return false;
}

}  // namespace vx
