#pragma once
// The "TriggerDraw" overlay: every trigger's area in world coordinates, labelled with its
// target id and type name.

namespace triggers {

// Draws nothing unless "TriggerDraw" is on; leaves the OpenGL state as it found it.
void drawTriggers();

}  // namespace triggers
