// The test host's fixture: the library loaded as a CAD host loads it, exports resolved by name, the empty store.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "tests/host/HostLibrary.h"

namespace vx::host {

// The record layout a separately built host declares for itself: kind at 0,
// x at 8, y at 16 and the next record's address at 24, 4 bytes wide in a
// 32-bit host and 8 in a 64-bit one; 32 bytes a record in both.
struct HostRecord {
  int kind;
  double x;
  double y;
  HostRecord* next;
};
static_assert(offsetof(HostRecord, x) == 8 && offsetof(HostRecord, y) == 16);
static_assert(offsetof(HostRecord, next) == 24 && sizeof(HostRecord) == 32);

// The next record's address as a host reads it from a record's bytes.
inline HostRecord* NextInPlace(const HostRecord* record) {
  HostRecord* next = nullptr;
  std::memcpy(&next, reinterpret_cast<const unsigned char*>(record) + offsetof(HostRecord, next), sizeof next);
  return next;
}

using IntQuery = int (*)();
using RecordQuery = HostRecord* (*)();
using DoubleQuery = double (*)();
using Action = void (*)();

// Each test starts with the library loaded and lets go of it at the end.
class HostLoad : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(Load(), nullptr) << loadError_; }
  void TearDown() override {
    if (library_ != nullptr) ReleaseHostLibrary(library_);
  }

  void* Load() {
    library_ = LoadHostLibrary(loadError_);
    return library_;
  }

  // Null when the name is not exported.
  void* Find(const char* name) const {
    std::string ignored;
    return FindExport(library_, name, ignored);
  }

  template <typename Export>
  Export Resolve(const char* name) {
    std::string error;
    void* const address = FindExport(library_, name, error);
    EXPECT_TRUE(error.empty()) << name << ": " << error;
    EXPECT_NE(address, nullptr) << name;
    return reinterpret_cast<Export>(address);
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

  void* library_ = nullptr;
  std::string loadError_;
};

}  // namespace vx::host
