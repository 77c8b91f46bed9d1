// The preview's rules: which character it shows, converting it into the store, and where outline points land in the box.
#include "dialog/PreviewMapping.h"

#include <cmath>

#include "dialog/FormattingRules.h"
#include "engine/HostQueries.h"
#include "engine/TextLayout.h"

namespace vx {

std::optional<char16_t> PreviewCharacter(std::span<const std::u16string> lines, int p, int n) {
  bool anyCharacter = false;
  for (const auto& line : lines) anyCharacter = anyCharacter || !line.empty();
  if (!anyCharacter) return std::nullopt;  // only empty lines: nothing to show
  long long index = 0;                     // 1-based index into the preview text
  if (p <= 0) {
    index = 1;
  } else if (n <= 0) {
    index = p;
  } else if (n == 1) {
    index = static_cast<long long>(p) + 1;
  } else {
    return std::nullopt;
  }
  // Walk the preview text line by line without building it.
  long long start = 1;
  for (const auto& line : lines) {
    const long long shown = static_cast<long long>(std::min(line.size(), kPreviewLineLimit));
    if (index < start + shown) return line[static_cast<std::size_t>(index - start)];
    if (index == start + shown) return std::nullopt;  // the line feed
    start += shown + 1;
  }
  return std::nullopt;  // beyond the preview text
}

void ConvertPreviewCharacter(const FormattingEditor& editor, bool bold, bool italic, GlyphSource& source) {
  FreePointList();
  const std::vector<std::u16string> lines = editor.Lines();
  const auto shown = PreviewCharacter(lines, editor.SelStart(), editor.SelLength());
  if (!shown) return;
  const char16_t text[2] = {*shown, u'\0'};
  ConvertString(source, text, editor.SelAttributes().face.c_str(), kPreviewCell, kPreviewCell, bold, italic, 0.0, 0.0);
}

PreviewPixel MapPreviewPoint(const PreviewFrame& frame, double x, double y) {
  const double sx = (frame.boxWidth - 4) / frame.width;
  const double sy = (frame.boxHeight - 4) / frame.height;
  const int px = static_cast<int>(std::ceil((x - frame.left) * sx)) + 2;
  const int py = frame.boxHeight - 1 - static_cast<int>(std::ceil((y - frame.bottom) * sy + 2));
  return {px, py};
}

std::optional<std::vector<PreviewSegment>> PreviewSegments(int boxWidth, int boxHeight) {
  if (GetTTFCount() < 2) return std::nullopt;
  PreviewFrame frame;
  frame.width = GetTTFWidth();
  frame.height = GetTTFHeight();
  if (frame.width == 0.0 || frame.height == 0.0) return std::nullopt;
  frame.left = GetTTFLeft();
  frame.bottom = GetTTFBottom();
  frame.boxWidth = boxWidth;
  frame.boxHeight = boxHeight;

  std::vector<PreviewSegment> segments;
  bool starting = true;
  PreviewPixel pen;
  PreviewPixel contourStart;
  for (const TTFPoint* record = GetFirstTTFPoint(); record != nullptr; record = GetNextTTFPoint()) {
    const PreviewPixel at = MapPreviewPoint(frame, record->x, record->y);
    if (starting) {
      contourStart = at;
      starting = false;
    } else {
      segments.push_back({pen, at});
    }
    pen = at;
    if (record->kind != pkPoint) {
      segments.push_back({pen, contourStart});
      pen = contourStart;
      starting = true;
    }
  }
  return segments;
}

}  // namespace vx
