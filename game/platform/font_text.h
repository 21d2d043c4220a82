#pragma once
// Text drawn from a font texture laid out as 16 x 16 cells, one per byte value (row = byte
// / 16, column = byte % 16). Every character advances by the same width. Coordinates are
// those of the 2D projection: pixels, origin top-left, y growing downward.

#include <cstdint>
#include <string_view>

class TextureHandle;

// Each byte is a size x size quad at (x, y), then x moves right by size; '\n' moves y down
// by size and x back to the start. Nothing when size <= 0.
void drawText(const TextureHandle& font, std::string_view text, float x, float y, float size,
              float r, float g, float b, float a);
// drawText centred in the box (x, y, w, h), the start rounded half away from zero.
void drawTextCentered(const TextureHandle& font, std::string_view text, float x, float y, float w,
                      float h, float size, float r, float g, float b, float a);
