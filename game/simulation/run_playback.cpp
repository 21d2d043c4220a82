#include "game/simulation/run_playback.h"

#include <memory>

#include "common/random.h"
#include "game/platform/game_clock.h"
#include "game/simulation/replay_player.h"
#include "game/simulation/replay_recorder.h"
#include "game/simulation/run_recording.h"
#include "game/world/camera.h"

namespace run_playback {
namespace {

struct Playback {
  replay::Replay replay;
  std::unique_ptr<ReplayPlayer> player;  // reads `replay`, which stays put
  bool clockWasSimulated = false;        // a headless game keeps its simulated clock
  bool playersReducedMotion = false;     // the run may have been made with the other
};
std::unique_ptr<Playback> playback;

}  // namespace

std::optional<replay::Replay> lastRunOf(std::string_view map, std::string& error) {
  const std::optional<std::filesystem::path> file = run_recording::lastRunFile(map);
  std::error_code missing;
  if (!file || !std::filesystem::exists(*file, missing)) {
    error = "There is no run of this level to watch.";
    return std::nullopt;
  }
  replay::ReplayReadResult read = replay::readReplayFile(*file);
  if (!read.replay)
    error = "The level's last run can't be watched: " + read.error + ".";
  else if (read.replay->header.levelFile != map ||
           levelFileHash(map) != read.replay->header.levelHash)
    error = "The level has changed since its last run.";
  else if (const std::string refusal = refusedConsoleLine(*read.replay); !refusal.empty())
    error = "The level's last run can't be watched: " + refusal + ".";
  if (!error.empty()) return std::nullopt;
  return std::move(read.replay);
}

void start(replay::Replay replay) {
  rng::restore(replay.header.seed);
  playback = std::make_unique<Playback>();
  playback->playersReducedMotion = camera::reducedMotion();
  camera::setReducedMotion(replay.header.reducedMotion);
  playback->clockWasSimulated = game_clock::isSimulated();
  game_clock::useSimulatedClock();
  playback->replay = std::move(replay);
  playback->player = std::make_unique<ReplayPlayer>(playback->replay);
}

bool isPlaying() {
  return playback != nullptr;
}

simulation::TickReport playTick() {
  const simulation::TickReport report = playback->player->playTick();
  if (playback->player->done()) stop();
  return report;
}

void stop() {
  if (playback && !playback->clockWasSimulated) game_clock::useRealClock();
  if (playback) camera::setReducedMotion(playback->playersReducedMotion);
  playback.reset();
}

}  // namespace run_playback
