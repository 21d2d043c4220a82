#include <gtest/gtest.h>

#include <cmath>

#include "game/level/geometry.h"

namespace {

TEST(VectorMaths, NormaliseGivesUnitLengthAndTurnsZeroIntoPlusX) {
  Vec2 zero{0.0f, 0.0f};
  normalise(zero);
  EXPECT_EQ(zero, (Vec2{1.0f, 0.0f}));
  Vec2 down{0.0f, -3.0f};
  normalise(down);
  EXPECT_EQ(down, (Vec2{0.0f, -1.0f}));
  Vec2 slanted{3.0f, 4.0f};
  normalise(slanted);
  EXPECT_FLOAT_EQ(slanted.x, 0.6f);
  EXPECT_FLOAT_EQ(slanted.y, 0.8f);
}

TEST(VectorMaths, RotateTurnsByTheAngle) {
  Vec2 v{1.0f, 0.0f};
  rotate(v, 3.14159265f / 2.0f);
  EXPECT_NEAR(v.x, 0.0f, 1e-6f);
  EXPECT_NEAR(v.y, 1.0f, 1e-6f);
}

TEST(LineIntersection, FindsTheCrossingAndLeavesParallelLinesAlone) {
  Vec2 out{7.0f, 7.0f};
  lineIntersection({0, 0}, {10, 10}, {0, 10}, {10, 0}, out);
  EXPECT_EQ(out, (Vec2{5.0f, 5.0f}));
  out = {7.0f, 7.0f};
  lineIntersection({0, 0}, {10, 0}, {0, 1}, {10, 1}, out);
  EXPECT_EQ(out, (Vec2{7.0f, 7.0f}));
}

TEST(SegmentsCross, SharedEndPointsNeverCrossButATJunctionDoes) {
  EXPECT_FALSE(segmentsCross({0, 0}, {10, 0}, {10, 0}, {10, 10}));
  EXPECT_FALSE(segmentsCross({0, 0}, {10, 0}, {0, 0}, {-5, 5}));
  EXPECT_TRUE(segmentsCross({0, 0}, {10, 0}, {5, 0}, {5, 10}));
  EXPECT_TRUE(segmentsCross({0, 0}, {10, 10}, {0, 10}, {10, 0}));
}

TEST(SegmentsCross, DegenerateParallelAndDistantSegmentsDoNotCross) {
  EXPECT_FALSE(segmentsCross({0, 0}, {0, 0}, {-1, -1}, {1, 1}));
  EXPECT_FALSE(segmentsCross({0, 0}, {10, 0}, {0, 0.5f}, {10, 0.5f}));
  EXPECT_FALSE(segmentsCross({0, 0}, {10, 0}, {11, -1}, {11, 1}));
  // Collinear overlapping segments are parallel and so never cross.
  EXPECT_FALSE(segmentsCross({0, 0}, {10, 0}, {5, 0}, {15, 0}));
}

TEST(SegmentHit, AcceptsEndsAndSetsTheHitPoint) {
  Vec2 out;
  EXPECT_TRUE(segmentHit({5, -5}, {5, 5}, {0, 0}, {10, 0}, out));
  EXPECT_EQ(out, (Vec2{5.0f, 0.0f}));
  // The ray ending exactly on the edge, and touching the edge's end point, both hit.
  EXPECT_TRUE(segmentHit({5, -5}, {5, 0}, {0, 0}, {10, 0}, out));
  EXPECT_TRUE(segmentHit({10, -5}, {10, 5}, {0, 0}, {10, 0}, out));
  EXPECT_FALSE(segmentHit({11, -5}, {11, 5}, {0, 0}, {10, 0}, out));
  EXPECT_FALSE(segmentHit({0, 1}, {10, 1}, {0, 0}, {10, 0}, out));
}

TEST(SegmentHit, ANegativeZeroParameterIsAMiss) {
  // A ray starting on the edge's line: going one way the ray's parameter of the crossing
  // comes out as +0 and hits, going the other way it comes out as -0 and misses.
  Vec2 out;
  EXPECT_TRUE(segmentHit({5, 0}, {5, -10}, {0, 0}, {10, 0}, out));
  EXPECT_FALSE(segmentHit({5, 0}, {5, 10}, {0, 0}, {10, 0}, out));
}

TEST(PointInConvex, CountsPointsOnAnEdgeAsInside) {
  const Vec2 square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_TRUE(pointInConvex({5, 5}, square));
  EXPECT_TRUE(pointInConvex({5, 0}, square));
  EXPECT_TRUE(pointInConvex({0, 0}, square));
  EXPECT_FALSE(pointInConvex({5, -0.01f}, square));
  EXPECT_FALSE(pointInConvex({11, 5}, square));
}

TEST(CrossesItself, BowTieCrossesASquareDoesNotAndShortOutlinesCount) {
  const float squareX[] = {0, 10, 10, 0}, squareY[] = {0, 0, 10, 10};
  EXPECT_FALSE(crossesItself(squareX, squareY));
  const float bowX[] = {0, 10, 0, 10}, bowY[] = {0, 10, 10, 0};
  EXPECT_TRUE(crossesItself(bowX, bowY));
  const float twoX[] = {0, 10}, twoY[] = {0, 0};
  EXPECT_TRUE(crossesItself(twoX, twoY));
  // The closing edge crosses an outline edge.
  const float zX[] = {0, 10, 0, 10, 5}, zY[] = {0, 0, 10, 10, -5};
  EXPECT_TRUE(crossesItself(zX, zY));
}

}  // namespace
