// A frame is painted from a handful of numbers, its look: how far the shimmer has drifted,
// how strong the hover glow is, how bright the click flash is and how far its ripple has
// spread. The sets are those numbers stepped over time. The shimmer's phase enters every
// wave as a whole multiple, so eight steps round the circle make a loop without a seam.

#include "tools/imagegen/button_frames.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/imagegen/canvas.h"
#include "tools/imagegen/frame_sets.h"
#include "tools/imagegen/noise.h"

namespace {

constexpr float kTwoPi = 6.2831853f;

constexpr Colour kGlowColour = rgb(110, 215, 255);
constexpr Colour kBodyTop = rgb(40, 112, 145);
constexpr Colour kBodyBottom = rgb(8, 36, 64);
constexpr Colour kRimDim = rgb(90, 170, 205);
constexpr Colour kRimBright = rgb(235, 250, 255);
constexpr Colour kInk = rgb(238, 250, 255);
constexpr Colour kInkOutline = rgb(3, 22, 38);
constexpr Colour kWhite = rgb(255, 255, 255);

struct Look {
  float phase = 0.0f;    // radians of shimmer drift
  float glow = 0.0f;     // hover glow, 0 to 1
  float flash = 0.0f;    // click flash, 0 to 1
  float ripple = -1.0f;  // how far the click ripple has spread, 0 to 1; below 0 none
  int press = 0;         // pixels the label and the arrow are pushed
};

// The three sets as looks, frame by frame.
Look outOfFocusLook(int frame) {
  return {kTwoPi * static_cast<float>(frame) / kOutOfFocusFrames, 0.0f, 0.0f, -1.0f, 0};
}

Look inFocusLook(int frame) {
  return {0.0f, smoothstep(static_cast<float>(frame + 1) / kInFocusFrames), 0.0f, -1.0f, 0};
}

Look clickedLook(int frame) {
  const float t = static_cast<float>(frame) / (kClickedFrames - 1);
  return {0.0f, 1.0f, 0.15f + 0.85f * (1.0f - t) * (1.0f - t), t, 1};
}

// Signed distance from a pixel centre to the pill's outline, negative inside.
float pillDistance(float x, float y) {
  constexpr float kRadius = kButtonPillHeight * 0.5f;
  constexpr float kLeft = (kButtonFrameWidth - kButtonPillWidth) * 0.5f + kRadius;
  constexpr float kRight = kButtonFrameWidth - kLeft;
  constexpr float kCentreY = kButtonFrameHeight * 0.5f;
  return std::hypot(x - std::clamp(x, kLeft, kRight), y - kCentreY) - kRadius;
}

// Thin lines of light like sunlight through a wavy surface: bright where two bent waves
// cancel.
float caustic(float x, float y, float phase) {
  const float a = std::sin(0.11f * x + 0.9f * std::sin(0.17f * y + phase) + phase);
  const float b = std::sin(-0.07f * x + 0.19f * y + 1.1f * std::sin(0.09f * x - phase) - phase);
  return std::pow(std::clamp(1.0f - std::abs(a + b) * 0.5f, 0.0f, 1.0f), 8.0f);
}

void paintGlow(Canvas& canvas, const Look& look) {
  const float strength = std::max(look.glow, look.flash);
  if (strength <= 0.0f) return;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const float d = pillDistance(x + 0.5f, y + 0.5f);
      if (d < -1.0f) continue;
      // Fades to nothing before the frame's edge, so no glow is cut off.
      const float fade = 1.0f - std::clamp(d / 7.0f, 0.0f, 1.0f);
      canvas.blend(x, y, kGlowColour, strength * 0.55f * fade * fade);
    }
  }
}

Colour bodyColour(float x, float y, const Look& look) {
  const float depth = std::clamp((y - 8.0f) / kButtonPillHeight, 0.0f, 1.0f);
  Colour colour = mix(kBodyTop, kBodyBottom, depth);
  const float light = 0.11f * caustic(x, y, look.phase) * (1.0f - depth) + 0.12f * look.glow;
  colour = {colour.r + light * 0.8f, colour.g + light, colour.b + light};
  return mix(colour, kGlowColour, 0.55f * look.flash);
}

// Calls `paint` (x, y, centre x, centre y, distance to the outline, coverage) for every pixel
// the pill covers.
template <typename Paint>
void forEachPillPixel(const Canvas& canvas, Paint paint) {
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const float px = x + 0.5f;
      const float py = y + 0.5f;
      const float d = pillDistance(px, py);
      const float cover = std::clamp(0.5f - d, 0.0f, 1.0f);
      if (cover > 0.0f) paint(x, y, px, py, d, cover);
    }
  }
}

