#include "tools/imagegen/noise.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t hashPoint(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
  std::uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
  h ^= h >> 16;
  h *= 0x7feb352du;
  h ^= h >> 15;
  h *= 0x846ca68bu;
  h ^= h >> 16;
  return h;
}

}  // namespace

std::uint8_t toByte(float value) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

float smoothstep(float t) {
  return t * t * (3.0f - 2.0f * t);
}

float unitHash(int x, int y, std::uint32_t seed) {
  return static_cast<float>(
             hashPoint(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), seed) >> 8) /
         static_cast<float>(1u << 24);
}

float valueNoise(int x, int y, int spacing, int period, std::uint32_t seed) {
  const int cells = period / spacing;
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
