#pragma once
// Whether every number of the water is still finite. A console value or a force large enough
// overflows a velocity to infinity, and the next step turns it into NaN: such water is
// dropped as having left the world, and a run in which it happened wins nothing.

#include <optional>
#include <string>

#include "game/water/particle_group.h"

// The first free particle or ice group with a number that is not finite, said as "free
// particle 3 has the position (nan, nan)"; nothing when all are finite.
std::optional<std::string> nonFiniteWater(const ParticleList& particles,
                                          const ParticleGroupList& groups);
