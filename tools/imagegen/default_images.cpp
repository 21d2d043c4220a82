#include "tools/imagegen/default_images.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

std::uint8_t toByte(float value) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

float smoothstep(float t) {
  return t * t * (3.0f - 2.0f * t);
}

// A well-mixed 32-bit hash of a lattice point; the fixed seed pins the stone pattern.
std::uint32_t hashPoint(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
  h ^= h >> 16;
  h *= 0x7feb352du;
  h ^= h >> 15;
  h *= 0x846ca68bu;
  h ^= h >> 16;
  return h;
}

float unitHash(int x, int y, std::uint32_t seed) {
  return static_cast<float>(
             hashPoint(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed) >> 8) /
         static_cast<float>(1u << 24);
}

// Value noise in [0, 1) on a lattice `spacing` pixels apart. The lattice wraps at the picture's
// edge, which is what lets the texture tile without a seam.
float valueNoise(int x, int y, int spacing, std::uint32_t seed) {
  const int cells = kTextureSize / spacing;
  const int cx = x / spacing;
  const int cy = y / spacing;
  const float fx = smoothstep(static_cast<float>(x % spacing) / static_cast<float>(spacing));
  const float fy = smoothstep(static_cast<float>(y % spacing) / static_cast<float>(spacing));
  const float a = unitHash(cx % cells, cy % cells, seed);
  const float b = unitHash((cx + 1) % cells, cy % cells, seed);
  const float c = unitHash(cx % cells, (cy + 1) % cells, seed);
  const float d = unitHash((cx + 1) % cells, (cy + 1) % cells, seed);
  const float top = a + (b - a) * fx;
  const float bottom = c + (d - c) * fx;
  return top + (bottom - top) * fy;
}

// Octaves from broad patches down to grain, weighted so the sum stays in [0, 1).
float stoneNoise(int x, int y) {
  constexpr std::uint32_t kSeed = 0x5e11u;
  return 0.45f * valueNoise(x, y, 32, kSeed) + 0.30f * valueNoise(x, y, 16, kSeed + 1) +
         0.15f * valueNoise(x, y, 8, kSeed + 2) + 0.10f * valueNoise(x, y, 2, kSeed + 3);
}

}  // namespace

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
