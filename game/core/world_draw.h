#pragma once
// The world in the current transform: layers 0 and 1 behind the water, the water, layers 2
// to 4 in front of it, then the debug views whose console switches are on.

namespace world_draw {

void drawWorld();

}  // namespace world_draw
