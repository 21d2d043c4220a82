// The default font sheet, rendered with FreeType. One pixel size serves every character, the
// largest at which all of printable ASCII fits its 16-pixel cell with a clear pixel all round;
// the clear ring keeps neighbours from bleeding in when the game filters the sheet. Every cell
// shares one baseline so a line of text sits level, and the font's fixed advance is centred
// in the cell, which centres each glyph the way the font designer placed it within that
// advance.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <memory>
#include <vector>

#include "tools/imagegen/default_images.h"

namespace {

constexpr int kMargin = 1;
constexpr int kInner = kFontCellSize - 2 * kMargin;
constexpr int kLargestSize = kFontCellSize;
constexpr int kSmallestSize = 6;

struct LibraryCloser {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceCloser {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryHandle = std::unique_ptr<FT_LibraryRec_, LibraryCloser>;
using FaceHandle = std::unique_ptr<FT_FaceRec_, FaceCloser>;

// Where a rendered glyph's ink lies, relative to the pen on the baseline (y up).
struct GlyphBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int rows = 0;
  int advance = 0;
};

bool renderGlyph(FT_Face face, int code) {
  return FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) == 0 &&
         face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
}

GlyphBox boxOf(FT_GlyphSlot glyph) {
  return {glyph->bitmap_left, glyph->bitmap_top, static_cast<int>(glyph->bitmap.width),
          static_cast<int>(glyph->bitmap.rows), static_cast<int>(glyph->advance.x >> 6)};
}

int penX(const GlyphBox& box) {
  return (kFontCellSize - box.advance) / 2;
}

// The baseline's distance from the top of a cell when every glyph at this size fits inside
// the cell's clear ring; nothing when one doesn't.
std::optional<int> fitBaseline(FT_Face face, int pixelSize) {
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) return std::nullopt;
  int highest = 0;
  int lowest = 0;
  for (int code = kFontFirstDrawn; code <= kFontLastDrawn; ++code) {
    if (!renderGlyph(face, code)) return std::nullopt;
    const GlyphBox box = boxOf(face->glyph);
    if (box.rows == 0) continue;
    const int left = penX(box) + box.left;
    if (left < kMargin || left + box.width > kFontCellSize - kMargin) return std::nullopt;
    highest = std::max(highest, box.top);
    lowest = std::min(lowest, box.top - box.rows);
  }
  const int height = highest - lowest;
  if (height > kInner) return std::nullopt;
  return kMargin + (kInner - height) / 2 + highest;
}

void blitGlyph(const FT_GlyphSlot glyph, int cellX, int cellY, int baseline, Image& sheet) {
  const GlyphBox box = boxOf(glyph);
  const int x0 = cellX + penX(box) + box.left;
  const int y0 = cellY + baseline - box.top;
  const FT_Bitmap& bitmap = glyph->bitmap;
  for (int row = 0; row < box.rows; ++row) {
    const unsigned char* source = bitmap.buffer + row * bitmap.pitch;
    for (int column = 0; column < box.width; ++column) {
      // Glyphs are white; coverage alone says where they are.
      sheet.pixel(x0 + column, y0 + row)[3] = source[column];
    }
  }
}

}  // namespace

std::optional<Image> drawDefaultFont(const std::filesystem::path& fontFile) {
  FT_Library rawLibrary = nullptr;
  if (FT_Init_FreeType(&rawLibrary) != 0) return std::nullopt;
  const LibraryHandle library(rawLibrary);
  FT_Face rawFace = nullptr;
  if (FT_New_Face(library.get(), fontFile.c_str(), 0, &rawFace) != 0) return std::nullopt;
  const FaceHandle face(rawFace);

  std::optional<int> baseline;
  for (int size = kLargestSize; size >= kSmallestSize && !baseline; --size) {
    baseline = fitBaseline(face.get(), size);
  }
  if (!baseline) return std::nullopt;

  // White everywhere, so filtering at a glyph's edge never pulls in a dark fringe.
  Image sheet(kFontSheetSize, kFontSheetSize);
  for (std::size_t i = 0; i < sheet.rgba.size(); i += 4) {
    sheet.rgba[i] = sheet.rgba[i + 1] = sheet.rgba[i + 2] = 255;
  }
  const int columns = kFontSheetSize / kFontCellSize;
  for (int code = kFontFirstDrawn; code <= kFontLastDrawn; ++code) {
    if (!renderGlyph(face.get(), code)) return std::nullopt;
    blitGlyph(face->glyph, (code % columns) * kFontCellSize, (code / columns) * kFontCellSize,
              *baseline, sheet);
  }
  return sheet;
}
