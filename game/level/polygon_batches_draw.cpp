#include "game/level/polygon_batches_draw.h"

#include <GL/gl.h>

#include <optional>

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

// The smallest texture name in the queue that is larger than `floor` (any, without one).
std::optional<uint32_t> smallestTextureAbove(std::span<const Polygon* const> queue,
                                             std::optional<uint32_t> floor) {
  std::optional<uint32_t> smallest;
  for (const Polygon* polygon : queue) {
    const uint32_t texture = polygon->texture.textureId();
    if (floor && texture <= *floor) continue;
    if (!smallest || texture < *smallest) smallest = texture;
  }
  return smallest;
}

}  // namespace

int32_t layerIndex(int32_t layer) {
  return layer >= 0 && layer < kLayerCount ? layer : 0;
}

bool isDrawable(const Polygon& polygon) {
  return polygon.visible && polygon.triangleCount() > 0;
}

void emitQueue(std::span<const Polygon* const> queue, VertexForm form) {
  if (queue.empty()) return;
  // One walk per texture in the queue: a level uses a handful of textures, and walking
  // instead of sorting leaves the queue untouched and needs no scratch memory.
  uint32_t texture = smallestTextureAbove(queue, std::nullopt).value();
  for (;;) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_TRIANGLES);
    for (const Polygon* polygon : queue)
      if (polygon->texture.textureId() == texture) emitTriangles(*polygon, form);
    glEnd();
    const std::optional<uint32_t> next = smallestTextureAbove(queue, texture);
    if (!next) return;
    texture = *next;
  }
}

}  // namespace polygon_batches
