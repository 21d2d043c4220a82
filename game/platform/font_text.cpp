#include "game/platform/font_text.h"

#include <GL/gl.h>

#include <cmath>

#include "game/platform/texture_handle.h"

namespace {

constexpr int kGridCells = 16;
constexpr float kCellSpan = 1.0f / kGridCells;

void enableTextState(const TextureHandle& font) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_ALPHA_TEST);
  glBindTexture(GL_TEXTURE_2D, font.textureId());
}

// Row 0 of the grid is the top row of cells, which the 2D projection draws at the top.
void drawGlyph(unsigned char c, float x, float y, float size) {
  const float u0 = float(c & 15) * kCellSpan;
  const float v0 = float((c >> 4) & 15) * kCellSpan;
  const float u1 = u0 + kCellSpan;
  const float v1 = v0 + kCellSpan;
  glTexCoord2f(u0, v0);
  glVertex2f(x, y);
  glTexCoord2f(u1, v0);
  glVertex2f(x + size, y);
  glTexCoord2f(u1, v1);
  glVertex2f(x + size, y + size);
  glTexCoord2f(u0, v1);
  glVertex2f(x, y + size);
}

}  // namespace

void drawText(const TextureHandle& font, std::string_view text, float x, float y, float size,
              float r, float g, float b, float a) {
  if (text.empty() || !(size > 0.0f)) return;
  glPushAttrib(GL_ENABLE_BIT);
  enableTextState(font);
  glColor4f(r, g, b, a);
  glBegin(GL_QUADS);
  const float startX = x;
  for (const char c : text) {
    if (c == '\n') {
      y += size;
      x = startX;
      continue;
    }
    drawGlyph(static_cast<unsigned char>(c), x, y, size);
    x += size;
  }
  glEnd();
  glPopAttrib();
}

void drawTextCentered(const TextureHandle& font, std::string_view text, float x, float y, float w,
                      float h, float size, float r, float g, float b, float a) {
  const float length = static_cast<float>(text.size());
  // std::round takes halves away from zero.
  const float startX = std::round(x + w / 2 - length * size / 2);
  const float startY = std::round(y + h / 2 - size / 2);
  drawText(font, text, startX, startY, size, r, g, b, a);
}
