// The dialog's names in the host contract: the entry ShowTTFTextDlg, its modes and the four window references.
#pragma once

#include "engine/Export.h"

namespace vx {

// The first argument of ShowTTFTextDlg; any other value releases the dialog.
enum TDialogMode : int {
  dmHostDefault = -1,
  dmHostSized = 0,
  dmStandalone = 1,
  dmRelease = 2,  // the value callers pass to release the dialog
};

}  // namespace vx

class TForm1;
class TForm2;
class TAboutDLG;
class TSetACAD;

// Each window is reached through one reference that is null while the
// window does not exist. A host sees the reference variables themselves as
// the data symbols _Form1, _Form2, _AboutDLG and _SetACAD.
extern VX_EXPORT TForm1* Form1 VX_EXPORT_NAME("_Form1");        // the text dialog
extern VX_EXPORT TForm2* Form2 VX_EXPORT_NAME("_Form2");        // the start-up window
extern VX_EXPORT TAboutDLG* AboutDLG VX_EXPORT_NAME("_AboutDLG");  // the about box, while shown
extern VX_EXPORT TSetACAD* SetACAD VX_EXPORT_NAME("_SetACAD");  // the registration window, while open

// Shows the dialog modally in mode (dmHostDefault, dmHostSized,
// dmStandalone) or, for any other mode value, releases it. Returns 1 when
// the dialog closed with the OK result, else 0; a dmHostSized call with a
// height or width factor that is NaN or infinite returns 0 at once. A host
// finds it as "_ShowTTFTextDlg".
extern "C" VX_EXPORT int ShowTTFTextDlg(int mode, double height, double widthFactor)
    VX_EXPORT_NAME("_ShowTTFTextDlg");
