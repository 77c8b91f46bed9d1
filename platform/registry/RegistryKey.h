// Registry key model: keys, typed values and the registry's limits on names and depth.
#pragma once

#include <cstdint>
#include <map>
#include <ranges>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vx {

// Value types, numbered as the registry numbers them.
enum : std::uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegMultiSz = 7,
  kRegQword = 11,
};

// One named value. A plain string (REG_SZ) is held as UTF-8 text and a
// REG_DWORD as a number; every other value keeps its type and raw bytes as
// stored, so that it is written back unchanged.
struct RegistryValue {
  enum class Form { Text, Dword, Bytes };

  std::string name;  // empty for the key's default value ("@")
  std::uint32_t type = kRegSz;
  Form form = Form::Text;
  std::string text;
  std::uint32_t dword = 0;
  std::vector<std::uint8_t> bytes;

  static RegistryValue String(std::string_view name, std::string_view text);
  static RegistryValue Dword(std::string_view name, std::uint32_t number);
  // A value as the store keeps it, type and raw bytes: a REG_DWORD of four
  // bytes is held as its number, a REG_SZ of whole UTF-16 units ending in a
  // NUL (and free of unpaired surrogates) as its text, anything else as bytes.
  static RegistryValue Stored(std::string_view name, std::uint32_t type, std::vector<std::uint8_t> bytes);
};

// The text of a REG_SZ or REG_EXPAND_SZ value (an expandable string is not
// expanded), up to its first NUL character; false for every other type.
bool StringData(const RegistryValue& value, std::string& text);

// The registry's own limits: levels of keys below a root, and the length of
// a key name and of a value name in UTF-16 characters. A file beyond them is
// not read, and no key or value beyond them is made.
inline constexpr std::size_t kMaxKeyDepth = 512;
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;

bool KeyNameFits(std::string_view name);
bool ValueNameFits(std::string_view name);

// One key: its name as written, its values in the order they were first set,
// its sub-keys sorted without regard to letter case (the order the registry
// lists them in). Names are looked up without regard to letter case, each
// name folded once when it is stored. A tree of any depth is taken apart
// without recursion; it can be moved but not copied.
class RegistryKey {
 public:
  RegistryKey() = default;
  explicit RegistryKey(std::string name) : name_(std::move(name)) {}
  ~RegistryKey();
  RegistryKey(RegistryKey&& other) noexcept;
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  const std::string& Name() const { return name_; }
  // Ranges of const RegistryKey and const RegistryValue, in listing order.
  auto Subkeys() const { return std::views::values(subkeys_); }
  auto Values() const { return std::views::values(values_); }

  RegistryKey* FindSubkey(std::string_view childName);
  const RegistryKey* FindSubkey(std::string_view childName) const;
  RegistryKey& FindOrAddSubkey(std::string_view childName);
  void RemoveSubkey(std::string_view childName);

  const RegistryValue* FindValue(std::string_view valueName) const;
  // Replaces a value of the same name (in its place) or appends a new one.
  void SetValue(RegistryValue value);
  void RemoveValue(std::string_view valueName);

  // Follows a path of key names below this key; null when one is missing.
  RegistryKey* Find(const std::vector<std::string>& path);
  const RegistryKey* Find(const std::vector<std::string>& path) const;
  RegistryKey& FindOrAdd(const std::vector<std::string>& path);

 private:
  void Swap(RegistryKey& other) noexcept;

  std::string name_;
  std::map<std::string, RegistryKey> subkeys_;             // by upper-cased name
  std::map<std::uint64_t, RegistryValue> values_;          // by order of creation
  std::unordered_map<std::string, std::uint64_t> valueOrder_;  // upper-cased name -> key in values_
  std::uint64_t nextOrder_ = 0;
};

// Splits a key path at its backslashes, dropping empty parts, so that a
// leading backslash makes no difference.
std::vector<std::string> SplitKeyPath(std::string_view path);

}  // namespace vx
