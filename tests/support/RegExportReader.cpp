// A small reader of the registry editor's export files for tests, written apart from the product's store.
#include "tests/support/RegExportReader.h"

namespace vx::test {
namespace {

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00";
constexpr std::size_t kLongestContinuedLine = 80;

void PutUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-16 to UTF-8; false at an unpaired surrogate.
bool ToUtf8(std::u16string_view units, std::string& out) {
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t cp = units[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      return false;
    }
    PutUtf8(out, cp);
  }
  return true;
}

std::string Narrow(std::u16string_view units) {
  std::string out;
  ToUtf8(units, out);
  return out;
}

// The UTF-16 text of an export; false with the fault in error.
bool DecodeUnits(std::string_view bytes, std::u16string& units, std::string& error) {
  if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF || static_cast<unsigned char>(bytes[1]) != 0xFE) {
    error = "no UTF-16LE byte-order mark";
    return false;
  }
  if (bytes.size() % 2 != 0) {
    error = "an odd number of bytes";
    return false;
  }
  for (std::size_t i = 2; i < bytes.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   (static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  std::string ignored;
  if (!ToUtf8(units, ignored)) {
    error = "an unpaired surrogate";
    return false;
  }
  for (std::size_t i = 0; i < units.size(); ++i) {
    const bool crWithoutLf = units[i] == u'\r' && (i + 1 == units.size() || units[i + 1] != u'\n');
    const bool lfWithoutCr = units[i] == u'\n' && (i == 0 || units[i - 1] != u'\r');
    if (crWithoutLf || lfWithoutCr) {
      error = "a line break that is not CR LF";
      return false;
    }
  }
  if (units.size() < 2 || units.substr(units.size() - 2) != u"\r\n") {
    error = "a last line without CR LF";
    return false;
  }
  return true;
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;  // the editor writes lower-case digits only
}

class Importer {
 public:
  explicit Importer(std::u16string_view text) {
    while (!text.empty()) {
      const std::size_t end = text.find(u"\r\n");
      lines_.push_back(text.substr(0, end));
      text.remove_prefix(end + 2);
    }
  }

  RegImport Run() {
    Parse();
    return std::move(result_);
  }

 private:
  bool Parse() {
    if (lines_.size() < 2 || lines_[0] != kHeader || !lines_[1].empty()) {
      return Failed(0, "not the version line and a blank line");
    }
    // Each key: its line, its values, a blank line.
    std::size_t i = 2;
    while (i < lines_.size()) {
      if (lines_[i].size() < 2 || lines_[i].front() != u'[' || lines_[i].back() != u']') {
        return Failed(i, "not a key line");
      }
      result_.keys.push_back({Narrow(lines_[i].substr(1, lines_[i].size() - 2)), {}});
      ++i;
      while (i < lines_.size() && !lines_[i].empty()) {
        if (!Value(i)) return false;
      }
      if (i == lines_.size()) return Failed(i, "no blank line after a key");
      ++i;
    }
    return true;
  }

  bool Failed(std::size_t line, const std::string& what) {
    if (result_.error.empty()) result_.error = "line " + std::to_string(line + 1) + ": " + what;
    return false;
  }

  // A quoted text at line[pos] == '"'; pos ends after the closing quote.
  static bool Quoted(std::u16string_view line, std::size_t& pos, std::u16string& out) {
    if (pos >= line.size() || line[pos] != u'"') return false;
    for (++pos; pos < line.size(); ++pos) {
      if (line[pos] == u'"') {
        ++pos;
        return true;
      }
      if (line[pos] == u'\\') {
        if (pos + 1 >= line.size() || (line[pos + 1] != u'\\' && line[pos + 1] != u'"')) return false;
        ++pos;
      }
      out += line[pos];
    }
    return false;
  }

  // One value line, with its continuation lines; i ends after them.
  bool Value(std::size_t& i) {
    const std::size_t first = i;
    std::u16string_view line = lines_[i++];
    std::u16string name;
    std::size_t pos = 0;
    if (line.starts_with(u"@=")) {
      pos = 1;
    } else if (!Quoted(line, pos, name)) {
      return Failed(first, "a value name that is not quoted as the editor quotes");
    }
    if (pos >= line.size() || line[pos] != u'=') return Failed(first, "no \"=\" after the value name");
    std::u16string_view data = line.substr(pos + 1);
    RegImportedValue value;
    if (data.starts_with(u"\"")) {
      std::u16string text;
      std::size_t end = 0;
      if (!Quoted(data, end, text) || end != data.size()) return Failed(first, "a string not quoted as the editor quotes");
      value.type = 1;
      for (const char16_t unit : text + u'\0') {
        value.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        value.data.push_back(static_cast<std::uint8_t>(unit >> 8));
      }
    } else if (data.starts_with(u"dword:")) {
      data.remove_prefix(6);
      if (data.size() != 8) return Failed(first, "a dword without eight digits");
      std::uint32_t number = 0;
      for (const char16_t c : data) {
        if (HexValue(c) < 0) return Failed(first, "a dword digit that the editor does not write");
        number = number * 16 + static_cast<std::uint32_t>(HexValue(c));
      }
      value.type = 4;
      for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<std::uint8_t>(number >> shift));
    } else if (data.starts_with(u"hex")) {
      if (!HexValueData(data, first, i, value)) return false;
    } else {
      return Failed(first, "data of no known form");
    }
    result_.keys.back().values.emplace_back(Narrow(name), std::move(value));
    return true;
  }

  bool HexValueData(std::u16string_view data, std::size_t first, std::size_t& i, RegImportedValue& value) {
    value.type = 3;
    data.remove_prefix(3);
    if (data.starts_with(u"(")) {
      const std::size_t close = data.find(u')');
      if (close == std::u16string_view::npos || close == 1) return Failed(first, "a hex type without \")\"");
      value.type = 0;
      for (const char16_t c : data.substr(1, close - 1)) {
        if (HexValue(c) < 0) return Failed(first, "a hex type digit that the editor does not write");
        value.type = value.type * 16 + static_cast<std::uint32_t>(HexValue(c));
      }
      data.remove_prefix(close + 1);
    }
    if (!data.starts_with(u":")) return Failed(first, "no \":\" after hex");
    data.remove_prefix(1);
    std::size_t line = first;
    for (;;) {
      const bool continued = data.ends_with(u",\\");
      if (continued) {
        if (lines_[line].size() > kLongestContinuedLine) return Failed(line, "a continued hex line longer than 80");
        data.remove_suffix(1);
      }
      while (!data.empty()) {
        if (data.size() < 2 || HexValue(data[0]) < 0 || HexValue(data[1]) < 0) return Failed(line, "not a byte pair");
        value.data.push_back(static_cast<std::uint8_t>(HexValue(data[0]) * 16 + HexValue(data[1])));
        data.remove_prefix(2);
        if (data.empty()) break;
        if (data[0] != u',' || (data.size() == 1 && !continued)) return Failed(line, "bytes not separated by commas");
        data.remove_prefix(1);
      }
      if (!continued) return true;
      if (i >= lines_.size() || !lines_[i].starts_with(u"  ") || lines_[i].starts_with(u"   ")) {
        return Failed(i, "a hex continuation line not indented by two blanks");
      }
      line = i;
      data = lines_[i++].substr(2);
    }
  }

  std::vector<std::u16string_view> lines_;
  RegImport result_;
};

}  // namespace

std::string RegExportText(std::string_view bytes) {
  std::u16string units;
  std::string error;
  if (!DecodeUnits(bytes, units, error)) return "not an export: " + error;
  return Narrow(units);
}

RegImport ImportRegExport(std::string_view bytes) {
  std::u16string units;
  RegImport result;
  if (!DecodeUnits(bytes, units, result.error)) return result;
  return Importer(units).Run();
}

std::string Utf16LeBytes(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace vx::test
