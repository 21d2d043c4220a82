#include "tools/imagegen/zone_images.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/imagegen/canvas.h"
#include "tools/imagegen/noise.h"
#include "tools/imagegen/shape_fill.h"

namespace {

constexpr float kSide = float(kZoneSide);
constexpr float kPi = 3.14159265f;

// Four spots on a staggered lattice 64 pixels apart, the same after a wrap: the snowflakes'
// and the ripples' centres.
constexpr float kSpots[4][2] = {{32, 32}, {96, 32}, {0, 96}, {64, 96}};

bool everywhere(float, float) {
  return true;
}

// Lays a soft, slow brightening over the field, so it glows unevenly instead of lying flat.
void addShimmer(Canvas& canvas, Colour colour, float strength, std::uint32_t seed) {
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      canvas.blend(x, y, colour, strength * valueNoise(x, y, 32, kZoneSide, seed));
}

// The shortest distance from (x, y) to a six-armed snowflake of `radius` at a lattice spot,
// each arm with a pair of twigs.
float snowflakeDistance(float x, float y, float radius) {
  float best = 1e9f;
  for (const auto& spot : kSpots) {
    const float dx = wrappedOffset(x, spot[0], kSide);
    const float dy = wrappedOffset(y, spot[1], kSide);
    for (int arm = 0; arm < 6; ++arm) {
      const float a = float(arm) * kPi / 3.0f + kPi / 6.0f;
      const float ex = std::cos(a), ey = std::sin(a);
      best = std::min(best, segmentDistance(dx, dy, 0, 0, radius * ex, radius * ey));
      const float bx = 0.55f * radius * ex, by = 0.55f * radius * ey;
      for (const float side : {-0.9f, 0.9f}) {
        const float twig = 0.32f * radius;
        best = std::min(best, segmentDistance(dx, dy, bx, by, bx + twig * std::cos(a + side),
                                              by + twig * std::sin(a + side)));
      }
    }
  }
  return best;
}

// Inside one tongue of flame, `scale` the size of the full one. Tongues stand in cells 32
// wide and 64 tall, every other row shifted by half a cell, and lean a little as they rise.
bool insideFlame(float x, float y, float scale) {
  constexpr float kWidth = 32.0f, kHeight = 64.0f;
  const int row = int(y / kHeight);
  const float across = wrapped(x + float(row % 2) * kWidth * 0.5f, kWidth) - kWidth * 0.5f;
  const float t = (kHeight - 2.0f - wrapped(y, kHeight)) / (56.0f * scale);  // 0 base, 1 tip
  if (t < 0.0f || t > 1.0f) return false;
  const float lean = 3.0f * std::sin(t * 2.0f * kPi + float(row) * 1.7f) * t;
  const float half = 12.0f * scale * std::sin(kPi * std::sqrt(t)) * (1.0f - 0.45f * t);
  return std::abs(across - lean) < half;
}

// The distance from (x, y) to the nearest ripple's middle, where a drop has just landed;
// the ripples are seen a little from the side, so they are wider than tall.
float rippleDistance(float x, float y) {
  float best = 1e9f;
  for (const auto& spot : kSpots) {
    const float dx = wrappedOffset(x, spot[0] + 16.0f, kSide);
    const float dy = wrappedOffset(y, spot[1] + 16.0f, kSide) * 1.3f;
    best = std::min(best, std::sqrt(dx * dx + dy * dy));
  }
  return best;
}

// The signed distance to a triangle given clockwise on screen: negative inside.
float triangleDistance(float x, float y, const float (&corner)[3][2]) {
  float distance = -1e9f;
  for (int i = 0; i < 3; ++i) {
    const float* a = corner[i];
    const float* b = corner[(i + 1) % 3];
    const float ex = b[0] - a[0], ey = b[1] - a[1];
    const float length = std::sqrt(ex * ex + ey * ey);
    // Clockwise on screen (y down) puts the inside where this cross product is negative.
    distance = std::max(distance, ((x - a[0]) * ey - (y - a[1]) * ex) / length);
  }
  return distance;
}

// The pole of a flag: a dark shaft along the left with a gold knob on top.
void paintPole(Canvas& canvas) {
  fillShape(canvas, rgb(52, 44, 38), 1.0f,
            [](float x, float y) { return x >= 6 && x < 11 && y >= 8; });
  fillShape(canvas, rgb(150, 132, 110), 1.0f,
            [](float x, float y) { return x >= 7 && x < 8.5f && y >= 10; });
  fillShape(canvas, rgb(250, 206, 80), 1.0f,
            [](float x, float y) { return (x - 8.5f) * (x - 8.5f) + (y - 7) * (y - 7) < 20.0f; });
}

// Where the cloth of a flag flying from the pole lies: its top edge waves, and `u`, `v` are
// the point's place across and down the cloth, 0 to 1.
struct ClothPoint {
  float u;
  float v;
};
ClothPoint clothPoint(float x, float y) {
  const float u = (x - 11.0f) / 50.0f;
  const float top = 14.0f + 4.0f * std::sin(u * 2.0f * kPi) * u;
  return {u, (y - top) / 36.0f};
}

}  // namespace

