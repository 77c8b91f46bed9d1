// Registry export text: reading and writing the registry editor's .reg format.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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
};

// The text of a REG_SZ or REG_EXPAND_SZ value (an expandable string is not
// expanded), up to its first NUL character; false for every other type.
bool StringData(const RegistryValue& value, std::string& text);

// One key: its name as written, its values in their order, its sub-keys
// sorted without regard to letter case (the order the registry lists them in).
struct RegistryKey {
  std::string name;
  std::vector<RegistryValue> values;
  std::vector<RegistryKey> subkeys;

  RegistryKey* FindSubkey(std::string_view childName);
  const RegistryKey* FindSubkey(std::string_view childName) const;
  RegistryKey& FindOrAddSubkey(std::string_view childName);
  void RemoveSubkey(std::string_view childName);

  const RegistryValue* FindValue(std::string_view valueName) const;
  // Replaces a value of the same name (in its place) or appends a new one.
  void SetValue(RegistryValue value);
  void RemoveValue(std::string_view valueName);

  // Follows a path of key names below this key; null when one is missing.
  const RegistryKey* Find(const std::vector<std::string>& path) const;
  RegistryKey& FindOrAdd(const std::vector<std::string>& path);
};

// Splits a key path at its backslashes, dropping empty parts, so that a
// leading backslash makes no difference.
std::vector<std::string> SplitKeyPath(std::string_view path);

// Reads an export file of one root (rootName is "HKEY_CURRENT_USER" or
// "HKEY_LOCAL_MACHINE") into root. Accepts UTF-16LE with a byte-order mark,
// as the registry editor exports, and UTF-8 with or without one; CR LF or LF
// line ends; hex data continued over lines; comment lines; key and value
// deletions ("[-...]", "\"Name\"=-"). Empty input is an empty root. Returns
// false with a reason naming the line when the text is not such a file or a
// key lies under another root.
bool ParseRegistryText(std::string_view bytes, std::string_view rootName, RegistryKey& root,
                       std::string& error);

// Writes root as the registry editor exports it: the version line, then each
// key with values as "[ROOT\path]" followed by its values and a blank line,
// keys depth first in listing order, CR LF line ends. The text is UTF-8 (the
// editor itself exports UTF-16LE; a file with non-ASCII text must be converted
// before Windows imports it). Strings holding a line break or a NUL character
// are written in the editor's hex(1) form so they survive the round trip.
std::string WriteRegistryText(const RegistryKey& root, std::string_view rootName);

}  // namespace vx
