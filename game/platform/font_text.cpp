#include "game/platform/font_text.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>

#include "game/platform/texture_handle.h"

namespace {

constexpr int kGridCells = 16;
constexpr float kCellSpan = 1.0f / kGridCells;
// The outline is the text drawn black at these offsets around it, each a sixteenth of the
// text size (a fat stroke of the shipped fonts) and never under one unit, so small console
// and label text still gets a whole pixel of rim.
constexpr float kOutlineShare = 1.0f / 16.0f;
constexpr float kThinnestOutline = 1.0f;
constexpr std::array<std::array<float, 2>, 8> kOutlineOffsets = {
    {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}};

std::atomic<bool> highContrast{false};

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

// The quads of every glyph, inside glBegin(GL_QUADS).
void drawGlyphs(std::string_view text, float x, float y, float size) {
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
}

void drawOutline(std::string_view text, float x, float y, float size, float a) {
  const float width = std::max(size * kOutlineShare, kThinnestOutline);
  glColor4f(0.0f, 0.0f, 0.0f, a);
  for (const auto& [dx, dy] : kOutlineOffsets)
    drawGlyphs(text, x + dx * width, y + dy * width, size);
}

}  // namespace

void setHighContrastText(bool on) {
  highContrast = on;
}

bool highContrastText() {
  return highContrast;
}

void drawText(const TextureHandle& font, std::string_view text, float x, float y, float size,
              float r, float g, float b, float a) {
  if (text.empty() || !(size > 0.0f)) return;
  glPushAttrib(GL_ENABLE_BIT);
  enableTextState(font);
  glBegin(GL_QUADS);
  if (highContrast) {
    drawOutline(text, x, y, size, a);
    glColor4f(1.0f, 1.0f, 1.0f, a);
  } else {
    glColor4f(r, g, b, a);
  }
  drawGlyphs(text, x, y, size);
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
