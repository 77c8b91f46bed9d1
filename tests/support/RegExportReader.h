// A small reader of the registry editor's export files for tests, written apart from the product's store.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vx::test {

// One value as the registry editor imports it: its type and its data, a
// string as UTF-16LE with its terminating NUL, a dword as four little-endian
// bytes, hex data as listed.
struct RegImportedValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool operator==(const RegImportedValue&) const = default;
};

struct RegImportedKey {
  std::string path;  // as written between the brackets, in UTF-8
  std::vector<std::pair<std::string, RegImportedValue>> values;  // name ("" for @) and value, in file order
};

struct RegImport {
  std::vector<RegImportedKey> keys;  // in file order
  std::string error;                 // empty when the file follows the rules below; else the first fault
};

// The text of an export in UTF-8 when its bytes are what the registry editor
// writes: the UTF-16LE byte-order mark, then UTF-16LE text without unpaired
// surrogates, every line ended by CR LF. Otherwise "not an export: " and
// the fault, so that a comparison shows it.
std::string RegExportText(std::string_view bytes);

// Reads an export by the registry editor's rules: the text as above; the
// line "Windows Registry Editor Version 5.00" and a blank line; then keys,
// each a blank line, "[path]" and its value lines; a blank line at the end.
// A value line is a name ("@" or quoted) "=" and data: a quoted string, in
// which only the backslash and the quote are escaped, each by a backslash;
// "dword:" and eight lower-case hex digits; or "hex:" or "hex(type):" and
// lower-case byte pairs separated by commas, where a line ending in a comma
// and a backslash is at most 80 characters long and the next one starts
// with two blanks.
RegImport ImportRegExport(std::string_view bytes);

// UTF-16 text as little-endian bytes, as the editor stores it.
std::string Utf16LeBytes(std::u16string_view text);

}  // namespace vx::test
