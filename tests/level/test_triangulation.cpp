#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "game/level/geometry.h"
#include "game/level/polygon.h"

namespace {

Polygon polygonOf(const std::vector<Vec2>& points) {
  Polygon polygon;
  for (Vec2 p : points) polygon.addPoint(p.x, p.y);
  return polygon;
}

Vec2 corner(const Triangulation& t, size_t i) {
  return {t.x[i], t.y[i]};
}

float signedArea(Vec2 a, Vec2 b, Vec2 c) {
  return 0.5f * ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x));
}

float outlineArea(const Polygon& p) {
  float area = 0.0f;
  for (size_t i = 0; i < p.pointCount(); ++i) {
    const Vec2 a = p.outlinePoint(i), b = p.outlinePoint((i + 1) % p.pointCount());
    area += a.x * b.y - b.x * a.y;
  }
  return 0.5f * std::fabs(area);
}

// Strictly inside some triangle, by the triangles' own edge normals.
bool triangleStrictlyHolds(const Triangulation& t, Vec2 q) {
  for (size_t tri = 0; tri < t.x.size(); tri += 3) {
    bool inside = true;
    for (size_t k = 0; k < 3; ++k) {
      const Vec2 n{t.normalX[tri + k], t.normalY[tri + k]};
      inside = inside && dot(q - corner(t, tri + k), n) > 0.0f;
    }
    if (inside) return true;
  }
  return false;
}

// Such corners are merged away on purpose, which changes the covered area.
bool hasNearlyStraightCorner(const std::vector<Vec2>& points) {
  const size_t n = points.size();
  for (size_t i = 0; i < n; ++i) {
    const Vec2 a = points[i], b = points[(i + 1) % n], c = points[(i + 2) % n];
    if (dot(normalised(b - a), normalised(c - b)) >= 0.999f) return true;
  }
  return false;
}

// What triangulating after every added point, the straightforward way, leaves behind.
Triangulation triangulatedPointByPoint(const std::vector<Vec2>& points) {
  std::vector<float> x, y;
  Triangulation t;
  for (Vec2 p : points) {
    bool seen = false;
    for (size_t i = 0; i < x.size(); ++i) seen = seen || (x[i] == p.x && y[i] == p.y);
    if (seen) continue;
    x.push_back(p.x);
    y.push_back(p.y);
    triangulate(x, y, 1, t);
  }
  return t;
}

