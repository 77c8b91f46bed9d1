// A CAD host's view: load libvexoglyph.so by file name and walk the store by exported names.
#include <dlfcn.h>
#include <gtest/gtest.h>

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

class HostLoad : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Never closed: the library stays loaded for the process, as in a host.
    library = ::dlopen(VX_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  }

  template <typename Function>
  static Function Resolve(const char* name) {
    ::dlerror();
    void* symbol = ::dlsym(library, name);
    const char* error = ::dlerror();
    EXPECT_EQ(error, nullptr) << name << ": " << error;
    EXPECT_NE(symbol, nullptr) << name;
    return reinterpret_cast<Function>(symbol);
  }

  void SetUp() override { ASSERT_NE(library, nullptr) << VX_LIBRARY_PATH << ": " << ::dlerror(); }

  static inline void* library = nullptr;
};

TEST_F(HostLoad, NineQueriesResolveByTheirPlainNames) {
  for (const char* name : {"GetTTFCount", "GetFirstTTFPoint", "GetNextTTFPoint", "GetStrokeCount",
                           "GetTTFWidth", "GetTTFHeight", "GetTTFLeft", "GetTTFBottom", "FreePointList"}) {
    EXPECT_NE(::dlsym(library, name), nullptr) << name;
  }
}

TEST_F(HostLoad, EmptyStoreAnswersNullAndZeroBeforeAndAfterFree) {
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

TEST_F(HostLoad, InternalNamesStayHidden) {
  for (const char* name : {"gPointList", "gCursor", "gPrecision", "SetPrecision", "FixedToDouble"}) {
    EXPECT_EQ(::dlsym(library, name), nullptr) << name;
  }
}

}  // namespace
