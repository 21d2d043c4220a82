// Fitting a face to the square cell: the game moves on by one cell a character, so a glyph
// keeps its neighbours at the distance its designer meant only when the face's advance is as
// wide as the cell. First the height: the largest pixel size at which every printable glyph,
// from the tallest ascender to the lowest descender, fits between the clear rings above and
// below; all cells then share one baseline so a line of text sits level. Then the width:
// FreeType renders at a separate horizontal size, and the one whose advance fills the cell is
// taken, which stretches the monospaced face sideways. The few glyphs whose ink then reaches
// past the side rings ('W', '@', '_') are rendered narrower on their own. Each glyph's ink is
// centred in its cell.

#include "tools/imagegen/font_sheet.h"

#include <algorithm>

#include "tools/imagegen/freetype_face.h"

namespace {

constexpr int kSmallestSize = 6;

// How far all glyphs' ink reaches below and above the baseline, y up.
struct InkUnion {
  int lowest = 0;
  int highest = 0;
  int height() const { return highest - lowest; }
};

std::optional<InkUnion> measureInk(const FreeTypeFace& face, int width, int height) {
  if (!face.setPixelSize(width, height)) return std::nullopt;
  std::optional<InkUnion> ink;
  for (int code = kFontFirstDrawn; code <= kFontLastDrawn; ++code) {
    if (!face.render(code)) return std::nullopt;
    const GlyphBox box = face.box();
    if (box.rows == 0 || box.width == 0) continue;
    const InkUnion glyph{box.top - box.rows, box.top};
    if (!ink) {
      ink = glyph;
      continue;
    }
    ink->lowest = std::min(ink->lowest, glyph.lowest);
    ink->highest = std::max(ink->highest, glyph.highest);
  }
  return ink;
}

// The face's pixel sizes that fill a cell, and where the baseline sits in it.
struct CellFit {
  int width = 0;
  int height = 0;
  int baseline = 0;  // from the top of the cell
};

int fitHeight(const FreeTypeFace& face, int cellSize, int inner) {
  for (int height = cellSize; height >= kSmallestSize; --height) {
    const std::optional<InkUnion> ink = measureInk(face, height, height);
    if (ink && ink->height() <= inner) return height;
  }
  return 0;
}

// How far the pen moves at these sizes; every glyph of a monospaced face moves it as far.
int advanceAt(const FreeTypeFace& face, int width, int height) {
  if (!face.setPixelSize(width, height) || !face.render('M')) return 0;
  return face.box().advance;
}

std::optional<CellFit> fitCell(const FreeTypeFace& face, int cellSize) {
  const int inner = cellSize - 2 * fontCellMargin(cellSize);
  const int height = fitHeight(face, cellSize, inner);
  if (height == 0) return std::nullopt;
  const int natural = advanceAt(face, height, height);
  if (natural <= 0) return std::nullopt;
  // The advance grows in proportion to the horizontal size; start a little above the estimate,
  // as the advance is rounded to whole pixels, and come down until it fits the cell.
  int width = height * cellSize / natural + 2;
  while (width > height && advanceAt(face, width, height) > cellSize) --width;
  const std::optional<InkUnion> ink = measureInk(face, width, height);
  if (!ink || ink->height() > inner) return std::nullopt;
  const int margin = fontCellMargin(cellSize);
  return CellFit{width, height, margin + (inner - ink->height()) / 2 + ink->highest};
}

// Renders `code` at the cell's sizes, narrower when its ink would reach into the side rings.
bool renderFitted(const FreeTypeFace& face, int code, const CellFit& fit, int inner) {
  for (int width = fit.width; width >= kSmallestSize; --width) {
    if (!face.setPixelSize(width, fit.height) || !face.render(code)) return false;
    if (face.box().width <= inner) return true;
  }
  return false;
}

void blitGlyph(const FreeTypeFace& face, int cellX, int cellY, int cellSize, const CellFit& fit,
               Image& sheet) {
  const GlyphBox box = face.box();
  const int x0 = cellX + (cellSize - box.width) / 2;
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
  if (!fit) return std::nullopt;

  // White everywhere, so filtering at a glyph's edge never pulls in a dark fringe.
  const int side = kFontSheetCells * cellSize;
  Image sheet(side, side);
  for (std::size_t i = 0; i < sheet.rgba.size(); i += 4) {
    sheet.rgba[i] = sheet.rgba[i + 1] = sheet.rgba[i + 2] = 255;
  }
  for (int code = kFontFirstDrawn; code <= kFontLastDrawn; ++code) {
    if (!renderFitted(*face, code, *fit, cellSize - 2 * fontCellMargin(cellSize)))
      return std::nullopt;
    blitGlyph(*face, (code % kFontSheetCells) * cellSize, (code / kFontSheetCells) * cellSize,
              cellSize, *fit, sheet);
  }
  return sheet;
}
