// The preview's rules: which character it shows, converting it into the store, and where outline points land in the box.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vx {

class FormattingEditor;
class GlyphSource;

// Lines of the preview text are read up to this many characters each.
inline constexpr std::size_t kPreviewLineLimit = 4096;

// The character the preview shows for a caret at position p (the start of the
// selection) with selection length n, over the box's lines (without breaks).
// The preview text is every line cut to kPreviewLineLimit characters and
// followed by a line feed; character i of it is chosen by: p = 0 → i = 1;
// n = 0 → i = p; n = 1 → i = p + 1; a longer selection shows nothing. A line
// break, an index beyond the preview text or an empty box shows nothing.
std::optional<char16_t> PreviewCharacter(std::span<const std::u16string> lines, int p, int n);

// Preview glyphs are outlined at this height and width, in device units.
inline constexpr int kPreviewCell = 200;

// The preview step: clears the point store and converts into it the
// character that PreviewCharacter chooses for the editor's lines, caret and
// selection, in the face of the selection, bold and italic as the style
// buttons show, at kPreviewCell x kPreviewCell from (0, 0). Nothing is
// converted when no character is chosen.
void ConvertPreviewCharacter(const FormattingEditor& editor, bool bold, bool italic, GlyphSource& source);

struct PreviewPixel {
  int x = 0;
  int y = 0;
  bool operator==(const PreviewPixel&) const = default;
};

struct PreviewFrame {
  double left = 0.0;
  double bottom = 0.0;
  double width = 0.0;   // extent in x, not 0
  double height = 0.0;  // extent in y, not 0
  int boxWidth = 108;
  int boxHeight = 89;
};

// X = ceil((x - left) * sx) + 2, Y = H - 3 - ceil((y - bottom) * sy), with the
// independent scales sx = (W - 4) / width and sy = (H - 4) / height.
PreviewPixel MapPreviewPoint(const PreviewFrame& frame, double x, double y);

struct PreviewSegment {
  PreviewPixel from;
  PreviewPixel to;
};

// The lines that paint the point store in a box of boxWidth x boxHeight:
// nullopt when the box is to be painted blank (fewer than 2 records, or an
// outline without width or height). Walks the store with the exported cursor.
std::optional<std::vector<PreviewSegment>> PreviewSegments(int boxWidth, int boxHeight);

}  // namespace vx
