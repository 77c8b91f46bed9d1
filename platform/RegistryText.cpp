// Registry export text: reading and writing the registry editor's .reg format.
#include "platform/RegistryText.h"

#include <algorithm>
#include <cstdio>

#include "platform/RegistryCase.h"
#include "platform/Utf.h"

namespace vx {
namespace {

constexpr std::string_view kVersionLine = "Windows Registry Editor Version 5.00";
constexpr std::size_t kHexLineLimit = 77;  // line length that makes hex data continue

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

std::size_t LowerBound(const std::vector<RegistryKey>& keys, const std::string& folded) {
  const auto it = std::lower_bound(keys.begin(), keys.end(), folded,
                                   [](const RegistryKey& key, const std::string& name) {
                                     return UpperUtf8(key.name) < name;
                                   });
  return static_cast<std::size_t>(it - keys.begin());
}

// --- Text encodings -------------------------------------------------------

// UTF-16LE code units to UTF-8. An unpaired surrogate gives false, or
// U+FFFD when lenient.
bool Utf16ToUtf8(const std::vector<char16_t>& units, std::string& out, bool lenient = false) {
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t code = units[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      if (!lenient) return false;
      code = 0xFFFD;
    }
    AppendUtf8(out, code);
  }
  return true;
}

std::vector<char16_t> Utf16FromBytes(const std::vector<std::uint8_t>& bytes, std::size_t count) {
  std::vector<char16_t> units;
  for (std::size_t i = 0; i + 1 < count; i += 2) {
    units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
  }
  return units;
}

// UTF-8 to UTF-16LE bytes; invalid bytes become U+FFFD.
std::vector<std::uint8_t> Utf16BytesFromUtf8(std::string_view text) {
  std::vector<std::uint8_t> out;
  for (const char16_t unit : FromUtf8(text)) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return out;
}

// The file's text as UTF-8: a UTF-16LE file (byte-order mark FF FE) is
// converted, a UTF-8 byte-order mark is dropped.
bool DecodeFile(std::string_view bytes, std::string& text, std::string& error) {
  if (bytes.size() >= 2 && static_cast<std::uint8_t>(bytes[0]) == 0xFF &&
      static_cast<std::uint8_t>(bytes[1]) == 0xFE) {
    if (bytes.size() % 2 != 0) {
      error = "UTF-16 text with an odd number of bytes";
      return false;
    }
    std::vector<char16_t> units;
    for (std::size_t i = 2; i < bytes.size(); i += 2) {
      units.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                            (static_cast<std::uint8_t>(bytes[i + 1]) << 8)));
    }
    if (!Utf16ToUtf8(units, text)) {
      error = "UTF-16 text with an unpaired surrogate";
      return false;
    }
    return true;
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  text.assign(bytes);
  return true;
}

// --- Reading --------------------------------------------------------------

struct Parser {
  std::vector<std::string_view> lines;
  std::size_t index = 0;  // the next line to read
  std::string_view rootName;
  std::string error;

  bool Fail(std::size_t lineIndex, const std::string& what) {
    error = "line " + std::to_string(lineIndex + 1) + ": " + what;
    return false;
  }

  // A quoted string starting at text[pos] == '"'; pos ends after the closing
  // quote. Only \\ and \" are escapes; a backslash before anything else is
  // kept as written, as hand-edited paths often have it.
  static bool ReadQuoted(std::string_view text, std::size_t& pos, std::string& out) {
    for (++pos; pos < text.size(); ++pos) {
      const char c = text[pos];
      if (c == '"') {
        ++pos;
        return true;
      }
      if (c == '\\' && pos + 1 < text.size() && (text[pos + 1] == '\\' || text[pos + 1] == '"')) {
        out += text[++pos];
      } else {
        out += c;
      }
    }
    return false;
  }

  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  static bool ParseHexNumber(std::string_view digits, std::size_t maxDigits, std::uint64_t& out) {
    if (digits.empty() || digits.size() > maxDigits) return false;
    out = 0;
    for (char c : digits) {
      const int d = HexDigit(c);
      if (d < 0) return false;
      out = out * 16 + static_cast<std::uint64_t>(d);
    }
    return true;
  }

