#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "game/app/free_view.h"
#include "game/console/console.h"
#include "game/platform/font_text.h"
#include "game/platform/window.h"
#include "game/world/camera.h"

namespace free_view {
namespace {

constexpr float kDegreesToRadians = 0.017453292f;

// The free view's centre as a small cross, and its coordinates beside it.
void drawReadout() {
  const Vec2 c = centre();
  const float z = zoom();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  const float arm = 4.0f / z;
  glBegin(GL_LINES);
  glVertex2f(c.x - arm, c.y);
  glVertex2f(c.x + arm, c.y);
  glVertex2f(c.x, c.y - arm);
  glVertex2f(c.x, c.y + arm);
  glEnd();

  const TextureHandle* font = console::fontTexture();
  if (!font) return;
  char readout[64];
  std::snprintf(readout, sizeof readout, "%1f , %2f", c.x, c.y);
  drawText(*font, readout, c.x, c.y + 16.0f / z, 8.0f / z, 1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace

void apply() {
  const float viewWidth = camera::viewWidth();
  const float viewHeight = camera::viewHeight();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glScalef(static_cast<float>(window::clientWidth()) / viewWidth,
           static_cast<float>(window::clientHeight()) / viewHeight, 0.0f);
  glTranslatef(viewWidth * 0.5f, viewHeight * 0.5f, 0.0f);
  glScalef(zoom(), zoom(), 0.0f);
  glTranslatef(-centre().x, -centre().y, 0.0f);
}

void drawMarks() {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  const float halfWidth = camera::viewWidth() * camera::zoom() / 2.0f;
  const float halfHeight = camera::viewHeight() * camera::zoom() / 2.0f;
  const float a = camera::angle() * kDegreesToRadians;
  const Vec2 middle = camera::position() + camera::shakeOffset();
  const float corners[4][2] = {{-halfWidth, -halfHeight},
                               {halfWidth, -halfHeight},
                               {halfWidth, halfHeight},
                               {-halfWidth, halfHeight}};
  glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
  glBegin(GL_LINES);
  for (int i = 0; i < 4; ++i) {
    for (int end = 0; end < 2; ++end) {
      const float* corner = corners[(i + end) % 4];
      glVertex2f(middle.x + corner[0] * std::cos(a) - corner[1] * std::sin(a),
                 middle.y + corner[0] * std::sin(a) + corner[1] * std::cos(a));
    }
  }
  glEnd();
  if (showsReadout()) drawReadout();
}

}  // namespace free_view
