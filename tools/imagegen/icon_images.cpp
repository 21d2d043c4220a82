#include "tools/imagegen/icon_images.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <utility>

#include "tools/imagegen/canvas.h"
#include "tools/imagegen/water_lettering.h"

namespace {

constexpr int kLargest = kIconSizes[std::size(kIconSizes) - 1];
constexpr int kSamples = 4;  // a side of the grid of samples that decides a pixel's coverage

// A drop with its point upwards: x = sin t sin^1.3(t / 2), y = cos t for t in [0, pi] gives
// the half-width at each height, from the point (y = 1) to the round bottom (y = -1).
bool insideDrop(float x, float y) {
  if (y < -1.0f || y > 1.0f) return false;
  const float t = std::acos(y);
  return std::abs(x) <= std::sin(t) * std::pow(std::sin(t / 2.0f), 1.3f);
}

// The drop as coverage, `height` pixels tall, cropped to its ink like a rendered word.
Mask dropMask(int height) {
  const float half = height / 2.0f;
  const int width = static_cast<int>(std::ceil(height * 0.78f));
  Mask mask(width, height);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      int inside = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const float x = column + (sx + 0.5f) / kSamples - width / 2.0f;
          const float y = row + (sy + 0.5f) / kSamples;
          inside += insideDrop(x / half, 1.0f - y / half);
        }
      }
      mask.at(column, row) = static_cast<float>(inside) / (kSamples * kSamples);
    }
  }
  return mask;
}

// The water lettering paints the drop as if it were one capital letter: the water stands in
// it up to half its height, its waves and bubbles scaled to its size.
Image drawLargestIcon() {
  const int height = kLargest - 2 * kLetteringReach - 4;
  TextMask drop{dropMask(height), height, height, height};
  const WaterLettering lettering(std::move(drop));
  Canvas canvas(kLargest, kLargest);
  lettering.paint(canvas, (kLargest - lettering.width()) / 2, (kLargest - lettering.height()) / 2,
                  WaterLook{0.5f, 0.8f, -1.0f});
  return canvas.toImage();
}

// How much of the unit cell at `cell` lies in [from, to).
float overlap(int cell, float from, float to) {
  return std::max(0.0f, std::min(to, cell + 1.0f) - std::max(from, static_cast<float>(cell)));
}

// The last cell a span ending at `to` touches, kept inside the picture's `limit` cells.
int lastCell(float to, int limit) {
  return std::min(static_cast<int>(std::ceil(to)), limit) - 1;
}

// One pixel of a shrunk picture: the average of the square of `image` at (left, top) with
// sides `side`, colour weighted by opacity so clear pixels add no dark fringe.
void averageSquare(const Image& image, float left, float top, float side, std::uint8_t* out) {
  float sum[4] = {0, 0, 0, 0};
  for (int sy = static_cast<int>(top); sy <= lastCell(top + side, image.height); ++sy) {
    const float wy = overlap(sy, top, top + side);
    for (int sx = static_cast<int>(left); sx <= lastCell(left + side, image.width); ++sx) {
      const std::uint8_t* p = image.pixel(sx, sy);
      const float weight = wy * overlap(sx, left, left + side) * p[3];
      for (int c = 0; c < 3; ++c) sum[c] += weight * p[c];
      sum[3] += weight;
    }
  }
  if (sum[3] <= 0.0f) return;
  const auto byte = [](float v) {
    return static_cast<std::uint8_t>(std::lround(std::min(v, 255.0f)));
  };
  for (int c = 0; c < 3; ++c) out[c] = byte(sum[c] / sum[3]);
  out[3] = byte(sum[3] / (side * side));
}

Image shrunk(const Image& image, int size) {
  const float side = static_cast<float>(image.width) / size;
  Image out(size, size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) averageSquare(image, x * side, y * side, side, out.pixel(x, y));
  }
  return out;
}

}  // namespace

std::vector<NamedImage> drawIcons() {
  const Image largest = drawLargestIcon();
  std::vector<NamedImage> icons;
  for (const int size : kIconSizes) {
    const std::string side = std::to_string(size);
    icons.push_back(
        {side + "x" + side + ".png", size == kLargest ? largest : shrunk(largest, size)});
  }
  return icons;
}
