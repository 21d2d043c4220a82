#pragma once
// The pictures the shipped levels and configuration files name: surfaces that tile, the
// water's sprites, the pointer, the effect sprites and level objects (decoration_images.h),
// the trigger areas' fields and markers (zone_images.h), the first level's signs
// (sign_images.h), the font sheets, the menus' pictures, the loading screen's and the
// launcher's. Drawn from
// arithmetic and our fonts alone, like the fallback pictures.

#include <filesystem>
#include <optional>
#include <vector>

#include "tools/imagegen/image.h"

// The TrueType faces the pictures are set in.
struct GameFonts {
  std::filesystem::path text;    // monospaced: gfx/font.tga, the game's own text
  std::filesystem::path menu;    // monospaced bold: gfx/menu_font.tga, the menus' text
  std::filesystem::path labels;  // bold: the words drawn into buttons, the logo and the splash
};

// The game's text sheet has 32-pixel cells, for text up to that size on a large window; the
// menus' sheet has 64-pixel cells, for the headings.
inline constexpr int kGameFontCellSize = 32;
inline constexpr int kMenuFontCellSize = 64;

// Every game picture, in a fixed order, with file names below the data folder's gfx/.
// Nothing when one of the faces can't be read or can't set a word.
std::optional<std::vector<NamedImage>> drawGameImages(const GameFonts& fonts);

// Rough blue-grey rock, 128 x 128, tiling.
Image drawStone();
// Warm planks running across with grain and dark seams, 128 x 128, tiling.
Image drawWood();
// Brushed steel plates with rivets at their corners, 128 x 128, tiling.
Image drawMetal();
// A deep, dim blue-green wash with soft light patches, 256 x 256, tiling; for back layers.
Image drawBackdrop();
// The water's sprites, 32 x 32, in grey so the renderer's colour tints them: a water drop
// with a soft edge and a glint, a cloudy steam puff, a facetted ice lump with a bright bevel.
Image drawWaterSprite();
Image drawSteamSprite();
Image drawIceSprite();
// A 32 x 32 arrow pointer, white with a dark edge, tip at the top-left pixel.
Image drawCursor();
