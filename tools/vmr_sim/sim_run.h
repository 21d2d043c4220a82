#pragma once
// One headless run of a level: the random source seeded, the level started, ticks of a fixed
// length or paced by frames as the window paces them, with the script's actions before their
// ticks, and a summary of the state the run ends in. The same seed, level, script and tick
// lengths give the same state, bit for bit, and so the same state hash.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/vector2.h"
#include "game/simulation/replay_file.h"
#include "game/water/particle_group.h"
#include "tools/vmr_sim/frame_source.h"
#include "tools/vmr_sim/sim_script.h"

struct SimRunSettings {
  std::string level;  // a data path, as the game names level files
  int64_t ticks = 0;
  float dt = 0.0333333f;  // seconds per tick
  uint64_t seed = 1;
  SimScript script;
  // The lengths of the first ticks, one each, as a window run recorded them; dt after them.
  std::vector<float> tickTimes;
  // When set, the ticks are paced by these frames instead (dt and tickTimes are unused), and
  // the script's times are seconds of play.
  std::optional<FrameSource> frames;
  // A run paced by frames without a number of ticks lasts until its ticks cover this many
  // seconds.
  double seconds = 0.0;
  // The script's holds last this many times as long as written: a player's hand is no script.
  double holdScale = 1.0;
  // The window's client size the view takes its shape from: a wide window sees further
  // across, and the water kept near the view is kept further across too.
  int32_t viewWidth = 1024;
  int32_t viewHeight = 768;

  bool framePaced() const { return frames.has_value(); }
  // A script's time in the run's own unit: ticks of dt, or seconds when paced by frames.
  double timeOf(const ScriptTime& time) const {
    return framePaced() ? time.inSeconds() : time.inTicks(dt);
  }
};

struct SimSummary {
  int64_t ticks = 0;  // ticks run; fewer than asked when a console "Quit" closed the window
  size_t freeParticles = 0;
  size_t iceGroups = 0;
  size_t iceParticles = 0;    // the particles inside the ice groups
  size_t steamParticles = 0;  // free particles at or above the steam temperature
  Vec2 waterCentre;           // the camera's weighted water centre, seen from its position
  Vec2 cameraPosition;
  float cameraAngle = 0.0f;
  float cameraZoom = 0.0f;
  int32_t cameraMode = 0;
  uint64_t stateHash = 0;
  double msPerTick = 0.0;   // wall time of the ticks alone, per tick; 0 without ticks
  bool won = false;         // enough water reached the end area: the finish began, and the
                            // water's numbers stayed finite all the while
  bool waterFinite = true;  // no particle or ice group went non-finite on any tick
  int64_t winTick = -1;     // the tick after which it began; -1 when not won
  double winSeconds = -1.0;  // the ticks' seconds until then; -1 when not won
  bool levelOver = false;   // the finish has run out
  uint32_t levelClockMs = 0;
  uint32_t timeScore = 0;
  int32_t waterScore = 0;
  int64_t score = 0;
  int32_t checkpointsReached = 0;
  int32_t respawns = 0;              // all water lost and brought back at the checkpoint
  std::vector<Vec2> moverPositions;  // where each mover stands, in file order
};

// The summary of the running level's present state, without timing.
SimSummary summariseState();
// Whether every number of the running level's water is finite now.
bool waterIsFinite();
// Completes the summary of a run of `ticks` that began to win after `winTick` (-1: never) and
// whose water stayed finite after each tick (`finiteAllTheWhile`): a run whose water went
// non-finite has won nothing.
void noteRunEnd(SimSummary& summary, int64_t ticks, int64_t winTick, bool finiteAllTheWhile);

// Called after every tick with the number of ticks run so far; its time is not counted.
using TickObserver = std::function<void(int64_t ticksRun)>;

// Runs the level as `settings` says; nullopt when the level was refused. Needs a running
// console; leaves the level running (simulation::endLevel takes it down) and no key held.
// With `recording`, the run's replay is left there; nothing when its console lines are more
// than a replay keeps.
std::optional<SimSummary> runSimulation(const SimRunSettings& settings,
                                        const TickObserver& afterTick = {},
                                        std::optional<replay::Replay>* recording = nullptr);

// One "key: value" line per field, floats in their shortest exact form.
std::string summaryText(const SimSummary& summary);
// One JSON object with the same keys; points are [x, y], the hash a 16-digit hex string,
// a float that is not finite is null. A replay's playback adds "replay_differs", the keys
// of what differs from the replay's header (empty when all match).
std::string summaryJson(const SimSummary& summary,
                        const std::vector<std::string>* replayDiffers = nullptr);
