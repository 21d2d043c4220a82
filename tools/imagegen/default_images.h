#pragma once
// The pictures the game falls back on when a texture file is missing. Each is drawn from
// arithmetic alone, so the same build always makes the same pixels.

#include <filesystem>
#include <optional>

#include "tools/imagegen/image.h"

constexpr int kFontSheetSize = 256;
constexpr int kFontCellSize = 16;
constexpr int kFontFirstDrawn = 32;
constexpr int kFontLastDrawn = 126;
constexpr int kSpriteSize = 64;
constexpr int kTextureSize = 128;

// A 16 x 16 grid of 16-pixel cells, cell n holding character n (row n / 16 from the top):
// white, with the glyph's coverage as alpha, on a transparent sheet. Codes outside printable
// ASCII stay empty. Nothing when FreeType can't open `fontFile`.
std::optional<Image> drawDefaultFont(const std::filesystem::path& fontFile);

// A soft white round blob whose alpha falls to nothing at its rim; particles and buttons.
Image drawDefaultSprite();

// Opaque grey stone slabs with a fine mottling, tiling seamlessly.
Image drawDefaultTexture();

// Opaque magenta and black 16-pixel checks inside a dark border; meant to be seen.
Image drawNoTexture();
