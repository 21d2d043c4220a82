#include "tools/imagegen/text_mask.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// One glyph's coverage and where its bitmap's top-left lies relative to the line's origin
// on the baseline (y down).
struct PlacedGlyph {
  int x = 0;
  int y = 0;
  int width = 0;
  int rows = 0;
  std::vector<unsigned char> coverage;
};

int capHeightOf(const FreeTypeFace& face) {
  return face.render('H') ? face.box().top : 0;
}

std::optional<std::vector<PlacedGlyph>> setLine(const FreeTypeFace& face, std::string_view text,
                                                int tracking) {
  std::vector<PlacedGlyph> glyphs;
  FT_Pos pen = 0;  // 26.6 fixed point
  FT_UInt previous = 0;
  for (const char c : text) {
    const FT_UInt index = FT_Get_Char_Index(face.get(), static_cast<unsigned char>(c));
    if (previous != 0 && FT_HAS_KERNING(face.get())) {
      FT_Vector kerning{};
      FT_Get_Kerning(face.get(), previous, index, FT_KERNING_DEFAULT, &kerning);
      pen += kerning.x;
    }
    if (!face.render(static_cast<unsigned char>(c))) return std::nullopt;
    const GlyphBox box = face.box();
    PlacedGlyph glyph{
        static_cast<int>((pen + 32) >> 6) + box.left, -box.top, box.width, box.rows, {}};
    for (int row = 0; row < box.rows; ++row) {
      for (int column = 0; column < box.width; ++column) {
        glyph.coverage.push_back(face.coverage(column, row));
      }
    }
    glyphs.push_back(std::move(glyph));
    pen += face.get()->glyph->advance.x + tracking * 64;
    previous = index;
  }
  return glyphs;
}

}  // namespace

std::optional<TextMask> renderText(const FreeTypeFace& face, std::string_view text, int pixelSize,
                                   int tracking) {
  if (!face.setPixelSize(pixelSize, pixelSize)) return std::nullopt;
  const std::optional<std::vector<PlacedGlyph>> glyphs = setLine(face, text, tracking);
  if (!glyphs) return std::nullopt;
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  for (const PlacedGlyph& glyph : *glyphs) {
    if (glyph.width == 0 || glyph.rows == 0) continue;
    left = std::min(left, glyph.x);
    right = std::max(right, glyph.x + glyph.width);
    top = std::min(top, glyph.y);
    bottom = std::max(bottom, glyph.y + glyph.rows);
  }
  if (left >= right) return std::nullopt;
  TextMask result{Mask(right - left, bottom - top), -top, capHeightOf(face), pixelSize};
  for (const PlacedGlyph& glyph : *glyphs) {
    for (int row = 0; row < glyph.rows; ++row) {
      for (int column = 0; column < glyph.width; ++column) {
        float& value = result.mask.at(glyph.x - left + column, glyph.y - top + row);
        // Overlapping letters (a kerned pair) add up, never beyond full cover.
        value = std::min(1.0f, value + glyph.coverage[row * glyph.width + column] / 255.0f);
      }
    }
  }
  return result;
}

std::optional<TextMask> renderTextToFit(const FreeTypeFace& face, std::string_view text,
                                        int maxWidth, int maxCapHeight, int tracking) {
  for (int size = maxCapHeight * 2; size >= 4; --size) {
    std::optional<TextMask> rendered = renderText(face, text, size, tracking);
    if (!rendered) return std::nullopt;
    if (rendered->mask.width <= maxWidth && rendered->capHeight <= maxCapHeight) return rendered;
  }
  return std::nullopt;
}
