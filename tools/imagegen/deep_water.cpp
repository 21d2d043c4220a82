#include "tools/imagegen/deep_water.h"

#include <cmath>

#include "tools/imagegen/noise.h"

Colour deepWater(float x, float y, float height, std::span<const LightBeam> beams,
                 std::uint32_t seed) {
  const float depth = y / height;
  Colour colour = mix(rgb(22, 72, 104), rgb(2, 10, 24), std::pow(depth, 0.75f));
  const float cloud = valueNoise(static_cast<int>(x), static_cast<int>(y), 128, 1024, seed);
  colour = scaled(colour, 0.85f + 0.3f * cloud);
  float light = 0.0f;
  for (const LightBeam& beam : beams) {
    const float across = (x - beam.x - 0.4f * y) / beam.width;
    light += 0.08f * std::exp(-across * across) * std::pow(1.0f - depth, 1.5f);
  }
  return {colour.r + light * 0.7f, colour.g + light * 0.95f, colour.b + light};
}
