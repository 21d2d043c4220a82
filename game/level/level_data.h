#pragma once
// The loaded level: its polygons, its start positions, the surface friction table and the
// association from each polygon to its edges in the collision tree. Loading, clearing and
// restarting a level with all its managers is game/simulation/level_loading.h's.

#include <cstdint>
#include <list>
#include <string_view>
#include <vector>

#include "common/vector2.h"
#include "game/level/collision_edge.h"
#include "game/level/polygon.h"

namespace level {

constexpr std::string_view kSurfacesConfigPath = "cfg\\surfaces.cfg";

// The level's polygons in file order; elements keep their addresses while listed, since
// collision edges, movers and triggers point at them.
std::list<Polygon>& levelPolygons();

Vec2 waterStart();
Vec2 cameraStart();
void setStartPositions(Vec2 water, Vec2 camera);

// Reads the five frictions from surfaces.cfg, each clamped to [0, 1].
void loadSurfaces();
// Surfaces are numbered 1 metal, 2 wood, 3 stone, 4 cloth, 5 sand.
bool isValidSurface(int32_t surface);
// The table's friction of a valid surface; 1 for any other number.
float surfaceFriction(int32_t surface);

// Loading a level, in the order game/simulation/level_loading.cpp runs these: the collision
// tree is built over the polygons and the renderers take them; each polygon's edges are
// listed; the debug flag "DrawTriangles" is registered.
void startGeometry();
void associateEdges();
void registerDebugEntries();
// Clearing it: the flag goes, the fixed polygons' renderer and the tree are let go; then the
// moving polygons' renderer; last the polygons themselves and their edge lists.
void stopGeometry();
void stopDynamicRenderer();
void clearPolygons();
// Every polygon enabled, solid as loaded and unmoved, every force on, every edge active.
void restartGeometry();
// Switches the collision of the polygon's edges and its solid flag.
void setPolygonSolid(Polygon& polygon, bool solid);
// The polygon's edges in the collision tree, in tree order; nullptr when it has none.
const std::vector<CollisionEdge*>* polygonEdges(const Polygon& polygon);

// The "DrawTriangles" debug flag.
bool drawTriangles();

// What loading and clearing a level ask of the polygon renderers. They need a drawing context,
// so the game installs them at start-up; without them (tools, tests, benchmarks) a level loads
// and clears without drawing anything.
struct RendererHooks {
  void (*initialiseGeometry)() = nullptr;  // compiles the fixed polygons
  void (*shutdownGeometry)() = nullptr;
  void (*initialiseDynamic)() = nullptr;  // lists the moving and switchable polygons
  void (*shutdownDynamic)() = nullptr;
};
// Replaces the installed hooks; a default-made RendererHooks removes them.
void setRendererHooks(const RendererHooks& hooks);

}  // namespace level
