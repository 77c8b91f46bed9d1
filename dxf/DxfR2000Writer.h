// DXF R2000 writer: the point store as LWPOLYLINEs in a file that AutoCAD 2000 and later, laser and CAM programs read.
#pragma once

#include <cstdint>
#include <string>

#include <vector>

#include "engine/ArcFitting.h"
#include "engine/DrawingUnits.h"
#include "platform/BufferedFile.h"

namespace vx {

// The contours gPointList holds now.
std::uint64_t ContoursInStore();

// An R2000 (AC1015) DXF written while the store is filled, as DxfFileWriter
// writes an R12 file: one closed LWPOLYLINE per contour (an open one per
// stroke), its vertices those of
// the R12 file, in a file with what readers of this version require: the
// HEADER ($ACADVER, $HANDSEED, the unit), the symbol tables with their
// standard records, the model and paper space blocks and the root dictionary,
// every object with its handle and owner. Open needs the number of contours
// the whole drawing will have: handles are numbered, and the next free one
// ($HANDSEED) comes first in the file.
class DxfR2000FileWriter {
 public:
  bool Open(const std::string& path, DrawingUnit unit, std::uint64_t contours, std::string& error);
  bool WriteStore(std::string& error);
  // Adds contours of lines and arcs instead, one LWPOLYLINE each: a vertex's
  // bulge (group 42) where the way to the next vertex is an arc.
  bool WriteArcs(const std::vector<ArcGlyph>& glyphs, std::string& error);
  bool Commit(std::string& error);

 private:
  // One LWPOLYLINE of count vertices, their groups in vertices: closed, or
  // open (flag 0) for a stroke.
  bool WritePolyline(int count, const std::string& vertices, bool closed, std::string& error);

  BufferedFile file_;
  std::uint64_t nextHandle_ = 0;
};

}  // namespace vx
