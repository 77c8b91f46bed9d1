// Registering the host add-on module with AutoCAD releases for demand loading.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "setacaddlg/AcadReleases.h"

namespace vx {

// The entries every registration writes and a failing step of it, for one
// release: releaseKey "R15.0", moduleSuffix "R2000", the wanted product name
// and whether entries are filtered by it. exePath is the folder of the
// running executable ending with its delimiter.
struct ArxRequest {
  std::string exePath;
  std::string_view releaseKey;
  std::string_view moduleSuffix;
  std::string_view wantedProduct;
  bool productCompared = false;
};

// Registration for R14 and 2000/2002: the product key "Arx <release>" holds
// the module file, the commands and the application name; each matching
// installation entry's application key points at it with "REGPATH". False
// when a key cannot be opened or created; a refused write raises
// vx::RegistryError. Nothing written is undone.
bool RegisterArxR14(const ArxRequest& request);

// Registration for 2004, 2005 and 2006: each matching installation entry's
// application key holds the module file ("LOADER"), a description and its
// own "Commands" key; the product key "Arx <release>" gets only "CurVer".
bool RegisterArxR16(const ArxRequest& request);

// The registration window's OK: registers every checked release (checked[row]
// for the rows of kAcadReleases) in order, with the registration its row
// names, and hands the row's failure message to reportFailure for each one
// that fails. True when every checked release was registered. A refused
// write raises vx::RegistryError and ends the registration there.
bool RegisterReleases(const std::string& exePath, const std::array<bool, kAcadReleases.size()>& checked,
                      const std::function<void(std::string_view message)>& reportFailure);

}  // namespace vx
