#pragma once
// The deep-water backdrop the loading screen and the launcher share: a blue-green wash that
// darkens with depth, a soft clouding, and beams of light slanting down from the surface.

#include <cstdint>
#include <span>

#include "tools/imagegen/canvas.h"

// One beam: where it meets the top edge and how wide it is, in pixels.
struct LightBeam {
  float x;
  float width;
};

// The colour at (x, y) of a picture `height` pixels tall; the same at every build.
Colour deepWater(float x, float y, float height, std::span<const LightBeam> beams,
                 std::uint32_t seed);
