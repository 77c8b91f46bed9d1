// A CAD host that shows the dialog: loads the library by file name, drives the dialog as a user, reads the store in place.
//
// The host knows the library only by its exported names. The library makes
// the Qt application object itself (the host has none) on the first showing
// call, so the host's driving timer is started from Qt's start-up hook once
// that object exists; the dialog is then found among the application's
// top-level windows by its name.
#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "tests/host/HostLoad.h"

namespace vx::host {
namespace {

using ShowDialog = int (*)(int mode, double height, double widthFactor);
using RecordAddress = const void* (*)();

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

class DialogHost : public HostLoad {};

TEST_F(DialogHost, TypedTextComesBackAsTheStoreTheHostWalksInPlace) {
  const auto show = Resolve<ShowDialog>("_ShowTTFTextDlg");
  const auto getCount = Resolve<IntQuery>("GetTTFCount");
  const auto getFirst = Resolve<RecordAddress>("GetFirstTTFPoint");
  const auto getNext = Resolve<RecordAddress>("GetNextTTFPoint");
  const auto getStrokeCount = Resolve<IntQuery>("GetStrokeCount");
  const auto getWidth = Resolve<DoubleQuery>("GetTTFWidth");
  const auto getHeight = Resolve<DoubleQuery>("GetTTFHeight");
  const auto getLeft = Resolve<DoubleQuery>("GetTTFLeft");
  const auto getBottom = Resolve<DoubleQuery>("GetTTFBottom");
  const auto freePoints = Resolve<Action>("FreePointList");
  auto* const form1 = static_cast<void* const*>(Find("_Form1"));
  ASSERT_NE(form1, nullptr) << "_Form1 is exported";
  ASSERT_FALSE(HasFailure());

  // A release call with no dialog: nothing to release, nothing made.
  EXPECT_EQ(show(5, 0, 0), 0) << "the release call returns 0";
  EXPECT_EQ(QApplication::instance(), nullptr) << "the release call made no application object";
  EXPECT_EQ(*form1, nullptr) << "_Form1 is empty after the release call";

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
  EXPECT_NE(timer, nullptr) << "the library made an application object for the showing call";
  if (timer != nullptr) timer->stop();
  EXPECT_TRUE(typed) << "the dialog was shown and typed into";
  EXPECT_TRUE(formWhileOpen) << "_Form1 refers to the open dialog";
  EXPECT_EQ(result, 1) << "OK after a conversion returns 1";

  // The walk of the store, contour by contour, records read in place.
  std::vector<std::vector<Record>> glyphs(1);
  int records = 0;
  const void* current = getFirst();
  while (current != nullptr) {
    const int vertices = getStrokeCount();
    EXPECT_GE(vertices, 2) << "a contour has vertices";
    Record first = ReadInPlace(current);
    ++records;
    glyphs.back().push_back(first);
    for (int i = 1; i < vertices; ++i) {
      const void* next = getNext();
      EXPECT_TRUE(next != nullptr && next == ReadInPlace(current).next) << "each record links to the next";
      Record r = ReadInPlace(next);
      EXPECT_EQ(r.kind, 1) << "vertices are points";
      glyphs.back().push_back(r);
      current = next;
      ++records;
    }
    const void* closing = getNext();
    EXPECT_NE(closing, nullptr) << "every contour is closed";
    if (closing == nullptr) break;
    const Record close = ReadInPlace(closing);
    ++records;
    EXPECT_TRUE(close.kind == 2 || close.kind == 3) << "a closing record closes the contour";
    EXPECT_TRUE(close.x == first.x && close.y == first.y) << "the closing record repeats the first point";
    if (close.kind == 3) glyphs.emplace_back();
    current = getNext();
  }
  glyphs.pop_back();
  EXPECT_EQ(records, getCount()) << "the walk visits every record";
  EXPECT_EQ(glyphs.size(), 3u) << "three glyphs: A, b and c";

  // The typical request: 2.5 high on the first baseline, c one line (3.0) below.
  if (glyphs.size() == 3) {
    double top = -1e9;
    for (int g = 0; g < 2; ++g) {
      for (const Record& r : glyphs[g]) {
        EXPECT_TRUE(r.y > -0.1 && r.y < 2.5) << "A and b stand on the first baseline within the cell";
        top = std::max(top, r.y);
      }
    }
    EXPECT_GT(top, 1.5) << "A and b reach their cap height";
    double cLeft = 1e9, cBottom = 1e9, bLeft = 1e9;
    for (const Record& r : glyphs[2]) {
      cLeft = std::min(cLeft, r.x);
      cBottom = std::min(cBottom, r.y);
      EXPECT_LT(r.y, -1.5) << "c lies on the second line";
    }
    for (const Record& r : glyphs[1]) bLeft = std::min(bLeft, r.x);
    EXPECT_LT(std::fabs(cBottom + 3.0), 0.1) << "the second baseline is 1.2 x 2.5 below the first";
    EXPECT_TRUE(cLeft >= -0.1 && cLeft < 0.5) << "the second line starts at x = 0";
    EXPECT_GT(bLeft, 0.8) << "b follows A";
    EXPECT_LT(std::fabs(getBottom() - cBottom), 1e-12) << "the extents take in the second line";
    EXPECT_TRUE(getLeft() < 0.5 && getWidth() > 1.0 && getHeight() > 4.0) << "the extents span both lines";
  }

  freePoints();
  EXPECT_TRUE(getCount() == 0 && getFirst() == nullptr) << "FreePointList empties the store";
  EXPECT_EQ(show(-7, 0, 0), 0) << "the release call returns 0";
  EXPECT_EQ(*form1, nullptr) << "_Form1 is empty after the release call";
}

}  // namespace
}  // namespace vx::host