  // Comma-separated byte pairs, continued on the following lines while a
  // line ends with a backslash.
  bool ReadHexBytes(std::string_view first, std::size_t lineIndex, std::vector<std::uint8_t>& out) {
    std::string joined(TrimBlanks(first));
    while (!joined.empty() && joined.back() == '\\') {
      joined.pop_back();
      if (index >= lines.size()) return Fail(lineIndex, "hex data continued past the end of the file");
      joined += TrimBlanks(lines[index++]);
    }
    std::string_view rest(joined);
    while (!rest.empty()) {
      const std::size_t comma = rest.find(',');
      const std::string_view item = TrimBlanks(rest.substr(0, comma));
      std::uint64_t byte = 0;
      if (!ParseHexNumber(item, 2, byte)) return Fail(lineIndex, "bad hex byte \"" + std::string(item) + "\"");
      out.push_back(static_cast<std::uint8_t>(byte));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
      if (TrimBlanks(rest).empty()) break;  // a trailing comma is tolerated
    }
    return true;
  }

  // Interprets hex data of a string or number type the way it is held.
  static RegistryValue FromBytes(std::string name, std::uint32_t type, std::vector<std::uint8_t> bytes) {
    RegistryValue value;
    value.name = std::move(name);
    value.type = type;
    if (type == kRegDword && bytes.size() == 4) {
      value.form = RegistryValue::Form::Dword;
      value.dword = static_cast<std::uint32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16)) |
                    (static_cast<std::uint32_t>(bytes[3]) << 24);
      return value;
    }
    if (type == kRegSz && bytes.size() >= 2 && bytes.size() % 2 == 0 && bytes[bytes.size() - 1] == 0 &&
        bytes[bytes.size() - 2] == 0) {
      std::string text;
      if (Utf16ToUtf8(Utf16FromBytes(bytes, bytes.size() - 2), text)) {
        value.form = RegistryValue::Form::Text;
        value.text = std::move(text);
        return value;
      }
    }
    value.form = RegistryValue::Form::Bytes;
    value.bytes = std::move(bytes);
    return value;
  }

  bool ParseValueLine(std::string_view line, std::size_t lineIndex, RegistryKey* key) {
    std::size_t pos = 0;
    std::string name;
    if (line[0] == '@') {
      pos = 1;
    } else if (!ReadQuoted(line, pos, name)) {
      return Fail(lineIndex, "value name without its closing quote");
    }
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos >= line.size() || line[pos] != '=') return Fail(lineIndex, "value without \"=\"");
    ++pos;
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    const std::string_view data = line.substr(pos);

    if (!data.empty() && data[0] == '"') {
      std::size_t end = 0;
      std::string text;
      if (!ReadQuoted(data, end, text)) return Fail(lineIndex, "string without its closing quote");
      if (!TrimBlanks(data.substr(end)).empty()) return Fail(lineIndex, "text after a string value");
      if (key) key->SetValue(RegistryValue::String(name, text));
      return true;
    }
    if (TrimBlanks(data) == "-") {
      if (key) key->RemoveValue(name);
      return true;
    }
    if (data.substr(0, 6) == "dword:") {
      std::uint64_t number = 0;
      if (!ParseHexNumber(TrimBlanks(data.substr(6)), 8, number)) return Fail(lineIndex, "bad dword value");
      if (key) key->SetValue(RegistryValue::Dword(name, static_cast<std::uint32_t>(number)));
      return true;
    }
    if (data.substr(0, 3) == "hex") {
      std::uint64_t type = kRegBinary;
      std::size_t colon = 3;
      if (data.size() > 3 && data[3] == '(') {
        const std::size_t close = data.find(')');
        if (close == std::string_view::npos || !ParseHexNumber(data.substr(4, close - 4), 8, type)) {
          return Fail(lineIndex, "bad hex value type");
        }
        colon = close + 1;
      }
      if (colon >= data.size() || data[colon] != ':') return Fail(lineIndex, "hex value without \":\"");
      std::vector<std::uint8_t> bytes;
      if (!ReadHexBytes(data.substr(colon + 1), lineIndex, bytes)) return false;
      if (key) key->SetValue(FromBytes(name, static_cast<std::uint32_t>(type), std::move(bytes)));
      return true;
    }
    return Fail(lineIndex, "unknown value data \"" + std::string(data.substr(0, 20)) + "\"");
  }

  // "[ROOT\a\b]" or "[-ROOT\a\b]"; sets current to the key, or to null after a deletion.
  bool ParseKeyLine(std::string_view line, std::size_t lineIndex, RegistryKey& root, RegistryKey*& current) {
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos || !TrimBlanks(line.substr(close + 1)).empty()) {
      return Fail(lineIndex, "key line without its closing \"]\"");
    }
    std::string_view path = line.substr(1, close - 1);
    const bool remove = !path.empty() && path[0] == '-';
    if (remove) path.remove_prefix(1);
    std::vector<std::string> parts = SplitKeyPath(path);
    if (parts.empty() || !SameNameIgnoringCase(parts[0], rootName)) {
      return Fail(lineIndex, "key \"" + std::string(path) + "\" is not under " + std::string(rootName));
    }
    parts.erase(parts.begin());
    if (remove) {
      if (parts.empty()) {
        root = RegistryKey{root.name, {}, {}};
      } else {
        const std::string last = parts.back();
        parts.pop_back();
        if (RegistryKey* parent = const_cast<RegistryKey*>(root.Find(parts))) parent->RemoveSubkey(last);
      }
      current = nullptr;
      return true;
    }
    current = &root.FindOrAdd(parts);
    return true;
  }

  bool Parse(RegistryKey& root) {
    if (index >= lines.size() || TrimBlanks(lines[index]) != kVersionLine) {
      return Fail(0, "the first line is not \"" + std::string(kVersionLine) + "\"");
    }
    ++index;
    RegistryKey* current = nullptr;
    bool inDeletedKey = false;
    while (index < lines.size()) {
      const std::size_t lineIndex = index;
      const std::string_view line = TrimBlanks(lines[index++]);
      if (line.empty() || line[0] == ';') continue;
      if (line[0] == '[') {
        if (!ParseKeyLine(line, lineIndex, root, current)) return false;
        inDeletedKey = current == nullptr;
      } else if (line[0] == '"' || line[0] == '@') {
        if (!current && !inDeletedKey) return Fail(lineIndex, "value before the first key");
        if (!ParseValueLine(line, lineIndex, current)) return false;
      } else {
        return Fail(lineIndex, "unexpected text \"" + std::string(line.substr(0, 20)) + "\"");
      }
    }
    return true;
  }
};

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// --- Writing --------------------------------------------------------------

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

