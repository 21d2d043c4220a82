#pragma once
// The polygons that change while the level runs: those carried by movers and those that
// triggers remove and add. They are drawn every frame from their triangles, at their mover
// offset and only while enabled, after a cull against a generous box around the view.

#include <cstdint>
#include <span>

#include "game/level/polygon.h"

namespace dynamic_polygon_renderer {

// Lists the moving and switchable polygons of the loaded level. Called by loadLevel through
// the renderer hooks.
void initialiseDynamicRenderer();
// Forgets the listed polygons. Called by clearLevel before the polygons are destroyed.
void shutdownDynamicRenderer();

// Once per drawn frame, before any layer: queues every enabled polygon whose moved bounding
// box touches a square of 0.65 times the larger view side (times the zoom) around the
// camera centre. The square is larger than the view, so a turned view never shows a corner
// that was culled.
void prepareDynamicPolygons();
// Draws the queue of layer 0..4 and empties it.
void drawDynamicLayer(int32_t layer);

// The polygons queued for the layer and not drawn yet, in queue order.
std::span<const Polygon* const> drawQueue(int32_t layer);

}  // namespace dynamic_polygon_renderer
