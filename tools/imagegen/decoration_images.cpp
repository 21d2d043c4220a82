#include "tools/imagegen/decoration_images.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/imagegen/canvas.h"
#include "tools/imagegen/frame_sets.h"
#include "tools/imagegen/noise.h"

namespace {

constexpr int kFxSide = 32;
constexpr int kFanFrames = 8;
constexpr int kTorchFrames = 6;
constexpr float kPi = 3.14159265f;

// A white sprite whose alpha is `alpha`(dx, dy, t): the offset from the centre and the
// distance from it as a share of the radius.
template <typename Alpha>
Image drawWhiteSprite(Alpha alpha) {
  Image image(kFxSide, kFxSide);
  const float centre = (kFxSide - 1) * 0.5f;
  const float radius = kFxSide * 0.5f;
  for (int y = 0; y < kFxSide; ++y)
    for (int x = 0; x < kFxSide; ++x) {
      const float dx = (float(x) - centre) / radius;
      const float dy = (float(y) - centre) / radius;
      const float t = std::sqrt(dx * dx + dy * dy);
      image.setPixel(x, y, 255, 255, 255,
                     toByte(255.0f * std::clamp(alpha(dx, dy, t, x, y), 0.0f, 1.0f)));
    }
  return image;
}

// Paints `inside`(x, y) -> coverage 0..1 in `colour` over the canvas.
template <typename Inside>
void paint(Canvas& canvas, Colour colour, Inside inside) {
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) {
      const float cover = std::clamp(inside(float(x) + 0.5f, float(y) + 0.5f), 0.0f, 1.0f);
      if (cover > 0.0f) canvas.blend(x, y, colour, cover);
    }
}

// Coverage of a disc with a one-pixel soft rim.
float disc(float x, float y, float cx, float cy, float r) {
  const float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
  return r + 0.5f - d;
}

float box(float x, float y, float left, float top, float right, float bottom) {
  return x >= left && x < right && y >= top && y < bottom ? 1.0f : 0.0f;
}

std::string frameName(const char* stem, int frame) {
  return "obj/" + numberedFrameFileName(stem, frame);
}

Image fanFrame(int frame) {
  constexpr int kSide = 64;
  Canvas canvas(kSide, kSide);
  const float c = kSide * 0.5f;
  paint(canvas, rgb(70, 74, 82), [&](float x, float y) { return disc(x, y, c, c, 30.0f); });
  paint(canvas, rgb(28, 30, 36), [&](float x, float y) { return disc(x, y, c, c, 27.0f); });
  // Four blades, a quarter of a blade's spacing further round in every frame.
  const float turn = float(frame) * (kPi * 0.5f) / float(kFanFrames);
  paint(canvas, rgb(176, 184, 196), [&](float x, float y) {
    const float dx = x - c, dy = y - c;
    const float r = std::sqrt(dx * dx + dy * dy);
    if (r > 25.0f || r < 4.0f) return 0.0f;
    const float angle = std::atan2(dy, dx) - turn;
    const float blade = std::abs(std::sin(2.0f * angle));
    return (blade - 0.75f) * 8.0f;
  });
  paint(canvas, rgb(220, 170, 60), [&](float x, float y) { return disc(x, y, c, c, 5.0f); });
  return canvas.toImage();
}

Image torchFrame(int frame) {
  constexpr int kWidth = 32, kHeight = 64;
  Canvas canvas(kWidth, kHeight);
  const float c = kWidth * 0.5f;
  paint(canvas, rgb(92, 60, 34), [&](float x, float y) { return box(x, y, c - 3, 34, c + 3, 62); });
  paint(canvas, rgb(60, 62, 68), [&](float x, float y) { return box(x, y, c - 6, 30, c + 6, 36); });
  // The flame sways and breathes from frame to frame along one turn of a sine.
  const float phase = float(frame) * 2.0f * kPi / float(kTorchFrames);
  const float sway = 2.0f * std::sin(phase);
  const float height = 22.0f + 3.0f * std::sin(phase * 2.0f + 1.0f);
  const auto flame = [&](float scale) {
    return [=](float x, float y) {
      const float t = (30.0f - y) / (height * scale);  // 0 at the base, 1 at the tip
      if (t < 0.0f || t > 1.0f) return 0.0f;
      const float half = 7.0f * scale * std::sin(kPi * std::sqrt(t)) * (1.0f - 0.4f * t);
      const float middle = c + sway * t;
      return half + 0.5f - std::abs(x - middle);
    };
  };
  paint(canvas, rgb(230, 80, 20), flame(1.0f));
  paint(canvas, rgb(255, 190, 50), flame(0.7f));
  paint(canvas, rgb(255, 250, 200), flame(0.4f));
  return canvas.toImage();
}

}  // namespace

