#pragma once
// One round of the soak: a level played for a few hundred ticks of one length, with a random
// script in the simulator's own script language, so that a round that goes wrong replays
// exactly with vmr_sim. The script turns the view (arrow keys held for a while, angles set
// outright), restarts the level, changes the water's settings through the console, asks
// the console for counts, and makes modest amounts of water near the water start.

#include <cstdint>
#include <random>
#include <string>

#include "common/vector2.h"
#include "tools/vmr_sim/sim_script.h"

struct SoakRound {
  std::string level;  // a data path
  int64_t ticks = 0;
  float dt = 0.0333333f;  // seconds per tick
  uint64_t seed = 1;      // of the game's random source
  std::string scriptText;
};

// A round of `level`, whose water starts at `waterStart`, drawn from `random`.
SoakRound planSoakRound(const std::string& level, Vec2 waterStart, std::mt19937_64& random);

// The action may add water: a restart, or a console line that makes particles.
bool makesWater(const ScriptAction& action);

// The vmr_sim command line that replays the round from the data folder `dataFolder`, with
// its script saved as `scriptFile`.
std::string replayCommand(const SoakRound& round, const std::string& dataFolder,
                          const std::string& scriptFile);
