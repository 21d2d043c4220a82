#pragma once
// Watching a recorded run in the game: the run's level is begun afresh with the replay's
// random source position and a simulated clock, then every game tick plays the replay's next
// tick instead of reading the player, with the camera's motion as the run had it. The playback ends with the replay, or when the player
// ends it; the game then takes the real clock back.

#include <optional>
#include <string>
#include <string_view>

#include "game/simulation/replay_file.h"
#include "game/simulation/simulation.h"

namespace run_playback {

// The last run of `map` as kept in the user's data folder, ready to watch; nullopt, with the
// reason in `error`, when there is none, it is refused, the level has changed since or it
// holds a console line a replay may not run (checked against the running level's entries).
std::optional<replay::Replay> lastRunOf(std::string_view map, std::string& error);

// Takes over the clock and the random source for `replay`; the caller begins its level
// right after, then plays its ticks.
void start(replay::Replay replay);
bool isPlaying();
// The replay's next tick; ends the playback after its last.
simulation::TickReport playTick();
// Ends the playback and gives the real clock back, when the game ran on it.
void stop();

}  // namespace run_playback
