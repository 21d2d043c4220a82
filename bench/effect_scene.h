#pragma once
// Twenty emitters spread over the view, run from the shipped emitter settings, for the
// benchmarks of the effect sprites' step, their drawing runs and whole frames.

#include <cstdint>

// Adds the emitters around the camera's centre, each releasing its share of `sprites` per
// two-second lifetime, and steps them for one lifetime so births and deaths balance. The
// data folder must be the working directory.
void addBenchEmitters(int64_t sprites, float step);

// The game's budget for stepping and sorting 10,000 sprites, in milliseconds a frame.
inline constexpr double kEffectTargetMilliseconds = 1.0;
