// Tests of the native outline writer on hand-made TrueType contours.
#include "engine/NativeOutlineWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <vector>

#include "engine/NativeOutline.h"

namespace vx {
namespace {

constexpr std::int32_t kOne = 65536;

// A decoded polygon: its start and its curve records, points in whole units.
struct Record {
  int type;
  std::vector<std::pair<int, int>> points;
  bool operator==(const Record&) const = default;
};
struct Polygon {
  std::pair<int, int> start;
  std::vector<Record> records;
  bool operator==(const Polygon&) const = default;
};

std::pair<int, int> Units(const OutlinePoint& p) {
  return {p.x.value, p.y.value};
}

std::vector<Polygon> Decode(const std::vector<std::uint8_t>& buffer) {
  std::vector<Polygon> polygons;
  std::size_t at = 0;
  while (at + kPolygonHeaderSize <= buffer.size()) {
    PolygonHeader header;
    std::memcpy(&header, buffer.data() + at, sizeof header);
    EXPECT_EQ(header.dwType, kPolygonTypeTT);
    EXPECT_LE(at + header.cb, buffer.size());
    Polygon polygon{Units(header.pfxStart), {}};
    std::size_t r = at + kPolygonHeaderSize;
    while (r < at + header.cb) {
      PolyCurveHead head;
      std::memcpy(&head, buffer.data() + r, sizeof head);
      Record record{head.wType, {}};
      for (int i = 0; i < head.cpfx; ++i) {
        OutlinePoint p;
        std::memcpy(&p, buffer.data() + r + kCurveHeadSize + i * kOutlinePointSize, sizeof p);
        record.points.push_back(Units(p));
      }
      polygon.records.push_back(record);
      r += kCurveHeadSize + head.cpfx * kOutlinePointSize;
    }
    EXPECT_EQ(r, at + header.cb);
    polygons.push_back(polygon);
    at += header.cb;
  }
  EXPECT_EQ(at, buffer.size());
  return polygons;
}

FixedPoint On(int x, int y) { return {x * kOne, y * kOne, true}; }
FixedPoint Off(int x, int y) { return {x * kOne, y * kOne, false}; }
FixedPoint Cubic(int x, int y) { return {x * kOne, y * kOne, false, true}; }

struct Case {
  const char* name;
  std::vector<FixedPoint> points;
  std::vector<int> ends;
  std::vector<Polygon> expected;
};

// A case shows as its name in test listings and failures, not as its bytes,
// which hold the addresses of its vectors.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class NativeOutlineWriterCases : public ::testing::TestWithParam<Case> {};

TEST_P(NativeOutlineWriterCases, WritesTheRecordsOfEachContour) {
  const Case& c = GetParam();
  std::vector<std::uint8_t> buffer;
  ASSERT_TRUE(WriteNativeOutline(c.points, c.ends, buffer));
  EXPECT_EQ(Decode(buffer), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Contours, NativeOutlineWriterCases,
    ::testing::Values(
        Case{"SquareIsOneLineRecord",
             {On(0, 0), On(0, 10), On(10, 10), On(10, 0)},
             {3},
             {{{0, 0}, {{kPrimLine, {{0, 10}, {10, 10}, {10, 0}}}}}}},
        Case{"OffCurveRunEndsOnTheNextOnCurvePoint",
             {On(0, 0), Off(0, 10), Off(10, 10), On(10, 0), On(5, -5)},
             {4},
             {{{0, 0},
               {{kPrimQSpline, {{0, 10}, {10, 10}, {10, 0}}}, {kPrimLine, {{5, -5}}}}}}},
        Case{"TrailingOffCurveRunClosesOnTheStart",
             {On(0, 0), On(10, 0), Off(10, 10), Off(0, 10)},
             {3},
             {{{0, 0}, {{kPrimLine, {{10, 0}}}, {kPrimQSpline, {{10, 10}, {0, 10}, {0, 0}}}}}}},
        Case{"ContourStartingOffCurveStartsAtItsFirstOnCurvePoint",
             {Off(0, 10), On(10, 10), On(10, 0), Off(0, 0), On(-5, 5)},
             {4},
             {{{10, 10},
               {{kPrimLine, {{10, 0}}},
                {kPrimQSpline, {{0, 0}, {-5, 5}}},
                {kPrimQSpline, {{0, 10}, {10, 10}}}}}}},
        Case{"OffCurveOnlyContourStartsAtTheImpliedMidpoint",
             {Off(0, 0), Off(0, 10), Off(10, 10), Off(10, 0)},
             {3},
             {{{5, 0}, {{kPrimQSpline, {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {5, 0}}}}}}},
        Case{"SinglePointContoursAreLeftOut",
             {On(7, 7), On(0, 0), On(0, 10), On(10, 0), On(8, 8)},
             {0, 3, 4},
             {{{0, 0}, {{kPrimLine, {{0, 10}, {10, 0}}}}}}},
        Case{"CubicPiecesBetweenLinesAreCubicRecords",
             {On(0, 0), Cubic(0, 10), Cubic(10, 10), On(10, 0), On(10, -5), Cubic(5, -10), Cubic(0, -10)},
             {6},
             {{{0, 0},
               {{kPrimCSpline, {{0, 10}, {10, 10}, {10, 0}}},
                {kPrimLine, {{10, -5}}},
                {kPrimCSpline, {{5, -10}, {0, -10}, {0, 0}}}}}}},
        Case{"ConsecutiveCubicPiecesShareOneRecord",
             {On(0, 0), Cubic(0, 5), Cubic(5, 10), On(10, 10), Cubic(15, 10), Cubic(20, 5), On(20, 0)},
             {6},
             {{{0, 0}, {{kPrimCSpline, {{0, 5}, {5, 10}, {10, 10}, {15, 10}, {20, 5}, {20, 0}}}}}}},
        Case{"CubicContourStartingOffCurveStartsAtItsFirstOnCurvePoint",
             {Cubic(0, 10), Cubic(10, 10), On(10, 0), On(0, 0)},
             {3},
             {{{10, 0}, {{kPrimLine, {{0, 0}}}, {kPrimCSpline, {{0, 10}, {10, 10}, {10, 0}}}}}}},
        Case{"EachContourIsItsOwnPolygon",
             {On(0, 0), On(0, 10), On(10, 0), On(20, 0), Off(20, 10), On(30, 0)},
             {2, 5},
             {{{0, 0}, {{kPrimLine, {{0, 10}, {10, 0}}}}},
              {{20, 0}, {{kPrimQSpline, {{20, 10}, {30, 0}}}}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NativeOutlineWriter, KeepsFractionsAndNegativeCoordinates) {
  const std::vector<FixedPoint> points{{-kOne / 2, 3 * kOne + kOne / 4, true},
                                       {kOne, -kOne - kOne / 2, true}};
  const std::vector<int> ends{1};
  std::vector<std::uint8_t> buffer;
  ASSERT_TRUE(WriteNativeOutline(points, ends, buffer));
  PolygonHeader header;
  std::memcpy(&header, buffer.data(), sizeof header);
  EXPECT_EQ(header.pfxStart.x.value, -1);  // -0.5 = -1 + 0x8000/65536
  EXPECT_EQ(header.pfxStart.x.fract, 0x8000);
  EXPECT_EQ(header.pfxStart.y.value, 3);
  EXPECT_EQ(header.pfxStart.y.fract, 0x4000);
}

TEST(NativeOutlineWriter, RefusesCubicControlsOutOfPlaceAndLeavesTheBufferAsItWas) {
  const std::vector<std::vector<FixedPoint>> contours{
      {On(0, 0), Cubic(0, 10), On(10, 0)},                            // one control
      {On(0, 0), Cubic(0, 10), Cubic(5, 10), Cubic(10, 10), On(10, 0)},  // three controls
      {On(0, 0), Cubic(0, 10), Cubic(5, 10), Off(10, 10), On(10, 0)},    // a pair ending off the curve
      {On(0, 0), Off(0, 10), Cubic(5, 10), Cubic(10, 10), On(10, 0)},    // quadratic, then cubic
      {On(0, 0), Cubic(0, 10), Off(5, 10), On(10, 0)},                // cubic, then quadratic
      {Cubic(0, 0), Cubic(0, 10), Cubic(10, 10), Cubic(10, 0)},       // nothing on the curve
      {On(0, 0), Cubic(0, 10)},                                       // a control closing the contour
  };
  for (std::size_t c = 0; c < contours.size(); ++c) {
    SCOPED_TRACE(c);
    const std::vector<FixedPoint>& points = contours[c];
    const std::vector<int> ends{static_cast<int>(points.size()) - 1};
    std::vector<std::uint8_t> buffer{1, 2, 3};
    EXPECT_FALSE(WriteNativeOutline(points, ends, buffer));
    EXPECT_EQ(buffer, (std::vector<std::uint8_t>{1, 2, 3}));
  }
}

TEST(NativeOutlineWriter, RefusesInconsistentContourEndsAndLeavesTheBufferAsItWas) {
  const std::vector<FixedPoint> points{On(0, 0), On(0, 10), On(10, 0)};
  for (const std::vector<int>& ends : {std::vector<int>{3}, {-1}, {2, 1}}) {
    std::vector<std::uint8_t> buffer{1, 2, 3};
    EXPECT_FALSE(WriteNativeOutline(points, ends, buffer));
    EXPECT_EQ(buffer, (std::vector<std::uint8_t>{1, 2, 3}));
  }
}

}  // namespace
}  // namespace vx
