// Registry accessor: one open key under a chosen root, typed reads and writes.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

enum class RegistryRoot { CurrentUser, LocalMachine };

class RegistryKey;
struct RegistryValue;

// The full name of a root as registry paths spell it ("HKEY_CURRENT_USER").
inline std::string_view RootName(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

// Raised by a read of a value that is missing or of the wrong type, and by a
// write the store refuses; what() is a sentence fit for a message box.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An accessor to the registry: it chooses a root, opens one key at a time by
// its path below that root, and reads and writes that key's values. Each
// routine makes its own accessor; the key is closed when the accessor goes
// out of scope, on every way out. Keys and value names beyond the registry's
// limits (512 levels, 255 characters a key name, 16,383 a value name) are
// neither opened nor made. An accessor reads the store once, and again only
// when another writer has changed it since, so that a routine's many opens
// and reads cost one reading.
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
  void SetRootKey(RegistryRoot root) {
    CloseKey();
    root_ = root;
  }
  RegistryRoot RootKey() const { return root_; }

  // Closes any open key and opens the key at path below the root (a leading
  // backslash makes no difference). With canCreate the key and every missing
  // key on its path are created. False when the key is missing (and not to
  // be created) or cannot be read or created.
  bool OpenKey(std::string_view path, bool canCreate);
  // Opens an existing key, as OpenKey without creating, but only when it
  // could be written too (the registry's full access rights): false also
  // when the store refuses writes.
  bool OpenKeyForWriting(std::string_view path);
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
  // A flag is kept as the integer 1 or 0.
  bool ReadBool(std::string_view name) const { return ReadInteger(name) != 0; }

  // Store REG_SZ and REG_DWORD values; raise RegistryError with the system's
  // reason when the store cannot be written.
  void WriteString(std::string_view name, std::string_view value);
  void WriteInteger(std::string_view name, int value);
  void WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }

  // Gathers the writes that follow, the keys OpenKey creates included, until
  // CommitWrites stores them together: one replacement of the store instead
  // of one per value. Reads in between see them. Writes still gathered when
  // the accessor goes out of scope are dropped. (The Windows registry stores
  // each write at once; there these two only mark the span.)
  void BeginWrites() { gathering_ = true; }
  // Stores the gathered writes; raises RegistryError with the system's
  // reason when the store cannot be written, and then none of them is stored.
  void CommitWrites();

 private:
  struct Store;  // the platform's binding: files read, writes gathered

  Store& Backing() const;
  // The one lookup behind every value read (RegistryReads.cpp): the open
  // key's value of that name as stored; false when no key is open, the key
  // has gone, or the value is missing.
  bool LookUp(std::string_view name, RegistryValue& value) const;
  // The open key in the store's current content; null when none is open.
  const RegistryKey* OpenedKey() const;
  void Write(RegistryValue value);

  RegistryRoot root_;
  bool open_ = false;
  bool gathering_ = false;
  std::vector<std::string> path_;
  std::unique_ptr<Store> store_;
};

}  // namespace vx
