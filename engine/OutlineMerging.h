// Merged outlines: each glyph of the point store replaced by the boundary of the area the font fills.
#pragma once

namespace vx {

// Replaces every glyph in gPointList by the boundary of what the non-zero
// fill rule fills of it, as TrueType fills its glyphs: overlapping contours
// united (an accent and its letter become one contour), a letter's counters
// kept as holes. The glyph's contours come out outer ones counter-clockwise
// and holes clockwise (y up), each glyph's holes after the contour around
// them; no vertex equals the one before it (the closing record is, as ever,
// the first vertex repeated), and a contour with fewer than 3 vertices or no
// area is left out. A glyph's own vertices keep their exact coordinates; a
// point where two contours cross is exact to within the glyph's size / 2^30.
// A glyph that fills nothing leaves no records. Raises std::bad_alloc when
// memory runs out, leaving the store partly merged.
void MergeGlyphOutlines();

}  // namespace vx
