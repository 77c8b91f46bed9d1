// A small DXF reader for tests, written apart from the product's writer: POLYLINE entities and their vertices.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vx::test {

struct DxfPoint {
  double x = 0;
  double y = 0;
  double bulge = 0;  // group 42: the arc to the next vertex, 0 for a line
};

struct DxfPolyline {
  int flags = 0;  // group 70; bit 1 marks a closed polyline
  std::vector<DxfPoint> vertices;
  bool ended = false;  // met its SEQEND

  bool Closed() const { return (flags & 1) != 0; }
  // The extent of the vertices; the polyline must have at least one.
  double Top() const;
  double Bottom() const;
  double Left() const;
  double Right() const;
};

struct DxfDrawing {
  std::vector<std::string> sections;       // names of the sections, in file order
  std::vector<DxfPolyline> polylines;
  std::vector<std::string> otherEntities;  // types of entities other than POLYLINE/VERTEX/SEQEND
  bool eof = false;                        // ended with the EOF marker
  std::string error;                       // empty when the text is a well-formed DXF; else the first fault
};

// Reads a text DXF whose every line ends with CR LF. Lines pair up as an
// integer group code (blanks allowed around it) and a value; everything sits
// in SECTION ... ENDSEC blocks followed by a last EOF; each VERTEX (with
// numeric 10 and 20 groups) belongs to a POLYLINE that SEQEND closes before
// the next POLYLINE or ENDSEC. The first departure from this is named in
// `error`; what was read up to there stays in the drawing.
DxfDrawing ReadDxf(std::string_view bytes);

}  // namespace vx::test
