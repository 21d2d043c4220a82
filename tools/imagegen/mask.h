#pragma once
// A grey picture of coverage: how much of each pixel a shape covers, 0 to 1. Text, rims,
// glows and outlines are built as masks and only coloured when they are laid into a picture,
// so one shape can serve as the fill, as its outline (grown) and as its glow (blurred).

#include <vector>

struct Mask {
  int width = 0;
  int height = 0;
  std::vector<float> values;  // rows from the top

  Mask() = default;
  // All clear.
  Mask(int w, int h) : width(w), height(h), values(static_cast<std::size_t>(w) * h, 0.0f) {}

  float& at(int x, int y) { return values[static_cast<std::size_t>(y) * width + x]; }
  // 0 outside the mask, so shapes can be read past their edges.
  float at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
    return values[static_cast<std::size_t>(y) * width + x];
  }
  // Bilinear between the four nearest pixels; pixel centres sit at whole coordinates.
  float sample(float x, float y) const;
};

// `mask` laid onto a clear mask of `width` x `height` with its top-left at (x, y).
Mask placed(const Mask& mask, int width, int height, int x, int y);

// Three box blurs of `radius` pixels each way, close to a Gaussian of about that spread.
Mask blurred(const Mask& mask, int radius);

// Grown by `radius` pixels: each pixel takes the largest coverage within that distance.
Mask grown(const Mask& mask, float radius);

// The largest of the two at each pixel; both the same size.
Mask united(const Mask& a, const Mask& b);
