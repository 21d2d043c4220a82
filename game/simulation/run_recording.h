#pragma once
// The game's recording of each run of a level. A run starts with its level or a restart and
// is recorded from its first tick of play (menus open before it consume nothing) to the
// level-finished menu, a restart, another level or the game's end; then it is kept as the
// level's last run, "replays\<level>-last.vrep" in the user's data folder. Ticks with a
// menu open consume nothing and are left out; console lines that change the world, typed
// or from a script, are kept before the tick they came before.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "game/simulation/simulation.h"

namespace run_recording {

// A run of `map` begins now, with the random source at `seed` (rng::position taken before
// the level or its restart began). Ends the run before it, keeping it.
void runBegun(std::string_view map, uint64_t seed);
// After each game tick; `menuOpen` as it was for the tick.
void tickDone(float t, const simulation::TickControls& controls,
              const simulation::TickReport& report, bool menuOpen);
// Ends the run being recorded and keeps it when it has ticks.
void endRun();

// The file a level's last run is kept in; nothing without a user data folder.
std::optional<std::filesystem::path> lastRunFile(std::string_view map);

}  // namespace run_recording
