#include "tools/imagegen/canvas.h"

#include <algorithm>
#include <utility>

#include "tools/imagegen/noise.h"

namespace {

// Enough rings of colour for the smaller mipmap levels a picture is drawn from.
constexpr int kBleedPasses = 8;

// One ring: each clear, uncoloured pixel takes the average colour of its coloured
// neighbours. Colour set in this pass only counts from the next pass on.
void bleedColourOnce(Image& image, std::vector<bool>& coloured) {
  std::vector<bool> next = coloured;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (coloured[static_cast<std::size_t>(y) * image.width + x]) continue;
      int sum[3] = {0, 0, 0};
      int count = 0;
      for (const auto& [dx, dy] :
           {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}}) {
        const int nx = x + dx;
        const int ny = y + dy;
        if (nx < 0 || ny < 0 || nx >= image.width || ny >= image.height) continue;
        if (!coloured[static_cast<std::size_t>(ny) * image.width + nx]) continue;
        for (int c = 0; c < 3; ++c) sum[c] += image.pixel(nx, ny)[c];
        ++count;
      }
      if (count == 0) continue;
      for (int c = 0; c < 3; ++c) image.pixel(x, y)[c] = static_cast<std::uint8_t>(sum[c] / count);
      next[static_cast<std::size_t>(y) * image.width + x] = true;
    }
  }
  coloured.swap(next);
}

}  // namespace

Colour mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour scaled(Colour c, float factor) {
  return {c.r * factor, c.g * factor, c.b * factor};
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      premultiplied_(static_cast<std::size_t>(width) * height * 4) {}

void Canvas::blend(int x, int y, Colour colour, float alpha) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  alpha = std::clamp(alpha, 0.0f, 1.0f);
  if (alpha <= 0.0f) return;
  float* p = &premultiplied_[(static_cast<std::size_t>(y) * width_ + x) * 4];
  const float keep = 1.0f - alpha;
  p[0] = std::clamp(colour.r, 0.0f, 1.0f) * alpha + p[0] * keep;
  p[1] = std::clamp(colour.g, 0.0f, 1.0f) * alpha + p[1] * keep;
  p[2] = std::clamp(colour.b, 0.0f, 1.0f) * alpha + p[2] * keep;
  p[3] = alpha + p[3] * keep;
}

void Canvas::clear(int x, int y) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  std::fill_n(&premultiplied_[(static_cast<std::size_t>(y) * width_ + x) * 4], 4, 0.0f);
}

void Canvas::blendMask(const Mask& mask, int x, int y, Colour colour, float opacity) {
  for (int row = 0; row < mask.height; ++row) {
    for (int column = 0; column < mask.width; ++column) {
      blend(x + column, y + row, colour, mask.at(column, row) * opacity);
    }
  }
}

Image Canvas::toImage() const {
  Image image(width_, height_);
  for (std::size_t i = 0; i < premultiplied_.size(); i += 4) {
    const float alpha = premultiplied_[i + 3];
    if (alpha <= 0.0f) continue;
    for (int c = 0; c < 3; ++c) image.rgba[i + c] = toByte(255.0f * premultiplied_[i + c] / alpha);
    image.rgba[i + 3] = toByte(255.0f * alpha);
  }
  std::vector<bool> coloured(static_cast<std::size_t>(width_) * height_);
  for (std::size_t i = 0; i < coloured.size(); ++i) coloured[i] = image.rgba[i * 4 + 3] > 0;
  for (int pass = 0; pass < kBleedPasses; ++pass) bleedColourOnce(image, coloured);
  return image;
}
