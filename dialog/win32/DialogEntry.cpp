// ShowTTFTextDlg on Windows: the host's window and Form1 as a native window, for the entry's decisions in dialog/HostEntry.h.
#include <windows.h>

#include "dialog/HostEntry.h"
#include "dialog/HostExports.h"
#include "dialog/win32/MainDlg.h"

TForm1* Form1 = nullptr;

namespace {

// The Windows view's part of the entry: Form1 runs modally over the host's window.
class FormEntryView final : public vx::HostEntryView<TForm1> {
 public:
  TForm1* Current() const override { return Form1; }
  // The host's window, noted before the dialog takes the focus.
  bool Prepare() override {
    owner_ = GetActiveWindow();
    return true;
  }
  TForm1* Create() override { return Form1 = new TForm1(); }
  void Forget() override { Form1 = nullptr; }
  bool Running(const TForm1& dialog) const override { return dialog.Running(); }
  bool ShowModal(TForm1& dialog, int mode, double height, double widthFactor) override {
    dialog.ShowMode(mode, height, widthFactor);
    return dialog.ShowModal(owner_);
  }
  void EndRun(TForm1& dialog) override { dialog.EndRun(); }
  void Destroy(TForm1* dialog) override { delete dialog; }

 private:
  HWND owner_ = nullptr;
};

}  // namespace

extern "C" int ShowTTFTextDlg(int mode, double height, double widthFactor) {
  FormEntryView view;
  return vx::ShowDialogForHost(view, mode, height, widthFactor);
}
