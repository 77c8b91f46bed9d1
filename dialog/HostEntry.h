// ShowTTFTextDlg's decisions, taken once for both views: when a host's call creates, shows, refuses or releases the one text dialog.
#pragma once

#include "dialog/DialogModes.h"
#include "engine/HostQueries.h"
#include "engine/TextLayout.h"

namespace vx {

// What a view does for the library entry: its platform's part, and the one
// dialog of type Dialog that the host reaches as Form1.
template <class Dialog>
class HostEntryView {
 public:
  virtual ~HostEntryView() = default;
  // Form1: the dialog, null while there is none.
  virtual Dialog* Current() const = 0;
  // Readies the platform for the call (the Qt application object, the host's
  // window before the dialog takes the focus); false when no dialog can be
  // shown here, after saying why.
  virtual bool Prepare() = 0;
  // Makes the dialog, hidden, into Form1 and returns it; raises when it
  // cannot be made, leaving Form1 null.
  virtual Dialog* Create() = 0;
  // Sets Form1 to null; the dialog itself lives on.
  virtual void Forget() = 0;
  // Whether the dialog's modal run is going on.
  virtual bool Running(const Dialog& dialog) const = 0;
  // Applies the showing mode and runs the dialog modally until it closes;
  // true for the OK result.
  virtual bool ShowModal(Dialog& dialog, int mode, double height, double widthFactor) = 0;
  // Ends the dialog's modal run with the cancel result.
  virtual void EndRun(Dialog& dialog) = 0;
  // Destroys a dialog that Form1 no longer refers to.
  virtual void Destroy(Dialog* dialog) = 0;
};

// The library entry ShowTTFTextDlg(mode, height, widthFactor) on a view: 1
// when the dialog closed with the OK result, else 0. The dialog is made at
// the first showing call and lives hidden between calls. A release value
// (any mode that does not show) destroys it; made from inside the dialog's
// own modal run (a host's timer), it ends that run and the showing call
// destroys the dialog once the run has returned. A showing call while the
// dialog runs, a sized call with a height or width factor that is not
// finite, a platform that cannot show it, and any error all return 0.
//
// A showing whose run ends with 0 (Cancel, the close box, Escape, a release
// during the run, the stand-alone mode) leaves the store empty: the preview
// fills it while the dialog is shown, and a host that reads after a 0 must
// find nothing rather than the preview's glyph. After a 1 the store holds
// the converted text until the host's next call; a release call leaves it
// as it is, so that a host may read the text of a 1 after releasing.
template <class Dialog>
int ShowDialogForHost(HostEntryView<Dialog>& view, int mode, double height, double widthFactor) {
  try {
    const bool showing = IsShowingMode(mode);
    // A release call with no dialog has nothing to release and needs no display.
    if (!showing && view.Current() == nullptr) return 0;
    // A sized call with numbers that are not finite would hand the host NaN coordinates.
    if (!UsableHostNumbers(mode, height, widthFactor)) return 0;
    if (!view.Prepare()) return 0;
    if (!showing) {
      Dialog* dialog = view.Current();
      view.Forget();
      if (view.Running(*dialog)) {
        view.EndRun(*dialog);  // the showing call destroys it after the run
      } else {
        view.Destroy(dialog);
      }
      return 0;
    }
    Dialog* dialog = view.Current();
    if (dialog == nullptr) dialog = view.Create();
    if (view.Running(*dialog)) return 0;  // a showing call while the dialog is shown
    bool ok = view.ShowModal(*dialog, mode, height, widthFactor);
    // Released during its run: Form1 is null, or a newer dialog made since.
    if (view.Current() != dialog) {
      view.Destroy(dialog);
      ok = false;
    }
    if (!ok) FreePointList();
    return ok ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

}  // namespace vx
