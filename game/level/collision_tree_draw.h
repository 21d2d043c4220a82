#pragma once
// The collision tree's debug overlays, drawn over the level in world coordinates with the
// transform in force. Their flags are the console variables "BspSplitDraw", "BspWalkDraw",
// "BspCastDraw" and "BspNodeDraw".

namespace collision {

// Each overlay whose flag is on, in the order split lines, walk node, cast rays, nodes.
// Leaves the OpenGL state as it found it.
void drawCollisionDebug();

}  // namespace collision
