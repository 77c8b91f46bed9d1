// Registry export text: reading and writing the registry editor's .reg format.
#include "platform/registry/RegistryText.h"

#include <cstdio>
#include <optional>
#include <utility>

#include "platform/NameCase.h"
#include "base/Utf.h"

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

// --- Text encodings -------------------------------------------------------

// UTF-16 code units appended to out as little-endian byte pairs.
template <typename Bytes>
void AppendLittleEndian(Bytes& out, std::u16string_view units) {
  using Byte = typename Bytes::value_type;
  for (const char16_t unit : units) {
    out.push_back(static_cast<Byte>(unit & 0xFF));
    out.push_back(static_cast<Byte>(unit >> 8));
  }
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
    std::optional<std::string> decoded = ToUtf8Strict(Utf16FromBytes(bytes.substr(2), false));
    if (!decoded) {
      error = "UTF-16 text with an unpaired surrogate";
      return false;
    }
    text = std::move(*decoded);
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

  bool ParseValueLine(std::string_view line, std::size_t lineIndex, RegistryKey* key) {
    std::size_t pos = 0;
    std::string name;
    if (line[0] == '@') {
      pos = 1;
    } else if (!ReadQuoted(line, pos, name)) {
      return Fail(lineIndex, "value name without its closing quote");
    } else if (!ValueNameFits(name)) {
      return Fail(lineIndex, "value name longer than " + std::to_string(kMaxValueNameLength) + " characters");
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
      if (key) key->SetValue(RegistryValue::Stored(name, static_cast<std::uint32_t>(type), std::move(bytes)));
      return true;
    }
    return Fail(lineIndex, "unknown value data \"" + std::string(data.substr(0, 20)) + "\"");
  }

  // The names of a key line's path, the root's first; false when the path
  // is deeper or a name longer than the registry allows. Stops at the first
  // name beyond the limits, so a path of any length costs little.
  bool SplitWithinLimits(std::string_view path, std::size_t lineIndex, std::vector<std::string_view>& parts) {
    parts.clear();
    while (!path.empty()) {
      const std::size_t slash = path.find('\\');
      if (slash != 0) {
        const std::string_view part = path.substr(0, slash);
        if (parts.size() > kMaxKeyDepth) {
          return Fail(lineIndex, "key path deeper than " + std::to_string(kMaxKeyDepth) + " levels");
        }
        if (!parts.empty() && !KeyNameFits(part)) {
          return Fail(lineIndex, "key name longer than " + std::to_string(kMaxKeyNameLength) + " characters");
        }
        parts.push_back(part);
      }
      if (slash == std::string_view::npos) break;
      path.remove_prefix(slash + 1);
    }
    return true;
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
    std::vector<std::string_view> names;
    if (!SplitWithinLimits(path, lineIndex, names)) return false;
    if (names.empty() || !SameNameIgnoringCase(names[0], rootName)) {
      const std::string_view shown = path.substr(0, 80);
      return Fail(lineIndex, "key \"" + std::string(shown) + "\" is not under " + std::string(rootName));
    }
    std::vector<std::string> parts(names.begin() + 1, names.end());
    if (remove) {
      if (parts.empty()) {
        root = RegistryKey(root.Name());
      } else {
        const std::string last = parts.back();
        parts.pop_back();
        if (RegistryKey* parent = root.Find(parts)) parent->RemoveSubkey(last);
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

void AppendAscii(std::u16string& out, std::string_view ascii) {
  for (const char c : ascii) out += static_cast<char16_t>(static_cast<unsigned char>(c));
}

// The export text, made as UTF-16 code units so that its line lengths count
// characters as the registry editor counts them, and stored little-endian
// behind a byte-order mark.
class ExportWriter {
 public:
  ExportWriter() {
    out_ += u'\uFEFF';
    AppendAscii(out_, kVersionLine);
    out_ += u"\r\n";
  }

  void Key(std::u16string_view path, const RegistryKey& key) {
    out_ += u"\r\n[";
    out_ += path;
    out_ += u"]\r\n";
    for (const RegistryValue& value : key.Values()) Value(value);
  }

  std::string Finish() {
    out_ += u"\r\n";
    std::string bytes;
    bytes.reserve(out_.size() * 2);
    AppendLittleEndian(bytes, out_);
    return bytes;
  }

 private:
  // Only the backslash and the quote are escaped, each by a backslash.
  void Quoted(std::string_view text) {
    out_ += u'"';
    for (const char16_t unit : FromUtf8(text)) {
      if (unit == u'\\' || unit == u'"') out_ += u'\\';
      out_ += unit;
    }
    out_ += u'"';
  }

  // Byte pairs separated by commas; after a comma that brings the line to
  // the editor's limit, the line is continued with a backslash and two blanks.
  void Hex(std::size_t lineStart, const std::vector<std::uint8_t>& bytes) {
    static const char16_t kDigits[] = u"0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      out_ += kDigits[bytes[i] >> 4];
      out_ += kDigits[bytes[i] & 0xF];
      if (i + 1 == bytes.size()) break;
      out_ += u',';
      if (out_.size() - lineStart >= kHexLineLimit) {
        out_ += u"\\\r\n  ";
        lineStart = out_.size() - 2;
      }
    }
  }

  void HexPrefix(std::uint32_t type) {
    if (type == kRegBinary) {
      out_ += u"hex:";
      return;
    }
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(type));
    AppendAscii(out_, buffer);
  }

  void Value(const RegistryValue& value) {
    const std::size_t lineStart = out_.size();
    if (value.name.empty()) {
      out_ += u'@';
    } else {
      Quoted(value.name);
    }
    out_ += u'=';
    switch (value.form) {
      case RegistryValue::Form::Text:
        if (value.text.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos) {
          Quoted(value.text);
        } else {
          std::vector<std::uint8_t> bytes;
          AppendLittleEndian(bytes, FromUtf8(value.text) + u'\0');
          HexPrefix(kRegSz);
          Hex(lineStart, bytes);
        }
        break;
      case RegistryValue::Form::Dword: {
        char buffer[24];
        std::snprintf(buffer, sizeof buffer, "dword:%08x", static_cast<unsigned>(value.dword));
        AppendAscii(out_, buffer);
        break;
      }
      case RegistryValue::Form::Bytes:
        HexPrefix(value.type);
        Hex(lineStart, value.bytes);
        break;
    }
    out_ += u"\r\n";
  }

  std::u16string out_;
};

}  // namespace

bool ParseRegistryText(std::string_view bytes, std::string_view rootName, RegistryKey& root,
                       std::string& error) {
  root = RegistryKey(std::string(rootName));
  std::string text;
  if (!DecodeFile(bytes, text, error)) return false;
  Parser parser;
  parser.lines = SplitLines(text);
  parser.rootName = rootName;
  while (!parser.lines.empty() && TrimBlanks(parser.lines.back()).empty()) parser.lines.pop_back();
  if (parser.lines.empty()) return true;
  if (!parser.Parse(root)) {
    error = parser.error;
    root = RegistryKey(std::string(rootName));
    return false;
  }
  return true;
}

std::string WriteRegistryText(const RegistryKey& root, std::string_view rootName) {
  ExportWriter writer;
  std::u16string path = FromUtf8(rootName);
  if (!root.Values().empty()) writer.Key(path, root);
  // Depth first without recursion: one level of iterators per key on the
  // way down, and one path that grows and shrinks with it.
  using Subkeys = decltype(root.Subkeys());
  struct Level {
    std::ranges::iterator_t<Subkeys> next;
    std::ranges::sentinel_t<Subkeys> end;
    std::size_t pathLength;
  };
  std::vector<Level> levels;
  levels.push_back({root.Subkeys().begin(), root.Subkeys().end(), path.size()});
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.next == level.end) {
      levels.pop_back();
      continue;
    }
    const RegistryKey& key = *level.next++;
    path.resize(level.pathLength);
    path += u'\\';
    path += FromUtf8(key.Name());
    writer.Key(path, key);
    levels.push_back({key.Subkeys().begin(), key.Subkeys().end(), path.size()});
  }
  return writer.Finish();
}

}  // namespace vx
