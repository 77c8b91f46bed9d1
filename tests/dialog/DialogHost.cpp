// The test host: loads libvexoglyph.so by file name, drives the dialog as a user, reads the store in place.
//
// It knows the library only by its exported names. The library makes the Qt
// application object itself (the host has none) on the first showing call, so
// the host's driving timer is started from Qt's start-up hook once that object
// exists; the dialog is then found among the application's top-level windows
// by its name.
#include <dlfcn.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "FAILED: %s\n", what);
    ++failures;
  }
}

// A record read at the binding offsets: kind at 0, x at 8, y at 16, next at 24.
struct Record {
  int kind;
  double x;
  double y;
  const void* next;
};

Record ReadInPlace(const void* record) {
  const auto* bytes = static_cast<const unsigned char*>(record);
  Record r{};
  std::memcpy(&r.kind, bytes + 0, sizeof r.kind);
  std::memcpy(&r.x, bytes + 8, sizeof r.x);
  std::memcpy(&r.y, bytes + 16, sizeof r.y);
  std::memcpy(&r.next, bytes + 24, sizeof r.next);
  return r;
}

template <typename F>
F Resolve(void* library, const char* name) {
  void* symbol = dlsym(library, name);
  if (symbol == nullptr) {
    std::fprintf(stderr, "FAILED: %s is not exported\n", name);
    ++failures;
  }
  return reinterpret_cast<F>(symbol);
}

QWidget* VisibleDialog() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == QLatin1String("Form1") && w->isVisible()) return w;
  }
  return nullptr;
}

// Starts the host's driver from the event loop of the application object the
// library has just made (called by Qt while that object is being built).
std::function<void()> startDriver;
void StartDriverOnceRunning() {
  QMetaObject::invokeMethod(QCoreApplication::instance(), [] { startDriver(); }, Qt::QueuedConnection);
}

}  // namespace

