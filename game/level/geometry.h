#pragma once
// Intersection and containment tests of the level's geometry. The tests are exact float
// formulas, not tolerant ones: the triangulation and the collision tree depend on their
// precise answers on shared end points and parallel lines.

#include <span>

#include "game/level/vector2.h"

// The crossing point of the infinite lines a1-a2 and b1-b2 in determinant form; `out` is
// left unchanged when the lines are parallel.
void lineIntersection(Vec2 a1, Vec2 a2, Vec2 b1, Vec2 b2, Vec2& out);

// Segments a1-a2 and b1-b2 cross. Segments sharing an end point, degenerate segments and
// parallel segments never cross; a T-junction does.
bool segmentsCross(Vec2 a1, Vec2 a2, Vec2 b1, Vec2 b2);

// The ray f-e meets the edge a-b; on a hit `out` becomes the crossing point. No end-point
// exclusions, unlike segmentsCross; a negative zero parameter counts as a miss.
bool segmentHit(Vec2 f, Vec2 e, Vec2 a, Vec2 b, Vec2& out);

// p is inside or on the convex polygon whose interior lies on the normal side of each
// edge corner[i] -> corner[i + 1].
bool pointInConvex(Vec2 p, std::span<const Vec2> corners);

// The closed outline (x[i], y[i]) crosses itself; fewer than 3 points count as crossing.
bool crossesItself(std::span<const float> x, std::span<const float> y);
