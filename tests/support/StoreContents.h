// Test helpers: the point store as plain records, and its contour invariants.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/HostQueries.h"
#include "engine/PointStore.h"

namespace vx::test {

struct Rec {
  int kind;
  double x;
  double y;
  bool operator==(const Rec&) const = default;
};

inline void PrintTo(const Rec& r, std::ostream* os) {
  *os << "{" << r.kind << ", " << r.x << ", " << r.y << "}";
}

inline std::vector<Rec> StoreRecords() {
  std::vector<Rec> out;
  for (const TTFPoint* p = gPointList.GetHead(); p != nullptr; p = p->next) {
    out.push_back({p->kind, p->x, p->y});
  }
  return out;
}

// Every contour: a pkPoint first record, pkPoint records, one closing record
// repeating the first point; only the last contour is closed by pkGlyphEnd
// (a store of one glyph). All coordinates finite.
inline void ExpectOneWellFormedGlyph(const std::vector<Rec>& records) {
  if (records.empty()) return;
  ASSERT_GE(records.size(), 2u);
  std::size_t first = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const Rec& r = records[i];
    ASSERT_TRUE(std::isfinite(r.x) && std::isfinite(r.y)) << "record " << i;
    if (i == first) {
      ASSERT_EQ(r.kind, pkPoint) << "record " << i;
      continue;
    }
    if (r.kind == pkPoint) continue;
    const bool last = i + 1 == records.size();
    ASSERT_EQ(r.kind, last ? pkGlyphEnd : pkContourEnd) << "record " << i;
    ASSERT_EQ(r.x, records[first].x) << "record " << i;
    ASSERT_EQ(r.y, records[first].y) << "record " << i;
    first = i + 1;
  }
  ASSERT_EQ(first, records.size()) << "the store does not end with a closing record";
}

// Clears the store and the walk around every test.
class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override { FreePointList(); }
  void TearDown() override { FreePointList(); }
};

}  // namespace vx::test