Image drawGoalField() {
  constexpr float kCheck = 32.0f;
  Canvas canvas(kZoneSide, kZoneSide);
  fillShape(canvas, rgb(40, 215, 105), 0.34f, everywhere);
  fillShape(canvas, rgb(255, 214, 60), 0.42f,
            [](float x, float y) { return (int(x / kCheck) + int(y / kCheck)) % 2 == 0; });
  addShimmer(canvas, rgb(255, 250, 200), 0.18f, 0x90a1u);
  // A bright seam round every check, so the chequer reads even where the colours don't.
  fillShape(canvas, rgb(255, 248, 200), 0.55f, [](float x, float y) {
    return wrapped(x + 1.0f, kCheck) < 2.0f || wrapped(y + 1.0f, kCheck) < 2.0f;
  });
  // Four-pointed sparkles in every other gold check.
  fillShape(canvas, rgb(255, 255, 240), 0.9f, [](float x, float y) {
    const float dx = std::abs(wrapped(x, 2 * kCheck) - kCheck * 0.5f);
    const float dy = std::abs(wrapped(y, 2 * kCheck) - kCheck * 0.5f);
    return dx < 1.6f * (1.0f - dy / 7.0f) || dy < 1.6f * (1.0f - dx / 7.0f);
  });
  return canvas.toImage();
}

Image drawHazardField() {
  constexpr float kPair = 64.0f;  // one yellow and one black band, measured along x + y
  Canvas canvas(kZoneSide, kZoneSide);
  fillShape(canvas, rgb(26, 20, 16), 0.66f, everywhere);
  fillShape(canvas, rgb(250, 196, 28), 0.8f,
            [](float x, float y) { return wrapped(x + y, kPair) < kPair * 0.5f; });
  addShimmer(canvas, rgb(0, 0, 0), 0.15f, 0x4a2du);
  return canvas.toImage();
}

Image drawHeatField() {
  Canvas canvas(kZoneSide, kZoneSide);
  fillShape(canvas, rgb(200, 50, 16), 0.26f, everywhere);
  addShimmer(canvas, rgb(255, 120, 30), 0.3f, 0x4ea7u);
  fillShape(canvas, rgb(225, 56, 18), 0.6f,
            [](float x, float y) { return insideFlame(x, y, 1.0f); });
  fillShape(canvas, rgb(255, 146, 30), 0.75f,
            [](float x, float y) { return insideFlame(x, y, 0.7f); });
  fillShape(canvas, rgb(255, 232, 130), 0.85f,
            [](float x, float y) { return insideFlame(x, y, 0.38f); });
  return canvas.toImage();
}

Image drawFrostField() {
  constexpr float kRadius = 14.0f;
  Canvas canvas(kZoneSide, kZoneSide);
  fillShape(canvas, rgb(196, 228, 255), 0.24f, everywhere);
  addShimmer(canvas, rgb(240, 250, 255), 0.16f, 0xf205u);
  // Veins of crystal where a noise passes through its middle, like the cracks in stone.
  for (int y = 0; y < kZoneSide; ++y)
    for (int x = 0; x < kZoneSide; ++x)
      if (std::abs(valueNoise(x, y, 16, kZoneSide, 0xf206u) - 0.5f) < 0.02f)
        canvas.blend(x, y, rgb(235, 248, 255), 0.3f);
  fillShape(canvas, rgb(40, 92, 150), 0.6f,
            [](float x, float y) { return snowflakeDistance(x, y, kRadius) < 2.4f; });
  fillShape(canvas, rgb(250, 253, 255), 0.95f,
            [](float x, float y) { return snowflakeDistance(x, y, kRadius) < 1.1f; });
  return canvas.toImage();
}

