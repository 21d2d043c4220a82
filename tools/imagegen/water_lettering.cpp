#include "tools/imagegen/water_lettering.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "tools/imagegen/frame_sets.h"
#include "tools/imagegen/noise.h"

namespace {

constexpr float kTwoPi = 6.2831853f;
constexpr int kBubbles = 11;
constexpr std::uint32_t kBubbleSeed = 0xb0bbu;

Mask inverted(const Mask& mask) {
  Mask out = mask;
  for (float& value : out.values) value = 1.0f - value;
  return out;
}

float caustic(float x, float y, float phase) {
  const float a = std::sin(0.08f * x + 0.9f * std::sin(0.12f * y + phase) + phase);
  const float b = std::sin(-0.05f * x + 0.14f * y + 1.1f * std::sin(0.07f * x - phase) - phase);
  return std::pow(std::clamp(1.0f - std::abs(a + b) * 0.5f, 0.0f, 1.0f), 6.0f);
}

// Light a bubble gives at a point: a thin bright ring and a glint near its top.
float bubbleLight(float dx, float dy, float radius) {
  const float ring = (std::hypot(dx, dy) - radius) / 0.8f;
  const float glint = std::hypot(dx + radius * 0.35f, dy + radius * 0.35f) / (radius * 0.35f);
  return 0.8f * std::exp(-ring * ring) + 0.6f * std::max(0.0f, 1.0f - glint);
}

}  // namespace

WaterLettering::WaterLettering(TextMask word) : word_(std::move(word)) {
  letters_ = placed(word_.mask, word_.mask.width + 2 * kLetteringReach,
                    word_.mask.height + 2 * kLetteringReach, kLetteringReach, kLetteringReach);
  outline_ = grown(letters_, 3.0f);
  halo_ = blurred(grown(letters_, 4.0f), 6);
  inner_ = inverted(grown(inverted(letters_), 1.4f));
  soft_ = blurred(letters_, 1);
}

void WaterLettering::paint(Canvas& canvas, int x, int y, const WaterLook& look) const {
  const int left = x - kLetteringReach;
  const int top = y - kLetteringReach;
  canvas.blendMask(halo_, left, top, rgb(60, 170, 225), 0.5f);
  canvas.blendMask(outline_, left, top, rgb(4, 20, 38), 0.95f);
  canvas.blendMask(letters_, left, top, rgb(205, 240, 252), 1.0f);
  paintFill(canvas, x, y, look);
}

// Where the water stands inside the letters at a point across the word, in the word's own
// pixels from its top; the waves grow with the letters.
float WaterLettering::waterline(float lx, const WaterLook& look) const {
  const float capHeight = static_cast<float>(word_.capHeight);
  const float capTop = static_cast<float>(word_.baseline) - capHeight;
  const float scale = capHeight / 60.0f;
  return capTop + (1.0f - look.level) * capHeight +
         0.06f * capHeight * std::sin(0.045f / scale * lx + look.phase) +
         0.03f * capHeight * std::sin(0.11f / scale * lx - 2.0f * look.phase);
}

// Pale glass above the waterline; below it water darkening with depth, lit by drifting light.
Colour WaterLettering::glassOrWater(float lx, float ly, const WaterLook& look) const {
  const float baseline = static_cast<float>(word_.baseline);
  const float capTop = baseline - static_cast<float>(word_.capHeight);
  const float scale = static_cast<float>(word_.capHeight) / 60.0f;
  const float surface = waterline(lx, look);
  Colour colour;
  if (ly < surface) {
    const float t = std::clamp((ly - capTop) / std::max(1.0f, surface - capTop), 0.0f, 1.0f);
    colour = mix(rgb(215, 240, 250), rgb(140, 190, 215), t);
  } else {
    const float depth = std::clamp((ly - surface) / std::max(1.0f, baseline - surface), 0.0f, 1.0f);
    colour = mix(rgb(70, 180, 232), rgb(14, 66, 138), depth);
    const float light = 0.28f * caustic(lx / scale, ly / scale, look.phase) * (1.0f - depth);
    colour = {colour.r + light, colour.g + light, colour.b + light};
  }
  const float foam = std::max(0.0f, 1.0f - std::abs(ly - surface) / (1.4f * scale + 0.6f));
  return mix(colour, rgb(255, 255, 255), 0.85f * foam);
}

