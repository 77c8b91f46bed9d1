// DXF writer: the point store as an ENTITIES section of 2D POLYLINEs, closed ones for contours and open ones for strokes.
#pragma once

#include <string>

#include <vector>

#include "engine/ArcFitting.h"
#include "engine/DrawingUnits.h"
#include "platform/BufferedFile.h"

namespace vx {

// Appends the section header / trailer lines (CR LF each) to out.
void WriteDxfHeader(std::string& out);
void WriteDxfTrailer(std::string& out);

// Appends the next contour of the store's walk as one closed POLYLINE, or the
// next open stroke as one open POLYLINE (flag 0), starting the walk when
// first is true. Returns false, appending nothing, when the store
// is exhausted.
bool WritePolyline(std::string& out, bool first);

// The whole store as DXF text.
std::string DxfText();

// A DXF file written while the store is filled: Open begins it with the
// section header (after a HEADER section naming the unit, when one is given), each WriteStore adds the contours the store holds now (the
// store may be cleared and refilled between calls: the command line writes
// glyph by glyph), Commit adds the trailer and puts the file in place. The
// bytes are those of DxfText over everything written. Each returns false with
// the system's reason on failure; a writer given up without a successful
// Commit abandons the save as OutputFile does.
class DxfFileWriter {
 public:
  bool Open(const std::string& path, std::string& error, DrawingUnit unit = DrawingUnit::Unitless);
  bool WriteStore(std::string& error);
  // Adds contours of lines and arcs instead: each vertex's bulge (group 42)
  // where the way to the next vertex is an arc.
  bool WriteArcs(const std::vector<ArcGlyph>& glyphs, std::string& error);
  bool Commit(std::string& error);

 private:
  BufferedFile file_;
};

// Writes the whole store to the file at path. The file is replaced only when
// every byte was written: on failure an existing file is left as it was, and
// false comes back with the system's reason in error.
bool WriteDxf(const std::string& path, std::string& error);

}  // namespace vx
