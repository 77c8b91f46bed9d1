// A registry of its own for one test, and what tests ask of it: its whole content, a key removed, writes refused.
#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "platform/registry/Registry.h"

namespace vx::test {

// Every key and value of both roots: "HKEY_LOCAL_MACHINE\Software\Kestrow" ->
// "(key)", "HKEY_LOCAL_MACHINE\Software\Kestrow\Vexoglyph|DllName" -> "sz:..."
// or "dword:4" (other types as "type N").
using RegistryState = std::map<std::string, std::string>;

// Points the registry at an empty one of this test's own while it lives: on
// Linux the store in folder (VEXOGLYPH_REGISTRY_DIR); on Windows scratch keys
// to which this process's HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE are
// redirected (RegOverridePredefKey), so that no test touches the user's own
// keys. One at a time.
class ScratchRegistry {
 public:
  explicit ScratchRegistry(const std::filesystem::path& folder);
  ~ScratchRegistry();
  ScratchRegistry(const ScratchRegistry&) = delete;
  ScratchRegistry& operator=(const ScratchRegistry&) = delete;
};

// The content of both roots of the scratch registry.
RegistryState ReadRegistryState();

// Empties both roots.
void ClearRegistry();

// Removes a key with everything below it; nothing when it is missing.
void RemoveRegistryKey(RegistryRoot root, const std::string& path);

// From now on writes to root fail (refuse) or work again (!refuse): no key
// can be made, no value written, and no existing key opened with the rights
// to write.
void RefuseRegistryWrites(RegistryRoot root, bool refuse);

}  // namespace vx::test
