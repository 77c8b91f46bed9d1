// A CAD host's view on Windows: the dialog entry and window references, and the library released and unloaded, again.
#include <string>

#include "tests/host/HostLoad.h"

namespace vx::host {
namespace {

using ShowDialog = int (*)(int mode, double height, double widthFactor);

constexpr int kHostSized = 0;
constexpr int kRelease = 2;  // any mode other than the three showing ones

// The four window references are variables a host reads in place; no window
// exists, so each holds null.
TEST_F(HostLoad, WindowReferencesAreEmptyDataExports) {
  for (const char* name : {"_Form1", "_Form2", "_AboutDLG", "_SetACAD"}) {
    void* const* reference = Resolve<void* const*>(name);
    ASSERT_NE(reference, nullptr) << name;
    EXPECT_EQ(*reference, nullptr) << name;
  }
}

// Until the dialog has its Windows window, a showing call converts nothing and
// answers 0, as a cancelled dialog does; the release call a host makes before
// unloading answers 0 too.
TEST_F(HostLoad, ShowingAndReleaseCallsAnswerZeroAndLeaveTheStoreEmpty) {
  const auto show = Resolve<ShowDialog>("_ShowTTFTextDlg");
  ASSERT_NE(show, nullptr);
  EXPECT_EQ(show(kHostSized, 2.5, 0.8), 0);
  EXPECT_EQ(show(kRelease, 0.0, 0.0), 0);
  EXPECT_EQ(show(kRelease, 0.0, 0.0), 0);  // nothing left to release
  ExpectEmptyStore();
}

// A host may load and unload the library many times in one session; each
// loading starts with an empty store and empty references.
TEST_F(HostLoad, SurvivesLoadReleaseUnloadCycles) {
  for (int cycle = 0; cycle < 5; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    ExpectEmptyStore();
    EXPECT_EQ(*Resolve<void* const*>("_Form1"), nullptr);
    EXPECT_EQ(Resolve<ShowDialog>("_ShowTTFTextDlg")(kRelease, 0.0, 0.0), 0);
    ASSERT_TRUE(ReleaseHostLibrary(library_));
    library_ = nullptr;
    ASSERT_NE(Load(), nullptr) << loadError_;
  }
}

}  // namespace
}  // namespace vx::host
