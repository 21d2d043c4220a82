// Fitting a face to the square cell takes two searches. First the height: the largest pixel
// size at which every printable glyph, from the tallest ascender to the lowest descender,
// fits between the clear rings above and below; all cells then share one baseline so a line
// of text sits level. Then the width: FreeType renders at a separate horizontal size, and the
// widest horizontal size at which the union of all glyphs' ink (relative to the pen) still
// fits between the side rings is taken. Each glyph keeps its place within the face's fixed
// advance, and that union is centred in the cell, so the letters of a word stand as close as
// the face's designer spaced them.

#include "tools/imagegen/font_sheet.h"

#include <algorithm>

#include "tools/imagegen/freetype_face.h"

namespace {

constexpr int kSmallestSize = 6;

// The extent of all glyphs' ink relative to the pen, x to the right and y up.
struct InkUnion {
  int left = 0;
  int right = 0;
  int lowest = 0;
  int highest = 0;
  int width() const { return right - left; }
  int height() const { return highest - lowest; }
};

std::optional<InkUnion> measureInk(const FreeTypeFace& face, int width, int height) {
  if (!face.setPixelSize(width, height)) return std::nullopt;
  std::optional<InkUnion> ink;
  for (int code = kFontFirstDrawn; code <= kFontLastDrawn; ++code) {
    if (!face.render(code)) return std::nullopt;
    const GlyphBox box = face.box();
    if (box.rows == 0 || box.width == 0) continue;
    const InkUnion glyph{box.left, box.left + box.width, box.top - box.rows, box.top};
    if (!ink) {
      ink = glyph;
      continue;
    }
    ink->left = std::min(ink->left, glyph.left);
    ink->right = std::max(ink->right, glyph.right);
    ink->lowest = std::min(ink->lowest, glyph.lowest);
    ink->highest = std::max(ink->highest, glyph.highest);
  }
  return ink;
}

// Where the pen and the baseline sit in a cell, and the face's pixel size that puts them
// there.
struct CellFit {
  int width = 0;
  int height = 0;
  int penX = 0;
  int baseline = 0;  // from the top of the cell
};

std::optional<CellFit> fitCell(const FreeTypeFace& face, int cellSize) {
  const int inner = cellSize - 2 * fontCellMargin(cellSize);
  int height = cellSize;
  for (; height >= kSmallestSize; --height) {
    const std::optional<InkUnion> ink = measureInk(face, height, height);
    if (ink && ink->height() <= inner) break;
  }
  if (height < kSmallestSize) return std::nullopt;
  const std::optional<InkUnion> square = measureInk(face, height, height);
  // Ink grows in proportion to the horizontal size; start a little above the estimate, as
  // hinting rounds each glyph's sides, and come down until everything fits.
  int width = square->width() > 0 ? height * inner / square->width() + 2 : height;
  for (; width >= kSmallestSize; --width) {
    const std::optional<InkUnion> ink = measureInk(face, width, height);
    if (!ink || ink->width() > inner || ink->height() > inner) continue;
    const int margin = fontCellMargin(cellSize);
    return CellFit{width, height, margin + (inner - ink->width()) / 2 - ink->left,
                   margin + (inner - ink->height()) / 2 + ink->highest};
  }
  return std::nullopt;
}

void blitGlyph(const FreeTypeFace& face, int cellX, int cellY, const CellFit& fit, Image& sheet) {
  const GlyphBox box = face.box();
  const int x0 = cellX + fit.penX + box.left;
  const int y0 = cellY + fit.baseline - box.top;
  for (int row = 0; row < box.rows; ++row) {
    for (int column = 0; column < box.width; ++column) {
      // Glyphs are white; coverage alone says where they are.
      sheet.pixel(x0 + column, y0 + row)[3] = face.coverage(column, row);
    }
  }
}

}  // namespace

int fontCellMargin(int cellSize) {
  return std::max(1, cellSize / 16);
}

std::optional<Image> drawFontSheet(const std::filesystem::path& fontFile, int cellSize) {
  const std::optional<FreeTypeFace> face = FreeTypeFace::open(fontFile);
  if (!face) return std::nullopt;
  const std::optional<CellFit> fit = fitCell(*face, cellSize);
  if (!fit || !face->setPixelSize(fit->width, fit->height)) return std::nullopt;

  // White everywhere, so filtering at a glyph's edge never pulls in a dark fringe.
  const int side = kFontSheetCells * cellSize;
  Image sheet(side, side);
  for (std::size_t i = 0; i < sheet.rgba.size(); i += 4) {
    sheet.rgba[i] = sheet.rgba[i + 1] = sheet.rgba[i + 2] = 255;
  }
  for (int code = kFontFirstDrawn; code <= kFontLastDrawn; ++code) {
    if (!face->render(code)) return std::nullopt;
    blitGlyph(*face, (code % kFontSheetCells) * cellSize, (code / kFontSheetCells) * cellSize, *fit,
              sheet);
  }
  return sheet;
}
