// A record that cannot be allocated is dropped by the store, and ends the outline walk with std::bad_alloc.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <optional>

#include "engine/HostQueries.h"
#include "engine/OutlineFlattening.h"
#include "engine/PointStore.h"
#include "tests/engine/OutlineBuilder.h"
#include "tests/support/StoreContents.h"

namespace {
// How many more non-throwing allocations succeed; none fails while unset.
std::optional<int> gNothrowNewBeforeFailure;
}  // namespace

// The store allocates its records with the non-throwing new; this binary's
// replacement fails on request and otherwise forwards to the ordinary new.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (gNothrowNewBeforeFailure) {
    if (*gNothrowNewBeforeFailure == 0) return nullptr;
    --*gNothrowNewBeforeFailure;
  }
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

namespace vx::test {
namespace {

class AllocationFailure : public StoreTest {
 protected:
  void TearDown() override {
    gNothrowNewBeforeFailure.reset();
    StoreTest::TearDown();
  }
};

TEST_F(AllocationFailure, FailedAddLeavesTheStoreAsItWas) {
  gPointList.Add(1, 1, pkPoint);
  gPointList.Add(2, 1, pkPoint);
  gNothrowNewBeforeFailure = 0;
  EXPECT_FALSE(gPointList.Add(3, 3, pkPoint));
  gNothrowNewBeforeFailure.reset();
  EXPECT_TRUE(gPointList.Add(1, 1, pkGlyphEnd));

  EXPECT_EQ(GetTTFCount(), 3);
  EXPECT_EQ(StoreRecords(), (std::vector<Rec>{{pkPoint, 1, 1}, {pkPoint, 2, 1}, {pkGlyphEnd, 1, 1}}));
  EXPECT_EQ(GetTTFWidth(), 1.0);
}

TEST_F(AllocationFailure, FailedFirstAddLeavesAnEmptyStore) {
  gNothrowNewBeforeFailure = 0;
  gPointList.Add(1, 1, pkPoint);
  gNothrowNewBeforeFailure.reset();
  EXPECT_EQ(GetTTFCount(), 0);
  EXPECT_EQ(GetFirstTTFPoint(), nullptr);
  gPointList.Add(2, 2, pkPoint);
  EXPECT_EQ(gPointList.GetHead(), GetFirstTTFPoint());
  EXPECT_EQ(GetTTFCount(), 1);
}

// A glyph that lacks a point would be a wrong drawing handed on as a right one.
TEST_F(AllocationFailure, ARecordTheWalkCannotAllocateEndsItWithBadAlloc) {
  const auto square = OutlineBuilder().Polygon({0, 0}).Line({{4, 0}, {4, 4}, {0, 4}}).Build();
  for (int succeeding : {0, 2, 4}) {
    SCOPED_TRACE(succeeding);
    FreePointList();
    gNothrowNewBeforeFailure = succeeding;
    EXPECT_THROW(WalkOutline(square.data(), square.size(), Placement{}), std::bad_alloc);
    gNothrowNewBeforeFailure.reset();
    EXPECT_EQ(GetTTFCount(), succeeding);
  }
}

}  // namespace
}  // namespace vx::test
