#pragma once
// Text drawn from a font texture laid out as 16 x 16 cells, one per byte value (row = byte
// / 16, column = byte % 16). Every character advances by the same width. Coordinates are
// those of the 2D projection: pixels, origin top-left, y growing downward.
//
// In high contrast every text is pure white over a black outline, whatever colour its caller
// asks for (only the opacity is kept), so it reads over any backdrop; drop shadows are left
// out then, as the outline takes their place.

#include <cstdint>
#include <string_view>

class TextureHandle;

// Set by the game for each frame from the player's setting; read by every text drawer, the
// loading screen's thread too.
void setHighContrastText(bool on);
bool highContrastText();

// Each byte is a size x size quad at (x, y), then x moves right by size; '\n' moves y down
// by size and x back to the start. Nothing when size <= 0.
void drawText(const TextureHandle& font, std::string_view text, float x, float y, float size,
              float r, float g, float b, float a);
// drawText centred in the box (x, y, w, h), the start rounded half away from zero.
void drawTextCentered(const TextureHandle& font, std::string_view text, float x, float y, float w,
                      float h, float size, float r, float g, float b, float a);
