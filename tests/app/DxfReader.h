// A small DXF reader for tests, written apart from the writer: POLYLINE entities and their vertices.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vxtest {

struct DxfPoint {
  double x = 0;
  double y = 0;
};

struct DxfPolyline {
  bool closed = false;  // flag 70 has bit 1
  std::vector<DxfPoint> vertices;
  double Top() const;
  double Bottom() const;
  double Left() const;
  double Right() const;
};

struct DxfDrawing {
  std::vector<DxfPolyline> polylines;
  std::string error;  // set when the file is not a DXF this reader understands
};

// Reads an ENTITIES-only DXF of POLYLINE/VERTEX/SEQEND entities whose every
// line ends with CR LF.
DxfDrawing ReadDxf(std::string_view bytes);

}  // namespace vxtest
