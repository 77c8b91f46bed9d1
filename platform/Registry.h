// Registry accessor: one open key under a chosen root, typed reads and writes.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

enum class RegistryRoot { CurrentUser, LocalMachine };

// The full name of a root as registry paths spell it ("HKEY_CURRENT_USER").
std::string_view RootName(RegistryRoot root);

// Raised by a read of a value that is missing or of the wrong type, and by a
// write the store refuses; what() is a sentence fit for a message box.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An accessor to the registry: it chooses a root, opens one key at a time by
// its path below that root, and reads and writes that key's values. Each
// routine makes its own accessor; the key is closed when the accessor goes
// out of scope, on every way out.
//
// Reading rules: a string value that is missing reads as an empty string; a
// value of another type than REG_SZ or REG_EXPAND_SZ is an error. An integer
// or boolean that is missing or not a REG_DWORD is an error; a boolean is true
// for every non-zero value.
class Registry {
 public:
  explicit Registry(RegistryRoot root = RegistryRoot::CurrentUser);
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // Chooses the root for the following opens; closes any open key.
  void SetRootKey(RegistryRoot root);
  RegistryRoot RootKey() const { return root_; }

  // Closes any open key and opens the key at path below the root (a leading
  // backslash makes no difference). With canCreate the key and every missing
  // key on its path are created. False when the key is missing (and not to
  // be created) or cannot be read or created.
  bool OpenKey(std::string_view path, bool canCreate);
  void CloseKey();
  bool HasOpenKey() const { return open_; }
  // The open key's path below the root, its parts joined by backslashes.
  std::string CurrentPath() const;

  // The names of the open key's sub-keys, sorted without regard to letter
  // case as the registry lists them; empty when no key is open.
  std::vector<std::string> GetKeyNames() const;
  std::vector<std::string> GetValueNames() const;
  bool ValueExists(std::string_view name) const;

  std::string ReadString(std::string_view name) const;
  int ReadInteger(std::string_view name) const;
  bool ReadBool(std::string_view name) const;

  // Store REG_SZ and REG_DWORD values; raise RegistryError with the system's
  // reason when the store cannot be written.
  void WriteString(std::string_view name, std::string_view value);
  void WriteInteger(std::string_view name, int value);
  void WriteBool(std::string_view name, bool value);

 private:
  RegistryRoot root_;
  bool open_ = false;
  std::vector<std::string> path_;
};

}  // namespace vx
