// The nine exported queries through which a CAD host reads the point store.
#pragma once

#include "engine/Export.h"
#include "engine/TTFPoint.h"

extern "C" {
VX_EXPORT int GetTTFCount();
VX_EXPORT TTFPoint* GetFirstTTFPoint();
VX_EXPORT TTFPoint* GetNextTTFPoint();
VX_EXPORT int GetStrokeCount();
VX_EXPORT double GetTTFWidth();
VX_EXPORT double GetTTFHeight();
VX_EXPORT double GetTTFLeft();
VX_EXPORT double GetTTFBottom();
VX_EXPORT void FreePointList();
}
