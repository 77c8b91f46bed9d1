// The unit a drawing's numbers stand for, which cutters and plotters need to size the work.
#pragma once

namespace vx {

// Unitless: the drawing says nothing of its unit (the CAD host's own
// drawing units), as before units could be given.
enum class DrawingUnit { Unitless, Millimetre, Centimetre, Metre, Inch, Foot };

}  // namespace vx
