#pragma once
// The meeting of a moving particle with the particles of the nine grid cells around it:
// each within 4 units evens out velocity, push and heat with it, and those not on top of it
// crowd it, which the mover turns into a push apart.

#include <cstdint>

#include "game/water/particle.h"

namespace neighbour_meeting {

constexpr float kNeighbourDistance = 4.0f;

// The neighbours that crowd a particle: the sum of their directions towards it, the sum of
// their overlaps with the neighbour distance, and how many.
struct Crowding {
  Vec2 directionSum;
  float overlapSum = 0.0f;
  int32_t count = 0;
};

// The particle's own cell of the step's start first (without the particle itself), then the
// eight around it, row by row; within a cell in the grid's order.
Crowding meetNeighbours(Particle& particle);

// Neighbour pairs looked at by every meeting so far, near enough or not, for the benchmarks.
uint64_t examinedPairs();

}  // namespace neighbour_meeting
