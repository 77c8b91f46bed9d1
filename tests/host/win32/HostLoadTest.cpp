// A CAD host's view on Windows: load Vexoglyph.DLL by name, resolve its exports, release and unload it, again.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// The record layout a separately built host declares for itself.
struct HostRecord {
  int kind;
  double x;
  double y;
  HostRecord* next;
};

using IntQuery = int (*)();
using RecordQuery = HostRecord* (*)();
using DoubleQuery = double (*)();
using Action = void (*)();
using ShowDialog = int (*)(int mode, double height, double widthFactor);

constexpr int kHostSized = 0;
constexpr int kRelease = 2;  // any mode other than the three showing ones

class HostLoad : public ::testing::Test {
 protected:
  // Found as a host finds it: by name, beside the host's program.
  void SetUp() override { ASSERT_NE(Load(), nullptr) << "LoadLibrary: error " << GetLastError(); }
  void TearDown() override {
    if (library != nullptr) FreeLibrary(library);
  }

  HMODULE Load() {
    library = LoadLibraryW(L"Vexoglyph.DLL");
    return library;
  }

  template <typename Export>
  Export Resolve(const char* name) {
    const FARPROC address = GetProcAddress(library, name);
    EXPECT_NE(address, nullptr) << name;
    // Through void*: an export's address says nothing of its type.
    return reinterpret_cast<Export>(reinterpret_cast<void*>(address));
  }

  // The queries of an empty store, as loaded and after FreePointList.
  void ExpectEmptyStore() {
    const auto count = Resolve<IntQuery>("GetTTFCount");
    const auto first = Resolve<RecordQuery>("GetFirstTTFPoint");
    const auto next = Resolve<RecordQuery>("GetNextTTFPoint");
    const auto strokes = Resolve<IntQuery>("GetStrokeCount");
    const auto width = Resolve<DoubleQuery>("GetTTFWidth");
    const auto height = Resolve<DoubleQuery>("GetTTFHeight");
    const auto left = Resolve<DoubleQuery>("GetTTFLeft");
    const auto bottom = Resolve<DoubleQuery>("GetTTFBottom");
    const auto freeList = Resolve<Action>("FreePointList");
    ASSERT_FALSE(HasFailure());
    for (int round = 0; round < 2; ++round) {
      SCOPED_TRACE(round == 0 ? "as loaded" : "after FreePointList");
      EXPECT_EQ(count(), 0);
      EXPECT_EQ(next(), nullptr);
      EXPECT_EQ(strokes(), 0);
      EXPECT_EQ(first(), nullptr);
      EXPECT_EQ(next(), nullptr);
      EXPECT_EQ(strokes(), 0);
      EXPECT_EQ(width(), 0.0);
      EXPECT_EQ(height(), 0.0);
      EXPECT_EQ(left(), 0.0);
      EXPECT_EQ(bottom(), 0.0);
      freeList();
    }
  }

  HMODULE library = nullptr;
};

TEST_F(HostLoad, NineQueriesResolveByTheirPlainNames) {
  for (const char* name : {"GetTTFCount", "GetFirstTTFPoint", "GetNextTTFPoint", "GetStrokeCount", "GetTTFWidth",
                           "GetTTFHeight", "GetTTFLeft", "GetTTFBottom", "FreePointList"}) {
    EXPECT_NE(GetProcAddress(library, name), nullptr) << name;
  }
}

TEST_F(HostLoad, EmptyStoreAnswersNullAndZeroBeforeAndAfterFree) { ExpectEmptyStore(); }

TEST_F(HostLoad, InternalNamesStayHidden) {
  for (const char* name : {"gPointList", "gCursor", "gPrecision", "SetPrecision", "FixedToDouble", "ShowTTFTextDlg",
                           "Form1"}) {
    EXPECT_EQ(GetProcAddress(library, name), nullptr) << name;
  }
}

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
    ASSERT_TRUE(FreeLibrary(library));
    library = nullptr;
    ASSERT_NE(Load(), nullptr) << "LoadLibrary: error " << GetLastError();
  }
}

}  // namespace
