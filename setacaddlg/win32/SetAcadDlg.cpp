// The registration window's reference on Windows: empty, as no registration window is shown there yet.
#include "dialog/HostExports.h"

TSetACAD* SetACAD = nullptr;
