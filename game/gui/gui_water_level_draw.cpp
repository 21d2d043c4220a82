#include <GL/gl.h>

#include "game/gui/gui_water_level.h"

void GuiWaterLevel::onPaint() {
  const float left = float(x()), right = left + float(width());
  const float top = barTop(), bottom = float(y()) + float(height());
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glShadeModel(GL_SMOOTH);
  glBegin(GL_QUADS);
  glColor3f(0.8f, 0.85f, 1.0f);
  glVertex2f(left, top);
  glVertex2f(right, top);
  glColor3f(0.7f, 0.75f, 1.0f);
  glVertex2f(right, bottom);
  glVertex2f(left, bottom);
  glEnd();
  glPopAttrib();
}
