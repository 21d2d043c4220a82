#include "tools/imagegen/default_images.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/imagegen/noise.h"

namespace {

// Octaves from broad patches down to grain, weighted so the sum stays in [0, 1).
float stoneNoise(int x, int y) {
  constexpr std::uint32_t kSeed = 0x5e11u;
  return 0.45f * valueNoise(x, y, 32, kTextureSize, kSeed) +
         0.30f * valueNoise(x, y, 16, kTextureSize, kSeed + 1) +
         0.15f * valueNoise(x, y, 8, kTextureSize, kSeed + 2) +
         0.10f * valueNoise(x, y, 2, kTextureSize, kSeed + 3);
}

}  // namespace

std::optional<Image> drawDefaultFont(const std::filesystem::path& fontFile) {
  return drawFontSheet(fontFile, kFontCellSize);
}

Image drawDefaultSprite() {
  Image image(kSpriteSize, kSpriteSize);
  const float centre = (kSpriteSize - 1) * 0.5f;
  const float radius = kSpriteSize * 0.5f;
  for (int y = 0; y < kSpriteSize; ++y) {
    for (int x = 0; x < kSpriteSize; ++x) {
      const float dx = static_cast<float>(x) - centre;
      const float dy = static_cast<float>(y) - centre;
      const float t = std::min(std::sqrt(dx * dx + dy * dy) / radius, 1.0f);
      // Full in the middle, easing to zero at the rim with no visible edge.
      image.setPixel(x, y, 255, 255, 255, toByte(255.0f * (1.0f - smoothstep(t))));
    }
  }
  return image;
}

Image drawDefaultTexture() {
  constexpr int kSlab = 32;
  constexpr std::uint32_t kSlabSeed = 0x57a7u;
  Image image(kTextureSize, kTextureSize);
  for (int y = 0; y < kTextureSize; ++y) {
    for (int x = 0; x < kTextureSize; ++x) {
      // Slabs in half-offset courses, like laid stone, each a little lighter or darker.
      const int course = y / kSlab;
      const int shifted = (x + (course % 2) * kSlab / 2) % kTextureSize;
      const float slabShade = (unitHash(shifted / kSlab, course, kSlabSeed) - 0.5f) * 24.0f;
      const bool joint = y % kSlab == 0 || shifted % kSlab == 0;
      float grey = 84.0f + 88.0f * stoneNoise(x, y) + slabShade;
      if (joint) grey *= 0.55f;
      const std::uint8_t v = toByte(grey);
      // A touch warmer than pure grey so it reads as stone, not as a blank.
      image.setPixel(x, y, toByte(grey + 3.0f), v, toByte(grey - 3.0f), 255);
    }
  }
  return image;
}

Image drawNoTexture() {
  constexpr int kCheck = 16;
  constexpr int kBorder = 2;
  Image image(kTextureSize, kTextureSize);
  for (int y = 0; y < kTextureSize; ++y) {
    for (int x = 0; x < kTextureSize; ++x) {
      const bool border =
          x < kBorder || y < kBorder || x >= kTextureSize - kBorder || y >= kTextureSize - kBorder;
      if (border) {
        image.setPixel(x, y, 96, 0, 96, 255);
      } else if ((x / kCheck + y / kCheck) % 2 == 0) {
        image.setPixel(x, y, 255, 0, 255, 255);
      } else {
        image.setPixel(x, y, 0, 0, 0, 255);
      }
    }
  }
  return image;
}
