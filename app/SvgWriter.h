// SVG writer: the point store as filled outlines (and stroked single-line glyphs) that any browser shows.
#pragma once

#include <string>

#include <vector>

#include "engine/ArcFitting.h"
#include "engine/DrawingUnits.h"
#include "engine/PointStore.h"
#include "platform/BufferedFile.h"

namespace vx {

// The whole store as an SVG document: one path per glyph, each contour a
// closed subpath of the same points as the DXF (y flipped), filled by the
// non-zero rule as fonts are, and a viewBox fitted to the extents plus a
// small margin. A glyph of open strokes (a single-line face's) is a path of
// open subpaths, stroked as a hairline without fill.
std::string SvgText();

// An SVG document written while the store is filled, once the extents of the
// whole drawing are known (the view box comes first): Open begins the file,
// each WriteStore adds the glyphs the store holds now (whole glyphs; the store
// may be cleared and refilled between calls), Commit ends the document and
// puts the file in place. Given a unit, the document's width and height are
// the view box's in that unit (metres in centimetres and feet in inches, the
// nearest units SVG has), so that one drawing unit prints as one unit. The bytes are those of SvgText over everything
// written. Each returns false with the system's reason on failure; a writer
// given up without a successful Commit abandons the save as OutputFile does.
class SvgFileWriter {
 public:
  bool Open(const std::string& path, const PointExtents& extents, std::string& error,
            DrawingUnit unit = DrawingUnit::Unitless);
  bool WriteStore(std::string& error);
  // Adds glyphs of lines and arcs instead: an A command where a vertex's
  // bulge is not 0.
  bool WriteArcs(const std::vector<ArcGlyph>& glyphs, std::string& error);
  bool Commit(std::string& error);

 private:
  BufferedFile file_;
};

}  // namespace vx
