#include "game/gui/gui_draw.h"

#include <GL/gl.h>

#include "game/platform/font_text.h"
#include "game/platform/texture_handle.h"

void drawTexturedQuad(const TextureHandle& texture, float x, float y, float w, float h,
                      const TextureArea& area, const GuiColour& colour) {
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_CULL_FACE);
  glBindTexture(GL_TEXTURE_2D, texture.textureId());
  glColor4f(colour.r, colour.g, colour.b, colour.a);
  glBegin(GL_QUADS);
  glTexCoord2f(area.u0, area.v0);
  glVertex2f(x, y);
  glTexCoord2f(area.u1, area.v0);
  glVertex2f(x + w, y);
  glTexCoord2f(area.u1, area.v1);
  glVertex2f(x + w, y + h);
  glTexCoord2f(area.u0, area.v1);
  glVertex2f(x, y + h);
  glEnd();
  glPopAttrib();
}

void drawSprite(const TextureHandle& texture, float x, float y, float w, float h,
                const GuiColour& colour) {
  drawTexturedQuad(texture, x, y, w, h, TextureArea{}, colour);
}

void drawSpriteCentred(const TextureHandle& texture, float cx, float cy, const GuiColour& colour) {
  const float w = float(texture.width());
  const float h = float(texture.height());
  drawSprite(texture, cx - w / 2.0f, cy - h / 2.0f, w, h, colour);
}

void drawStyledText(const TextStyle& style, std::string_view text, float x, float y) {
  if (!style.font) return;
  const GuiColour& s = style.shadowColour;
  if (style.shadow)
    drawText(*style.font, text, x + style.shadowX, y + style.shadowY, style.size, s.r, s.g, s.b,
             s.a);
  const GuiColour& c = style.colour;
  drawText(*style.font, text, x, y, style.size, c.r, c.g, c.b, c.a);
}

void drawStyledTextCentred(const TextStyle& style, std::string_view text, float x, float y,
                           float w, float h) {
  if (!style.font) return;
  const GuiColour& s = style.shadowColour;
  if (style.shadow)
    drawTextCentered(*style.font, text, x + style.shadowX, y + style.shadowY, w, h, style.size,
                     s.r, s.g, s.b, s.a);
  const GuiColour& c = style.colour;
  drawTextCentered(*style.font, text, x, y, w, h, style.size, c.r, c.g, c.b, c.a);
}
