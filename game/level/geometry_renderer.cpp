#include "game/level/geometry_renderer.h"

#include <GL/gl.h>

#include <array>
#include <vector>

#include "common/stopwatch.h"
#include "game/console/console.h"
#include "game/level/level_data.h"
#include "game/level/polygon_batches_draw.h"

namespace geometry_renderer {
namespace {

using polygon_batches::kLayerCount;

// One display list name per layer; 0 while the layer has none.
std::array<GLuint, kLayerCount> displayLists_{};
bool drawLevelGeometry_ = true;

bool drawLevelGeometryVariable(bool value, bool set) {
  return console::variableValue(drawLevelGeometry_, value, set);
}

const console::NamedCommand kEntries[] = {
    {"DrawLevelGeometry", drawLevelGeometryVariable},
};

// Moving and switchable polygons are drawn each frame by the dynamic renderer instead.
bool isFixed(const Polygon& polygon) {
  return !polygon.moving && !polygon.switchable && polygon_batches::isDrawable(polygon);
}

using LayerQueues = std::array<std::vector<const Polygon*>, kLayerCount>;

LayerQueues fixedPolygonsByLayer() {
  LayerQueues queues;
  for (const Polygon& polygon : level::levelPolygons())
    if (isFixed(polygon)) queues[polygon_batches::layerIndex(polygon.layer)].push_back(&polygon);
  return queues;
}

void createDisplayLists() {
  const GLuint first = glGenLists(kLayerCount);
  if (first == 0) return;  // no context to compile into: the layers stay empty
  for (int32_t k = 0; k < kLayerCount; ++k) displayLists_[k] = first + GLuint(k);
}

}  // namespace

void initialiseGeometryRenderer() {
  shutdownGeometryRenderer();
  console::print("\nInitialising level geometry renderer...");
  drawLevelGeometry_ = true;
  console::addCommands(kEntries);
  const Stopwatch stopwatch;
  createDisplayLists();
  LayerQueues queues = fixedPolygonsByLayer();
  for (int32_t k = 0; k < kLayerCount; ++k) {
    if (displayLists_[k] == 0) continue;
    glNewList(displayLists_[k], GL_COMPILE);
    polygon_batches::emitQueue(queues[k], polygon_batches::VertexForm::Fixed);
    glEndList();
  }
  console::print("\nLevel geometry prepared for rendering in ");
  console::print(stopwatch.seconds());
  console::print("\nseconds.");
}

void shutdownGeometryRenderer() {
  console::print("\nShutting down level geometry renderer...");
  console::removeCommands(kEntries);
  for (GLuint& list : displayLists_) {
    if (list != 0) glDeleteLists(list, 1);
    list = 0;
  }
}

void drawStaticLayer(int32_t layer) {
  if (layer < 0 || layer >= kLayerCount) return;
  if (displayLists_[layer] != 0 && drawLevelGeometry_) glCallList(displayLists_[layer]);
}

}  // namespace geometry_renderer
