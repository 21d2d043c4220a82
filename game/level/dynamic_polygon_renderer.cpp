#include "game/level/dynamic_polygon_renderer.h"

#include <algorithm>
#include <array>
#include <vector>

#include "game/console/console.h"
#include "game/level/level_data.h"
#include "game/level/polygon_batches_draw.h"
#include "game/world/camera.h"

namespace dynamic_polygon_renderer {
namespace {

using polygon_batches::kLayerCount;

// The share of the larger view side that reaches from the camera centre to the cull box's
// edge: a little more than half the diagonal of a 4:3 view, so turning never uncovers a
// culled polygon.
constexpr float kCullBoxShare = 0.65f;

// A listed polygon and the bounding box of its outline before any offset.
struct DynamicPolygon {
  const Polygon* polygon = nullptr;
  float minX = 0.0f, maxX = 0.0f, minY = 0.0f, maxY = 0.0f;
};

std::vector<DynamicPolygon> dynamicPolygons_;
std::array<std::vector<const Polygon*>, kLayerCount> drawQueues_;

bool changesWhileRunning(const Polygon& polygon) {
  return (polygon.moving || polygon.switchable) && polygon_batches::isDrawable(polygon);
}

DynamicPolygon withBoundingBox(const Polygon& polygon) {
  const auto [minX, maxX] =
      std::minmax_element(polygon.outlineX().begin(), polygon.outlineX().end());
  const auto [minY, maxY] =
      std::minmax_element(polygon.outlineY().begin(), polygon.outlineY().end());
  return {&polygon, *minX, *maxX, *minY, *maxY};
}

struct CullBox {
  Vec2 centre;
  float halfSide = 0.0f;

  // Boundaries count as inside.
  bool overlaps(const DynamicPolygon& d) const {
    const Vec2 offset = d.polygon->offset;
    return d.minX + offset.x <= centre.x + halfSide && d.maxX + offset.x >= centre.x - halfSide &&
           d.minY + offset.y <= centre.y + halfSide && d.maxY + offset.y >= centre.y - halfSide;
  }
};

CullBox cullBox() {
  const float largerSide = std::max(camera::viewWidth(), camera::viewHeight());
  return {camera::centre(), largerSide * kCullBoxShare * camera::zoom()};
}

}  // namespace

void initialiseDynamicRenderer() {
  shutdownDynamicRenderer();
  console::print("\nIntialising dynamic polygon renderer..");
  for (const Polygon& polygon : level::levelPolygons())
    if (changesWhileRunning(polygon)) dynamicPolygons_.push_back(withBoundingBox(polygon));
}

void shutdownDynamicRenderer() {
  console::print("\nShuttrng down dynamic polygon renderer..");
  dynamicPolygons_.clear();
  // A queue filled but not drawn would point at polygons about to be destroyed.
  for (auto& queue : drawQueues_) queue.clear();
}

void prepareDynamicPolygons() {
  const CullBox box = cullBox();
  for (const DynamicPolygon& d : dynamicPolygons_)
    if (d.polygon->enabled && box.overlaps(d))
      drawQueues_[polygon_batches::layerIndex(d.polygon->layer)].push_back(d.polygon);
}

void drawDynamicLayer(int32_t layer) {
  if (layer < 0 || layer >= kLayerCount) return;
  polygon_batches::emitQueue(drawQueues_[layer], polygon_batches::VertexForm::Moved);
  drawQueues_[layer].clear();
}

std::span<const Polygon* const> drawQueue(int32_t layer) {
  if (layer < 0 || layer >= kLayerCount) return {};
  return drawQueues_[layer];
}

}  // namespace dynamic_polygon_renderer
