#include "game/level/level_debug_draw.h"

#include <GL/gl.h>

#include "game/level/collision_tree_draw.h"
#include "game/level/level_data.h"
#include "game/platform/gl_state.h"

namespace level {
namespace {

// Three line segments per triangle: corner 1 to 2, 2 to 3, 3 to 1.
void drawTriangleEdges(const Polygon& polygon) {
  const Triangulation& triangles = polygon.triangulation();
  const Vec2 offset = polygon.offset;
  glBegin(GL_LINES);
  for (int32_t t = 0; t < triangles.triangleCount(); ++t) {
    for (int32_t corner = 0; corner < 3; ++corner) {
      const size_t from = size_t(t) * 3 + size_t(corner);
      const size_t to = size_t(t) * 3 + size_t((corner + 1) % 3);
      glVertex2f(triangles.x[from] + offset.x, triangles.y[from] + offset.y);
      glVertex2f(triangles.x[to] + offset.x, triangles.y[to] + offset.y);
    }
  }
  glEnd();
}

void drawPolygonTriangles(const Polygon& polygon) {
  gl_state::pushAllState();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glDisable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  glLineWidth(1.0f);
  glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
  drawTriangleEdges(polygon);
  gl_state::popAllState();
}

}  // namespace

void drawLevelDebug() {
  collision::drawCollisionDebug();
  if (!drawTriangles()) return;
  for (const Polygon& polygon : levelPolygons()) drawPolygonTriangles(polygon);
}

}  // namespace level
