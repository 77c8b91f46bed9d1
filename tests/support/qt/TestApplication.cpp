// The test process's Qt application object, on whatever platform the test environment names (offscreen).
#include "tests/support/qt/TestApplication.h"

// Qt's font database leaves fontconfig's configuration allocated until the
// process ends; that is not ours to free.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace vx::test {

QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "vexoglyph_test";
  static char* argv[] = {name, nullptr};
  // Kept until the process ends: destroying it after Qt's own statics crashes.
  static QApplication* app = [] {
    auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance());
    return existing != nullptr ? existing : new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace vx::test
