// The outline walk and spline flattening on hand-made native outline buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>
#include <random>

#include "engine/OutlineFlattening.h"
#include "tests/engine/OutlineBuilder.h"
#include "tests/support/StoreContents.h"

namespace vx::test {
namespace {

class Outline : public StoreTest {
 protected:
  void TearDown() override {
    SetPrecision(8);
    SetTolerance(0);
    StoreTest::TearDown();
  }

  // Walks a copy held in an allocation of exactly `size` bytes, so that
  // AddressSanitizer sees any read past the reported size.
  static void Walk(const std::vector<std::uint8_t>& bytes, std::size_t size,
                   Placement placement = {}) {
    ASSERT_LE(size, bytes.size());
    auto exact = std::make_unique<std::uint8_t[]>(size);
    std::copy_n(bytes.begin(), size, exact.get());
    WalkOutline(exact.get(), size, placement);
  }
  static void Walk(const std::vector<std::uint8_t>& bytes, Placement placement = {}) {
    Walk(bytes, bytes.size(), placement);
  }
};

TTFPoint P(double x, double y) { return TTFPoint{pkPoint, x, y, nullptr}; }

// The quadratic Bezier point at t, for comparisons within rounding.
Xy Bezier(Xy p0, Xy p1, Xy p2, double t) {
  const double u = 1 - t;
  return {u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x,
          u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y};
}

TEST(FixedToDouble, SignedIntegerPartPlusUnsignedFraction) {
  struct Case {
    std::int16_t value;
    std::uint16_t fract;
    double expected;
  } cases[] = {
      {1, 0x8000, 1.5},      {-1, 0x8000, -0.5},          {0, 0, 0.0},
      {-32768, 0, -32768.0}, {32767, 0xFFFF, 32767.0 + 65535.0 / 65536.0},
      {-1, 0xFFFF, -1.0 / 65536.0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FixedToDouble(Fixed1616{c.fract, c.value}), c.expected) << c.value << " " << c.fract;
  }
}

TEST(DoubleToFixed, RoundsToTheNearestStepAndPinsTheRange) {
  const std::pair<double, double> cases[] = {
      {1.5, 1.5},          {-0.5, -0.5},        {0.3, 19661 / 65536.0},  {-1.0 / 65536, -1.0 / 65536},
      {40000.0, 32767 + 65535.0 / 65536}, {-40000.0, -32768.0}, {1e300, 32767 + 65535.0 / 65536},
  };
  for (const auto& [given, expected] : cases) EXPECT_EQ(FixedToDouble(DoubleToFixed(given)), expected) << given;
}

TEST_F(Outline, SetPrecisionClampsToOneThroughThirtyTwo) {
  const std::pair<int, int> cases[] = {{INT_MIN, 1}, {-5, 1}, {0, 1},   {1, 1},
                                       {17, 17},     {32, 32}, {33, 32}, {INT_MAX, 32}};
  for (const auto& [given, stored] : cases) {
    SetPrecision(given);
    EXPECT_EQ(gPrecision, stored) << given;
  }
}

// The cubic Bezier point at t.
Xy CubicBezier(Xy p0, Xy p1, Xy p2, Xy p3, double t) {
  const double u = 1 - t;
  const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
  return {w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x, w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y};
}

TEST_F(Outline, PrecisionZeroRequestedStillGivesFinitePoints) {
  SetPrecision(0);
  TTFPoint end = P(8, 0);
  FlattenQSpline(P(0, 0), P(4, 8), end);
  EXPECT_EQ(StoreRecords(), (std::vector<Rec>{{pkPoint, 0, 0}, {pkPoint, 8, 0}}));
}

TEST_F(Outline, FlattenAppendsItsStartThenPrecisionSamples) {
  SetPrecision(4);
  TTFPoint end = P(8, 0);
  FlattenQSpline(P(0, 0), P(4, 8), end);
  EXPECT_EQ(StoreRecords(), (std::vector<Rec>{{pkPoint, 0, 0},
                                              {pkPoint, 2, 3},
                                              {pkPoint, 4, 4},
                                              {pkPoint, 6, 3},
                                              {pkPoint, 8, 0}}));
  EXPECT_EQ(end.x, 8.0);
  EXPECT_EQ(end.y, 0.0);
}

TEST_F(Outline, EveryPrecisionEndsEachPieceExactlyOnItsEndPoint) {
  // Coordinates where t = 1 gives the end point exactly and a t short of 1
  // (steps of 1/p summed p times) would not.
  const Xy p0{0, 0}, p1{1000, 3000}, p2{2000.5, -700.25};
  for (int precision = 1; precision <= 32; ++precision) {
    SCOPED_TRACE(precision);
    FreePointList();
    SetPrecision(precision);
    TTFPoint end = P(p2.x, p2.y);
    FlattenQSpline(P(p0.x, p0.y), P(p1.x, p1.y), end);

    const auto records = StoreRecords();
    ASSERT_EQ(records.size(), 1u + precision);
    EXPECT_EQ(records.front(), (Rec{pkPoint, p0.x, p0.y}));
    EXPECT_EQ(records.back(), (Rec{pkPoint, p2.x, p2.y}));
    EXPECT_EQ(end.x, p2.x);
    EXPECT_EQ(end.y, p2.y);
    for (int k = 1; k < precision; ++k) {
      const Xy expected = Bezier(p0, p1, p2, static_cast<double>(k) / precision);
      EXPECT_NEAR(records[k].x, expected.x, 1e-9) << "sample " << k;
      EXPECT_NEAR(records[k].y, expected.y, 1e-9) << "sample " << k;
    }
  }
}

double DistanceToSegment(Xy p, Xy a, Xy b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The farthest that any of many points of the true curve (curveAt(t), t in
// 0..1) lies from the polyline.
template <typename CurveAt>
double LargestDeviation(CurveAt curveAt, const std::vector<Rec>& polyline) {
  double largest = 0;
  constexpr int kSamples = 4000;
  for (int k = 0; k <= kSamples; ++k) {
    const Xy curve = curveAt(static_cast<double>(k) / kSamples);
    double nearest = 1e300;
    for (std::size_t i = 0; i + 1 < polyline.size(); ++i)
      nearest = std::min(nearest, DistanceToSegment(curve, {polyline[i].x, polyline[i].y},
                                                    {polyline[i + 1].x, polyline[i + 1].y}));
    largest = std::max(largest, nearest);
  }
  return largest;
}

double LargestDeviation(Xy p0, Xy p1, Xy p2, const std::vector<Rec>& polyline) {
  return LargestDeviation([&](double t) { return Bezier(p0, p1, p2, t); }, polyline);
}

TEST_F(Outline, ToleranceGivesEachPieceTheFewestStepsWithinItsDistance) {
  struct Case {
    const char* name;
    Xy p0, p1, p2;
    double tolerance;
  } cases[] = {
      {"round bowl at letter size", {0, 0}, {0, 1.2}, {1.1, 1.25}, 0.01},
      {"the same bowl, finer", {0, 0}, {0, 1.2}, {1.1, 1.25}, 0.0001},
      {"flat piece needs one step", {0, 0}, {5, 0.001}, {10, 0}, 0.01},
      {"straight piece", {0, 0}, {1, 1}, {2, 2}, 0.01},
      {"control point beyond the end (a cusp)", {0, 0}, {10, 0}, {5, 0}, 0.01},
      {"sharp turn", {0, 0}, {50, 100}, {100, 0}, 0.5},
      {"large drawing units", {-3e5, 2e5}, {1e5, 9e5}, {4e5, -1e5}, 1},
      {"tolerance larger than the piece", {0, 0}, {1, 1}, {2, 0}, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreePointList();
    SetTolerance(c.tolerance);
    TTFPoint end = P(c.p2.x, c.p2.y);
    FlattenQSpline(P(c.p0.x, c.p0.y), P(c.p1.x, c.p1.y), end);

    const auto records = StoreRecords();
    // The piece repeats its start, as the fixed-step walk does, and ends on its end point.
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(records.front(), (Rec{pkPoint, c.p0.x, c.p0.y}));
    EXPECT_EQ(records.back(), (Rec{pkPoint, c.p2.x, c.p2.y}));
    const double bend = std::hypot(c.p0.x - 2 * c.p1.x + c.p2.x, c.p0.y - 2 * c.p1.y + c.p2.y);
    const double bound = std::max(1.0, std::ceil(std::sqrt(bend / (4 * c.tolerance))));
    EXPECT_LE(records.size() - 1.0, bound);
    EXPECT_LE(LargestDeviation(c.p0, c.p1, c.p2, records), c.tolerance * (1 + 1e-9));
  }
}

TEST_F(Outline, ToleranceStepsArePinnedAndAnUnusableToleranceKeepsTheFixedSteps) {
  // A bend of 400 at tolerance 1 needs exactly 10 steps; 11 would be one too many.
  EXPECT_EQ(ToleranceSteps(P(0, 0), P(100, 200), P(200, 0), 1.0), 10);
  EXPECT_EQ(ToleranceSteps(P(0, 0), P(1, 0), P(2, 0), 1e-300), 1);
  EXPECT_EQ(ToleranceSteps(P(0, 0), P(1e9, 1e9), P(2e9, 0), 1e-9), kMaxToleranceSteps);

  for (const double unusable : {0.0, -1.0, std::nan("")}) {
    SetTolerance(unusable);
    EXPECT_EQ(gTolerance, 0.0) << unusable;
  }
  SetPrecision(4);
  TTFPoint end = P(8, 0);
  FlattenQSpline(P(0, 0), P(4, 8), end);
  EXPECT_EQ(StoreRecords().size(), 5u);
}

TEST_F(Outline, CubicPieceAppendsItsStartThenPrecisionSamplesEndingOnItsEndPoint) {
  const Xy p0{0, 0}, p1{1000, 3000}, p2{2000.5, -700.25}, p3{-300.125, 10.5};
  for (int precision = 1; precision <= 32; ++precision) {
    SCOPED_TRACE(precision);
    FreePointList();
    SetPrecision(precision);
    TTFPoint end = P(p3.x, p3.y);
    FlattenCSpline(P(p0.x, p0.y), P(p1.x, p1.y), P(p2.x, p2.y), end);

    const auto records = StoreRecords();
    ASSERT_EQ(records.size(), 1u + precision);
    EXPECT_EQ(records.front(), (Rec{pkPoint, p0.x, p0.y}));
    EXPECT_EQ(records.back(), (Rec{pkPoint, p3.x, p3.y}));
    EXPECT_EQ(end.x, p3.x);
    EXPECT_EQ(end.y, p3.y);
    for (int k = 1; k < precision; ++k) {
      const Xy expected = CubicBezier(p0, p1, p2, p3, static_cast<double>(k) / precision);
      EXPECT_NEAR(records[k].x, expected.x, 1e-9) << "sample " << k;
      EXPECT_NEAR(records[k].y, expected.y, 1e-9) << "sample " << k;
    }
  }
}

TEST_F(Outline, ToleranceGivesEachCubicPieceTheFewestStepsWithinItsDistance) {
  struct Case {
    const char* name;
    Xy p0, p1, p2, p3;
    double tolerance;
  } cases[] = {
      {"quarter circle at letter size", {0, 0}, {0, 0.552}, {0.448, 1}, {1, 1}, 0.01},
      {"the same, finer", {0, 0}, {0, 0.552}, {0.448, 1}, {1, 1}, 0.0001},
      {"S bend", {0, 0}, {10, 0}, {0, 10}, {10, 10}, 0.05},
      {"loop", {0, 0}, {10, 10}, {-10, 10}, {0, 0.5}, 0.01},
      {"cusp", {0, 0}, {10, 10}, {0, 10}, {10, 0}, 0.01},
      {"one bend much larger than the other", {0, 0}, {1, 0}, {2, 0}, {3, 40}, 0.1},
      {"flat piece needs one step", {0, 0}, {3, 0.001}, {6, -0.001}, {9, 0}, 0.01},
      {"straight piece", {0, 0}, {1, 1}, {2, 2}, {3, 3}, 0.01},
      {"large drawing units", {-3e5, 2e5}, {1e5, 9e5}, {4e5, -1e5}, {5e5, 3e5}, 1},
      {"tolerance larger than the piece", {0, 0}, {1, 1}, {2, 1}, {3, 0}, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreePointList();
    SetTolerance(c.tolerance);
    TTFPoint end = P(c.p3.x, c.p3.y);
    FlattenCSpline(P(c.p0.x, c.p0.y), P(c.p1.x, c.p1.y), P(c.p2.x, c.p2.y), end);

    const auto records = StoreRecords();
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(records.front(), (Rec{pkPoint, c.p0.x, c.p0.y}));
    EXPECT_EQ(records.back(), (Rec{pkPoint, c.p3.x, c.p3.y}));
    const double bend = std::max(std::hypot(c.p0.x - 2 * c.p1.x + c.p2.x, c.p0.y - 2 * c.p1.y + c.p2.y),
                                 std::hypot(c.p1.x - 2 * c.p2.x + c.p3.x, c.p1.y - 2 * c.p2.y + c.p3.y));
    const double bound = std::max(1.0, std::ceil(std::sqrt(3 * bend / (4 * c.tolerance))));
    EXPECT_LE(records.size() - 1.0, bound);
    const double deviation =
        LargestDeviation([&](double t) { return CubicBezier(c.p0, c.p1, c.p2, c.p3, t); }, records);
    EXPECT_LE(deviation, c.tolerance * (1 + 1e-9));
  }
}

TEST_F(Outline, CubicToleranceStepsArePinnedByTheLargerSecondDifference) {
  // Second differences (0, 300) and (0, -400): 3 * 400 / (4 * 3) = 100, so
  // exactly 10 steps at tolerance 3, whichever way round the piece runs; a
  // hair less tolerance needs 11.
  const TTFPoint p0 = P(0, 0), p1 = P(100, 100), p2 = P(200, 500), p3 = P(300, 500);
  EXPECT_EQ(ToleranceSteps(p0, p1, p2, p3, 3.0), 10);
  EXPECT_EQ(ToleranceSteps(p3, p2, p1, p0, 3.0), 10);
  EXPECT_EQ(ToleranceSteps(p0, p1, p2, p3, 2.99), 11);
  EXPECT_EQ(ToleranceSteps(P(0, 0), P(1, 0), P(2, 0), P(3, 0), 1e-300), 1);
  EXPECT_EQ(ToleranceSteps(P(0, 0), P(1e9, 1e9), P(-1e9, 1e9), P(0, 0), 1e-9), kMaxToleranceSteps);
}

TEST_F(Outline, OneLineRecordGivesStartPointsAndGlyphEnd) {
  Walk(OutlineBuilder().Polygon({1, 2}).Line({{5, 2}, {5, 6}, {1, 6}}).Build());
  EXPECT_EQ(StoreRecords(), (std::vector<Rec>{{pkPoint, 1, 2},
                                              {pkPoint, 5, 2},
                                              {pkPoint, 5, 6},
                                              {pkPoint, 1, 6},
                                              {pkGlyphEnd, 1, 2}}));
}

TEST_F(Outline, SeveralContoursCloseWithContourEndThenGlyphEnd) {
  Walk(OutlineBuilder()
           .Polygon({0, 0}).Line({{10, 0}, {10, 10}})
           .Polygon({2, 2}).Line({{4, 2}}).Line({{4, 4}})
           .Polygon({7, 7}).Line({{8, 7}})
           .Build());
  EXPECT_EQ(StoreRecords(), (std::vector<Rec>{{pkPoint, 0, 0},
                                              {pkPoint, 10, 0},
                                              {pkPoint, 10, 10},
                                              {pkContourEnd, 0, 0},
                                              {pkPoint, 2, 2},
                                              {pkPoint, 4, 2},
                                              {pkPoint, 4, 4},
                                              {pkContourEnd, 2, 2},
                                              {pkPoint, 7, 7},
                                              {pkPoint, 8, 7},
                                              {pkGlyphEnd, 7, 7}}));
}

TEST_F(Outline, SplineRecordOfThreePointsIsTwoPiecesThroughTheMidpoint) {
  SetPrecision(4);
  // Pieces: (0,0) via (4,8) to mid (8,8); then (8,8) via (12,8) to (16,0).
  Walk(OutlineBuilder().Polygon({0, 0}).QSpline({{4, 8}, {12, 8}, {16, 0}}).Build());
  const std::vector<Rec> expected{
      {pkPoint, 0, 0},
      {pkPoint, 0, 0}, {pkPoint, 2, 3.5}, {pkPoint, 4, 6}, {pkPoint, 6, 7.5}, {pkPoint, 8, 8},
      {pkPoint, 8, 8}, {pkPoint, 10, 7.5}, {pkPoint, 12, 6}, {pkPoint, 14, 3.5}, {pkPoint, 16, 0},
      {pkGlyphEnd, 0, 0}};
  EXPECT_EQ(StoreRecords(), expected);
}

TEST_F(Outline, PrecisionOneGivesEachPieceItsStartAndEndOnly) {
  SetPrecision(1);
  Walk(OutlineBuilder().Polygon({0, 0}).QSpline({{4, 8}, {12, 8}, {16, 0}}).Line({{8, -4}}).Build());
  EXPECT_EQ(StoreRecords(), (std::vector<Rec>{{pkPoint, 0, 0},
                                              {pkPoint, 0, 0},
                                              {pkPoint, 8, 8},
                                              {pkPoint, 8, 8},
                                              {pkPoint, 16, 0},
                                              {pkPoint, 8, -4},
                                              {pkGlyphEnd, 0, 0}}));
}

TEST_F(Outline, EveryPrecisionEndsEachWalkedPieceOnItsMidpointOrLastEntry) {
  const Xy entries[] = {{3.25, 97.5}, {150.75, 120.125}, {200.5, 0.0625}};
  const Xy mid{(entries[0].x + entries[1].x) * 0.5, (entries[0].y + entries[1].y) * 0.5};
  for (int precision = 1; precision <= 32; ++precision) {
    SCOPED_TRACE(precision);
    FreePointList();
    SetPrecision(precision);
    Walk(OutlineBuilder().Polygon({0, 0}).QSpline({entries[0], entries[1], entries[2]}).Build());
    const auto records = StoreRecords();
    const std::size_t piece = 1 + precision;  // its start again, then the samples
    ASSERT_EQ(records.size(), 1 + 2 * piece + 1);
    EXPECT_EQ(records[piece], (Rec{pkPoint, mid.x, mid.y}));
    EXPECT_EQ(records[piece + 1], records[piece]) << "the second piece starts where the first ended";
    EXPECT_EQ(records[2 * piece], (Rec{pkPoint, entries[2].x, entries[2].y}));
  }
}

TEST_F(Outline, DegeneratePieceAppendsOnlyItsStartAgain) {
  SetPrecision(8);
  Walk(OutlineBuilder().Polygon({3, 3}).QSpline({{3, 3}, {3, 3}}).Line({{6, 3}}).Build());
  EXPECT_EQ(StoreRecords(), (std::vector<Rec>{{pkPoint, 3, 3},
                                              {pkPoint, 3, 3},
                                              {pkPoint, 6, 3},
                                              {pkGlyphEnd, 3, 3}}));
}

TEST_F(Outline, CubicRecordIsOnePiecePerTripleFromTheCurrentPoint) {
  SetPrecision(4);
  // Pieces (0,0) (0,64) (64,64) (64,0), then (64,0) (64,-64) (128,-64) (128,0):
  // at t = 1/4, 1/2, 3/4 their points are whole numbers.
  Walk(OutlineBuilder()
           .Polygon({0, 0})
           .Curve(kPrimCSpline, {{0, 64}, {64, 64}, {64, 0}, {64, -64}, {128, -64}, {128, 0}})
           .Line({{64, -100}})
           .Build());
  const std::vector<Rec> expected{
      {pkPoint, 0, 0},
      {pkPoint, 0, 0}, {pkPoint, 10, 36}, {pkPoint, 32, 48}, {pkPoint, 54, 36}, {pkPoint, 64, 0},
      {pkPoint, 64, 0}, {pkPoint, 74, -36}, {pkPoint, 96, -48}, {pkPoint, 118, -36}, {pkPoint, 128, 0},
      {pkPoint, 64, -100},
      {pkGlyphEnd, 0, 0}};
  EXPECT_EQ(StoreRecords(), expected);
}

TEST_F(Outline, IncompleteCubicTripleIsAStraightStepToItsLastPoint) {
  SetPrecision(1);
  struct Case {
    const char* name;
    std::vector<Rec> expected;
    std::vector<Xy> points;
  };
  for (const Case& c : {
           Case{"one point", {{pkPoint, 0, 0}, {pkPoint, 5, 5}, {pkPoint, 9, 0}, {pkGlyphEnd, 0, 0}}, {{5, 5}}},
           Case{"two points", {{pkPoint, 0, 0}, {pkPoint, 6, 6}, {pkPoint, 9, 0}, {pkGlyphEnd, 0, 0}},
                {{5, 5}, {6, 6}}},
           Case{"a triple and two points",
                {{pkPoint, 0, 0}, {pkPoint, 0, 0}, {pkPoint, 3, 0}, {pkPoint, 7, 7}, {pkPoint, 9, 0},
                 {pkGlyphEnd, 0, 0}},
                {{1, 1}, {2, 1}, {3, 0}, {5, 5}, {7, 7}}},
       }) {
    SCOPED_TRACE(c.name);
    FreePointList();
    Walk(OutlineBuilder().Polygon({0, 0}).Curve(kPrimCSpline, c.points).Line({{9, 0}}).Build());
    EXPECT_EQ(StoreRecords(), c.expected);
  }
}

TEST_F(Outline, CurveRecordsOfOtherTypesAreSteppedOver) {
  for (std::uint16_t type : {std::uint16_t{0}, std::uint16_t{4}, std::uint16_t{7}, std::uint16_t{0xFFFF}}) {
    SCOPED_TRACE(type);
    FreePointList();
    Walk(OutlineBuilder()
             .Polygon({0, 0})
             .Line({{1, 0}})
             .Curve(type, {{50, 50}, {60, 60}, {70, 70}})
             .Line({{1, 1}})
             .Build());
    EXPECT_EQ(StoreRecords(), (std::vector<Rec>{{pkPoint, 0, 0},
                                                {pkPoint, 1, 0},
                                                {pkPoint, 1, 1},
                                                {pkGlyphEnd, 0, 0}}));
  }
}

TEST_F(Outline, ScaleAndOriginPlaceEveryPoint) {
  Walk(OutlineBuilder().Polygon({1.5, 1.5}).Line({{-0.5, 4}}).Build(), Placement{2.0, 10.0, -5.0});
  EXPECT_EQ(StoreRecords(),
            (std::vector<Rec>{{pkPoint, 13, -2}, {pkPoint, 9, 3}, {pkGlyphEnd, 13, -2}}));
}

// Buffers whose sizes and counts disagree: the walk stays inside the buffer
// (AddressSanitizer watches the exact allocation), ends, and closes every
// contour it began.
TEST_F(Outline, InconsistentBuffersEndTheWalkWithEveryContourClosed) {
  const auto twoPolygons = [] {
    return OutlineBuilder().Polygon({0, 0}).Line({{1, 0}, {1, 1}}).Polygon({5, 5}).Line({{6, 5}});
  };
  const std::size_t fullSize = twoPolygons().Build().size();  // 16+20 + 16+12 = 64
  constexpr std::size_t kWhole = SIZE_MAX;
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::size_t size;
    std::vector<Rec> expected;
  } cases[] = {
      {"cb 0 on the first polygon",
       OutlineBuilder().Polygon({0, 0}).Cb(0).Line({{1, 0}}).Polygon({5, 5}).Line({{6, 5}}).Build(), kWhole,
       {{pkPoint, 0, 0}, {pkGlyphEnd, 0, 0}}},
      {"cb smaller than the header",
       OutlineBuilder().Polygon({0, 0}).Cb(8).Line({{1, 0}}).Build(), kWhole,
       {{pkPoint, 0, 0}, {pkGlyphEnd, 0, 0}}},
      {"cb past the end of the buffer",
       OutlineBuilder().Polygon({0, 0}).Cb(4000).Line({{1, 0}, {1, 1}}).Build(), kWhole,
       {{pkPoint, 0, 0}, {pkPoint, 1, 0}, {pkPoint, 1, 1}, {pkGlyphEnd, 0, 0}}},
      {"cpfx past the end of its polygon",
       OutlineBuilder().Polygon({0, 0}).Curve(kPrimLine, {{1, 0}}, 3).Polygon({5, 5}).Line({{6, 5}}).Build(),
       kWhole, {{pkPoint, 0, 0}, {pkGlyphEnd, 0, 0}}},
      {"cpfx past the end of the buffer",
       OutlineBuilder().Polygon({0, 0}).Line({{1, 0}}).Curve(kPrimQSpline, {{2, 2}}, 60000).Build(), kWhole,
       {{pkPoint, 0, 0}, {pkPoint, 1, 0}, {pkGlyphEnd, 0, 0}}},
      {"buffer cut inside a point of the second polygon", twoPolygons().Build(), fullSize - 4,
       {{pkPoint, 0, 0}, {pkPoint, 1, 0}, {pkPoint, 1, 1}, {pkContourEnd, 0, 0},
        {pkPoint, 5, 5}, {pkGlyphEnd, 5, 5}}},
      {"buffer cut inside the second polygon's header", twoPolygons().Build(), 36 + 8,
       {{pkPoint, 0, 0}, {pkPoint, 1, 0}, {pkPoint, 1, 1}, {pkGlyphEnd, 0, 0}}},
      {"buffer shorter than one header", twoPolygons().Build(), 15, {}},
      {"empty buffer", twoPolygons().Build(), 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreePointList();
    Walk(c.bytes, c.size == kWhole ? c.bytes.size() : c.size);
    const auto records = StoreRecords();
    EXPECT_EQ(records, c.expected);
    ExpectOneWellFormedGlyph(records);
  }
}

TEST_F(Outline, NullBufferOfSizeZeroAppendsNothing) {
  WalkOutline(nullptr, 0, Placement{});
  EXPECT_EQ(GetTTFCount(), 0);
}

TEST_F(Outline, RandomBytesNeverLeaveTheBufferAndAlwaysCloseTheGlyph) {
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    FreePointList();
    // Mostly valid-looking headers and records with random counts, so that
    // the walk gets past the first polygon often.
    std::vector<std::uint8_t> bytes(random() % 200);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random() % 4 == 0 ? random() : random() % 40);
    Walk(bytes);
    ExpectOneWellFormedGlyph(StoreRecords());
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace vx::test
