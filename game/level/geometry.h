#pragma once
// Intersection and containment tests of the level's geometry. The tests are exact float
// formulas, not tolerant ones: the triangulation and the collision tree depend on their
// precise answers on shared end points and parallel lines.

#include <cmath>
#include <span>

#include "common/vector2.h"

// The crossing point of the infinite lines a1-a2 and b1-b2 in determinant form; `out` is
// left unchanged when the lines are parallel.
void lineIntersection(Vec2 a1, Vec2 a2, Vec2 b1, Vec2 b2, Vec2& out);

// Segments a1-a2 and b1-b2 cross. Segments sharing an end point, degenerate segments and
// parallel segments never cross; a T-junction does.
bool segmentsCross(Vec2 a1, Vec2 a2, Vec2 b1, Vec2 b2);

// The ray f-e meets the edge a-b; on a hit `out` becomes the crossing point. No end-point
// exclusions, unlike segmentsCross; a negative zero parameter counts as a miss.
bool segmentHit(Vec2 f, Vec2 e, Vec2 a, Vec2 b, Vec2& out);

// segmentHit for one ray against many edges (the collision tree's ray cast): what depends
// on the ray alone is worked out once, and the test is inline. Same formulas, same answers.
class RayHitTest {
 public:
  RayHitTest(Vec2 f, Vec2 e)
      : f_(f),
        back_(f - e),
        ahead_(e - f),
        c1_(f.x * e.y - f.y * e.x),
        aheadOnX_(std::fabs(e.x - f.x) > std::fabs(e.y - f.y)) {}

  bool hits(Vec2 a, Vec2 b, Vec2& out) const {
    const float d = back_.x * (a.y - b.y) - back_.y * (a.x - b.x);
    if (d == 0.0f) return false;
    const float c2 = a.x * b.y - a.y * b.x;
    const Vec2 crossing{(c1_ * (a.x - b.x) - back_.x * c2) / d,
                        (c1_ * (a.y - b.y) - back_.y * c2) / d};
    const float alongRay =
        aheadOnX_ ? (crossing.x - f_.x) / ahead_.x : (crossing.y - f_.y) / ahead_.y;
    if (!withinUnitSigned(alongRay)) return false;
    const Vec2 edge = b - a;
    const float alongEdge = std::fabs(edge.x) > std::fabs(edge.y) ? (crossing.x - a.x) / edge.x
                                                                  : (crossing.y - a.y) / edge.y;
    if (!withinUnitSigned(alongEdge)) return false;
    out = crossing;
    return true;
  }

 private:
  // As a parameter's test for 0 to 1, with a negative zero below 0.
  static bool withinUnitSigned(float t) { return !std::signbit(t) && t <= 1.0f; }

  Vec2 f_, back_, ahead_;
  float c1_;
  bool aheadOnX_;
};

// p is inside or on the convex polygon whose interior lies on the normal side of each
// edge corner[i] -> corner[i + 1].
bool pointInConvex(Vec2 p, std::span<const Vec2> corners);

// The closed outline (x[i], y[i]) crosses itself; fewer than 3 points count as crossing.
bool crossesItself(std::span<const float> x, std::span<const float> y);