TEST(Triangulation, TheWindingFollowsThePointOrder) {
  const Polygon forward = polygonOf({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_EQ(forward.windingFlag(), 1);
  EXPECT_EQ(forward.triangleCount(), 2);
  const Polygon backward = polygonOf({{0, 10}, {10, 10}, {10, 0}, {0, 0}});
  EXPECT_EQ(backward.windingFlag(), 0);
  EXPECT_EQ(backward.triangleCount(), 2);
}

TEST(Triangulation, CollinearAndCrossingOutlinesHaveNoTriangles) {
  EXPECT_EQ(polygonOf({{0, 0}, {5, 0}, {10, 0}}).triangleCount(), 0);
  const Polygon bowTie = polygonOf({{0, 0}, {10, 10}, {0, 10}, {10, 0}});
  EXPECT_TRUE(crossesItself(bowTie.outlineX(), bowTie.outlineY()));
  EXPECT_EQ(bowTie.triangleCount(), 0);
}

TEST(Triangulation, AReflexCornerIsLeftUncovered) {
  const Polygon notched = polygonOf({{0, 0}, {10, 0}, {10, 10}, {5, 5}, {0, 10}});
  const Triangulation& t = notched.triangulation();
  ASSERT_EQ(t.triangleCount(), 3);
  EXPECT_FALSE(triangleStrictlyHolds(t, {5, 8}));
  EXPECT_TRUE(triangleStrictlyHolds(t, {5, 2}));
  float area = 0.0f;
  for (size_t i = 0; i < t.x.size(); i += 3)
    area += std::fabs(signedArea(corner(t, i), corner(t, i + 1), corner(t, i + 2)));
  EXPECT_FLOAT_EQ(area, 75.0f);
}

TEST(Triangulation, PointsOnTheClosingSideMergeAcrossTheSeam) {
  const Polygon p = polygonOf({{6, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {3, 0}});
  const Triangulation& t = p.triangulation();
  EXPECT_EQ(t.windingFlag, 1);
  ASSERT_EQ(t.triangleCount(), 3);
  float area = 0.0f;
  for (size_t i = 0; i < t.x.size(); i += 3)
    area += std::fabs(signedArea(corner(t, i), corner(t, i + 1), corner(t, i + 2)));
  EXPECT_FLOAT_EQ(area, 100.0f);
}

TEST(Triangulation, StraightRunsInTheChainBecomeOneEdge) {
  // Four points in a row along the bottom: still two triangles for the square.
  EXPECT_EQ(polygonOf({{0, 0}, {3, 0}, {6, 0}, {10, 0}, {10, 10}, {0, 10}}).triangleCount(), 2);
}

TEST(Triangulation, EdgeNormalsPointIntoEachTriangle) {
  const Polygon square = polygonOf({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  const Triangulation& t = square.triangulation();
  EXPECT_TRUE(triangleStrictlyHolds(t, {2, 1}));
  // On the outline: inside by pointInConvex, outside by the strict test.
  EXPECT_FALSE(triangleStrictlyHolds(t, {5, 0}));
  const Vec2 first[] = {corner(t, 0), corner(t, 1), corner(t, 2)};
  EXPECT_TRUE(pointInConvex(first[0], first));
  for (size_t i = 0; i < t.normalX.size(); ++i)
    EXPECT_NEAR(std::hypot(t.normalX[i], t.normalY[i]), 1.0f, 1e-6f);
}

TEST(Polygon, AddingAPointTwiceKeepsTheFirstOccurrence) {
  const Polygon p = polygonOf({{0, 0}, {10, 0}, {0, 0}, {10, 10}, {10, 0}, {0, 10}});
  EXPECT_EQ(p.pointCount(), 4u);
  EXPECT_EQ(p.outlinePoint(1), (Vec2{10, 0}));
  EXPECT_EQ(p.outlinePoint(2), (Vec2{10, 10}));
}

TEST(Polygon, FrictionIsClampedAndCopiesAreDeep) {
  Polygon p = polygonOf({{0, 0}, {10, 0}, {10, 10}});
  p.setFriction(1.7f);
  EXPECT_EQ(p.friction(), 1.0f);
  p.setFriction(-0.2f);
  EXPECT_EQ(p.friction(), 0.0f);
  Polygon copy = p;
  copy.addPoint(0, 10);
  EXPECT_EQ(p.pointCount(), 3u);
  EXPECT_EQ(p.triangleCount(), 1);
  EXPECT_EQ(copy.triangleCount(), 2);
}

// Triangulating once at the end must leave exactly what triangulating after every point
// leaves, the winding of outlines that end up crossing themselves included.
TEST(Polygon, TriangulatingOnceMatchesTriangulatingAfterEveryPoint) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(0, 6), count(1, 11);
  for (int round = 0; round < 3000; ++round) {
    std::vector<Vec2> points(size_t(count(random)));
    for (Vec2& p : points) p = {float(coordinate(random)), float(coordinate(random))};
    const Triangulation expected = triangulatedPointByPoint(points);
    const Polygon polygon = polygonOf(points);
    const Triangulation& actual = polygon.triangulation();
    ASSERT_EQ(actual.windingFlag, expected.windingFlag) << "round " << round;
    ASSERT_EQ(actual.x, expected.x) << "round " << round;
    ASSERT_EQ(actual.y, expected.y) << "round " << round;
    ASSERT_EQ(actual.normalX, expected.normalX) << "round " << round;
  }
}

TEST(Polygon, AskingForTrianglesMidwayDoesNotChangeTheOutcome) {
  // Square, then a point that makes the outline cross: the winding stays the square's.
  const std::vector<Vec2> points = {{0, 10}, {10, 10}, {10, 0}, {0, 0}, {5, 20}, {12, 5}};
  Polygon p;
  for (size_t i = 0; i < points.size(); ++i) {
    p.addPoint(points[i].x, points[i].y);
    if (i == 3) {
      EXPECT_EQ(p.windingFlag(), 0);
    }
  }
  EXPECT_EQ(p.triangleCount(), 0);
  EXPECT_EQ(p.windingFlag(), triangulatedPointByPoint(points).windingFlag);
}

TEST(Triangulation, TrianglesOfSimpleOutlinesCoverTheirArea) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> radius(3.0f, 10.0f);
  int checked = 0;
  for (int round = 0; round < 200; ++round) {
    // A star-shaped outline around the origin: simple, often with reflex corners.
    std::vector<Vec2> points;
    const int n = 3 + round % 12;
    for (int i = 0; i < n; ++i) {
      const float angle = 6.2831853f * float(i) / float(n);
      const float r = std::round(radius(random) * 10.0f);
      points.push_back({std::round(r * std::cos(angle)), std::round(r * std::sin(angle))});
    }
    const Polygon p = polygonOf(points);
    if (crossesItself(p.outlineX(), p.outlineY()) || hasNearlyStraightCorner(points)) continue;
    const Triangulation& t = p.triangulation();
    ASSERT_GT(t.triangleCount(), 0) << "round " << round;
    float area = 0.0f;
    for (size_t i = 0; i < t.x.size(); i += 3)
      area += std::fabs(signedArea(corner(t, i), corner(t, i + 1), corner(t, i + 2)));
    EXPECT_NEAR(area, outlineArea(p), outlineArea(p) * 1e-5f) << "round " << round;
    ++checked;
  }
  EXPECT_GT(checked, 100);
}

}  // namespace
