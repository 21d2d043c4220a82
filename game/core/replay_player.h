#pragma once
// Plays a recorded run back into the running level: before each tick the restarts and
// console lines that came before it, the run-time clock set to the reading the level clock
// took, then the tick with its own time step and turn input. Needs the simulated clock
// (game_clock::useSimulatedClock) from before the level began.

#include <cstddef>

#include "game/core/replay_file.h"
#include "game/core/simulation.h"

class ReplayPlayer {
 public:
  explicit ReplayPlayer(const replay::Replay& replay) : replay_(replay) {}

  bool done() const { return next_ >= replay_.ticks.size(); }
  // Plays the next tick.
  simulation::TickReport playTick();

 private:
  const replay::Replay& replay_;
  size_t next_ = 0;
};
