// A CAD host's view on Windows: the dialog driven end to end, its window references, and the library unloaded, again.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "dialog/win32/ControlIds.h"
#include "tests/dialog/win32/WindowDriver.h"
#include "tests/host/HostLoad.h"
#include "tests/support/DxfReader.h"

namespace vx::host {
namespace {

using ShowDialog = int (*)(int mode, double height, double widthFactor);

constexpr int kHostDefault = -1;
constexpr int kHostSized = 0;
constexpr int kRelease = 2;  // any mode other than the three showing ones

struct Contour {
  std::vector<test::DxfPoint> vertices;
  bool endsGlyph = false;
};

// The four window references are variables a host reads in place; no window
// exists, so each holds null.
// The store walked as a host walks it: from each contour's first record,
// GetStrokeCount vertices, then the closing record. Every record's own next
// address, read in place, is the record GetNextTTFPoint gives.
std::vector<Contour> WalkRecords(HostRecord* record, IntQuery strokes, RecordQuery next) {
  std::vector<Contour> contours;
  const auto step = [&](const HostRecord* from) {
    HostRecord* const following = next();
    EXPECT_EQ(NextInPlace(from), following) << "next address at offset 24, " << sizeof following << " bytes";
    return following;
  };
  while (record != nullptr) {
    Contour contour;
    const int count = strokes();
    for (int i = 0; i < count && record != nullptr; ++i) {
      contour.vertices.push_back({record->x, record->y});
      record = step(record);
    }
    if (record == nullptr) break;
    contour.endsGlyph = record->kind == 3;
    contours.push_back(contour);
    record = step(record);
  }
  return contours;
}

// Glyph by glyph (contours up to one that ends a glyph): the same contours
// and vertex counts, and every vertex within 1 % of the cell height once the
// glyph's mean offset (the pen's drift along the line) is taken out.
void ExpectSameGlyphs(const std::vector<Contour>& actual, const test::DxfDrawing& expected, double cellHeight) {
  ASSERT_EQ(actual.size(), expected.polylines.size());
  std::size_t first = 0;
  for (std::size_t c = 0; c < actual.size(); ++c) {
    if (!actual[c].endsGlyph) continue;
    double dx = 0, dy = 0;
    std::size_t n = 0;
    for (std::size_t k = first; k <= c; ++k) {
      ASSERT_EQ(actual[k].vertices.size(), expected.polylines[k].vertices.size()) << "contour " << k;
      for (std::size_t v = 0; v < actual[k].vertices.size(); ++v, ++n) {
        dx += actual[k].vertices[v].x - expected.polylines[k].vertices[v].x;
        dy += actual[k].vertices[v].y - expected.polylines[k].vertices[v].y;
      }
    }
    dx /= static_cast<double>(n);
    dy /= static_cast<double>(n);
    double deviation = 0;
    for (std::size_t k = first; k <= c; ++k) {
      for (std::size_t v = 0; v < actual[k].vertices.size(); ++v) {
        deviation = std::max(deviation, std::hypot(actual[k].vertices[v].x - dx - expected.polylines[k].vertices[v].x,
                                                   actual[k].vertices[v].y - dy - expected.polylines[k].vertices[v].y));
      }
    }
    EXPECT_LE(deviation, 0.01 * cellHeight) << "glyph ending with contour " << c;
    EXPECT_LE(std::hypot(dx, dy), 0.02 * cellHeight) << "pen drift of the glyph ending with contour " << c;
    first = c + 1;
  }
}

TEST_F(HostLoad, WindowReferencesAreEmptyDataExports) {
  for (const char* name : {"_Form1", "_Form2", "_AboutDLG", "_SetACAD"}) {
    void* const* reference = Resolve<void* const*>(name);
    ASSERT_NE(reference, nullptr) << name;
    EXPECT_EQ(*reference, nullptr) << name;
  }
}

// A host that knows only the exported names shows the dialog sized
// (2.5, 0.8), types "Ab", a line break and "c", presses OK and reads the
// records in place: each glyph matches what the Linux program draws for the
// same text within 1 % of the cell height.
TEST_F(HostLoad, DrivesTheDialogAndReadsTheConvertedTextInPlace) {
  const auto show = Resolve<ShowDialog>("_ShowTTFTextDlg");
  void* const* form = Resolve<void* const*>("_Form1");
  bool referenceWhileShown = false;
  test::WindowScript script;
  HWND window = nullptr;
  script.WaitFor(win32::kForm1Class, window).Then([&] {
    referenceWhileShown = *form != nullptr;
    HWND memo = GetDlgItem(window, win32::form1::Memo1);
    SetFocus(memo);
    test::TypeText(memo, L"Ab\rc");
    SendMessageW(GetDlgItem(window, win32::form1::OkBtn), BM_CLICK, 0, 0);
    return true;
  });
  ASSERT_EQ(show(kHostSized, 2.5, 0.8), 1);
  EXPECT_TRUE(referenceWhileShown);
  EXPECT_FALSE(script.TimedOut());

  const std::vector<Contour> contours = WalkRecords(
      Resolve<RecordQuery>("GetFirstTTFPoint")(), Resolve<IntQuery>("GetStrokeCount"), Resolve<RecordQuery>("GetNextTTFPoint"));
  std::ifstream file(VX_HOST_REFERENCE, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  const test::DxfDrawing linux = test::ReadDxf(bytes.str());
  ASSERT_EQ(linux.error, "");
  ExpectSameGlyphs(contours, linux, 2.5);

  Resolve<Action>("FreePointList")();
  EXPECT_EQ(show(kRelease, 0.0, 0.0), 0);
  EXPECT_EQ(*form, nullptr);
  EXPECT_EQ(test::FindSystemDialog(), nullptr);  // a second release has nothing to say
  EXPECT_EQ(show(kRelease, 0.0, 0.0), 0);
}

// A host without a window of its own shows the dialog again and again: every
// showing takes the foreground with the caret in Memo1, and the keys that
// close a window (Alt+F4, Escape) or a WM_CLOSE end only the showing, with
// 0, while the host goes on to the next call. Keys go to the system only
// while the dialog is in front: elsewhere Alt+F4 would reach the desktop.
TEST_F(HostLoad, EveryShowingIsActiveAndItsClosingKeysEndOnlyTheShowing) {
  const auto show = Resolve<ShowDialog>("_ShowTTFTextDlg");
  struct Closing {
    const char* name;
    std::function<void(HWND form)> close;
  };
  const std::vector<Closing> closings = {
      {"Escape", [](HWND) { test::PressKeys({VK_ESCAPE}); }},
      {"Alt+F4", [](HWND) { test::PressKeys({VK_MENU, VK_F4}); }},
      {"WM_CLOSE", [](HWND form) { PostMessageW(form, WM_CLOSE, 0, 0); }},
      {"Alt+F4 again", [](HWND) { test::PressKeys({VK_MENU, VK_F4}); }},
  };
  for (const Closing& closing : closings) {
    SCOPED_TRACE(closing.name);
    test::WindowScript script;
    HWND window = nullptr;
    bool foreground = false, active = false, memoFocused = false;
    script.WaitFor(win32::kForm1Class, window).Then([&] {
      foreground = GetForegroundWindow() == window;
      active = GetActiveWindow() == window;
      memoFocused = GetFocus() == GetDlgItem(window, win32::form1::Memo1);
      if (foreground) {
        closing.close(window);
      } else {
        PostMessageW(window, WM_CLOSE, 0, 0);  // not in front: the keys would go elsewhere
      }
      return true;
    });
    EXPECT_EQ(show(kHostDefault, 0.0, 0.0), 0);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(foreground);
    EXPECT_TRUE(active);
    EXPECT_TRUE(memoFocused);
    EXPECT_FALSE(IsWindowVisible(window));
  }
  EXPECT_EQ(show(kRelease, 0.0, 0.0), 0);
}

// A host may load and unload the library many times in one session; each
// loading starts with an empty store and empty references.
TEST_F(HostLoad, SurvivesLoadReleaseUnloadCycles) {
  for (int cycle = 0; cycle < 5; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    ExpectEmptyStore();
    EXPECT_EQ(*Resolve<void* const*>("_Form1"), nullptr);
    // The window classes go with the library: showing again after a reload works.
    test::WindowScript script;
    HWND window = nullptr;
    script.WaitFor(win32::kForm1Class, window).Then([&] {
      SendMessageW(GetDlgItem(window, win32::form1::CancelBtn), BM_CLICK, 0, 0);
      return true;
    });
    EXPECT_EQ(Resolve<ShowDialog>("_ShowTTFTextDlg")(kHostDefault, 0.0, 0.0), 0);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(Resolve<ShowDialog>("_ShowTTFTextDlg")(kRelease, 0.0, 0.0), 0);
    ASSERT_TRUE(ReleaseHostLibrary(library_));
    library_ = nullptr;
    ASSERT_NE(Load(), nullptr) << loadError_;
  }
}

}  // namespace
}  // namespace vx::host
