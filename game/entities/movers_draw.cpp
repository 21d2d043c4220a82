#include "game/entities/movers_draw.h"

#include <GL/gl.h>

#include <cstdio>

#include "game/console/console.h"
#include "game/entities/movers.h"
#include "game/level/polygon.h"
#include "game/platform/debug_draw_scope.h"
#include "game/platform/font_text.h"

namespace movers {
namespace {

constexpr float kNormalMarkLength = 8.0f;
constexpr float kLabelSize = 8.0f;
// The label sits this far behind the start, clear of the path line.
constexpr float kLabelBackOff = 8.0f;

void vertex(Vec2 p) {
  glVertex2f(p.x, p.y);
}

void drawMoverLabel(const Mover& mover) {
  const TextureHandle* font = console::fontTexture();
  if (font == nullptr) return;
  char label[96];
  std::snprintf(label, sizeof label, "Id: %1i Speed: %2f", int32_t(mover.id), double(mover.speed));
  const Vec2 at = mover.start - mover.direction * kLabelBackOff;
  drawText(*font, label, at.x, at.y, kLabelSize, 1.0f, 1.0f, 1.0f, 1.0f);
}

// The path in white with green end points, and the mover's id and speed.
void drawMoverPath(const Mover& mover) {
  glLineWidth(1.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBegin(GL_LINES);
  vertex(mover.start);
  vertex(mover.end);
  glEnd();
  glPointSize(3.0f);
  glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
  glBegin(GL_POINTS);
  vertex(mover.start);
  vertex(mover.end);
  glEnd();
  drawMoverLabel(mover);
}

// Green edges for a solid polygon, red for one switched off, blue normal marks and white
// end points, all moved by the polygon's offset.
void drawMovingPolygonEdges(const MovingPolygon& moving) {
  const Vec2 offset = moving.polygon->offset;
  const bool solid = moving.polygon->solid;
  glLineWidth(1.0f);
  glBegin(GL_LINES);
  for (const CollisionEdge& edge : moving.edges) {
    const Vec2 start = edge.start + offset;
    const Vec2 end = edge.end + offset;
    const Vec2 middle = (start + end) * 0.5f;
    if (solid) {
      glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
    } else {
      glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    }
    vertex(start);
    vertex(end);
    glColor4f(0.0f, 0.0f, 1.0f, 1.0f);
    vertex(middle);
    vertex(middle + edge.normal * kNormalMarkLength);
  }
  glEnd();
  glPointSize(2.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBegin(GL_POINTS);
  for (const CollisionEdge& edge : moving.edges) {
    vertex(edge.start + offset);
    vertex(edge.end + offset);
  }
  glEnd();
}

}  // namespace

void drawMoverDebug() {
  if (moverDraw()) {
    const DebugDrawScope scope;
    // The labels are quads, which a mirrored world transform would turn away.
    glDisable(GL_CULL_FACE);
    for (const Mover& mover : moverList()) drawMoverPath(mover);
  }
  if (dynamicNodeDraw()) {
    const DebugDrawScope scope;
    glDisable(GL_CULL_FACE);
    for (const MovingPolygon& moving : movingPolygons()) drawMovingPolygonEdges(moving);
  }
}

}  // namespace movers
