// The point store and the host's walk over it: protocol, stroke counts, extents.
#include <gtest/gtest.h>

#include <new>

#include "engine/HostQueries.h"
#include "engine/PointStore.h"
#include "tests/support/StoreContents.h"

namespace vx::test {
namespace {

using PointStore = StoreTest;

// One glyph of one contour: four points and its closing record.
void AddSquareGlyph() {
  gPointList.Add(0, 0, pkPoint);
  gPointList.Add(4, 0, pkPoint);
  gPointList.Add(4, 4, pkPoint);
  gPointList.Add(0, 4, pkPoint);
  gPointList.Add(0, 0, pkGlyphEnd);
}

TEST_F(PointStore, EmptyStoreAnswersNullAndZero) {
  EXPECT_EQ(GetTTFCount(), 0);
  EXPECT_EQ(GetFirstTTFPoint(), nullptr);
  EXPECT_EQ(GetNextTTFPoint(), nullptr);
  EXPECT_EQ(GetStrokeCount(), 0);
  EXPECT_EQ(GetTTFWidth(), 0.0);
  EXPECT_EQ(GetTTFHeight(), 0.0);
  EXPECT_EQ(GetTTFLeft(), 0.0);
  EXPECT_EQ(GetTTFBottom(), 0.0);
}

TEST_F(PointStore, WalkHandsOutTheRecordsInPlaceThenNullForever) {
  AddSquareGlyph();
  ASSERT_EQ(GetTTFCount(), 5);

  TTFPoint* first = GetFirstTTFPoint();
  ASSERT_EQ(first, gPointList.GetHead());
  EXPECT_EQ(GetStrokeCount(), 4);
  EXPECT_EQ(gCursor, first) << "GetStrokeCount must leave the cursor where it was";

  std::vector<TTFPoint*> walked{first};
  while (TTFPoint* p = GetNextTTFPoint()) walked.push_back(p);
  ASSERT_EQ(walked.size(), 5u);
  for (std::size_t i = 0; i + 1 < walked.size(); ++i) EXPECT_EQ(walked[i]->next, walked[i + 1]);
  EXPECT_EQ(walked.back()->kind, pkGlyphEnd);
  EXPECT_EQ(GetNextTTFPoint(), nullptr);
  EXPECT_EQ(GetNextTTFPoint(), nullptr);
  EXPECT_EQ(GetStrokeCount(), 0) << "no current record after the walk has passed the end";
}

TEST_F(PointStore, StrokeCountFromEveryPositionOfTwoGlyphs) {
  // Glyph 1: contours of 3 and 2 points; glyph 2: one contour of 2 points.
  gPointList.Add(0, 0, pkPoint);
  gPointList.Add(1, 0, pkPoint);
  gPointList.Add(1, 1, pkPoint);
  gPointList.Add(0, 0, pkContourEnd);
  gPointList.Add(5, 5, pkPoint);
  gPointList.Add(6, 5, pkPoint);
  gPointList.Add(5, 5, pkGlyphEnd);
  gPointList.Add(9, 0, pkPoint);
  gPointList.Add(9, 1, pkPoint);
  gPointList.Add(9, 0, pkGlyphEnd);

  const int expectedKinds[] = {pkPoint, pkPoint, pkPoint, pkContourEnd, pkPoint,
                               pkPoint, pkGlyphEnd, pkPoint, pkPoint, pkGlyphEnd};
  // From a contour's first record: its vertices; on its last point: 1; on a
  // closing record: 1 plus the next contour's points; on the store's end: 1.
  const int expectedStrokes[] = {3, 2, 1, 3, 2, 1, 3, 2, 1, 1};
  int i = 0;
  for (TTFPoint* p = GetFirstTTFPoint(); p != nullptr; p = GetNextTTFPoint(), ++i) {
    ASSERT_LT(i, 10);
    EXPECT_EQ(p->kind, expectedKinds[i]) << "record " << i;
    EXPECT_EQ(GetStrokeCount(), expectedStrokes[i]) << "record " << i;
    EXPECT_EQ(gCursor, p);
  }
  EXPECT_EQ(i, 10);
}

TEST_F(PointStore, StrokeCountBeforeAnyWalkIsZero) {
  AddSquareGlyph();
  EXPECT_EQ(GetStrokeCount(), 0);
  EXPECT_EQ(GetNextTTFPoint(), nullptr) << "GetNextTTFPoint without a walk changes nothing";
  EXPECT_EQ(gCursor, nullptr);
}

TEST_F(PointStore, ExtentsStartFromTheFirstRecordNotFromZero) {
  // All coordinates positive: a minimum seeded with 0 would be wrong.
  gPointList.Add(5, 3, pkPoint);
  gPointList.Add(9, 3.5, pkPoint);
  gPointList.Add(7, 4, pkPoint);
  gPointList.Add(5, 3, pkGlyphEnd);
  EXPECT_EQ(GetTTFLeft(), 5.0);
  EXPECT_EQ(GetTTFBottom(), 3.0);
  EXPECT_EQ(GetTTFWidth(), 4.0);
  EXPECT_EQ(GetTTFHeight(), 1.0);
}

TEST_F(PointStore, ExtentsWithNegativeCoordinates) {
  gPointList.Add(-2, -7, pkPoint);
  gPointList.Add(-10, 1, pkPoint);
  gPointList.Add(-3, -1, pkPoint);
  gPointList.Add(-2, -7, pkGlyphEnd);
  EXPECT_EQ(GetTTFLeft(), -10.0);
  EXPECT_EQ(GetTTFBottom(), -7.0);
  EXPECT_EQ(GetTTFWidth(), 8.0);
  EXPECT_EQ(GetTTFHeight(), 8.0);
}

TEST_F(PointStore, FreeInTheMiddleOfAWalkEndsIt) {
  AddSquareGlyph();
  GetFirstTTFPoint();
  GetNextTTFPoint();
  FreePointList();
  EXPECT_EQ(GetTTFCount(), 0);
  EXPECT_EQ(gPointList.GetHead(), nullptr);
  EXPECT_EQ(GetNextTTFPoint(), nullptr);
  EXPECT_EQ(GetStrokeCount(), 0);

  AddSquareGlyph();  // the store is usable again and a new walk starts at the head
  EXPECT_EQ(GetTTFCount(), 5);
  EXPECT_EQ(GetFirstTTFPoint(), gPointList.GetHead());
}

}  // namespace
}  // namespace vx::test
