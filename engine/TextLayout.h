// Text layout: styled UTF-16 text placed line by line into the point store.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "engine/GlyphSource.h"

namespace vx {

// The first argument of the dialog entry; any other value releases the dialog.
enum TDialogMode : int {
  dmHostDefault = -1,
  dmHostSized = 0,
  dmStandalone = 1,
};

// What the editor reports for a caret placed right after a character.
struct CharStyle {
  std::string face;  // UTF-8
  int pointSize = 30;  // whole points
  bool bold = false;
  bool italic = false;
};

struct LayoutSettings {
  int mode = dmStandalone;
  double hostHeight = 0.0;       // dmHostSized: text height of every character
  double hostWidthFactor = 0.0;  // dmHostSized: width factor of every character
  double widthFactor = 0.65;     // dmStandalone: the dialog's width factor
};

// Font height H, font width W and scale s of one character by mode.
struct CharSizing {
  int height = 0;
  int width = 0;
  double scale = 1.0;
};
CharSizing SizeForMode(const LayoutSettings& settings, int pointSize);

// Appends the whole text to gPointList (it does not clear the store first).
// text holds line breaks as CR LF (CR, LF or a pair of them is one break);
// styles holds one entry per code unit of text.
void LayoutText(GlyphSource& source, std::u16string_view text, std::span<const CharStyle> styles,
                const LayoutSettings& settings);

// One face for a whole string, pen from (x, y), no line handling; appends.
void ConvertString(GlyphSource& source, const char16_t* text, const char* faceName, int height,
                   int width, bool bold, bool italic, double x, double y);

}  // namespace vx