int main() {
  void* library = dlopen(VX_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "FAILED: cannot load %s: %s\n", VX_LIBRARY_PATH, dlerror());
    return 1;
  }
  using ShowFn = int (*)(int, double, double);
  using PointFn = const void* (*)();
  using IntFn = int (*)();
  using DoubleFn = double (*)();
  using VoidFn = void (*)();
  const auto show = Resolve<ShowFn>(library, "_ShowTTFTextDlg");
  const auto getCount = Resolve<IntFn>(library, "GetTTFCount");
  const auto getFirst = Resolve<PointFn>(library, "GetFirstTTFPoint");
  const auto getNext = Resolve<PointFn>(library, "GetNextTTFPoint");
  const auto getStrokeCount = Resolve<IntFn>(library, "GetStrokeCount");
  const auto getWidth = Resolve<DoubleFn>(library, "GetTTFWidth");
  const auto getHeight = Resolve<DoubleFn>(library, "GetTTFHeight");
  const auto getLeft = Resolve<DoubleFn>(library, "GetTTFLeft");
  const auto getBottom = Resolve<DoubleFn>(library, "GetTTFBottom");
  const auto freePoints = Resolve<VoidFn>(library, "FreePointList");
  auto* const form1 = static_cast<void* const*>(dlsym(library, "_Form1"));
  Check(form1 != nullptr, "_Form1 is exported");
  if (failures != 0) return 1;

  // A release call with no dialog: nothing to release, nothing made.
  Check(show(5, 0, 0) == 0, "the release call returns 0");
  Check(QApplication::instance() == nullptr, "the release call made no application object");
  Check(*form1 == nullptr, "_Form1 is empty after the release call");

  // While the dialog is open: type "Ab", a line break and "c", press OK.
  bool typed = false;
  bool formWhileOpen = false;
  const auto drive = [&] {
    QWidget* dialog = VisibleDialog();
    if (dialog == nullptr || typed) return;
    typed = true;
    formWhileOpen = *form1 == dialog;
    auto* memo = dialog->findChild<QWidget*>(QStringLiteral("Memo1"));
    auto* ok = dialog->findChild<QAbstractButton*>(QStringLiteral("OkBtn"));
    if (memo == nullptr || ok == nullptr) {
      dialog->close();
      return;
    }
    QTest::keyClicks(memo, QStringLiteral("Ab"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("c"));
    ok->click();
  };
  QTimer* timer = nullptr;
  startDriver = [&] {
    timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, drive);
    timer->start(20);
  };
  qAddPreRoutine(StartDriverOnceRunning);
  const int result = show(0, 2.5, 0.8);
  Check(timer != nullptr, "the library made an application object for the showing call");
  if (timer != nullptr) timer->stop();
  Check(typed, "the dialog was shown and typed into");
  Check(formWhileOpen, "_Form1 refers to the open dialog");
  Check(result == 1, "OK after a conversion returns 1");

  // The walk of the store, contour by contour, records read in place.
  std::vector<std::vector<Record>> glyphs(1);
  int records = 0;
  const void* current = getFirst();
  while (current != nullptr) {
    const int vertices = getStrokeCount();
    Check(vertices >= 2, "a contour has vertices");
    Record first = ReadInPlace(current);
    ++records;
    glyphs.back().push_back(first);
    for (int i = 1; i < vertices; ++i) {
      const void* next = getNext();
      Check(next != nullptr && next == ReadInPlace(current).next, "each record links to the next");
      Record r = ReadInPlace(next);
      Check(r.kind == 1, "vertices are points");
      glyphs.back().push_back(r);
      current = next;
      ++records;
    }
    const void* closing = getNext();
    Check(closing != nullptr, "every contour is closed");
    if (closing == nullptr) break;
    const Record close = ReadInPlace(closing);
    ++records;
    Check(close.kind == 2 || close.kind == 3, "a closing record closes the contour");
    Check(close.x == first.x && close.y == first.y, "the closing record repeats the first point");
    if (close.kind == 3) glyphs.emplace_back();
    current = getNext();
  }
  glyphs.pop_back();
  Check(records == getCount(), "the walk visits every record");
  Check(glyphs.size() == 3, "three glyphs: A, b and c");

  // The typical request: 2.5 high on the first baseline, c one line (3.0) below.
  if (glyphs.size() == 3) {
    double top = -1e9;
    for (int g = 0; g < 2; ++g) {
      for (const Record& r : glyphs[g]) {
        Check(r.y > -0.1 && r.y < 2.5, "A and b stand on the first baseline within the cell");
        top = std::max(top, r.y);
      }
    }
    Check(top > 1.5, "A and b reach their cap height");
    double cLeft = 1e9, cBottom = 1e9, bLeft = 1e9;
    for (const Record& r : glyphs[2]) {
      cLeft = std::min(cLeft, r.x);
      cBottom = std::min(cBottom, r.y);
      Check(r.y < -1.5, "c lies on the second line");
    }
    for (const Record& r : glyphs[1]) bLeft = std::min(bLeft, r.x);
    Check(std::fabs(cBottom + 3.0) < 0.1, "the second baseline is 1.2 x 2.5 below the first");
    Check(cLeft >= -0.1 && cLeft < 0.5, "the second line starts at x = 0");
    Check(bLeft > 0.8, "b follows A");
    Check(std::fabs(getBottom() - cBottom) < 1e-12, "the extents take in the second line");
    Check(getLeft() < 0.5 && getWidth() > 1.0 && getHeight() > 4.0, "the extents span both lines");
  }

  freePoints();
  Check(getCount() == 0 && getFirst() == nullptr, "FreePointList empties the store");
  Check(show(-7, 0, 0) == 0, "the release call returns 0");
  Check(*form1 == nullptr, "_Form1 is empty after the release call");
  if (failures == 0) std::puts("test host: all checks passed");
  return failures == 0 ? 0 : 1;
}
