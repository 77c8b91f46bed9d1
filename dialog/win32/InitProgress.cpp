// The start-up window's reference on Windows: empty, as no start-up window is shown there yet.
#include "dialog/HostExports.h"

TForm2* Form2 = nullptr;
