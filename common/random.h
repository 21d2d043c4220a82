#pragma once
// The one random source of the whole game. Everything that draws a random number (particle
// creation, jitter, emitters, triggers, the camera shake) draws it here, so a headless run
// with a fixed time step and a seed always gives the same result.

#include <cstdint>

namespace rng {

// Restarts the sequence; the same seed gives the same sequence on every machine.
void seed(uint64_t value);
// A uniform number in [0, 1], both ends included.
float uniform();
// A raw 32-bit integer; taken modulo n it picks one of n items.
uint32_t raw();
// Where the sequence stands; restoring it goes on from there. A replay keeps it as the level
// run's seed.
uint64_t position();
void restore(uint64_t position);

}  // namespace rng
