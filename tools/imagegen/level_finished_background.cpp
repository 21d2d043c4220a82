#include "tools/imagegen/level_finished_background.h"

#include <algorithm>
#include <cmath>

#include "tools/imagegen/canvas.h"
#include "tools/imagegen/noise.h"
#include "tools/imagegen/text_mask.h"

namespace {

constexpr Colour kCaption = rgb(150, 215, 240);
constexpr Colour kFrameLight = rgb(150, 220, 245);
constexpr std::uint32_t kSeed = 0x1e7e1u;

// Signed distance to a rounded box, negative inside.
float boxDistance(float x, float y, const ScreenBox& box, float radius) {
  const float hw = box.w * 0.5f - radius;
  const float hh = box.h * 0.5f - radius;
  const float dx = std::max(std::abs(x - (box.x + box.w * 0.5f)) - hw, 0.0f);
  const float dy = std::max(std::abs(y - (box.y + box.h * 0.5f)) - hh, 0.0f);
  return std::hypot(dx, dy) - radius;
}

float caustic(float x, float y) {
  const float a = std::sin(0.045f * x + 0.9f * std::sin(0.06f * y + 1.3f));
  const float b = std::sin(-0.03f * x + 0.07f * y + 1.1f * std::sin(0.04f * x + 0.4f));
  return std::pow(std::clamp(1.0f - std::abs(a + b) * 0.5f, 0.0f, 1.0f), 10.0f);
}

// Deep water: darker downwards, beams of light slanting in from the surface, the surface's
// light pattern near the top, slow rings spreading from a drop and a few motes.
Colour water(float x, float y) {
  const float depth = y / kLevelFinishedHeight;
  Colour colour = mix(rgb(20, 66, 96), rgb(3, 12, 28), std::pow(depth, 0.8f));
  const float cloud = valueNoise(static_cast<int>(x), static_cast<int>(y), 128, 1024, kSeed);
  colour = scaled(colour, 0.85f + 0.3f * cloud);
  float light = 0.0f;
  constexpr float kBeams[][2] = {{250, 70}, {420, 40}, {560, 90}, {720, 55}};
  for (const auto& beam : kBeams) {
    const float off = (x - beam[0] - 0.35f * y) / beam[1];
    light += 0.07f * std::exp(-off * off) * std::pow(1.0f - depth, 1.6f);
  }
  light += 0.16f * caustic(x, y) * std::pow(std::max(0.0f, 1.0f - y / 260.0f), 2.0f);
  const float ring = std::hypot(x - 470.0f, (y + 40.0f) * 1.6f);
  light += 0.025f * std::sin(ring * 0.07f) * std::exp(-ring / 420.0f);
  return {colour.r + light * 0.7f, colour.g + light * 0.95f, colour.b + light};
}

void paintWater(Canvas& canvas) {
  for (int y = 0; y < kLevelFinishedHeight; ++y) {
    for (int x = 0; x < kLevelFinishedWidth; ++x) {
      canvas.blend(x, y, water(x + 0.5f, y + 0.5f), 1.0f);
    }
  }
  constexpr int kMotes = 70;
  for (int i = 0; i < kMotes; ++i) {
    const float mx = unitHash(i, 0, kSeed) * kLevelFinishedWidth;
    const float my = unitHash(i, 1, kSeed) * kLevelFinishedHeight;
    const float bright = 0.1f + 0.25f * unitHash(i, 2, kSeed);
    for (int dy = -2; dy <= 2; ++dy) {
      for (int dx = -2; dx <= 2; ++dx) {
        const float falloff = std::max(
            0.0f, 1.0f - std::hypot(static_cast<float>(dx), static_cast<float>(dy)) / 2.2f);
        canvas.blend(static_cast<int>(mx) + dx, static_cast<int>(my) + dy, kFrameLight,
                     bright * falloff);
      }
    }
  }
}

// A darkened, rounded pane with a thin light edge.
void paintPane(Canvas& canvas, const ScreenBox& box, float radius, float darkness) {
  for (int y = box.y - 2; y < box.y + box.h + 2; ++y) {
    for (int x = box.x - 2; x < box.x + box.w + 2; ++x) {
      const float d = boxDistance(x + 0.5f, y + 0.5f, box, radius);
      canvas.blend(x, y, rgb(0, 6, 14), darkness * std::clamp(0.5f - d, 0.0f, 1.0f));
      canvas.blend(x, y, kFrameLight, 0.35f * std::clamp(1.0f - std::abs(d + 0.5f), 0.0f, 1.0f));
    }
  }
}

void paintRule(Canvas& canvas, int y, int from, int to) {
  for (int x = from; x < to; ++x) {
    // Fading in and out at its ends.
    const float t = static_cast<float>(x - from) / static_cast<float>(to - from);
    const float fade = std::min(1.0f, std::min(t, 1.0f - t) * 8.0f);
    canvas.blend(x, y, kFrameLight, 0.45f * fade);
    canvas.blend(x, y + 1, rgb(0, 6, 14), 0.4f * fade);
  }
}

// The tube's frame is painted over a copy of the water; its inside is then cut back to a
// faint glass tint with a highlight, so the gauge drawn beneath shows through.
void paintGaugeTube(Canvas& canvas) {
  const ScreenBox& tube = kGaugeTube;
  const ScreenBox outer{tube.x - 7, tube.y - 7, tube.w + 14, tube.h + 14};
  for (int y = outer.y - 2; y < outer.y + outer.h + 2; ++y) {
    for (int x = outer.x - 2; x < outer.x + outer.w + 2; ++x) {
      const float px = x + 0.5f;
      const float d = boxDistance(px, y + 0.5f, outer, 12.0f);
      const float across = (px - outer.x) / outer.w;
      const Colour metal = mix(rgb(150, 200, 220), rgb(30, 60, 80), std::abs(across - 0.3f) * 1.4f);
      canvas.blend(x, y, metal, std::clamp(0.5f - d, 0.0f, 1.0f));
    }
  }
  for (int y = tube.y; y < tube.y + tube.h; ++y) {
    for (int x = tube.x; x < tube.x + tube.w; ++x) {
      canvas.clear(x, y);
      const float across = (x - tube.x + 0.5f) / tube.w;
      const float highlight = std::exp(-std::pow((across - 0.18f) / 0.05f, 2.0f));
      const float shade = std::exp(-std::pow((across - 0.95f) / 0.06f, 2.0f));
      canvas.blend(x, y, rgb(170, 220, 240), 0.08f);
      canvas.blend(x, y, rgb(255, 255, 255), 0.28f * highlight);
      canvas.blend(x, y, rgb(0, 0, 0), 0.25f * shade);
    }
  }
  // Marks every tenth of the way up, longer at the bottom, the middle and the top.
  for (int tenth = 0; tenth <= 10; ++tenth) {
    const int y = tube.y + tube.h - tube.h * tenth / 10;
    const int length = tenth % 5 == 0 ? 16 : 9;
    for (int x = 0; x < length; ++x) {
      canvas.blend(tube.x + tube.w + 10 + x, y, kCaption, 0.75f);
      canvas.blend(tube.x + tube.w + 10 + x, y + 1, rgb(0, 6, 14), 0.5f);
    }
  }
}

bool paintCaption(Canvas& canvas, const FreeTypeFace& face, const char* text, int centreX,
                  int baselineY) {
  const std::optional<TextMask> caption = renderTextToFit(face, text, 200, 12, 2);
  if (!caption) return false;
  const int x = centreX - caption->mask.width / 2;
  const int y = baselineY - caption->baseline;
  canvas.blendMask(caption->mask, x + 1, y + 1, rgb(0, 6, 14), 0.7f);
  canvas.blendMask(caption->mask, x, y, kCaption, 0.95f);
  return true;
}

}  // namespace

std::optional<Image> drawLevelFinishedBackground(const FreeTypeFace& captionFace) {
  Canvas canvas(kLevelFinishedTextureSize, kLevelFinishedTextureSize);
  paintWater(canvas);
  paintPane(canvas, kScorePanel, 14.0f, 0.45f);
  paintPane(canvas, kTimeFrame, 12.0f, 0.45f);
  paintRule(canvas, kTotalRuleY, kScorePanel.x + 20, kScorePanel.x + kScorePanel.w - 20);
  paintGaugeTube(canvas);
  const bool captioned = paintCaption(canvas, captionFace, "LEVEL TIME",
                                      kTimeFrame.x + kTimeFrame.w / 2, kTimeFrame.y - 10) &&
                         paintCaption(canvas, captionFace, "WATER", kGaugeTube.x + kGaugeTube.w / 2,
                                      kGaugeTube.y + kGaugeTube.h + 30);
  if (!captioned) return std::nullopt;
  return canvas.toImage();
}
