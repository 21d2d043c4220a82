#include "game/level/forces_draw.h"

#include <GL/gl.h>

#include <cstdio>

#include "game/console/console.h"
#include "game/level/forces.h"
#include "game/platform/debug_draw_scope.h"
#include "game/platform/font_text.h"

namespace forces {
namespace {

constexpr float kShaftLength = 32.0f;
constexpr float kHeadLength = 8.0f;
constexpr float kLabelSize = 8.0f;
constexpr float kLabelDrop = 40.0f;

void vertex(Vec2 p) {
  glVertex2f(p.x, p.y);
}

// A point at the force, the shaft along its direction and two head strokes back from the tip.
void drawArrow(const Force& force) {
  const Vec2 p = force.position;
  const Vec2 d = force.direction;
  const Vec2 q{-d.y, d.x};
  const Vec2 tip = p + d * kShaftLength;
  if (force.active) {
    glColor3f(0.0f, 1.0f, 0.0f);
  } else {
    glColor3f(1.0f, 0.0f, 0.0f);
  }
  glPointSize(3.0f);
  glBegin(GL_POINTS);
  vertex(p);
  glEnd();
  glLineWidth(1.0f);
  glBegin(GL_LINES);
  vertex(p);
  vertex(tip);
  vertex(tip);
  vertex(tip - (d + q) * kHeadLength);
  vertex(tip);
  vertex(tip - (d - q) * kHeadLength);
  glEnd();
}

void drawLabel(const Force& force) {
  const TextureHandle* font = console::fontTexture();
  if (font == nullptr) return;
  char label[96];
  std::snprintf(label, sizeof label, "Id: %1i , Strenght: %1f", int32_t(force.id),
                double(force.strength));
  drawText(*font, label, force.position.x, force.position.y + kLabelDrop, kLabelSize, 1.0f, 1.0f,
           1.0f, 1.0f);
}

}  // namespace

void drawForces() {
  if (!drawForcesFlag()) return;
  const DebugDrawScope scope;
  for (const Force& force : forceList()) {
    drawArrow(force);
    drawLabel(force);
  }
}

}  // namespace forces
