#include "game/level/geometry.h"

#include <cmath>

namespace {

// The determinant of the two lines' directions; 0 for parallel lines.
float lineDeterminant(Vec2 a1, Vec2 a2, Vec2 b1, Vec2 b2) {
  return (a1.x - a2.x) * (b1.y - b2.y) - (a1.y - a2.y) * (b1.x - b2.x);
}

Vec2 intersectionFromDeterminant(Vec2 a1, Vec2 a2, Vec2 b1, Vec2 b2, float d) {
  const float c1 = a1.x * a2.y - a1.y * a2.x;
  const float c2 = b1.x * b2.y - b1.y * b2.x;
  return {(c1 * (b1.x - b2.x) - (a1.x - a2.x) * c2) / d,
          (c1 * (b1.y - b2.y) - (a1.y - a2.y) * c2) / d};
}

// Where `point` lies along p1 -> p2, measured on one axis only: the longer, with ties going
// to x (the ray cast's RayHitTest sends ties to y).
float parameterAlong(Vec2 p1, Vec2 p2, Vec2 point) {
  const float dx = std::fabs(p2.x - p1.x);
  const float dy = std::fabs(p2.y - p1.y);
  const bool useX = dx >= dy;
  return useX ? (point.x - p1.x) / (p2.x - p1.x) : (point.y - p1.y) / (p2.y - p1.y);
}

bool withinUnit(float t) {
  return t >= 0.0f && t <= 1.0f;
}

}  // namespace

void lineIntersection(Vec2 a1, Vec2 a2, Vec2 b1, Vec2 b2, Vec2& out) {
  const float d = lineDeterminant(a1, a2, b1, b2);
  if (d == 0.0f) return;
  out = intersectionFromDeterminant(a1, a2, b1, b2, d);
}

bool segmentsCross(Vec2 a1, Vec2 a2, Vec2 b1, Vec2 b2) {
  if (a1 == b1 || a1 == b2 || a2 == b1 || a2 == b2) return false;
  if (a1 == a2 || b1 == b2) return false;
  const float d = lineDeterminant(a1, a2, b1, b2);
  if (d == 0.0f) return false;
  const Vec2 crossing = intersectionFromDeterminant(a1, a2, b1, b2, d);
  return withinUnit(parameterAlong(a1, a2, crossing)) &&
         withinUnit(parameterAlong(b1, b2, crossing));
}

bool segmentHit(Vec2 f, Vec2 e, Vec2 a, Vec2 b, Vec2& out) {
  return RayHitTest(f, e).hits(a, b, out);
}

bool pointInConvex(Vec2 p, std::span<const Vec2> corners) {
  const size_t count = corners.size();
  for (size_t i = 0; i < count; ++i) {
    const Vec2 ci = corners[i];
    const Vec2 cj = corners[(i + 1) % count];
    if ((cj.x - ci.x) * (p.y - ci.y) - (cj.y - ci.y) * (p.x - ci.x) < 0.0f) return false;
  }
  return true;
}

bool crossesItself(std::span<const float> x, std::span<const float> y) {
  const size_t n = x.size();
  if (n < 3) return true;
  auto point = [&](size_t i) { return Vec2{x[i], y[i]}; };
  // Every pair of outline edges, the closing edge n-1 -> 0 included.
  for (size_t i = 0; i < n; ++i) {
    const Vec2 a1 = point(i);
    const Vec2 a2 = point((i + 1) % n);
    for (size_t j = i + 1; j < n; ++j) {
      if (segmentsCross(a1, a2, point(j), point((j + 1) % n))) return true;
    }
  }
  return false;
}
