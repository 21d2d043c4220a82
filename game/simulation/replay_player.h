#pragma once
// Plays a recorded run back into the running level: before each tick the restarts and
// console lines that came before it, the run-time clock set to the reading the level clock
// took, then the tick with its own time step and turn input. Needs the simulated clock
// (game_clock::useSimulatedClock) from before the level began.

#include <cstddef>
#include <string>

#include "game/simulation/replay_file.h"
#include "game/simulation/simulation.h"

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

// Why playback refuses the replay, "" when it doesn't: a console line that names no entry a
// replay may run (console::playsInReplay). A replay may come from anyone, so it is checked
// whole before any of it plays. Asks the registry as it stands, so the replay's level must
// have been started.
std::string refusedConsoleLine(const replay::Replay& replay);
// Whether the run typed console lines into the world at all.
bool usedTheConsole(const replay::Replay& replay);
