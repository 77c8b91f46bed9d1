// ShowTTFTextDlg: the library entry that creates, shows and releases the one text dialog Form1.
#include <QApplication>
#include <QThread>
#include <cstdio>
#include <string>
#include <vector>

#include "dialog/DialogModes.h"
#include "dialog/DisplayPlatform.h"
#include "dialog/HostExports.h"
#include "dialog/qt/MainDlg.h"
#include "engine/TextLayout.h"

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

}  // namespace

extern "C" int ShowTTFTextDlg(int mode, double height, double widthFactor) {
  try {
    // A release call with no dialog has nothing to release and needs no display.
    if (!vx::IsShowingMode(mode) && Form1 == nullptr) return 0;
    // A sized call with numbers that are not finite would hand the host NaN coordinates.
    if (!vx::UsableHostNumbers(mode, height, widthFactor)) return 0;
    if (!EnsureApplication()) return 0;
    if (Form1 == nullptr) {
      try {
        Form1 = new TForm1();
      } catch (...) {
        Form1 = nullptr;
        return 0;
      }
    }
    if (!vx::IsShowingMode(mode)) {
      TForm1* dialog = Form1;
      Form1 = nullptr;
      if (dialog->isVisible()) {
        // Called from inside the dialog's own modal run: end the run, and
        // destroy the dialog once that run has returned.
        dialog->reject();
        dialog->deleteLater();
      } else {
        delete dialog;
      }
      return 0;
    }
    if (Form1->isVisible()) return 0;  // a showing call while the dialog is shown
    Form1->ApplyMode(mode, height, widthFactor);
    return Form1->exec() == QDialog::Accepted ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