Image drawSplashSprite() {
  // A droplet: firm body, bright rim towards the light.
  return drawWhiteSprite([](float dx, float dy, float t, int, int) {
    const float body = (1.0f - t) * 4.0f;
    const float highlight = 0.3f * std::max(0.0f, -(dx + dy));
    return std::min(body, 0.75f + highlight);
  });
}

Image drawSparkSprite() {
  // A hot core with a cross of rays, for additive blending.
  return drawWhiteSprite([](float dx, float dy, float t, int, int) {
    const float core = std::max(0.0f, 1.0f - t * 2.5f);
    const float rays =
        std::max(0.0f, 1.0f - t) * std::max(std::max(0.0f, 1.0f - std::abs(dx) * 12.0f),
                                            std::max(0.0f, 1.0f - std::abs(dy) * 12.0f));
    return core + 0.8f * rays;
  });
}

Image drawSmokeSprite() {
  // A ragged cloud: soft falloff broken up by noise.
  return drawWhiteSprite([](float, float, float t, int x, int y) {
    const float n = valueNoise(x, y, 8, kFxSide, 0x5e0cu);
    return (1.0f - t) * (1.0f - t) * (0.6f + 0.8f * n);
  });
}

Image drawSteamPuffSprite() {
  // A thin wide haze.
  return drawWhiteSprite([](float, float, float t, int x, int y) {
    const float n = valueNoise(x, y, 16, kFxSide, 0x57eau);
    return 0.55f * smoothstep(std::max(0.0f, 1.0f - t)) * (0.7f + 0.6f * n);
  });
}

Image drawLamp() {
  constexpr int kWidth = 32, kHeight = 64;
  Canvas canvas(kWidth, kHeight);
  const float c = kWidth * 0.5f;
  paint(canvas, rgb(40, 40, 44), [&](float x, float y) { return box(x, y, c - 1, 0, c + 1, 34); });
  paint(canvas, rgb(255, 220, 120),
        [&](float x, float y) { return disc(x, y, c, 46, 12.0f) * 0.35f; });
  paint(canvas, rgb(255, 236, 170), [&](float x, float y) { return disc(x, y, c, 44, 7.0f); });
  paint(canvas, rgb(90, 94, 100), [&](float x, float y) {
    return y >= 32 && y < 40 ? float(c + 4 + (y - 32) * 0.9f) - std::abs(x - c) : 0.0f;
  });
  return canvas.toImage();
}

Image drawValve() {
  constexpr int kSide = 48;
  Canvas canvas(kSide, kSide);
  const float c = kSide * 0.5f;
  paint(canvas, rgb(170, 40, 36), [&](float x, float y) { return disc(x, y, c, c, 21.0f); });
  for (int spoke = 0; spoke < 4; ++spoke) {
    const float a = float(spoke) * kPi * 0.25f;
    paint(canvas, rgb(120, 24, 22), [&](float x, float y) {
      const float along = (x - c) * std::cos(a) + (y - c) * std::sin(a);
      const float across = -(x - c) * std::sin(a) + (y - c) * std::cos(a);
      return std::abs(along) < 19.0f ? 2.5f - std::abs(across) : 0.0f;
    });
  }
  paint(canvas, rgb(200, 200, 204), [&](float x, float y) { return disc(x, y, c, c, 5.0f); });
  return canvas.toImage();
}

std::vector<Image> drawFanFrames() {
  std::vector<Image> frames;
  for (int frame = 0; frame < kFanFrames; ++frame) frames.push_back(fanFrame(frame));
  return frames;
}

std::vector<Image> drawTorchFrames() {
  std::vector<Image> frames;
  for (int frame = 0; frame < kTorchFrames; ++frame) frames.push_back(torchFrame(frame));
  return frames;
}

std::vector<NamedImage> drawDecorationImages() {
  std::vector<NamedImage> images;
  images.push_back({"fx/splash.tga", drawSplashSprite()});
  images.push_back({"fx/spark.tga", drawSparkSprite()});
  images.push_back({"fx/smoke.tga", drawSmokeSprite()});
  images.push_back({"fx/steam_puff.tga", drawSteamPuffSprite()});
  images.push_back({"obj/lamp.tga", drawLamp()});
  images.push_back({"obj/valve.tga", drawValve()});
  std::vector<Image> fan = drawFanFrames();
  for (size_t i = 0; i < fan.size(); ++i)
    images.push_back({frameName("fan", int(i)), std::move(fan[i])});
  std::vector<Image> torch = drawTorchFrames();
  for (size_t i = 0; i < torch.size(); ++i)
    images.push_back({frameName("torch", int(i)), std::move(torch[i])});
  return images;
}