// Byte pairs separated by commas; after a comma that brings the line to the
// editor's limit, the line is continued with a backslash and two blanks.
void AppendHex(std::string& out, std::size_t lineStart, const std::vector<std::uint8_t>& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 0xF];
    if (i + 1 == bytes.size()) break;
    out += ',';
    if (out.size() - lineStart >= kHexLineLimit) {
      out += "\\\r\n  ";
      lineStart = out.size() - 2;
    }
  }
}

std::string HexPrefix(std::uint32_t type) {
  if (type == kRegBinary) return "hex:";
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(type));
  return buffer;
}

void AppendValue(std::string& out, const RegistryValue& value) {
  const std::size_t lineStart = out.size();
  out += value.name.empty() ? std::string("@") : Quoted(value.name);
  out += '=';
  switch (value.form) {
    case RegistryValue::Form::Text:
      if (value.text.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos) {
        out += Quoted(value.text);
      } else {
        std::vector<std::uint8_t> bytes = Utf16BytesFromUtf8(value.text);
        bytes.push_back(0);
        bytes.push_back(0);
        out += HexPrefix(kRegSz);
        AppendHex(out, lineStart, bytes);
      }
      break;
    case RegistryValue::Form::Dword: {
      char buffer[24];
      std::snprintf(buffer, sizeof buffer, "dword:%08x", static_cast<unsigned>(value.dword));
      out += buffer;
      break;
    }
    case RegistryValue::Form::Bytes:
      out += HexPrefix(value.type);
      AppendHex(out, lineStart, value.bytes);
      break;
  }
  out += "\r\n";
}

void AppendKey(std::string& out, const RegistryKey& key, const std::string& path, bool writeHeader) {
  if (writeHeader) {
    out += "\r\n[" + path + "]\r\n";
    for (const RegistryValue& value : key.values) AppendValue(out, value);
  }
  for (const RegistryKey& child : key.subkeys) AppendKey(out, child, path + "\\" + child.name, true);
}

}  // namespace

RegistryValue RegistryValue::String(std::string_view name, std::string_view text) {
  RegistryValue value;
  value.name = name;
  value.type = kRegSz;
  value.form = Form::Text;
  value.text = text;
  return value;
}

