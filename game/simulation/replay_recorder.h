#pragma once
// Records what the simulation consumes, tick by tick, from a level's start: the tick's time
// step, the turn input the camera took (if it took any), the run-time clock's reading the
// level clock took, and the restarts and console lines that came before the tick. Nothing
// that only draws or sounds. Played back through ReplayPlayer, the same ticks give the same
// world, bit for bit.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/simulation/replay_file.h"
#include "game/simulation/simulation.h"

class ReplayRecorder {
 public:
  // Starts on a level that has just begun; `header` names the level, the seed and the view.
  explicit ReplayRecorder(replay::ReplayHeader header);

  void noteRestart();
  // A line past a replay's limits (its length, the lines of one tick or of the whole run)
  // is not kept, and the recording is overfull from then on.
  void noteConsoleLine(std::string line);
  bool overfull() const { return overfull_; }
  // After simulation::tick(t, controls) returned `report`.
  void recordTick(float t, const simulation::TickControls& controls,
                  const simulation::TickReport& report);
  // The replay of the ticks so far, ending in the running level's state and score.
  replay::Replay finish() const;

  uint32_t tickCount() const { return uint32_t(replay_.ticks.size()); }

 private:
  replay::Replay replay_;
  replay::ReplayTick pending_;  // what comes before the next tick
  size_t consoleLines_ = 0;     // in the whole run, and their bytes
  size_t consoleBytes_ = 0;
  bool overfull_ = false;
};

// The running level's score parts, as a replay's header keeps them.
replay::ScoreParts currentScoreParts();
// A header for a run of the level file `levelFile` (a data path) that has just begun here
// with the random source at `seed` (rng::position before the level began): the game's
// version, the file's hash (0 when it can't be read) and the view.
replay::ReplayHeader replayHeaderHere(std::string_view levelFile, uint64_t seed);
// The hash of the level file's bytes a replay keeps; nullopt when the file can't be read.
std::optional<uint64_t> levelFileHash(std::string_view levelFile);
