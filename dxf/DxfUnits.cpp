// A DXF file's unit: the HEADER variables that name it.
#include "dxf/DxfUnits.h"

namespace vx {
namespace {

struct UnitCodes {
  const char* insunits;
  const char* measurement;  // null when unitless
};

UnitCodes CodesOf(DrawingUnit unit) {
  switch (unit) {
    case DrawingUnit::Millimetre: return {"4", "1"};
    case DrawingUnit::Centimetre: return {"5", "1"};
    case DrawingUnit::Metre: return {"6", "1"};
    case DrawingUnit::Inch: return {"1", "0"};
    case DrawingUnit::Foot: return {"2", "0"};
    case DrawingUnit::Unitless: break;
  }
  return {"0", nullptr};
}

}  // namespace

void AppendUnitVariables(std::string& out, DrawingUnit unit) {
  const UnitCodes codes = CodesOf(unit);
  out.append("  9\r\n$INSUNITS\r\n 70\r\n").append(codes.insunits).append("\r\n");
  if (codes.measurement) out.append("  9\r\n$MEASUREMENT\r\n 70\r\n").append(codes.measurement).append("\r\n");
}

}  // namespace vx
