// Marks the few names that leave the shared library (the host contract).
#pragma once

#if defined(_WIN32)
// Vexoglyph.DLL exports exactly the names of cmake/vexoglyph.def, which also
// gives each its spelling in the export table.
#define VX_EXPORT
#define VX_EXPORT_NAME(name)
#else
#define VX_EXPORT __attribute__((visibility("default")))
// The symbol name a host looks up, where it differs from the C name
// (ShowTTFTextDlg is found as "_ShowTTFTextDlg").
#define VX_EXPORT_NAME(name) __asm__(name)
#endif
