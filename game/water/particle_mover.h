#pragma once
// Motion of the free particles: each moves in sub-steps of at most 1.7 units with a
// collision after each, slides along what it touched, and shares velocity and heat with the
// neighbours that crowd it; then the cohesion pass pulls each loose cluster of particles
// towards its centre, which keeps the liquid together as one body. Neighbours are found
// through a fixed grid of 2-unit cells around the camera.

#include <cstdint>

#include "game/water/particle.h"

namespace particle_mover {

constexpr int32_t kGridCells = 1024;  // per axis
constexpr float kCellSize = 2.0f;

void initialise();
void shutdown();
// Empties the grid and marks every particle of `particles` as outside it.
void reset(ParticleList& particles);

// Links the particle into the cell of its position, when that cell is inside the grid.
void gridInsert(Particle& particle);
void gridRemove(Particle& particle);
// The first particle linked into cell (x, y); nullptr when empty or outside the grid.
Particle* gridCell(int32_t x, int32_t y);

void moveParticle(Particle& particle, float dt);
void cohesionPass(ParticleList& particles, float dt);

}  // namespace particle_mover
