#include "tools/imagegen/mask.h"

#include <algorithm>
#include <cmath>

namespace {

// One pass of a running-sum box filter along rows (`horizontal`) or columns; edges read as
// clear, so a shape near the border fades out instead of smearing.
Mask boxPass(const Mask& mask, int radius, bool horizontal) {
  Mask out(mask.width, mask.height);
  const int lines = horizontal ? mask.height : mask.width;
  const int length = horizontal ? mask.width : mask.height;
  const float scale = 1.0f / static_cast<float>(2 * radius + 1);
  for (int line = 0; line < lines; ++line) {
    auto value = [&](int i) { return horizontal ? mask.at(i, line) : mask.at(line, i); };
    float sum = 0.0f;
    for (int i = -radius; i <= radius; ++i) sum += value(i);
    for (int i = 0; i < length; ++i) {
      (horizontal ? out.at(i, line) : out.at(line, i)) = sum * scale;
      sum += value(i + radius + 1) - value(i - radius);
    }
  }
  return out;
}

}  // namespace

float Mask::sample(float x, float y) const {
  const float fx = std::floor(x);
  const float fy = std::floor(y);
  const int ix = static_cast<int>(fx);
  const int iy = static_cast<int>(fy);
  const float tx = x - fx;
  const float ty = y - fy;
  const float top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
  const float bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
  return top + (bottom - top) * ty;
}

Mask placed(const Mask& mask, int width, int height, int x, int y) {
  Mask out(width, height);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      out.at(column, row) = mask.at(column - x, row - y);
    }
  }
  return out;
}

Mask blurred(const Mask& mask, int radius) {
  if (radius <= 0) return mask;
  Mask out = mask;
  for (int pass = 0; pass < 3; ++pass) {
    out = boxPass(boxPass(out, radius, true), radius, false);
  }
  return out;
}

Mask grown(const Mask& mask, float radius) {
  Mask out(mask.width, mask.height);
  const int reach = static_cast<int>(std::ceil(radius));
  for (int y = 0; y < mask.height; ++y) {
    for (int x = 0; x < mask.width; ++x) {
      float best = 0.0f;
      for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
          // A soft disc edge keeps the grown outline smooth.
          const float distance = std::sqrt(static_cast<float>(dx * dx + dy * dy));
          const float weight = std::clamp(radius + 0.5f - distance, 0.0f, 1.0f);
          best = std::max(best, mask.at(x + dx, y + dy) * weight);
        }
      }
      out.at(x, y) = best;
    }
  }
  return out;
}

Mask united(const Mask& a, const Mask& b) {
  Mask out = a;
  for (std::size_t i = 0; i < out.values.size(); ++i)
    out.values[i] = std::max(a.values[i], b.values[i]);
  return out;
}