Image drawThawField() {
  Canvas canvas(kZoneSide, kZoneSide);
  // No lines across: with them the amber reads as wood grain.
  fillShape(canvas, rgb(255, 150, 60), 0.45f, everywhere);
  addShimmer(canvas, rgb(255, 222, 150), 0.35f, 0x7a3bu);
  // Each ripple: the drop, a ring round it and a fainter ring further out.
  fillShape(canvas, rgb(255, 232, 180), 0.8f, [](float x, float y) {
    const float r = rippleDistance(x, y);
    return r < 2.5f || std::abs(r - 9.0f) < 1.3f;
  });
  fillShape(canvas, rgb(255, 232, 180), 0.45f,
            [](float x, float y) { return std::abs(rippleDistance(x, y) - 16.0f) < 0.9f; });
  return canvas.toImage();
}

Image drawCheckpointField() {
  constexpr float kBand = 16.0f;
  Canvas canvas(kZoneSide, kZoneSide);
  fillShape(canvas, rgb(150, 90, 225), 0.32f, everywhere);
  fillShape(canvas, rgb(245, 242, 255), 0.32f,
            [](float x, float) { return wrapped(x, 2 * kBand) >= kBand; });
  fillShape(canvas, rgb(60, 30, 110), 0.45f,
            [](float x, float) { return wrapped(x + 1.0f, kBand) < 2.0f; });
  // A chain of diamonds down the middle of each violet band.
  fillShape(canvas, rgb(250, 246, 255), 0.8f, [](float x, float y) {
    const float dx = std::abs(wrapped(x, 2 * kBand) - kBand * 0.5f);
    const float dy = std::abs(wrapped(y, 2 * kBand) - kBand);
    return dx + dy < 5.0f;
  });
  return canvas.toImage();
}

// The water presses a switch by lying on it: square buttons, unlike every other field's
// round or slanted marks.
Image drawSwitchField() {
  const auto buttonDistance = [](float x, float y) {
    float best = 1e9f;
    for (const auto& spot : kSpots)
      best = std::min(best, std::max(std::abs(wrappedOffset(x, spot[0], kSide)),
                                     std::abs(wrappedOffset(y, spot[1], kSide))));
    return best;
  };
  Canvas canvas(kZoneSide, kZoneSide);
  fillShape(canvas, rgb(40, 190, 180), 0.3f, everywhere);
  addShimmer(canvas, rgb(150, 255, 240), 0.2f, 0x5317u);
  fillShape(canvas, rgb(210, 255, 250), 0.75f, [=](float x, float y) {
    const float d = buttonDistance(x, y);
    return d < 5.0f || (d > 10.0f && d < 13.0f);
  });
  return canvas.toImage();
}

Image drawDraughtField(int dx, int dy) {
  // Coordinates along the draught and across it, on the pixel lattice so the pattern keeps
  // the tile's period: both are whole-number mixes of x and y.
  const float length = std::sqrt(float(dx * dx + dy * dy));
  const auto along = [=](float x, float y) { return (x * float(dx) + y * float(dy)) / length; };
  const auto across = [=](float x, float y) { return (y * float(dx) - x * float(dy)) / length; };
  // Periods in pixels that divide the tile along both axes, straight or diagonal.
  const float period = 32.0f / length * (dx != 0 && dy != 0 ? 2.0f : 1.0f);
  Canvas canvas(kZoneSide, kZoneSide);
  fillShape(canvas, rgb(220, 236, 245), 0.1f, everywhere);
  // Streaks: short dashes along the draught, one lane every half period.
  fillShape(canvas, rgb(235, 245, 250), 0.25f, [=](float x, float y) {
    const float lane = wrapped(across(x, y), period * 0.5f);
    return lane < 1.0f && wrapped(along(x, y) * 0.5f, period) < period * 0.6f;
  });
  // Chevrons: the middle of each lane reaches furthest along, so each points downwind.
  fillShape(canvas, rgb(245, 250, 255), 0.6f, [=](float x, float y) {
    const float side = wrappedOffset(across(x, y), period * 0.25f, period);
    if (std::abs(side) > period * 0.3f) return false;
    const float bent = along(x, y) + std::abs(side) * 1.4f;
    return wrapped(bent, period) < 2.5f;
  });
  return canvas.toImage();
}

