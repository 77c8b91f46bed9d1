// Arc fitting: runs of curve steps become circular arcs within the tolerance; straight steps stay straight.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "engine/ArcFitting.h"
#include "engine/CurveSteps.h"
#include "engine/OutlineFlattening.h"
#include "engine/OutlineMerging.h"
#include "engine/PointStore.h"
#include "tests/support/StoreContents.h"

namespace vx::test {
namespace {

// n + 1 points of an arc of the circle of radius r about the origin, from angle `from` by `sweep`.
std::vector<PlanePoint> ArcPoints(double r, double from, double sweep, int n) {
  std::vector<PlanePoint> points;
  for (int i = 0; i <= n; ++i)
    points.push_back({r * std::cos(from + sweep * i / n), r * std::sin(from + sweep * i / n)});
  return points;
}

double Sweep(const ArcContour& arcs) {
  double sweep = 0;
  for (const ArcVertex& v : arcs) sweep += 4 * std::atan(v.bulge);
  return sweep;
}

TEST(ArcFitting, StepsAlongACircleBecomeArcsOfItsSweepWithTheBulgeSignedByDirection) {
  struct Case {
    double sweep;
    std::size_t arcs;
  };
  // A half turn at most per arc: more sweep takes more arcs.
  for (const Case c : {Case{std::numbers::pi / 2, 1}, Case{-std::numbers::pi / 2, 1}, Case{-std::numbers::pi, 1},
                       Case{1.5 * std::numbers::pi, 2}}) {
    SCOPED_TRACE(c.sweep);
    const std::vector<PlanePoint> run = ArcPoints(5, 0.3, c.sweep, 64);
    // The steps' own sagitta is at most 5 (1 - cos(1.5 pi / 128)), about 3.4e-3.
    const ArcContour arcs = FitArcs(run, 0.01);
    ASSERT_EQ(arcs.size(), c.arcs);
    EXPECT_NEAR(Sweep(arcs), c.sweep, 1e-9);
    EXPECT_EQ(arcs.front().x, run.front().x);
    EXPECT_EQ(arcs.front().y, run.front().y);
    for (const ArcVertex& v : arcs) {
      EXPECT_NEAR(std::hypot(v.x, v.y), 5, 1e-12);
      EXPECT_EQ(v.bulge > 0, c.sweep > 0);
    }
  }
}

TEST(ArcFitting, PointsInLineAreOneLineAndAZigzagBeyondTheToleranceKeepsEveryStep) {
  const ArcContour line = FitArcs({{0, 0}, {1, 1}, {2, 2}, {3, 3}}, 0.01);
  ASSERT_EQ(line.size(), 1u);
  EXPECT_EQ(line[0].bulge, 0);

  const std::vector<PlanePoint> zigzag = {{0, 0}, {1, 0.1}, {2, 0}, {3, 0.1}, {4, 0}};
  const ArcContour steps = FitArcs(zigzag, 0.01);
  ASSERT_EQ(steps.size(), 4u);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(steps[i].x, zigzag[i].x);
    EXPECT_EQ(steps[i].bulge, 0);
  }
}

class ArcFittingStore : public StoreTest {
 protected:
  void TearDown() override {
    RecordCurveSteps(false);
    SetTolerance(0);
    StoreTest::TearDown();
  }
};

// A quarter disc's like: two straight sides, one quadratic piece, flattened
// and merged as the command line does; only the curve becomes arcs.
TEST_F(ArcFittingStore, OnlyTheCurvesStepsBecomeArcsTheStraightSidesStayLines) {
  RecordCurveSteps(true);
  SetTolerance(0.0025);
  const TTFPoint origin{pkPoint, 0, 0, nullptr}, corner{pkPoint, 10, 0, nullptr}, control{pkPoint, 10, 10, nullptr};
  TTFPoint end{pkPoint, 0, 10, nullptr};
  gPointList.Add(origin.x, origin.y, pkPoint);
  FlattenQSpline(corner, control, end);
  gPointList.Add(origin.x, origin.y, pkGlyphEnd);
  const std::size_t steps = StoreRecords().size();
  MergeGlyphOutlines();

  const std::vector<ArcGlyph> glyphs = FitArcsToStore(0.0075);
  ASSERT_EQ(glyphs.size(), 1u);
  ASSERT_EQ(glyphs[0].size(), 1u);
  // From the origin, wherever the merged contour starts.
  ArcContour contour = glyphs[0][0];
  const auto originVertex = std::find_if(contour.begin(), contour.end(), [](const ArcVertex& v) { return v.x == 0 && v.y == 0; });
  ASSERT_NE(originVertex, contour.end());
  std::rotate(contour.begin(), originVertex, contour.end());
  ASSERT_GE(contour.size(), 4u);
  EXPECT_LT(contour.size(), steps / 4);
  // Counter-clockwise: the straight bottom, the arcs, the straight left side.
  EXPECT_EQ(contour.front().x, 0);
  EXPECT_EQ(contour.front().y, 0);
  EXPECT_EQ(contour.front().bulge, 0);
  EXPECT_EQ(contour[1].x, 10);
  EXPECT_EQ(contour.back().x, 0);
  EXPECT_EQ(contour.back().y, 10);
  EXPECT_EQ(contour.back().bulge, 0);
  for (std::size_t i = 1; i + 1 < contour.size(); ++i) EXPECT_GT(contour[i].bulge, 0) << i;
  EXPECT_NEAR(Sweep(contour), std::numbers::pi / 2, 0.01);
}

}  // namespace
}  // namespace vx::test
