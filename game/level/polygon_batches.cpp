#include "game/level/polygon_batches.h"

#include <GL/gl.h>

#include <algorithm>

namespace polygon_batches {
namespace {

// Fixed polygons are drawn at this depth minus their layer.
constexpr float kFixedDepth = 65535.0f;

// One over the texture's side; a texture without a size (no window, or nothing loaded)
// maps every corner to its first texel rather than dividing by zero.
float inverseSide(int32_t side) {
  return side > 0 ? 1.0f / static_cast<float>(side) : 0.0f;
}

void emitTriangles(const Polygon& polygon, VertexForm form) {
  const Triangulation& triangles = polygon.triangulation();
  const float u = inverseSide(polygon.texture.width());
  const float v = inverseSide(polygon.texture.height());
  const float depth = kFixedDepth - static_cast<float>(polygon.layer);
  const Vec2 offset = form == VertexForm::Moved ? polygon.offset : Vec2{};
  for (size_t i = 0; i < triangles.x.size(); ++i) {
    const float x = triangles.x[i];
    const float y = triangles.y[i];
    glTexCoord2f(x * u, y * v);
    if (form == VertexForm::Fixed)
      glVertex3f(x, y, depth);
    else
      glVertex2f(x + offset.x, y + offset.y);
  }
}

}  // namespace

int32_t layerIndex(int32_t layer) {
  return layer >= 0 && layer < kLayerCount ? layer : 0;
}

bool isDrawable(const Polygon& polygon) {
  return polygon.visible && polygon.triangleCount() > 0;
}

void emitQueue(std::vector<const Polygon*>& queue, VertexForm form) {
  const auto byTexture = [](const Polygon* a, const Polygon* b) {
    return a->texture.textureId() < b->texture.textureId();
  };
  std::stable_sort(queue.begin(), queue.end(), byTexture);
  for (auto run = queue.begin(); run != queue.end();) {
    const uint32_t texture = (*run)->texture.textureId();
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_TRIANGLES);
    for (; run != queue.end() && (*run)->texture.textureId() == texture; ++run)
      emitTriangles(**run, form);
    glEnd();
  }
}

}  // namespace polygon_batches