Image drawGoalFlag() {
  constexpr float kCheck = 1.0f / 6.0f;
  Canvas canvas(64, 128);
  fillShape(canvas, rgb(20, 20, 24), 1.0f, [](float x, float y) {
    const ClothPoint p = clothPoint(x, y);
    return p.u >= -0.02f && p.u <= 1.03f && p.v >= -0.05f && p.v <= 1.05f;
  });
  fillShape(canvas, rgb(245, 245, 238), 1.0f, [](float x, float y) {
    const ClothPoint p = clothPoint(x, y);
    if (p.u < 0.0f || p.u > 1.0f || p.v < 0.0f || p.v > 1.0f) return false;
    return (int(p.u / kCheck) + int(p.v * 4.0f)) % 2 == 0;
  });
  paintPole(canvas);
  return canvas.toImage();
}

Image drawCheckpointFlag() {
  Canvas canvas(64, 128);
  // A pennant narrowing to its tip, with two white bands across it.
  const auto pennant = [](float grow) {
    return [=](float x, float y) {
      const ClothPoint p = clothPoint(x, y);
      const float half = 0.5f * (1.0f - p.u) + grow;
      return p.u >= -grow && p.u <= 1.0f + grow && std::abs(p.v - 0.5f) < half;
    };
  };
  fillShape(canvas, rgb(40, 20, 70), 1.0f, pennant(0.04f));
  fillShape(canvas, rgb(150, 90, 225), 1.0f, pennant(0.0f));
  fillShape(canvas, rgb(245, 242, 255), 1.0f, [&](float x, float y) {
    const float u = clothPoint(x, y).u;
    return pennant(0.0f)(x, y) && ((u > 0.2f && u < 0.32f) || (u > 0.5f && u < 0.62f));
  });
  paintPole(canvas);
  return canvas.toImage();
}

Image drawWarningSign() {
  static constexpr float kCorners[3][2] = {{32, 5}, {59, 55}, {5, 55}};
  Canvas canvas(64, 64);
  fillShape(canvas, rgb(20, 18, 16), 1.0f,
            [](float x, float y) { return triangleDistance(x, y, kCorners) < 2.5f; });
  fillShape(canvas, rgb(250, 200, 30), 1.0f,
            [](float x, float y) { return triangleDistance(x, y, kCorners) < -2.5f; });
  fillShape(canvas, rgb(20, 18, 16), 1.0f, [](float x, float y) {
    const float bar = 3.2f - (y - 20.0f) * 0.05f;  // narrowing downwards
    const bool stroke = y >= 20 && y < 40 && std::abs(x - 32.0f) < bar;
    const bool dot = (x - 32) * (x - 32) + (y - 46.5f) * (y - 46.5f) < 11.0f;
    return stroke || dot;
  });
  return canvas.toImage();
}

std::vector<NamedImage> drawZoneImages() {
  std::vector<NamedImage> images;
  images.push_back({"zone/goal.tga", drawGoalField()});
  images.push_back({"zone/hazard.tga", drawHazardField()});
  images.push_back({"zone/heat.tga", drawHeatField()});
  images.push_back({"zone/frost.tga", drawFrostField()});
  images.push_back({"zone/thaw.tga", drawThawField()});
  images.push_back({"zone/checkpoint.tga", drawCheckpointField()});
  images.push_back({"zone/switch.tga", drawSwitchField()});
  images.push_back({"zone/draught_up.tga", drawDraughtField(0, -1)});
  images.push_back({"zone/draught_up_right.tga", drawDraughtField(1, -1)});
  images.push_back({"obj/goal_flag.tga", drawGoalFlag()});
  images.push_back({"obj/checkpoint_flag.tga", drawCheckpointFlag()});
  images.push_back({"obj/warning.tga", drawWarningSign()});
  return images;
}
