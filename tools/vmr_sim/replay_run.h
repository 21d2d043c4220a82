#pragma once
// Headless playback of a replay file: the level it names started with its seed and view,
// its ticks played back, and the end compared with what the replay says it reached.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "game/simulation/replay_file.h"
#include "tools/vmr_sim/sim_run.h"

struct ReplayOutcome {
  SimSummary summary;
  // One line for each thing that differs from the replay's header; empty when all match.
  std::string mismatches;
  std::vector<std::string> differingKeys;  // the summary's keys of the same things
  bool usedTheConsole = false;             // the run typed console lines into the world
};

// The replay file at `file` played back in the current data folder, saying on standard error
// how far it is every few seconds; nullopt, with the reason in `error`, when the file is
// refused, its level is missing or has changed since, or it holds a console line a replay
// may not run. Needs a running console; leaves the level running when it played.
std::optional<ReplayOutcome> playReplayFile(const std::string& file, std::string& error);

// Plays back the replay kept beside each entry of the player's high-score table and prints,
// entry by entry, whether it confirms the entry's score (and whether its run used console
// lines that change the world, so the score is not a player's alone). True when no replay kept
// there contradicts its entry. Needs a running console; leaves no level running.
bool verifyHighScores(std::ostream& out);

// Writes `replay` to `file` whole or not at all; false, with the reason in `error`.
bool writeReplayFile(const std::string& file, const replay::Replay& replay, std::string& error);
