#pragma once
// Shapes given as an inside test, painted with smooth edges by sampling each pixel on a
// 4 x 4 grid. The zone fields, their markers and the signs are drawn from such tests (a
// stripe, a snowflake's arm, a flag's cloth) instead of from masks, because a test can wrap
// round the picture's edge and so tile.

#include <cmath>

#include "tools/imagegen/canvas.h"

inline constexpr int kShapeSamples = 4;

// Lays `colour` at `opacity` over each pixel of the canvas by the share of its samples that
// `inside`(x, y) accepts; (x, y) in pixels from the canvas's top-left corner.
template <typename Inside>
void fillShape(Canvas& canvas, Colour colour, float opacity, Inside inside) {
  constexpr float kStep = 1.0f / kShapeSamples;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      int hits = 0;
      for (int sy = 0; sy < kShapeSamples; ++sy)
        for (int sx = 0; sx < kShapeSamples; ++sx)
          if (inside(float(x) + (float(sx) + 0.5f) * kStep, float(y) + (float(sy) + 0.5f) * kStep))
            ++hits;
      if (hits > 0)
        canvas.blend(x, y, colour, opacity * float(hits) / float(kShapeSamples * kShapeSamples));
    }
  }
}

// `value` brought into [0, period).
inline float wrapped(float value, float period) {
  const float r = std::fmod(value, period);
  return r < 0.0f ? r + period : r;
}

// The offset from `centre` to `value` the short way round a circle of `period`, in
// [-period / 2, period / 2): a shape near a tile's edge reappears at the opposite edge.
inline float wrappedOffset(float value, float centre, float period) {
  return wrapped(value - centre + period * 0.5f, period) - period * 0.5f;
}

// The distance from (x, y) to the segment from (ax, ay) to (bx, by).
inline float segmentDistance(float x, float y, float ax, float ay, float bx, float by) {
  const float ex = bx - ax, ey = by - ay;
  const float length2 = ex * ex + ey * ey;
  float t = length2 > 0.0f ? ((x - ax) * ex + (y - ay) * ey) / length2 : 0.0f;
  t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
  const float dx = x - ax - t * ex, dy = y - ay - t * ey;
  return std::sqrt(dx * dx + dy * dy);
}
