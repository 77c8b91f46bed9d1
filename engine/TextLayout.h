// Text layout: styled UTF-16 text placed line by line into the point store.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GlyphSource.h"
#include "engine/LineFilling.h"

namespace vx {

// The width factor of text when none is given: the host's average
// character width, in cell heights.
inline constexpr double kDefaultWidthFactor = 0.65;
// The typographic layout's, a scale of the face's own design: as designed.
inline constexpr double kTypographicWidthFactor = 1.0;

// What the editor reports for a caret placed right after a character.
struct CharStyle {
  std::string face;  // UTF-8
  int pointSize = 30;  // whole points
  bool bold = false;
  bool italic = false;
  std::uint8_t charset = kDefaultCharset;  // the face's character set
  double letterSpacing = 0;  // in em, added after the character by the typographic layout
  bool operator==(const CharStyle&) const = default;
};

// The font request of a character in a style, at a size.
FontRequest RequestFor(const CharStyle& style, int height, int width);

// What text (with one style per code unit) draws in each face name and
// character set, in order of first use; line breaks draw nothing.
std::vector<FaceText> FaceTexts(std::u16string_view text, std::span<const CharStyle> styles);

// Where each line goes: starting at x = 0, centred on it, or ending on it;
// justified lines (set to a width) start at 0 and end at the width, all but
// the last of a paragraph, which starts where the paragraph starts.
enum class LineAlignment { Left, Center, Right, Justify };

// The direction of a paragraph: that of its first strong character (Auto) or
// the one its document declares.
enum class ParagraphDirection { Auto, LeftToRight, RightToLeft };

// What a document says of a paragraph, for the typographic layout.
struct ParagraphStyle {
  ParagraphDirection direction = ParagraphDirection::Auto;
  std::optional<LineAlignment> align;  // none: the settings' alignment
  bool operator==(const ParagraphStyle&) const = default;
};

// How big each character's cell is drawn.
enum class CellSizing {
  FixedCell,  // every character in a cell of kMinOutlineCell units, unscaled
  HostSized,  // every character at the host's text height and width factor
  PointSize,  // each character at its own point size and the width factor
};

struct LayoutSettings {
  CellSizing sizing = CellSizing::PointSize;
  double hostHeight = 0.0;       // HostSized: text height of every character
  double hostWidthFactor = 0.0;  // HostSized: width factor of every character
  double widthFactor = kDefaultWidthFactor;  // PointSize: the width factor
  LineAlignment align = LineAlignment::Left;  // by the pen's advance over the line
  double lineSpacing = 1.0;      // times the layout's own line pitch
  // Greater than 0: each paragraph is broken into lines of at most this many
  // drawing units (by breakRule), which the alignment places within [0, measure].
  double measure = 0.0;
  LineBreakRule breakRule{};  // none: after spaces
  double letterSpacing = 0.0;  // typographic: in em, added after every character
  // Typographic: a paragraph's own alignment where its document gives one
  // (and the right for a paragraph it declares right to left) instead of align.
  bool documentAlignment = false;
};

// Every glyph is outlined at a cell of at least this many device units.
inline constexpr int kMinOutlineCell = 200;

// The host layout's line pitch, in cell heights (before the line spacing).
inline constexpr double kHostLinePitch = 1.2;

// Font height H, font width W and scale s of one character by the sizing.
struct CharSizing {
  int height = 0;
  int width = 0;
  double scale = 1.0;
};
CharSizing CellSize(const LayoutSettings& settings, int pointSize);

// The typographic layout's font of a character, whose size is its em as a
// word processor's point size is (the host's text height when sized by the
// host): an em of CellSize's height in device units (a negative font height),
// drawn at CellSize's scale, and x the face's own proportions times the width
// factor (1 when every character is drawn in the fixed cell).
struct EmFont {
  FontRequest request;
  double scale = 1.0;
};
EmFont EmFontFor(const CharStyle& style, const LayoutSettings& settings);

// Code units of the line break at text[i]: 0 when text[i] is no CR or LF;
// 2 when the next unit is CR or LF as well and belongs to the same break;
// else 1. i must be less than text.size().
std::size_t LineBreakLength(std::u16string_view text, std::size_t i);

// How far a line of the given advance moves to sit as the alignment says:
// without a measure (0) about x = 0, with one within [0, measure]; a
// justified line starts at 0.
double AlignmentShift(LineAlignment align, double advance, double measure = 0.0);

// Told that a glyph's points have just landed in the store. It may take them
// out (FreePointList) before the next glyph is placed, as the command line
// does to write glyph by glyph; returning false stops the layout there.
using GlyphPlaced = std::function<bool()>;

// Appends the whole text to gPointList (it does not clear the store first),
// having told the source what it draws (GlyphSource::ExpectText).
// text holds line breaks as CR LF (CR, LF or a pair of them is one break);
// styles holds one entry per code unit of text. placed, when given, is told
// of every glyph whose points were appended. A record or outline that cannot
// be allocated raises std::bad_alloc.
void LayoutText(GlyphSource& source, std::u16string_view text, std::span<const CharStyle> styles,
                const LayoutSettings& settings, const GlyphPlaced& placed = {});

// One face for a whole string, pen from (x, y), no line handling; appends.
void ConvertString(GlyphSource& source, const char16_t* text, const char* faceName, int height,
                   int width, bool bold, bool italic, double x, double y);

}  // namespace vx