// The body with a gloss over its upper half, fading downwards.
void paintBody(Canvas& canvas, const Look& look) {
  forEachPillPixel(canvas, [&](int x, int y, float px, float py, float d, float cover) {
    canvas.blend(x, y, bodyColour(px, py, look), cover * 0.88f);
    const float gloss = std::clamp((28.0f - py) / 18.0f, 0.0f, 1.0f);
    const float glossCover = std::clamp(0.5f - (d + 4.0f), 0.0f, 1.0f);
    canvas.blend(x, y, kWhite, 0.22f * gloss * gloss * glossCover);
  });
}

// A ring spreading from the centre, flattened to the pill's shape.
void paintRipple(Canvas& canvas, const Look& look) {
  if (look.ripple < 0.0f) return;
  const float radius = 8.0f + 140.0f * look.ripple;
  forEachPillPixel(canvas, [&](int x, int y, float px, float py, float, float cover) {
    const float dx = px - kButtonFrameWidth * 0.5f;
    const float dy = (py - kButtonFrameHeight * 0.5f) * 2.5f;
    const float offRing = (std::hypot(dx, dy) - radius) / 3.0f;
    canvas.blend(x, y, kWhite, cover * 0.5f * (1.0f - look.ripple) * std::exp(-offRing * offRing));
  });
}

// The rim, with a brighter spot drifting along it as the shimmer turns.
void paintRim(Canvas& canvas, const Look& look) {
  forEachPillPixel(canvas, [&](int x, int y, float px, float, float d, float cover) {
    const float rim = cover * std::clamp(1.0f - std::abs(d + 1.2f) / 1.3f, 0.0f, 1.0f);
    const float drift = 0.2f * std::sin(0.05f * px - look.phase);
    const float level = std::clamp(0.45f + drift + 0.4f * look.glow + look.flash, 0.0f, 1.0f);
    canvas.blend(x, y, mix(kRimDim, kRimBright, level), rim * (0.75f + 0.25f * look.glow));
  });
}

void paintLabel(Canvas& canvas, const TextMask& label, const Mask& outline, const Mask& halo,
                const Look& look) {
  // The capitals sit centred on the pill, whatever hangs below the baseline.
  const int x = (kButtonFrameWidth - label.mask.width) / 2;
  const int baseline = (kButtonFrameHeight + label.capHeight) / 2 + look.press;
  const int y = baseline - label.baseline;
  const int spread = (outline.width - label.mask.width) / 2;
  const float haloStrength = std::clamp(0.9f * look.glow + 0.5f * look.flash, 0.0f, 1.0f);
  canvas.blendMask(halo, x - spread, y - spread, kGlowColour, haloStrength);
  canvas.blendMask(outline, x - spread, y - spread, kInkOutline, 0.9f);
  canvas.blendMask(label.mask, x, y, mix(kInk, kWhite, look.glow), 1.0f);
}

struct LabelLayers {
  Mask outline;  // the label grown, for a dark edge that keeps it readable on the light rim
  Mask halo;     // the label blurred wide, the glow behind it
};

LabelLayers labelLayers(const TextMask& label) {
  constexpr int kSpread = 6;
  const Mask padded = placed(label.mask, label.mask.width + 2 * kSpread,
                             label.mask.height + 2 * kSpread, kSpread, kSpread);
  return {grown(padded, 1.5f), blurred(grown(padded, 1.0f), 3)};
}

Image drawButtonFrame(const TextMask& label, const LabelLayers& layers, const Look& look) {
  Canvas canvas(kButtonFrameWidth, kButtonFrameHeight);
  paintGlow(canvas, look);
  paintBody(canvas, look);
  paintRipple(canvas, look);
  paintRim(canvas, look);
  paintLabel(canvas, label, layers.outline, layers.halo, look);
  return canvas.toImage();
}

// The left arrow's corners, clockwise on screen (y down), so inside lies to the right of each
// edge; the right arrow is its mirror image.
constexpr float kLeftArrowCorners[3][2] = {{9.5f, 16.0f}, {21.5f, 8.0f}, {21.5f, 24.0f}};

