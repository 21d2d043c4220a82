#pragma once
// Connects the polygon renderers to the level data, which loads levels without a drawing
// context: once installed, every loaded level is compiled for drawing and every cleared one
// released. The game installs them at start-up, once its window exists.

namespace level {

void installLevelRenderers();
// Back to loading without drawing, as tools and tests do.
void uninstallLevelRenderers();

}  // namespace level
