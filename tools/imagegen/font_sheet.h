#pragma once
// Font sheets: a 16 x 16 grid of square cells, cell n holding character n (row n / 16 from
// the top), white with the glyph's coverage as alpha on a transparent sheet. The game draws
// each character as a square of the text size and moves on by exactly that size, so a glyph
// that kept its natural width would stand far from its neighbours; every glyph is therefore
// rendered stretched sideways until the face's advance is the cell's width, which gives the
// spacing of a monospaced face at a square advance. Codes outside printable ASCII stay empty.

#include <filesystem>
#include <optional>

#include "tools/imagegen/image.h"

inline constexpr int kFontSheetCells = 16;  // cells along each side of the sheet
inline constexpr int kFontFirstDrawn = 32;
inline constexpr int kFontLastDrawn = 126;

// The clear ring around each glyph: one pixel in a 16-pixel cell and wider in larger cells,
// so it still separates neighbours at the smaller mipmap levels a large sheet is drawn from.
int fontCellMargin(int cellSize);

// A sheet of 16 x cellSize pixels a side rendered from `fontFile`, a monospaced TrueType
// face. Nothing when FreeType can't open the face or no size fits the cell.
std::optional<Image> drawFontSheet(const std::filesystem::path& fontFile, int cellSize);
