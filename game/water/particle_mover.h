#pragma once
// Motion of the free particles: each moves in sub-steps of at most 1.7 units with a
// collision after each, slides along what it touched, and shares velocity and heat with the
// neighbours that crowd it; then the cohesion pass pulls each loose cluster of particles
// towards its centre, which keeps the liquid together as one body. Neighbours are found
// through the neighbour grid (particle_grid.h), linked before the particles move.

#include <cstdint>

#include "game/water/particle.h"
#include "game/water/particle_grid.h"

namespace particle_mover {

void initialise();
void shutdown();

// Moves the particle and lets it meet its neighbours in the grid. The particle's own values
// are its; its neighbours' are those of their grid slots (see particle_grid.h).
void moveParticle(Particle& particle, float dt);
void cohesionPass(ParticleList& particles, float dt);

}  // namespace particle_mover