// Signed distance to a triangle (three corners in order), negative inside.
float triangleDistance(float x, float y, const float (&corner)[3][2]) {
  float nearest = 1e9f;
  bool inside = true;
  for (int i = 0; i < 3; ++i) {
    const float ax = corner[i][0], ay = corner[i][1];
    const float bx = corner[(i + 1) % 3][0], by = corner[(i + 1) % 3][1];
    const float ex = bx - ax, ey = by - ay;
    const float t = std::clamp(((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
    nearest = std::min(nearest, std::hypot(x - ax - ex * t, y - ay - ey * t));
    if (ex * (y - ay) - ey * (x - ax) < 0.0f) inside = false;
  }
  return inside ? -nearest : nearest;
}

// Out of focus the arrow breathes gently instead of shimmering: it is too small for waves.
Look arrowOutOfFocusLook(int frame) {
  const float breath =
      0.5f - 0.5f * std::cos(kTwoPi * static_cast<float>(frame) / kOutOfFocusFrames);
  return {0.0f, 0.18f * breath, 0.0f, -1.0f, 0};
}

Look arrowClickedLook(int frame) {
  const float t = static_cast<float>(frame) / (kClickedFrames - 1);
  // A quick nudge the way the arrow points, back in place by the held frame.
  const int nudge =
      static_cast<int>(std::lround(2.0f * std::sin(3.1415927f * std::min(1.0f, t * 1.25f))));
  return {0.0f, 1.0f, (1.0f - t) * (1.0f - t), -1.0f, nudge};
}

Image drawArrowFrame(bool pointsLeft, const Look& look) {
  constexpr float kRounding = 1.5f;
  const float shift = static_cast<float>(pointsLeft ? -look.press : look.press);
  Canvas canvas(kArrowFrameSize, kArrowFrameSize);
  for (int y = 0; y < kArrowFrameSize; ++y) {
    for (int x = 0; x < kArrowFrameSize; ++x) {
      float px = x + 0.5f - shift;
      if (!pointsLeft) px = kArrowFrameSize - px;
      const float py = y + 0.5f;
      const float d = triangleDistance(px, py, kLeftArrowCorners) - kRounding;
      const float strength = std::max(look.glow, look.flash);
      const float fade = 1.0f - std::clamp(d / 6.0f, 0.0f, 1.0f);
      canvas.blend(x, y, kGlowColour, strength * 0.75f * fade * fade);
      canvas.blend(x, y, kInkOutline, 0.85f * std::clamp(0.5f - (d - 1.5f), 0.0f, 1.0f));
      const float depth = std::clamp((py - 8.0f) / 16.0f, 0.0f, 1.0f);
      Colour body = mix(rgb(205, 242, 255), rgb(80, 170, 215), depth);
      body = mix(body, kWhite, std::clamp(0.35f * look.glow + look.flash, 0.0f, 1.0f));
      canvas.blend(x, y, body, std::clamp(0.5f - d, 0.0f, 1.0f));
    }
  }
  return canvas.toImage();
}

template <typename LookOf, typename Draw>
void addSet(std::vector<NamedImage>& frames, std::string_view stem, std::string_view state,
            int count, LookOf lookOf, Draw draw) {
  const std::string setStem = std::string(stem) + "_" + std::string(state);
  for (int frame = 0; frame < count; ++frame) {
    frames.push_back({frameFileName(setStem, frame, count), draw(lookOf(frame))});
  }
}

}  // namespace

std::vector<NamedImage> drawButtonFrames(std::string_view stem, const TextMask& label) {
  const LabelLayers layers = labelLayers(label);
  const auto draw = [&](const Look& look) { return drawButtonFrame(label, layers, look); };
  std::vector<NamedImage> frames;
  addSet(frames, stem, "out", kOutOfFocusFrames, outOfFocusLook, draw);
  addSet(frames, stem, "in", kInFocusFrames, inFocusLook, draw);
  addSet(frames, stem, "click", kClickedFrames, clickedLook, draw);
  return frames;
}

std::vector<NamedImage> drawArrowFrames(std::string_view stem, bool pointsLeft) {
  const auto draw = [&](const Look& look) { return drawArrowFrame(pointsLeft, look); };
  std::vector<NamedImage> frames;
  addSet(frames, stem, "out", kOutOfFocusFrames, arrowOutOfFocusLook, draw);
  addSet(frames, stem, "in", kInFocusFrames, inFocusLook, draw);
  addSet(frames, stem, "click", kClickedFrames, arrowClickedLook, draw);
  return frames;
}
