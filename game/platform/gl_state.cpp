#include "game/platform/gl_state.h"

#include <GL/gl.h>

#include <cmath>

#include "game/platform/window.h"

namespace gl_state {

void setup2DProjection() {
  setup2DProjection(window::clientWidth(), window::clientHeight());
}

void setup2DProjection(int32_t width, int32_t height) {
  glViewport(0, 0, width, height);
  // A minimised window has no client area; keep the matrix finite.
  const float w = static_cast<float>(width > 0 ? width : 1);
  const float h = static_cast<float>(height > 0 ? height : 1);
  const GLfloat projection[16] = {2.0f / w, 0, 0, 0, 0, -2.0f / h, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(projection);
  glTranslatef(-w / 2.0f, -h / 2.0f, 0.0f);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void clearScreen(float r, float g, float b) {
  glClearColor(r, g, b, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

void pushAllState() {
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
}

void popAllState() {
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopClientAttrib();
  glPopAttrib();
  glMatrixMode(GL_MODELVIEW);
}

void drawCircle(float x, float y, float radius, int32_t segments) {
  if (segments <= 0) return;
  const float step = 6.2831855f / static_cast<float>(segments);
  glBegin(GL_LINES);
  for (int32_t i = 0; i < segments; ++i) {
    const float from = static_cast<float>(i) * step;
    const float to = static_cast<float>(i + 1) * step;
    glVertex2f(x + std::cos(from) * radius, y + std::sin(from) * radius);
    glVertex2f(x + std::cos(to) * radius, y + std::sin(to) * radius);
  }
  glEnd();
}

}  // namespace gl_state
