// A record that cannot be allocated is dropped and the store stays consistent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "engine/HostQueries.h"
#include "engine/PointStore.h"
#include "tests/engine/StoreContents.h"

namespace {
bool gFailNothrowNew = false;
}  // namespace

// The store allocates its records with the non-throwing new; this binary's
// replacement fails on request and otherwise forwards to the ordinary new.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (gFailNothrowNew) return nullptr;
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

namespace vx::test {
namespace {

using AllocationFailure = StoreTest;

TEST_F(AllocationFailure, FailedAddLeavesTheStoreAsItWas) {
  gPointList.Add(1, 1, pkPoint);
  gPointList.Add(2, 1, pkPoint);
  gFailNothrowNew = true;
  gPointList.Add(3, 3, pkPoint);
  gFailNothrowNew = false;
  gPointList.Add(1, 1, pkGlyphEnd);

  EXPECT_EQ(GetTTFCount(), 3);
  EXPECT_EQ(StoreRecords(), (std::vector<Rec>{{pkPoint, 1, 1}, {pkPoint, 2, 1}, {pkGlyphEnd, 1, 1}}));
  EXPECT_EQ(GetTTFWidth(), 1.0);
}

TEST_F(AllocationFailure, FailedFirstAddLeavesAnEmptyStore) {
  gFailNothrowNew = true;
  gPointList.Add(1, 1, pkPoint);
  gFailNothrowNew = false;
  EXPECT_EQ(GetTTFCount(), 0);
  EXPECT_EQ(GetFirstTTFPoint(), nullptr);
  gPointList.Add(2, 2, pkPoint);
  EXPECT_EQ(gPointList.GetHead(), GetFirstTTFPoint());
  EXPECT_EQ(GetTTFCount(), 1);
}

}  // namespace
}  // namespace vx::test
