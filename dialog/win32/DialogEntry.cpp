// ShowTTFTextDlg on Windows: the library entry that creates, shows and releases the one text dialog Form1.
#include <windows.h>

#include "dialog/DialogModes.h"
#include "dialog/HostExports.h"
#include "dialog/win32/MainDlg.h"
#include "engine/TextLayout.h"

TForm1* Form1 = nullptr;

extern "C" int ShowTTFTextDlg(int mode, double height, double widthFactor) {
  try {
    // A release call with no dialog has nothing to release.
    if (!vx::IsShowingMode(mode) && Form1 == nullptr) return 0;
    // A sized call with numbers that are not finite would hand the host NaN coordinates.
    if (!vx::UsableHostNumbers(mode, height, widthFactor)) return 0;
    if (!vx::IsShowingMode(mode)) {
      TForm1* dialog = Form1;
      Form1 = nullptr;
      if (dialog->Running()) {
        // Called from inside the dialog's own modal run (a host's timer):
        // the run ends, and the showing call destroys the dialog after it.
        dialog->ReleaseAfterRun();
      } else {
        delete dialog;
      }
      return 0;
    }
    // The host's window, captured before the dialog takes the focus.
    HWND owner = GetActiveWindow();
    if (Form1 == nullptr) {
      try {
        Form1 = new TForm1();
      } catch (...) {
        Form1 = nullptr;
        return 0;
      }
    }
    if (Form1->Running()) return 0;  // a showing call while the dialog is shown
    TForm1* dialog = Form1;
    dialog->ShowMode(mode, height, widthFactor);
    const bool ok = dialog->ShowModal(owner);
    if (dialog->ReleaseRequested()) {
      delete dialog;
      return 0;
    }
    return ok ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
