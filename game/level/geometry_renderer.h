#pragma once
// The fixed level geometry: every visible polygon that neither moves nor is switched by a
// trigger is compiled once per level into one OpenGL display list per layer, so that a frame
// costs one list call per layer however large the level is.

#include <cstdint>

namespace geometry_renderer {

// Releases the previous level's lists, then compiles the polygons of the loaded level and
// registers "DrawLevelGeometry" (on). Called by loadLevel through the renderer hooks.
void initialiseGeometryRenderer();
// Deletes the lists and removes "DrawLevelGeometry". Called by clearLevel.
void shutdownGeometryRenderer();
// Calls the list of layer 0..4, unless it is absent or "DrawLevelGeometry" is off.
void drawStaticLayer(int32_t layer);

}  // namespace geometry_renderer
