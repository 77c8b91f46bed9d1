// SVG writer: the point store as filled outlines that any browser shows.
#pragma once

#include <string>

namespace vx {

// The whole store as an SVG document: one path per glyph, each contour a
// closed subpath of the same points as the DXF (y flipped), fill rule
// even-odd so that holes show, and a viewBox fitted to the extents plus a
// small margin.
std::string SvgText();

// Writes SvgText() to path, replacing an existing file only when the new one
// is complete. On failure returns false with the system's reason in error.
bool WriteSvg(const std::string& path, std::string& error);

}  // namespace vx
