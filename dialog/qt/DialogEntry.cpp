// ShowTTFTextDlg with Qt: the Qt application object and Form1 as a QDialog, for the entry's decisions in dialog/HostEntry.h.
#include <QApplication>
#include <QThread>
#include <cstdio>
#include <string>
#include <vector>

#include "dialog/DisplayPlatform.h"
#include "dialog/HostEntry.h"
#include "dialog/HostExports.h"
#include "dialog/qt/MainDlg.h"

VX_EXPORT TForm1* Form1 = nullptr;

namespace {

// The Qt application object the dialog needs: the host's when it has one on
// this thread, else one the library makes and keeps for later calls. The
// library makes one only on a platform that can start: Qt ends the whole
// process when none can, so without a display the call fails with a line on
// standard error instead.
bool EnsureApplication() {
  QCoreApplication* existing = QCoreApplication::instance();
  if (existing == nullptr) {
    const vx::DisplayPlatform display = vx::ChooseDisplayPlatform();
    if (display.platform.empty()) {
      std::fprintf(stderr, "vexoglyph: cannot show the text dialog: %s\n", display.problem.c_str());
      return false;
    }
    // Qt keeps argc and argv for the application's lifetime.
    static std::string name, option, platform;
    static std::vector<char*> argv;
    static int argc = 0;
    name = "vexoglyph";
    option = "-platform";
    platform = display.platform;
    argv = {name.data(), option.data(), platform.data(), nullptr};
    argc = 3;
    auto* app = new QApplication(argc, argv.data());
    app->setQuitOnLastWindowClosed(false);
    return true;
  }
  return qobject_cast<QApplication*>(existing) != nullptr && existing->thread() == QThread::currentThread();
}

// The Qt view's part of the entry: Form1 is a QDialog run by exec().
class FormEntryView final : public vx::HostEntryView<TForm1> {
 public:
  TForm1* Current() const override { return Form1; }
  bool Prepare() override { return EnsureApplication(); }
  TForm1* Create() override { return Form1 = new TForm1(); }
  void Forget() override { Form1 = nullptr; }
  // The dialog is shown only by its modal run.
  bool Running(const TForm1& dialog) const override { return dialog.isVisible(); }
  bool ShowModal(TForm1& dialog, int mode, double height, double widthFactor) override {
    dialog.ApplyMode(mode, height, widthFactor);
    return dialog.exec() == QDialog::Accepted;
  }
  void EndRun(TForm1& dialog) override { dialog.reject(); }
  void Destroy(TForm1* dialog) override { delete dialog; }
};

}  // namespace

extern "C" int ShowTTFTextDlg(int mode, double height, double widthFactor) {
  FormEntryView view;
  return vx::ShowDialogForHost(view, mode, height, widthFactor);
}
