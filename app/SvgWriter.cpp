// SVG writer: the point store as filled outlines (and stroked single-line glyphs) that any browser shows.
#include "app/SvgWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "engine/PointStore.h"

namespace vx {
namespace {

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

// An SVG length of size drawing units in unit: SVG knows millimetres,
// centimetres and inches, so metres go as centimetres and feet as inches.
void AppendLength(std::string& out, double size, DrawingUnit unit) {
  struct SvgUnit {
    double factor;
    const char* name;
  };
  SvgUnit svg{1, "mm"};
  switch (unit) {
    case DrawingUnit::Unitless:
    case DrawingUnit::Millimetre: break;
    case DrawingUnit::Centimetre: svg = {1, "cm"}; break;
    case DrawingUnit::Metre: svg = {100, "cm"}; break;
    case DrawingUnit::Inch: svg = {1, "in"}; break;
    case DrawingUnit::Foot: svg = {12, "in"}; break;
  }
  AppendNumber(out, size * svg.factor);
  out.append(svg.name);
}

// The document up to the first path: the view box holds the extents plus a
// margin of 2% of the larger side (1 when the drawing has no extent); with a
// unit, width and height give the view box's size in that unit.
void AppendHead(std::string& out, const PointExtents& e, DrawingUnit unit) {
  const double width = e.right() - e.left();
  const double height = e.top() - e.bottom();
  double margin = 0.02 * std::max(width, height);
  if (margin <= 0) margin = 1;
  out.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<svg xmlns=\"http://www.w3.org/2000/svg\" ");
  if (unit != DrawingUnit::Unitless) {
    out.append("width=\"");
    AppendLength(out, width + 2 * margin, unit);
    out.append("\" height=\"");
    AppendLength(out, height + 2 * margin, unit);
    out.append("\" ");
  }
  out.append("viewBox=\"");
  AppendNumber(out, e.left() - margin);
  out.push_back(' ');
  AppendNumber(out, 0.0 - e.top() - margin);
  out.push_back(' ');
  AppendNumber(out, width + 2 * margin);
  out.push_back(' ');
  AppendNumber(out, height + 2 * margin);
  out.append("\">\n<g fill=\"black\" fill-rule=\"nonzero\" stroke=\"none\">\n");
}

void AppendTail(std::string& out) { out.append("</g>\n</svg>\n"); }

// A single-line glyph's strokes are drawn, not filled: a hairline of one
// pixel at any zoom, as cutting and plotting programs show paths to follow.
constexpr std::string_view kStrokePathStart =
    "<path fill=\"none\" stroke=\"black\" stroke-width=\"1\" vector-effect=\"non-scaling-stroke\" "
    "stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"";

// One glyph's contours as closed subpaths, or its strokes as open ones;
// returns the record after the glyph.
const TTFPoint* AppendGlyphPath(std::string& out, const TTFPoint* record) {
  out.append(IsOpenStroke(record) ? kStrokePathStart : "<path d=\"");
  while (record) {
    out.append("M");
    AppendPoint(out, *record);
    const char* separator = "L";
    for (record = record->next; record && record->kind == pkPoint; record = record->next) {
      out.append(separator);
      AppendPoint(out, *record);
      separator = " ";
    }
    if (!record || !EndsOpenStroke(record->kind)) out.append("Z");
    if (!record) break;
    const bool glyphEnd = EndsGlyph(record->kind);
    record = record->next;  // past the closing record
    if (glyphEnd) break;
  }
  out.append("\"/>\n");
  return record;
}

// One glyph of lines and arcs as closed subpaths. An arc of bulge b over a
// chord c has radius c (1 + b^2) / (4 |b|) and sweeps at most a half turn;
// y is flipped, so a counter-clockwise arc (b > 0) has SVG's sweep flag 0.
void AppendArcGlyphPath(std::string& out, const ArcGlyph& glyph) {
  out.append("<path d=\"");
  for (const ArcContour& contour : glyph) {
    out.append("M");
    AppendPoint(out, TTFPoint{pkPoint, contour.front().x, contour.front().y, nullptr});
    for (std::size_t i = 0; i < contour.size(); ++i) {
      const ArcVertex& from = contour[i];
      const ArcVertex& to = contour[(i + 1) % contour.size()];
      if (from.bulge == 0) {
        out.append("L");
      } else {
        const double radius = std::hypot(to.x - from.x, to.y - from.y) * (1 + from.bulge * from.bulge) /
                              (4 * std::abs(from.bulge));
        out.append("A");
        AppendNumber(out, radius);
        out.push_back(' ');
        AppendNumber(out, radius);
        out.append(from.bulge > 0 ? " 0 0 0 " : " 0 0 1 ");
      }
      AppendPoint(out, TTFPoint{pkPoint, to.x, to.y, nullptr});
    }
    out.append("Z");
  }
  out.append("\"/>\n");
}

}  // namespace

std::string SvgText() {
  std::string out;
  AppendHead(out, StoreExtents(), DrawingUnit::Unitless);
  for (const TTFPoint* record = gPointList.GetHead(); record;) record = AppendGlyphPath(out, record);
  AppendTail(out);
  return out;
}

bool SvgFileWriter::Open(const std::string& path, const PointExtents& extents, std::string& error,
                         DrawingUnit unit) {
  if (!file_.Open(path, error)) return false;
  AppendHead(file_.buffer(), extents, unit);
  return true;
}

bool SvgFileWriter::WriteStore(std::string& error) {
  for (const TTFPoint* record = gPointList.GetHead(); record;) {
    record = AppendGlyphPath(file_.buffer(), record);
    if (!file_.WriteIfFull(error)) return false;
  }
  return true;
}

bool SvgFileWriter::WriteArcs(const std::vector<ArcGlyph>& glyphs, std::string& error) {
  for (const ArcGlyph& glyph : glyphs) {
    if (glyph.empty()) continue;
    AppendArcGlyphPath(file_.buffer(), glyph);
    if (!file_.WriteIfFull(error)) return false;
  }
  return true;
}

bool SvgFileWriter::Commit(std::string& error) {
  AppendTail(file_.buffer());
  return file_.Commit(error);
}

}  // namespace vx
