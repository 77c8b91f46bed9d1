// A DXF file's unit: the HEADER variables that name it.
#pragma once

#include <string>

#include "engine/DrawingUnits.h"

namespace vx {

// Appends $INSUNITS (the unit's code, 0 when unitless) and, for a unit, $MEASUREMENT
// (1 metric, 0 imperial) as HEADER variables.
void AppendUnitVariables(std::string& out, DrawingUnit unit);

}  // namespace vx
