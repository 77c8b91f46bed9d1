// Writing a styled-text document as minimal 7-bit RTF that word processors and our reader load back.
#include "richtext/RtfWriter.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <utility>
#include <vector>

#include "base/Utf.h"

namespace vx {
namespace {

constexpr std::size_t kLineLength = 200;  // a line break is inserted between tokens after this

// The Windows-1252 byte of a UTF-16 unit, or 0 when it has none.
unsigned char Cp1252Byte(char16_t unit) {
  if (unit >= 0xA0 && unit <= 0xFF) return static_cast<unsigned char>(unit);
  static constexpr std::pair<char16_t, unsigned char> kHigh[] = {
      {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
      {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
      {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
      {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
      {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F}};
  for (const auto& [code, byte] : kHigh) {
    if (code == unit) return byte;
  }
  return 0;
}

class RtfBuilder {
 public:
  explicit RtfBuilder(const SymbolFaceTest& isSymbolFace) : isSymbolFace_(isSymbolFace) {}

  std::string Write(const StyledText& text);

 private:
  struct Font {
    std::string face;
    int charset;  // \fcharset: 0 ANSI, 2 symbol, else the script's own
  };

  bool IsSymbol(const CharFormat& format) { return IsSymbol(format.face, format.charset); }
  bool IsSymbol(const std::string& face, CharSet charset);
  int FontIndex(const std::string& face, CharSet charset, bool symbol);
  void OpenGroup(const CharFormat& format, bool symbol);
  void AssociatedWords(const CharFormat& format);
  void ParagraphWords(const ParagraphFormat& paragraph);
  void Unit(char16_t unit, bool symbol);
  void Number(int value);
  void Hex(unsigned char byte, std::string& out);
  void UnicodeWithFallback(char16_t unit, std::string& out);
  void Wrap();
  std::string FontTable();

  const SymbolFaceTest& isSymbolFace_;
  std::vector<Font> fonts_;
  std::map<std::pair<std::string, int>, int> fontIndex_;  // (face, charset) -> table index
  std::map<std::string, bool> faceCache_;                  // face -> catalogue answer
  std::string body_;
  std::size_t lineStart_ = 0;
};

bool RtfBuilder::IsSymbol(const std::string& face, CharSet charset) {
  if (charset == CharSet::Symbol) return true;
  if (!isSymbolFace_) return false;
  const auto found = faceCache_.find(face);
  if (found != faceCache_.end()) return found->second;
  const bool symbol = isSymbolFace_(face);
  faceCache_.emplace(face, symbol);
  return symbol;
}

// The table entry of a face in a character set; symbol runs are written in set 2.
int RtfBuilder::FontIndex(const std::string& face, CharSet set, bool symbol) {
  const int charset = symbol ? 2 : set == CharSet::Default ? 0 : static_cast<int>(set);
  const auto [found, added] = fontIndex_.try_emplace({face, charset}, static_cast<int>(fonts_.size()));
  if (added) fonts_.push_back(Font{face, charset});
  return found->second;
}

void RtfBuilder::Number(int value) {
  char digits[16];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  body_.append(digits, end);
}

void RtfBuilder::Hex(unsigned char byte, std::string& out) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += "\\'";
  out.push_back(kDigits[byte >> 4]);
  out.push_back(kDigits[byte & 15]);
}

// \uN with N signed 16-bit, then the Windows-1252 byte as fallback, or "?".
void RtfBuilder::UnicodeWithFallback(char16_t unit, std::string& out) {
  char digits[16];
  const int value = unit > 0x7FFF ? static_cast<int>(unit) - 0x10000 : static_cast<int>(unit);
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  out += "\\u";
  out.append(digits, end);
  const unsigned char fallback = Cp1252Byte(unit);
  if (fallback != 0) {
    Hex(fallback, out);
  } else {
    out.push_back('?');
  }
}

void RtfBuilder::OpenGroup(const CharFormat& format, bool symbol) {
  body_ += "{\\f";
  Number(FontIndex(format.face, format.charset, symbol));
  body_ += "\\fs";
  Number(std::clamp(format.halfPoints, 1, kMaxHalfPoints));
  if (format.bold) body_ += "\\b";
  if (format.italic) body_ += "\\i";
  AssociatedWords(format);
  body_ += ' ';  // the delimiter: a run that starts with a space or digit stays intact
}

// The direction and associated format, after which \af speaks of
// right-to-left and complex-script characters; the letter spacing.
void RtfBuilder::AssociatedWords(const CharFormat& format) {
  if (format.direction != TextDirection::Unset)
    body_ += format.direction == TextDirection::RightToLeft ? "\\rtlch" : "\\ltrch";
  if (format.associated) {
    const AssociatedFormat& a = *format.associated;
    const bool symbol = IsSymbol(a.face, a.charset);
    body_ += "\\af";
    Number(FontIndex(a.face, a.charset, symbol));
    body_ += "\\afs";
    Number(std::clamp(a.halfPoints, 1, kMaxHalfPoints));
    if (a.bold) body_ += "\\ab";
    if (a.italic) body_ += "\\ai";
  }
  if (format.expandTwips != 0) {
    body_ += "\\expndtw";
    Number(format.expandTwips);
  }
}

// A paragraph's direction and alignment, where it has them, from a \pard
// that ends those of the paragraph before.
void RtfBuilder::ParagraphWords(const ParagraphFormat& paragraph) {
  body_ += "\\pard";
  if (paragraph.direction != TextDirection::Unset)
    body_ += paragraph.direction == TextDirection::RightToLeft ? "\\rtlpar" : "\\ltrpar";
  constexpr const char* kAlignWords[] = {"", "\\ql", "\\qc", "\\qr", "\\qj"};
  body_ += kAlignWords[static_cast<int>(paragraph.alignment)];
  body_ += ' ';
}

void RtfBuilder::Unit(char16_t unit, bool symbol) {
  if (unit == u'\t') {
    body_ += "\\tab ";
  } else if (unit == kLineSeparator) {
    body_ += "\\line ";
  } else if (symbol && unit >= 0x20 && unit <= 0xFF) {
    Hex(static_cast<unsigned char>(unit), body_);
  } else if (symbol && unit >= 0xF020 && unit <= 0xF0FF) {
    Hex(static_cast<unsigned char>(unit & 0xFF), body_);
  } else if (unit == u'\\' || unit == u'{' || unit == u'}') {
    body_.push_back('\\');
    body_.push_back(static_cast<char>(unit));
  } else if (unit >= 0x20 && unit <= 0x7E) {
    body_.push_back(static_cast<char>(unit));
  } else {
    UnicodeWithFallback(unit, body_);
  }
  Wrap();
}

// Bare line breaks between tokens are ignored by readers; they keep lines short.
void RtfBuilder::Wrap() {
  if (body_.size() - lineStart_ < kLineLength) return;
  body_ += "\r\n";
  lineStart_ = body_.size();
}

std::string RtfBuilder::FontTable() {
  std::string table = "{\\fonttbl";
  for (std::size_t i = 0; i < fonts_.size(); ++i) {
    table += "{\\f" + std::to_string(i) + "\\fnil\\fcharset" + std::to_string(fonts_[i].charset) + " ";
    // A name is read in its font's code page: bytes are Windows-1252 in the
    // ANSI and symbol sets only.
    const bool cp1252Name = fonts_[i].charset == 0 || fonts_[i].charset == 2;
    const std::u16string name = FromUtf8(fonts_[i].face);  // face names are UTF-8 in the model
    for (const char16_t unit : name) {
      if (unit == u'\\' || unit == u'{' || unit == u'}' || unit == u';') {
        Hex(static_cast<unsigned char>(unit), table);
      } else if (unit >= 0x20 && unit <= 0x7E) {
        table.push_back(static_cast<char>(unit));
      } else if (cp1252Name && Cp1252Byte(unit) != 0) {
        Hex(Cp1252Byte(unit), table);
      } else {
        UnicodeWithFallback(unit, table);
      }
    }
    table += ";}";
  }
  table += "}";
  return table;
}

std::string RtfBuilder::Write(const StyledText& text) {
  ParagraphFormat paragraph;  // the one \pard\plain at the start sets
  for (const StyledLine& line : text.lines) {
    if (line.paragraph != paragraph) ParagraphWords(line.paragraph);
    paragraph = line.paragraph;
    for (std::size_t r = 0; r < line.runs.size(); ++r) {
      const StyledRun& run = line.runs[r];
      const bool symbol = IsSymbol(run.format);
      OpenGroup(run.format, symbol);
      for (const char16_t unit : run.text) Unit(unit, symbol);
      // The paragraph mark shares the last run's group when it has the same format.
      if (r + 1 == line.runs.size() && run.format == line.endFormat) {
        body_ += "\\par\r\n}";
        lineStart_ = body_.size() - 1;
      } else {
        body_ += "}";
      }
    }
    if (line.runs.empty() || line.runs.back().format != line.endFormat) {
      OpenGroup(line.endFormat, IsSymbol(line.endFormat));
      body_ += "\\par\r\n}";
      lineStart_ = body_.size() - 1;
    }
  }
  if (fonts_.empty()) FontIndex(CharFormat{}.face, CharSet::Default, false);
  return "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1" + FontTable() + "\r\n\\pard\\plain " + body_ + "\r\n}\r\n";
}

}  // namespace

std::string WriteRtf(const StyledText& text, const SymbolFaceTest& isSymbolFace) {
  return RtfBuilder(isSymbolFace).Write(text);
}

}  // namespace vx
