#pragma once
// The movers' debug overlays, drawn over the level in world coordinates: "MoverDraw" shows
// each mover's path and numbers, "DynamicNodeDraw" the collision edges of the carried solid
// polygons where they stand now.

namespace movers {

// The overlays whose flags are on; leaves the OpenGL state as it found it.
void drawMoverDebug();

}  // namespace movers
