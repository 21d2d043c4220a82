#pragma once
// The pictures the game falls back on when a texture file is missing. Each is drawn from
// arithmetic alone, so the same build always makes the same pixels.

#include <filesystem>
#include <optional>

#include "tools/imagegen/font_sheet.h"
#include "tools/imagegen/image.h"

constexpr int kFontCellSize = 16;
constexpr int kFontSheetSize = kFontSheetCells * kFontCellSize;
constexpr int kSpriteSize = 64;
constexpr int kTextureSize = 128;

// The font sheet of drawFontSheet with 16-pixel cells, 256 pixels a side. Nothing when
// FreeType can't open `fontFile`.
std::optional<Image> drawDefaultFont(const std::filesystem::path& fontFile);

// A soft white round blob whose alpha falls to nothing at its rim; particles and buttons.
Image drawDefaultSprite();

// Opaque grey stone slabs with a fine mottling, tiling seamlessly.
Image drawDefaultTexture();

// Opaque magenta and black 16-pixel checks inside a dark border; meant to be seen.
Image drawNoTexture();
