// SVG writer: the point store as filled outlines that any browser shows.
#include "app/SvgWriter.h"

#include <algorithm>
#include <charconv>

#include "engine/PointStore.h"
#include "platform/OutputFile.h"

namespace vx {
namespace {

struct Extents {
  double left = 0, bottom = 0, right = 0, top = 0;
};

Extents StoreExtents() {
  const TTFPoint* record = gPointList.GetHead();
  if (!record) return {};
  Extents e{record->x, record->y, record->x, record->y};
  for (; record; record = record->next) {
    e.left = std::min(e.left, record->x);
    e.right = std::max(e.right, record->x);
    e.bottom = std::min(e.bottom, record->y);
    e.top = std::max(e.top, record->y);
  }
  return e;
}

// Six decimals, as the DXF writes coordinates, without trailing zeros.
void AppendNumber(std::string& out, double value) {
  char buffer[512];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  std::string_view text(buffer, result.ptr - buffer);
  while (text.ends_with('0')) text.remove_suffix(1);
  if (text.ends_with('.')) text.remove_suffix(1);
  if (text == "-0") text = "0";
  out.append(text);
}

void AppendPoint(std::string& out, const TTFPoint& point) {
  AppendNumber(out, point.x);
  out.push_back(' ');
  AppendNumber(out, 0.0 - point.y);
}

// One glyph's contours as closed subpaths; returns the record after the glyph.
const TTFPoint* AppendGlyphPath(std::string& out, const TTFPoint* record) {
  out.append("<path d=\"");
  while (record) {
    out.append("M");
    AppendPoint(out, *record);
    const char* separator = "L";
    for (record = record->next; record && record->kind == pkPoint; record = record->next) {
      out.append(separator);
      AppendPoint(out, *record);
      separator = " ";
    }
    out.append("Z");
    if (!record) break;
    const bool glyphEnd = record->kind == pkGlyphEnd;
    record = record->next;  // past the closing record
    if (glyphEnd) break;
  }
  out.append("\"/>\n");
  return record;
}

}  // namespace

std::string SvgText() {
  const Extents e = StoreExtents();
  const double width = e.right - e.left;
  const double height = e.top - e.bottom;
  double margin = 0.02 * std::max(width, height);
  if (margin <= 0) margin = 1;

  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"";
  AppendNumber(out, e.left - margin);
  out.push_back(' ');
  AppendNumber(out, 0.0 - e.top - margin);
  out.push_back(' ');
  AppendNumber(out, width + 2 * margin);
  out.push_back(' ');
  AppendNumber(out, height + 2 * margin);
  out.append("\">\n<g fill=\"black\" fill-rule=\"evenodd\" stroke=\"none\">\n");
  for (const TTFPoint* record = gPointList.GetHead(); record;) record = AppendGlyphPath(out, record);
  out.append("</g>\n</svg>\n");
  return out;
}

bool WriteSvg(const std::string& path, std::string& error) {
  return WriteWholeFile(path, SvgText(), error);
}

}  // namespace vx
