#pragma once
// The world in the current transform: layers 0 and 1 with their objects behind the water,
// the water, layers 2 to 4 with theirs in front of it, the effect sprites, then the debug
// views whose console switches are on.

namespace world_draw {

void drawWorld();

}  // namespace world_draw
