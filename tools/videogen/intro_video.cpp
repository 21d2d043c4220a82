#include "tools/videogen/intro_video.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "tools/imagegen/canvas.h"
#include "tools/imagegen/mask.h"
#include "tools/imagegen/text_mask.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr int kBubbles = 24;

float smoothStep(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3.0f - 2.0f * t);
}

// A fixed scatter from the bubble's number, so every build draws the same bubbles.
float scatter(int n, int salt) {
  uint32_t hash = uint32_t(n) * 0x9E3779B1u + uint32_t(salt) * 0x85EBCA77u;
  hash ^= hash >> 15;
  hash *= 0x2C1B3C6Du;
  hash ^= hash >> 12;
  hash *= 0x297A2D39u;
  hash ^= hash >> 15;
  return float(hash & 0xffff) / 65535.0f;
}

// The water surface's height (rows from the top) at column x, time t in seconds.
float surfaceAt(float x, float t) {
  const float level = float(kIntroHeight) * (1.05f - 0.62f * smoothStep(0.0f, 2.2f, t));
  return level + 4.0f * std::sin(x * 0.045f + t * 3.1f) + 2.0f * std::sin(x * 0.11f - t * 4.7f);
}

Colour sky(float y) {
  return mix(rgb(4, 8, 28), rgb(18, 42, 86), y / float(kIntroHeight));
}

Colour water(float depth, float x, float t) {
  const float light = 0.5f + 0.5f * std::sin(x * 0.07f + depth * 0.05f + t * 1.3f);
  const Colour deep = mix(rgb(20, 90, 160), rgb(6, 30, 80), std::min(depth / 140.0f, 1.0f));
  return mix(deep, rgb(60, 150, 210), 0.18f * light * std::max(0.0f, 1.0f - depth / 60.0f));
}

void paintScene(Canvas& canvas, float t) {
  for (int y = 0; y < kIntroHeight; ++y) {
    for (int x = 0; x < kIntroWidth; ++x) {
      const float surface = surfaceAt(float(x), t);
      const float depth = float(y) - surface;
      Colour colour = depth < 0.0f ? sky(float(y)) : water(depth, float(x), t);
      // A bright line where the water meets the air.
      const float rim = std::max(0.0f, 1.0f - std::fabs(depth) / 1.5f);
      colour = mix(colour, rgb(170, 225, 255), rim * 0.8f);
      canvas.blend(x, y, colour, 1.0f);
    }
  }
  for (int n = 0; n < kBubbles; ++n) {
    const float x = scatter(n, 1) * float(kIntroWidth);
    const float speed = 25.0f + 35.0f * scatter(n, 2);
    const float start = float(kIntroHeight) + 20.0f * scatter(n, 3);
    const float y = start - std::fmod(t * speed + 200.0f * scatter(n, 4), 260.0f);
    const float radius = 1.0f + 2.0f * scatter(n, 5);
    const float wobble = 2.0f * std::sin(t * 5.0f + float(n));
    for (int dy = -3; dy <= 3; ++dy) {
      for (int dx = -3; dx <= 3; ++dx) {
        const int px = int(x + wobble) + dx;
        const int py = int(y) + dy;
        if (px < 0 || px >= kIntroWidth || float(py) < surfaceAt(float(px), t) + 2.0f) continue;
        const float distance = std::sqrt(float(dx * dx + dy * dy));
        const float ring = std::max(0.0f, 1.0f - std::fabs(distance - radius));
        canvas.blend(px, py, rgb(190, 235, 255), 0.6f * ring);
      }
    }
  }
}

}  // namespace

std::vector<RgbFrame> drawIntroFrames(const FreeTypeFace* face) {
  std::optional<TextMask> name;
  if (face != nullptr) name = renderTextToFit(*face, "VELLMOOR", 270, 44, 4);
  Mask glow;
  if (name) glow = blurred(grown(name->mask, 2.0f), 4);
  std::vector<RgbFrame> frames;
  for (int index = 0; index < kIntroFrames; ++index) {
    const float t = float(index) / float(kIntroFramesPerSecond);
    Canvas canvas(kIntroWidth, kIntroHeight);
    paintScene(canvas, t);
    if (name) {
      const float shown = smoothStep(1.4f, 2.4f, t);
      const int x = (kIntroWidth - name->mask.width) / 2;
      const int y = kIntroHeight / 2 - name->mask.height / 2 - int(12.0f * (1.0f - shown));
      canvas.blendMask(glow, x, y, rgb(80, 200, 255), 0.7f * shown);
      canvas.blendMask(name->mask, x, y, rgb(235, 250, 255), shown);
    }
    // The last second fades to black.
    const float fade = 1.0f - smoothStep(3.2f, 4.0f - 1.0f / kIntroFramesPerSecond, t);
    const Image image = canvas.toImage();
    RgbFrame frame(kIntroWidth, kIntroHeight);
    for (int y = 0; y < kIntroHeight; ++y) {
      for (int x = 0; x < kIntroWidth; ++x) {
        const std::uint8_t* from = image.pixel(x, y);
        std::uint8_t* to = frame.pixel(x, y);
        for (int c = 0; c < 3; ++c) to[c] = std::uint8_t(std::lround(float(from[c]) * fade));
      }
    }
    frames.push_back(std::move(frame));
  }
  return frames;
}
