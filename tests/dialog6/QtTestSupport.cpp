// Test support for widgets: one application object, a temporary registry folder, modal windows answered by the test.
#include "QtTestSupport.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

// Qt's font database leaves fontconfig's configuration allocated until the
// process ends; that is not ours to free.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace vx::test {

void EnsureApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "dialog6_tests";
  static char* argv[] = {name, nullptr};
  // Kept until the process ends: destroying it after Qt's own statics crashes.
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

TempRegistryDir::TempRegistryDir() {
  if (const char* old = std::getenv("VEXOGLYPH_REGISTRY_DIR")) {
    hadPrevious_ = true;
    previous_ = old;
  }
  ::setenv("VEXOGLYPH_REGISTRY_DIR", path().c_str(), 1);
}

TempRegistryDir::~TempRegistryDir() {
  if (hadPrevious_) {
    ::setenv("VEXOGLYPH_REGISTRY_DIR", previous_.c_str(), 1);
  } else {
    ::unsetenv("VEXOGLYPH_REGISTRY_DIR");
  }
}

void WhenModalOpens(std::function<void(QWidget*)> answer) {
  auto* timer = new QTimer;
  auto pending = std::make_shared<std::function<void(QWidget*)>>(std::move(answer));
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, pending] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    (*pending)(modal);
  });
  timer->start();
}

}  // namespace vx::test
