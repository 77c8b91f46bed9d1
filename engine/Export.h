// Marks the few names that leave the shared library (the host contract).
#pragma once

#define VX_EXPORT __attribute__((visibility("default")))
