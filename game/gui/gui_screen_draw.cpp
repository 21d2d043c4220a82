#include <GL/gl.h>

#include "game/gui/gui_screen.h"
#include "game/platform/gl_state.h"

void GuiScreen::paintWidgets() {
  for (const auto& widget : widgets_)
    if (widget->isVisible()) widget->onPaint();
}

void GuiScreen::shadeScene() const {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.0f, 0.0f, 0.0f, sceneShade_);
  glRectf(0.0f, 0.0f, float(window::clientWidth()), float(window::clientHeight()));
  glDisable(GL_BLEND);
}

void GuiScreen::onPaint() {
  if (clearBeforeDrawing_) gl_state::clearScreen(clearColour_.r, clearColour_.g, clearColour_.b);
  glPushAttrib(GL_ENABLE_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glDisable(GL_CULL_FACE);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glShadeModel(GL_SMOOTH);
  gl_state::setup2DProjection();
  if (!clearBeforeDrawing_ && sceneShade_ > 0.0f) shadeScene();
  const VirtualView view = virtualView(window::clientWidth(), window::clientHeight());
  glTranslatef(view.offsetX, view.offsetY, 0.0f);
  glScalef(view.scale, view.scale, 1.0f);
  paintWidgets();
  if (swapAfterDrawing_) window::swapBuffers();
  glPopAttrib();
}
