// Finding installed AutoCAD releases from their installation entries in the registry.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "setacaddlg/AcadReleases.h"

namespace vx {

// True when the wanted name occurs in the product name, ignoring letter case;
// false when either is empty.
bool ProductMatches(std::string_view productName, std::string_view wantedName);

// Looks through the installation entries under
// HKEY_LOCAL_MACHINE\Software\Autodesk\AutoCAD\<releaseKey> for one whose
// "AcadLocation" holds Acad.exe and, when productCompared, whose
// "ProductName" matches wantedProduct. Keys are opened with full access, so
// a release in a store that cannot be written is not found. Reads only. A
// registry error (a value of a non-string type) passes to the caller as
// vx::RegistryError.
bool FindAcad(std::string_view releaseKey, std::string_view wantedProduct, bool productCompared);

// What the registration window's discovery found: for each row of
// kAcadReleases in order, whether FindAcad found the release.
struct ReleasesFound {
  std::array<bool, kAcadReleases.size()> found{};
  bool Any() const;
};

// Looks up every release of the window, in the window's order (FindAcad with
// the row's key, wanted product and comparison). A registry error passes to
// the caller.
ReleasesFound FindReleases();

}  // namespace vx
