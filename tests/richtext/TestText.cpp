// Helpers for rich-text tests: UTF-8 literals to UTF-16, documents from lines, readable dumps.
#include "TestText.h"

#include <cstdio>
#include <cstdlib>

#include "base/Utf.h"

namespace vx::test {

std::u16string U16(std::string_view utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    char32_t cp = b;
    std::size_t n = 1;
    if (b >= 0xF0) {
      cp = b & 0x07, n = 4;
    } else if (b >= 0xE0) {
      cp = b & 0x0F, n = 3;
    } else if (b >= 0xC0) {
      cp = b & 0x1F, n = 2;
    }
    for (std::size_t k = 1; k < n && i + k < utf8.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += n;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string U8(std::u16string_view utf16) { return ToUtf8(utf16); }

std::vector<FlatRun> Flatten(const StyledText& text) {
  std::vector<FlatRun> out;
  const auto add = [&](const std::string& piece, const CharFormat& f) {
    if (piece.empty()) return;
    FlatRun run{piece, f.face, f.halfPoints, f.bold, f.italic, f.charset == CharSet::Symbol};
    if (!out.empty()) {
      FlatRun key = out.back();
      key.text = piece;
      if (key == run) {
        out.back().text += piece;
        return;
      }
    }
    out.push_back(run);
  };
  for (std::size_t l = 0; l < text.lines.size(); ++l) {
    for (const auto& run : text.lines[l].runs) add(U8(run.text), run.format);
    if (l + 1 < text.lines.size()) add("\n", text.lines[l].endFormat);
  }
  return out;
}

std::string Describe(const std::vector<FlatRun>& runs) {
  std::string out;
  for (const auto& r : runs) {
    out += "(\"" + r.text + "\"|" + r.face + "|" + std::to_string(r.halfPoints) + (r.bold ? "|b" : "") +
           (r.italic ? "|i" : "") + (r.symbol ? "|sym" : "") + ") ";
  }
  return out;
}

namespace {
std::string FormatText(const CharFormat& f) {
  return f.face + "|" + std::to_string(f.halfPoints) + (f.bold ? "|b" : "") + (f.italic ? "|i" : "") +
         (f.charset == CharSet::Symbol ? "|sym" : "");
}
}  // namespace

std::string FirstDifference(const StyledText& a, const StyledText& b) {
  if (a.lines.size() != b.lines.size()) {
    return "line count " + std::to_string(a.lines.size()) + " vs " + std::to_string(b.lines.size());
  }
  for (std::size_t l = 0; l < a.lines.size(); ++l) {
    const StyledLine& x = a.lines[l];
    const StyledLine& y = b.lines[l];
    const std::string where = "line " + std::to_string(l) + ": ";
    if (x.runs.size() != y.runs.size()) {
      return where + "run count " + std::to_string(x.runs.size()) + " vs " + std::to_string(y.runs.size());
    }
    for (std::size_t r = 0; r < x.runs.size(); ++r) {
      if (x.runs[r] == y.runs[r]) continue;
      return where + "run " + std::to_string(r) + " \"" + U8(x.runs[r].text) + "\" " + FormatText(x.runs[r].format) +
             " vs \"" + U8(y.runs[r].text) + "\" " + FormatText(y.runs[r].format);
    }
    if (!(x.endFormat == y.endFormat)) {
      return where + "end " + FormatText(x.endFormat) + " vs " + FormatText(y.endFormat);
    }
  }
  return "";
}

std::string TestDataDir() { return VX_TESTDATA_DIR; }

std::string PlainOf(const StyledText& text) {
  std::string out;
  for (std::size_t l = 0; l < text.lines.size(); ++l) {
    if (l > 0) out += "\n";
    for (const auto& run : text.lines[l].runs) out += U8(run.text);
  }
  return out;
}

std::string Dump(const StyledText& text) {
  std::string out;
  for (std::size_t l = 0; l < text.lines.size(); ++l) {
    if (l > 0) out += " ¶ ";
    for (const auto& run : text.lines[l].runs) {
      const CharFormat& f = run.format;
      out += "(\"" + U8(run.text) + "\"|" + f.face + "|" + std::to_string(f.halfPoints) +
             (f.bold ? "|b" : "") + (f.italic ? "|i" : "") +
             (f.charset == CharSet::Symbol ? "|sym" : "") + ")";
    }
  }
  return out;
}

}  // namespace vx::test

namespace vx {
void PrintTo(const StyledText& text, std::ostream* os) { *os << test::Dump(text); }
}  // namespace vx
