// Arc fitting: the point store's runs of curve steps replaced by circular arcs within a tolerance.
#pragma once

#include <vector>

namespace vx {

// A vertex of a contour of lines and arcs. bulge describes the way to the
// next vertex (from the last one, to the first): 0 a straight line, else an
// arc of tan(sweep / 4), positive counter-clockwise (y up), as DXF has it.
struct ArcVertex {
  double x = 0;
  double y = 0;
  double bulge = 0;
};
using ArcContour = std::vector<ArcVertex>;
using ArcGlyph = std::vector<ArcContour>;

struct PlanePoint {
  double x = 0;
  double y = 0;
};

// Arcs through the polyline run[0..n-1], its first and last points kept:
// the returned vertices start at run[0] and end just before run.back() (the
// next vertex of the contour). Every arc stays within tolerance of the
// polyline and the polyline within tolerance of its arc, both ways: each
// polyline edge lies within tolerance of the arc's circle, the polyline's
// points lie in the arc's sweep (at most a half turn) and it joins the arc's
// ends, so that each arc point has a polyline point at its angle. An edge no
// arc fits stays straight.
ArcContour FitArcs(const std::vector<PlanePoint>& run, double tolerance);

// The store's contours (closed, as the writers read them) with each run of
// consecutive curve steps (engine/CurveSteps.h) fitted with arcs within
// tolerance; every other step stays a straight line. One glyph per glyph of
// the store, one contour per contour, the closing record left out.
std::vector<ArcGlyph> FitArcsToStore(double tolerance);

}  // namespace vx
