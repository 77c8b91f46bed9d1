// ShowTTFTextDlg on Windows until the native text dialog exists: the host contract's entry and Form1.
#include "dialog/HostExports.h"

#include "engine/TextLayout.h"

TForm1* Form1 = nullptr;

// No dialog can be shown yet: a showing call reports that nothing was
// converted, as a cancelled dialog would, and leaves the point store alone;
// the release call has nothing to destroy.
extern "C" int ShowTTFTextDlg(int mode, double /*height*/, double /*widthFactor*/) {
  if (mode != vx::dmHostDefault && mode != vx::dmHostSized && mode != vx::dmStandalone) Form1 = nullptr;
  return 0;
}
