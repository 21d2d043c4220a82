#pragma once
// The "ForceDraw" overlay: each force as an arrow in world coordinates, green while it acts
// and red while a trigger has switched it off, labelled with its id and strength.

namespace forces {

// Draws nothing unless "ForceDraw" is on; leaves the OpenGL state as it found it.
void drawForces();

}  // namespace forces
