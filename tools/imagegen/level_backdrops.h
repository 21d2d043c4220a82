#pragma once
// The backdrops behind the levels, one a level: 256 x 256 tiling pictures of one family, each
// a dim wash with soft light patches over a structure of its own (rock, brickwork, riveted
// plates, frost, tiles, slats), tinted to its level's place: warm in the boiler room, cold
// blue where the water freezes. They stay dark and low in contrast, so the water and the
// hazards in front of them are what the eye finds.

#include <vector>

#include "tools/imagegen/image.h"

// Every level backdrop, named "backdrop_THEME.tga", in a fixed order.
std::vector<NamedImage> drawLevelBackdrops();