RegistryValue RegistryValue::Dword(std::string_view name, std::uint32_t number) {
  RegistryValue value;
  value.name = name;
  value.type = kRegDword;
  value.form = Form::Dword;
  value.dword = number;
  return value;
}

bool StringData(const RegistryValue& value, std::string& text) {
  if (value.type != kRegSz && value.type != kRegExpandSz) return false;
  if (value.form == RegistryValue::Form::Text) {
    text = value.text.substr(0, value.text.find('\0'));
    return true;
  }
  std::vector<char16_t> units = Utf16FromBytes(value.bytes, value.bytes.size());
  units.erase(std::find(units.begin(), units.end(), u'\0'), units.end());
  text.clear();
  Utf16ToUtf8(units, text, /*lenient=*/true);
  return true;
}

RegistryKey* RegistryKey::FindSubkey(std::string_view childName) {
  const std::string folded = UpperUtf8(childName);
  const std::size_t at = LowerBound(subkeys, folded);
  return at < subkeys.size() && UpperUtf8(subkeys[at].name) == folded ? &subkeys[at] : nullptr;
}

const RegistryKey* RegistryKey::FindSubkey(std::string_view childName) const {
  return const_cast<RegistryKey*>(this)->FindSubkey(childName);
}

RegistryKey& RegistryKey::FindOrAddSubkey(std::string_view childName) {
  const std::string folded = UpperUtf8(childName);
  const std::size_t at = LowerBound(subkeys, folded);
  if (at < subkeys.size() && UpperUtf8(subkeys[at].name) == folded) return subkeys[at];
  return *subkeys.insert(subkeys.begin() + static_cast<std::ptrdiff_t>(at), RegistryKey{std::string(childName), {}, {}});
}

void RegistryKey::RemoveSubkey(std::string_view childName) {
  if (RegistryKey* child = FindSubkey(childName)) subkeys.erase(subkeys.begin() + (child - subkeys.data()));
}

const RegistryValue* RegistryKey::FindValue(std::string_view valueName) const {
  for (const RegistryValue& value : values) {
    if (SameNameIgnoringCase(value.name, valueName)) return &value;
  }
  return nullptr;
}

void RegistryKey::SetValue(RegistryValue value) {
  for (RegistryValue& existing : values) {
    if (SameNameIgnoringCase(existing.name, value.name)) {
      value.name = existing.name;  // the name keeps the spelling it was created with
      existing = std::move(value);
      return;
    }
  }
  values.push_back(std::move(value));
}

void RegistryKey::RemoveValue(std::string_view valueName) {
  std::erase_if(values, [&](const RegistryValue& value) { return SameNameIgnoringCase(value.name, valueName); });
}

const RegistryKey* RegistryKey::Find(const std::vector<std::string>& path) const {
  const RegistryKey* key = this;
  for (const std::string& part : path) {
    key = key->FindSubkey(part);
    if (!key) return nullptr;
  }
  return key;
}

RegistryKey& RegistryKey::FindOrAdd(const std::vector<std::string>& path) {
  RegistryKey* key = this;
  for (const std::string& part : path) key = &key->FindOrAddSubkey(part);
  return *key;
}

std::vector<std::string> SplitKeyPath(std::string_view path) {
  std::vector<std::string> parts;
  while (!path.empty()) {
    const std::size_t slash = path.find('\\');
    if (slash != 0) parts.emplace_back(path.substr(0, slash));
    if (slash == std::string_view::npos) break;
    path.remove_prefix(slash + 1);
  }
  return parts;
}

bool ParseRegistryText(std::string_view bytes, std::string_view rootName, RegistryKey& root,
                       std::string& error) {
  root = RegistryKey{std::string(rootName), {}, {}};
  std::string text;
  if (!DecodeFile(bytes, text, error)) return false;
  Parser parser;
  parser.lines = SplitLines(text);
  parser.rootName = rootName;
  while (!parser.lines.empty() && TrimBlanks(parser.lines.back()).empty()) parser.lines.pop_back();
  if (parser.lines.empty()) return true;
  if (!parser.Parse(root)) {
    error = parser.error;
    root = RegistryKey{std::string(rootName), {}, {}};
    return false;
  }
  return true;
}

std::string WriteRegistryText(const RegistryKey& root, std::string_view rootName) {
  std::string out(kVersionLine);
  out += "\r\n";
  AppendKey(out, root, std::string(rootName), !root.values.empty());
  out += "\r\n";
  return out;
}

}  // namespace vx
