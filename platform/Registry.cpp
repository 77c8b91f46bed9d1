// Registry accessor: one open key under a chosen root, typed reads and writes.
#include "platform/Registry.h"

#include <cstdint>

#include "platform/RegistryStore.h"
#include "platform/RegistryText.h"

namespace vx {
namespace {

// Names with a line break or NUL character cannot be kept in the store's text.
bool StorableName(std::string_view name) {
  return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string Quote(std::string_view name) { return "'" + std::string(name) + "'"; }

RegistryError GetFailed(std::string_view name) {
  return RegistryError("Failed to get data for " + Quote(name));
}

RegistryError InvalidType(std::string_view name) {
  return RegistryError("Invalid data type for " + Quote(name));
}

RegistryError SetFailed(std::string_view name, const std::string& reason) {
  return RegistryError("Failed to set data for " + Quote(name) + ": " + reason);
}

}  // namespace

std::string_view RootName(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

Registry::Registry(RegistryRoot root) : root_(root) {}

Registry::~Registry() { CloseKey(); }

void Registry::SetRootKey(RegistryRoot root) {
  CloseKey();
  root_ = root;
}

bool Registry::OpenKey(std::string_view path, bool canCreate) {
  CloseKey();
  std::vector<std::string> parts = SplitKeyPath(path);
  for (const std::string& part : parts) {
    if (!StorableName(part)) return false;
  }
  try {
    const RegistryKey tree = LoadRegistryRoot(root_);
    if (!tree.Find(parts)) {
      if (!canCreate) return false;
      UpdateRegistryRoot(root_, [&](RegistryKey& current) { current.FindOrAdd(parts); });
    }
  } catch (const RegistryError&) {
    return false;  // a key that cannot be read or created is not open
  }
  path_ = std::move(parts);
  open_ = true;
  return true;
}

void Registry::CloseKey() {
  open_ = false;
  path_.clear();
}

std::string Registry::CurrentPath() const {
  std::string joined;
  for (const std::string& part : path_) joined += (joined.empty() ? "" : "\\") + part;
  return joined;
}

std::vector<std::string> Registry::GetKeyNames() const {
  std::vector<std::string> names;
  if (!open_) return names;
  const RegistryKey tree = LoadRegistryRoot(root_);
  if (const RegistryKey* key = tree.Find(path_)) {
    for (const RegistryKey& child : key->subkeys) names.push_back(child.name);
  }
  return names;
}

std::vector<std::string> Registry::GetValueNames() const {
  std::vector<std::string> names;
  if (!open_) return names;
  const RegistryKey tree = LoadRegistryRoot(root_);
  if (const RegistryKey* key = tree.Find(path_)) {
    for (const RegistryValue& value : key->values) names.push_back(value.name);
  }
  return names;
}

bool Registry::ValueExists(std::string_view name) const {
  if (!open_) return false;
  const RegistryKey tree = LoadRegistryRoot(root_);
  const RegistryKey* key = tree.Find(path_);
  return key && key->FindValue(name);
}

std::string Registry::ReadString(std::string_view name) const {
  if (!open_) return {};
  const RegistryKey tree = LoadRegistryRoot(root_);
  const RegistryKey* key = tree.Find(path_);
  const RegistryValue* value = key ? key->FindValue(name) : nullptr;
  if (!value) return {};
  std::string text;
  if (!StringData(*value, text)) throw InvalidType(name);
  return text;
}

int Registry::ReadInteger(std::string_view name) const {
  if (!open_) throw GetFailed(name);
  const RegistryKey tree = LoadRegistryRoot(root_);
  const RegistryKey* key = tree.Find(path_);
  const RegistryValue* value = key ? key->FindValue(name) : nullptr;
  if (!value) throw GetFailed(name);
  if (value->type != kRegDword) throw InvalidType(name);
  if (value->form != RegistryValue::Form::Dword) throw GetFailed(name);  // REG_DWORD of a wrong size
  return static_cast<int>(value->dword);
}

bool Registry::ReadBool(std::string_view name) const { return ReadInteger(name) != 0; }

void Registry::WriteString(std::string_view name, std::string_view value) {
  if (!open_) throw SetFailed(name, "no key is open");
  if (!StorableName(name)) throw SetFailed(name, "the name holds a line break");
  try {
    UpdateRegistryRoot(root_, [&](RegistryKey& tree) {
      tree.FindOrAdd(path_).SetValue(RegistryValue::String(name, value));
    });
  } catch (const RegistryError& error) {
    throw SetFailed(name, error.what());
  }
}

void Registry::WriteInteger(std::string_view name, int value) {
  if (!open_) throw SetFailed(name, "no key is open");
  if (!StorableName(name)) throw SetFailed(name, "the name holds a line break");
  try {
    UpdateRegistryRoot(root_, [&](RegistryKey& tree) {
      tree.FindOrAdd(path_).SetValue(RegistryValue::Dword(name, static_cast<std::uint32_t>(value)));
    });
  } catch (const RegistryError& error) {
    throw SetFailed(name, error.what());
  }
}

void Registry::WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }

}  // namespace vx
