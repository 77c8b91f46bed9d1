// StyledText: the toolkit-free rich-text document the editor, files and layout share.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vx {

// A line break inside a paragraph (RTF's \line): kept inside a run's text,
// where a paragraph break ends the line.
inline constexpr char16_t kLineSeparator = 0x2028;

// The largest size a character may have (the editor's own limit), in points
// and in the half points files and formats count in.
inline constexpr int kMaxPointSize = 1638;
inline constexpr int kMaxHalfPoints = 2 * kMaxPointSize;

// The face of text that names none, the editor's own default.
inline constexpr const char* kDefaultFace = "Times New Roman";

// A font's character set by its Windows number (RTF's \fcharset). Every one
// but Symbol holds text; a script's own (128 Japanese, 204 Cyrillic, ...)
// keeps its number, so that a face that is not installed is stood in for by
// one for that script.
enum class CharSet : unsigned char {
  Default = 1,  // text: characters are Unicode code units
  Symbol = 2,   // symbol face: characters are codes 0x20..0xFF
};

// The character set of a font's \fcharset number: Default for ANSI (0),
// DEFAULT, numbers out of range and none (-1); any other as it is.
inline constexpr CharSet CharSetOfNumber(int number) {
  return number <= 1 || number > 255 ? CharSet::Default : static_cast<CharSet>(number);
}

// Symbol faces also spell their codes 0x20..0xFF as U+F020..U+F0FF (word
// processors, the Windows RichEdit control): the code such a unit stands
// for; any other unit stays as it is.
inline constexpr char16_t SymbolCodeOfUnit(char16_t unit) {
  return unit >= 0xF020 && unit <= 0xF0FF ? static_cast<char16_t>(unit - 0xF000) : unit;
}

// The direction a document declares for characters (RTF's \rtlch, \ltrch)
// or a paragraph (\rtlpar, \ltrpar); Unset where it declares none.
enum class TextDirection : unsigned char { Unset, LeftToRight, RightToLeft };

// The format a document associates with the characters of right-to-left and
// complex scripts (RTF's \af, \afs, \ab, \ai): Arabic, Hebrew, Thai,
// the Indic scripts and their like take it instead of the run's own.
struct AssociatedFormat {
  std::string face;  // UTF-8
  int halfPoints = 24;
  bool bold = false;
  bool italic = false;
  CharSet charset = CharSet::Default;
  bool operator==(const AssociatedFormat&) const = default;
};

struct CharFormat {
  std::string face = kDefaultFace;  // UTF-8, as written in the file
  int halfPoints = 60;                   // size in half points
  bool bold = false;
  bool italic = false;
  CharSet charset = CharSet::Default;
  TextDirection direction = TextDirection::Unset;
  std::optional<AssociatedFormat> associated{};  // none: every character takes the format above
  int expandTwips = 0;  // letter spacing added after each character (RTF's \expndtw), in twips

  // The size the editor reports: whole points, rounded down.
  int WholePoints() const { return halfPoints / 2; }
  bool operator==(const CharFormat&) const = default;
};

// A stretch of text with one format. Text holds no line breaks; TAB is a
// character like any other.
struct StyledRun {
  std::u16string text;
  CharFormat format;
  bool operator==(const StyledRun&) const = default;
};

// How a paragraph is aligned where the document says so (RTF's \ql, \qc,
// \qr, \qj).
enum class ParagraphAlignment : unsigned char { Unset, Left, Center, Right, Justify };

struct ParagraphFormat {
  TextDirection direction = TextDirection::Unset;
  ParagraphAlignment alignment = ParagraphAlignment::Unset;
  bool operator==(const ParagraphFormat&) const = default;
};

// One line (paragraph) as the editor has it. An empty line keeps the format
// of its (empty) end so that a caret there reports it.
struct StyledLine {
  std::vector<StyledRun> runs;
  CharFormat endFormat;
  ParagraphFormat paragraph{};
  bool operator==(const StyledLine&) const = default;
};

// A document is at least one line; lines are separated by one break each.
struct StyledText {
  std::vector<StyledLine> lines{StyledLine{}};
  bool operator==(const StyledText&) const = default;
};

}  // namespace vx
