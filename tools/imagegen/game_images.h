#pragma once
// The pictures the shipped levels and configuration files name: surfaces that tile, the
// water's sprites, the pointer. Drawn from arithmetic alone, like the fallback pictures.

#include <string>
#include <vector>

#include "tools/imagegen/image.h"

struct NamedImage {
  std::string fileName;  // below the data folder's gfx/
  Image image;
};

// Every game picture, in a fixed order.
std::vector<NamedImage> drawGameImages();

// Rough blue-grey rock, 128 x 128, tiling.
Image drawStone();
// Warm planks running across with grain and dark seams, 128 x 128, tiling.
Image drawWood();
// Brushed steel plates with rivets at their corners, 128 x 128, tiling.
Image drawMetal();
// A deep, dim blue-green wash with soft light patches, 256 x 256, tiling; for back layers.
Image drawBackdrop();
// Round soft sprites, 32 x 32, white so the renderer's colour tints them: water is firm with
// a soft rim, steam a wide haze, ice a hard-edged facetted disc.
Image drawWaterSprite();
Image drawSteamSprite();
Image drawIceSprite();
// A 32 x 32 arrow pointer, white with a dark edge, tip at the top-left pixel.
Image drawCursor();
