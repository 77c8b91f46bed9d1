// Curve steps: which straight steps of the point store flatten a curve piece, so that arcs can replace them later.
#pragma once

namespace vx {

// Starts or stops noting the steps the flattening of quadratic and cubic
// pieces appends (off when the library loads: the CAD host never pays for
// it). Either way what was noted is forgotten.
void RecordCurveSteps(bool on);

// Notes the step a-b, in either direction, while recording.
void NoteCurveStep(double ax, double ay, double bx, double by);

// Whether a-b (either direction) was noted as a step along a curve.
bool IsCurveStep(double ax, double ay, double bx, double by);

// Forgets the noted steps, recording or not (the store was emptied).
void ForgetCurveSteps();

}  // namespace vx