// Bubbles rising from the baseline to the waterline once per turn of the phase, so a loop
// of frames round the turn repeats without a jump.
Colour WaterLettering::withBubbles(Colour colour, float lx, float ly, const WaterLook& look) const {
  const float baseline = static_cast<float>(word_.baseline);
  const float scale = static_cast<float>(word_.capHeight) / 60.0f;
  for (int i = 0; i < kBubbles; ++i) {
    const float bx = unitHash(i, 0, kBubbleSeed) * static_cast<float>(word_.mask.width);
    const float radius = (1.6f + 2.2f * unitHash(i, 1, kBubbleSeed)) * scale;
    const float rise = std::fmod(unitHash(i, 2, kBubbleSeed) + look.phase / kTwoPi, 1.0f);
    const float top = waterline(bx, look);
    const float by = baseline - rise * (baseline - top);
    if (by - radius < top + 1.0f) continue;
    colour = mix(colour, rgb(235, 250, 255), std::min(1.0f, bubbleLight(lx - bx, ly - by, radius)));
  }
  return colour;
}

// A slanted band of light crossing the word from left to right as the sweep goes 0 to 1.
Colour WaterLettering::withSweep(Colour colour, float lx, float ly, const WaterLook& look) const {
  if (look.sweep < 0.0f) return colour;
  const float capTop = static_cast<float>(word_.baseline - word_.capHeight);
  const float width = static_cast<float>(word_.mask.width);
  const float centre = look.sweep * (width + 200.0f) - 100.0f + (ly - capTop) * 0.45f;
  const float off = (lx - centre) / 22.0f;
  return mix(colour, rgb(255, 255, 255), 0.75f * std::exp(-off * off));
}

void WaterLettering::paintFill(Canvas& canvas, int x, int y, const WaterLook& look) const {
  for (int row = 0; row < inner_.height; ++row) {
    for (int column = 0; column < inner_.width; ++column) {
      const float cover = inner_.at(column, row);
      if (cover <= 0.0f) continue;
      const float lx = static_cast<float>(column - kLetteringReach) + 0.5f;
      const float ly = static_cast<float>(row - kLetteringReach) + 0.5f;
      Colour colour = glassOrWater(lx, ly, look);
      colour = withBubbles(colour, lx, ly, look);
      colour = withSweep(colour, lx, ly, look);
      // Light from the top left on the letters' rounded edges.
      const float bevel = soft_.at(column - 1, row - 1) - soft_.at(column + 1, row + 1);
      colour = mix(colour, rgb(255, 255, 255), std::clamp(bevel * 0.9f, 0.0f, 0.6f));
      colour = mix(colour, rgb(0, 10, 30), std::clamp(-bevel * 0.6f, 0.0f, 0.4f));
      canvas.blend(x + column - kLetteringReach, y + row - kLetteringReach, colour, cover);
    }
  }
}

std::optional<Image> drawLogo(const FreeTypeFace& face) {
  constexpr int kTracking = 3;
  std::optional<TextMask> word =
      renderTextToFit(face, "VELLMOOR", kLogoWidth - 2 * kLetteringReach - 8,
                      kLogoHeight - 2 * kLetteringReach - 14, kTracking);
  if (!word) return std::nullopt;
  const WaterLettering lettering(std::move(*word));
  Canvas canvas(kLogoWidth, kLogoHeight);
  lettering.paint(canvas, (kLogoWidth - lettering.width()) / 2,
                  (kLogoHeight - lettering.height()) / 2, WaterLook{0.55f, 0.8f, -1.0f});
  return canvas.toImage();
}

std::optional<std::vector<NamedImage>> drawFinishFrames(const FreeTypeFace& face,
                                                        std::string_view stem) {
  constexpr int kTracking = 2;
  constexpr int kGap = 18;
  std::optional<TextMask> bottom =
      renderTextToFit(face, "COMPLETE", kFinishWidth - 2 * kLetteringReach - 8, 78, kTracking);
  if (!bottom) return std::nullopt;
  // The shorter word at the same size, so both lines read as one title.
  std::optional<TextMask> top = renderText(face, "LEVEL", bottom->pixelSize, kTracking);
  if (!top) return std::nullopt;
  const WaterLettering upper(std::move(*top));
  const WaterLettering lower(std::move(*bottom));
  const int blockTop = (kFinishHeight - upper.height() - kGap - lower.height()) / 2;
  std::vector<NamedImage> frames;
  for (int frame = 0; frame < kFinishFrames; ++frame) {
    const float t = static_cast<float>(frame) / kFinishFrames;
    WaterLook look{0.5f, kTwoPi * t, t * 1.1f - 0.05f};
    Canvas canvas(kFinishWidth, kFinishHeight);
    upper.paint(canvas, (kFinishWidth - upper.width()) / 2, blockTop, look);
    // The lower line's waves run half a turn behind, so the water seems to slosh between them.
    look.phase += kTwoPi * 0.5f;
    lower.paint(canvas, (kFinishWidth - lower.width()) / 2, blockTop + upper.height() + kGap, look);
    frames.push_back({frameFileName(stem, frame, kFinishFrames), canvas.toImage()});
  }
  return frames;
}
