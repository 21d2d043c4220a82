#include "tools/imagegen/splash_images.h"

#include <algorithm>
#include <cmath>

#include "tools/imagegen/canvas.h"
#include "tools/imagegen/deep_water.h"
#include "tools/imagegen/frame_sets.h"
#include "tools/imagegen/text_mask.h"
#include "tools/imagegen/water_lettering.h"

namespace {

constexpr float kScreenToPicture = 1024.0f / 800.0f;
constexpr int kBandTop = (kSplashTextureSize - kSplashPictureHeight) / 2;
constexpr float kTitleCentreY = 200.0f;    // screen pixels
constexpr float kCaptionBaseline = 500.0f;  // below the drop, which cfg puts at y 390
constexpr Colour kCaption = rgb(150, 215, 240);
constexpr Colour kDrop = rgb(130, 205, 245);
constexpr std::uint32_t kSeed = 0x5b1a5u;

constexpr LightBeam kBeams[] = {{180, 90}, {430, 50}, {640, 110}, {880, 60}};

bool paintTitle(Canvas& canvas, const FreeTypeFace& face) {
  std::optional<TextMask> word = renderTextToFit(face, "VELLMOOR", 820, 130, 4);
  if (!word) return false;
  const WaterLettering title(std::move(*word));
  const int y = kBandTop + static_cast<int>(kTitleCentreY * kScreenToPicture) - title.height() / 2;
  title.paint(canvas, (kSplashTextureSize - title.width()) / 2, y, WaterLook{0.5f, 1.7f, 0.3f});
  return true;
}

bool paintCaption(Canvas& canvas, const FreeTypeFace& face) {
  const std::optional<TextMask> caption = renderTextToFit(face, "LOADING", 400, 28, 6);
  if (!caption) return false;
  const int x = (kSplashTextureSize - caption->mask.width) / 2;
  const int y = kBandTop + static_cast<int>(kCaptionBaseline * kScreenToPicture) - caption->baseline;
  canvas.blendMask(caption->mask, x + 2, y + 2, rgb(0, 6, 14), 0.7f);
  canvas.blendMask(caption->mask, x, y, kCaption, 0.95f);
  return true;
}

std::optional<Image> drawBackground(const FreeTypeFace& face) {
  Canvas canvas(kSplashTextureSize, kSplashTextureSize);
  for (int y = 0; y < kSplashTextureSize; ++y) {
    // Rows outside the band are never shown; they carry its edge colours for the filtering.
    const int row = std::clamp(y - kBandTop, 0, kSplashPictureHeight - 1);
    for (int x = 0; x < kSplashTextureSize; ++x)
      canvas.blend(x, y, deepWater(x + 0.5f, row + 0.5f, kSplashPictureHeight, kBeams, kSeed),
                   1.0f);
  }
  if (!paintTitle(canvas, face) || !paintCaption(canvas, face)) return std::nullopt;
  return canvas.toImage();
}

// One frame of the drop: for the first half it falls from the top to the pool's surface,
// stretching as it speeds up; then rings spread on the surface and fade.
Image drawDropFrame(int frame) {
  constexpr float kCentre = kSplashDropSide * 0.5f;
  constexpr float kSurface = 96.0f;
  constexpr int kFallFrames = kSplashDropFrames / 2;
  Canvas canvas(kSplashDropSide, kSplashDropSide);
  const float t = static_cast<float>(frame) / kFallFrames;  // 0 .. 2
  for (int y = 0; y < kSplashDropSide; ++y) {
    for (int x = 0; x < kSplashDropSide; ++x) {
      const float px = x + 0.5f - kCentre;
      const float py = y + 0.5f;
      float cover = 0.0f;
      if (t < 1.0f) {
        const float dropY = 12.0f + (kSurface - 20.0f) * t * t;
        const float stretch = 1.0f + 0.6f * t;
        const float d = std::hypot(px, (py - dropY) / stretch);
        cover = std::clamp(9.5f - d, 0.0f, 1.0f);
      } else {
        for (int ring = 0; ring < 2; ++ring) {
          const float grow = t - 1.0f - 0.25f * ring;
          if (grow <= 0.0f) continue;
          const float radius = 8.0f + 52.0f * grow;
          const float d = std::hypot(px, (py - kSurface) * 4.0f);  // flat ellipses: a surface
          const float fade = (1.0f - grow) * (ring == 0 ? 1.0f : 0.6f);
          cover = std::max(cover, fade * std::clamp(2.0f - std::abs(d - radius), 0.0f, 1.0f));
        }
      }
      // The pool's surface line, brighter where the drop lands.
      if (std::abs(py - kSurface) < 1.0f)
        cover = std::max(cover, 0.35f * std::exp(-px * px / 1800.0f));
      if (cover > 0.0f) canvas.blend(x, y, kDrop, cover);
    }
  }
  return canvas.toImage();
}

}  // namespace

std::optional<std::vector<NamedImage>> drawSplashImages(const FreeTypeFace& face) {
  std::optional<Image> background = drawBackground(face);
  if (!background) return std::nullopt;
  std::vector<NamedImage> images;
  images.push_back({"splash/background.tga", std::move(*background)});
  for (int frame = 0; frame < kSplashDropFrames; ++frame)
    images.push_back({"splash/" + numberedFrameFileName("drop", frame), drawDropFrame(frame)});
  return images;
}
