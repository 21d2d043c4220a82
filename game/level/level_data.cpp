#include "game/level/level_data.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "common/config_file.h"
#include "game/console/console.h"
#include "game/level/collision_tree.h"
#include "game/level/forces.h"

namespace level {
namespace {

constexpr std::array<std::string_view, 5> kSurfaceKeys = {
    "surfaceFriction_metal", "surfaceFriction_wood", "surfaceFriction_stone",
    "surfaceFriction_cloth", "surfaceFriction_sand"};

std::list<Polygon> polygons_;
Vec2 waterStart_;
Vec2 cameraStart_;
std::array<float, 5> surfaceFrictions_ = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
std::unordered_map<const Polygon*, std::vector<CollisionEdge*>> polygonEdges_;
bool drawTriangles_ = false;
RendererHooks rendererHooks_;

void callHook(void (*hook)()) {
  if (hook != nullptr) hook();
}

bool drawTrianglesVariable(bool value, bool set) {
  return console::variableValue(drawTriangles_, value, set);
}

// Registered once the level is loaded and removed when its geometry stops, from this table.
const console::NamedCommand kEntries[] = {
    {"DrawTriangles", drawTrianglesVariable},
};

}  // namespace

std::list<Polygon>& levelPolygons() {
  return polygons_;
}

Vec2 waterStart() {
  return waterStart_;
}
Vec2 cameraStart() {
  return cameraStart_;
}

void setStartPositions(Vec2 water, Vec2 camera) {
  waterStart_ = water;
  cameraStart_ = camera;
}

void loadSurfaces() {
  const ConfigFile file(kSurfacesConfigPath);
  for (size_t i = 0; i < kSurfaceKeys.size(); ++i)
    surfaceFrictions_[i] = std::clamp(file.getFloat(kSurfaceKeys[i]), 0.0f, 1.0f);
}

bool isValidSurface(int32_t surface) {
  return surface >= 1 && surface <= 5;
}

float surfaceFriction(int32_t surface) {
  return isValidSurface(surface) ? surfaceFrictions_[size_t(surface - 1)] : 1.0f;
}

void startGeometry() {
  drawTriangles_ = false;
  collision::buildCollisionTree();
  callHook(rendererHooks_.initialiseGeometry);
  callHook(rendererHooks_.initialiseDynamic);
}

void associateEdges() {
  polygonEdges_.clear();
  std::vector<CollisionEdge*> edges;
  collision::collectEdges(edges);
  for (CollisionEdge* edge : edges) polygonEdges_[edge->polygon].push_back(edge);
}

void registerDebugEntries() {
  console::addCommands(kEntries);
}

void stopGeometry() {
  console::removeCommands(kEntries);
  callHook(rendererHooks_.shutdownGeometry);
  collision::destroyCollisionTree();
}

void stopDynamicRenderer() {
  callHook(rendererHooks_.shutdownDynamic);
}

void clearPolygons() {
  polygons_.clear();
  polygonEdges_.clear();
}

void restartGeometry() {
  drawTriangles_ = false;
  // Walls and forces that triggers took away come back, as the level file made them.
  for (Polygon& polygon : polygons_) {
    polygon.enabled = true;
    polygon.solid = polygon.solidAtStart;
    polygon.offset = {};
    polygon.previousOffset = {};
  }
  for (Force& force : forces::forceList()) force.active = true;
  collision::resetCollisionTree();
}

void setPolygonSolid(Polygon& polygon, bool solid) {
  if (auto* edges = polygonEdges(polygon))
    for (CollisionEdge* edge : *edges) edge->active = solid;
  polygon.solid = solid;
}

const std::vector<CollisionEdge*>* polygonEdges(const Polygon& polygon) {
  const auto found = polygonEdges_.find(&polygon);
  return found == polygonEdges_.end() ? nullptr : &found->second;
}

bool drawTriangles() {
  return drawTriangles_;
}

void setRendererHooks(const RendererHooks& hooks) {
  rendererHooks_ = hooks;
}

}  // namespace level
