#pragma once
// The level's debug overlays, drawn once per frame over the level in world coordinates.

namespace level {

// The collision tree's overlays, then, while "DrawTriangles" is on, the triangles of every
// polygon as red lines where the polygon stands now (its outline plus its offset).
void drawLevelDebug();

}  // namespace level
