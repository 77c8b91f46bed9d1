// The about box's reference on Windows: empty, as no about box is shown there yet.
#include "dialog/HostExports.h"

TAboutDLG* AboutDLG = nullptr;
