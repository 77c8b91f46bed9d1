// A registry of its own for one test on Linux: a store folder of its own, read and changed through the store's files.
#include "tests/platform/registry/ScratchRegistry.h"

#include <stdlib.h>

#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryStore.h"

namespace vx::test {
namespace {

std::filesystem::path& CurrentFolder() {
  static std::filesystem::path folder;
  return folder;
}

void Flatten(const RegistryKey& key, const std::string& path, RegistryState& state) {
  state[path] = "(key)";
  for (const RegistryValue& value : key.Values()) {
    std::string data;
    if (value.type == kRegSz && value.form == RegistryValue::Form::Text) {
      data = "sz:" + value.text;
    } else if (value.form == RegistryValue::Form::Dword) {
      data = "dword:" + std::to_string(value.dword);
    } else {
      data = "type " + std::to_string(value.type);
    }
    state[path + "|" + value.name] = data;
  }
  for (const RegistryKey& child : key.Subkeys()) Flatten(child, path + "\\" + child.Name(), state);
}

}  // namespace

ScratchRegistry::ScratchRegistry(const std::filesystem::path& folder) {
  CurrentFolder() = folder;
  ::setenv("VEXOGLYPH_REGISTRY_DIR", folder.c_str(), 1);
}

ScratchRegistry::~ScratchRegistry() {
  ::unsetenv("VEXOGLYPH_REGISTRY_DIR");
  CurrentFolder().clear();
}

RegistryState ReadRegistryState() {
  RegistryState state;
  for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
    Flatten(LoadRegistryRoot(root), std::string(RootName(root)), state);
  }
  return state;
}

void ClearRegistry() {
  std::filesystem::remove(RegistryFile(RegistryRoot::CurrentUser));
  std::filesystem::remove(RegistryFile(RegistryRoot::LocalMachine));
}

void RemoveRegistryKey(RegistryRoot root, const std::string& path) {
  std::vector<std::string> parts = SplitKeyPath(path);
  if (parts.empty()) return;
  const std::string last = parts.back();
  parts.pop_back();
  UpdateRegistryRoot(root, [&](RegistryKey& tree) {
    RegistryKey* key = &tree;
    for (const std::string& part : parts) {
      if (key) key = key->FindSubkey(part);
    }
    if (key) key->RemoveSubkey(last);
  });
}

// The store's lock file made a folder: no writer can take the lock.
void RefuseRegistryWrites(RegistryRoot root, bool refuse) {
  const std::filesystem::path lock = RegistryFile(root) + ".lock";
  std::error_code ignored;
  std::filesystem::remove_all(lock, ignored);
  if (refuse) std::filesystem::create_directory(lock);
}

}  // namespace vx::test
