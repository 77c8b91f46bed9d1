// Registry accessor: one open key under a chosen root, typed reads and writes.
#include "platform/registry/Registry.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <utility>

#include "platform/registry/RegistryErrors.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryStore.h"

namespace vx {
namespace {

// Names with a line break or NUL character cannot be kept in the store's text.
bool StorableName(std::string_view name) {
  return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// Stores change at once, or keeps it for CommitWrites while writes are gathered.
void Apply(RegistryRootFile& file, bool gathering, std::function<void(RegistryKey&)> change) {
  if (gathering) {
    file.Gather(std::move(change));
  } else {
    file.Update(change);
  }
}

}  // namespace

// One file per root, each read once for all the reads and writes of this
// accessor while nobody else changes it.
struct Registry::Store {
  RegistryRootFile user{RegistryRoot::CurrentUser};
  RegistryRootFile machine{RegistryRoot::LocalMachine};

  RegistryRootFile& File(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? user : machine; }
};

Registry::Registry(RegistryRoot root) : root_(root), store_(std::make_unique<Store>()) {}

Registry::~Registry() { CloseKey(); }

Registry::Store& Registry::Backing() const { return *store_; }

bool Registry::OpenKey(std::string_view path, bool canCreate) {
  CloseKey();
  std::vector<std::string> parts = SplitKeyPath(path);
  if (parts.size() > kMaxKeyDepth) return false;
  for (const std::string& part : parts) {
    if (!StorableName(part) || !KeyNameFits(part)) return false;
  }
  try {
    RegistryRootFile& file = Backing().File(root_);
    if (!file.Content().Find(parts)) {
      if (!canCreate) return false;
      Apply(file, gathering_, [parts](RegistryKey& tree) { tree.FindOrAdd(parts); });
    }
  } catch (const RegistryError&) {
    return false;  // a key that cannot be read or created is not open
  }
  path_ = std::move(parts);
  open_ = true;
  return true;
}

bool Registry::OpenKeyForWriting(std::string_view path) {
  if (!RegistryRootWritable(root_)) {
    CloseKey();
    return false;
  }
  return OpenKey(path, false);
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

const RegistryKey* Registry::OpenedKey() const {
  return open_ ? Backing().File(root_).Content().Find(path_) : nullptr;
}

std::vector<std::string> Registry::GetKeyNames() const {
  std::vector<std::string> names;
  if (const RegistryKey* key = OpenedKey()) {
    for (const RegistryKey& child : key->Subkeys()) names.push_back(child.Name());
  }
  return names;
}

std::vector<std::string> Registry::GetValueNames() const {
  std::vector<std::string> names;
  if (const RegistryKey* key = OpenedKey()) {
    for (const RegistryValue& value : key->Values()) names.push_back(value.name);
  }
  return names;
}

bool Registry::LookUp(std::string_view name, RegistryValue& value) const {
  const RegistryKey* key = OpenedKey();
  const RegistryValue* found = key ? key->FindValue(name) : nullptr;
  if (!found) return false;
  value = *found;
  return true;
}

void Registry::Write(RegistryValue value) {
  const std::string name = value.name;
  if (!open_) throw RegistrySetFailed(name, "no key is open");
  if (!StorableName(name)) throw RegistrySetFailed(name, "the name holds a line break");
  if (!ValueNameFits(name)) throw RegistrySetFailed(name, "the name is longer than the registry allows");
  const auto store = [path = path_, value = std::move(value)](RegistryKey& tree) {
    tree.FindOrAdd(path).SetValue(value);
  };
  try {
    Apply(Backing().File(root_), gathering_, store);
  } catch (const RegistryError& error) {
    throw RegistrySetFailed(name, error.what());
  }
}

void Registry::WriteString(std::string_view name, std::string_view value) {
  Write(RegistryValue::String(name, value));
}

void Registry::WriteInteger(std::string_view name, int value) {
  Write(RegistryValue::Dword(name, static_cast<std::uint32_t>(value)));
}

void Registry::CommitWrites() {
  gathering_ = false;
  Store& store = Backing();
  std::exception_ptr failure;
  for (RegistryRootFile* file : {&store.user, &store.machine}) {
    try {
      file->StoreGathered();
    } catch (const RegistryError&) {
      if (!failure) failure = std::current_exception();
    }
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace vx
