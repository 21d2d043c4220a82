#pragma once
// The "ParticleGroupDraw" overlay: the outline of every ice group in world coordinates.

namespace grouped_particle_mover {

// A red circle of 64 segments at each group's centre with its current radius, while
// "ParticleGroupDraw" is on; leaves the OpenGL state as it found it.
void drawGroups();

}  // namespace grouped_particle_mover
