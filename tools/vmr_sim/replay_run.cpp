#include "tools/vmr_sim/replay_run.h"

#include <chrono>
#include <iostream>

#include "common/atomic_file.h"
#include "common/random.h"
#include "common/text.h"
#include "game/gui/high_score_replays.h"
#include "game/gui/high_score_table.h"
#include "game/platform/game_clock.h"
#include "game/platform/headless_services.h"
#include "game/simulation/replay_player.h"
#include "game/simulation/replay_recorder.h"
#include "game/simulation/simulation.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"

namespace {

std::optional<replay::Replay> readReplay(const std::string& file, std::string& error) {
  replay::ReplayReadResult read = replay::readReplayFile(file);
  error = read.error;
  return std::move(read.replay);
}

bool sameLevel(const replay::ReplayHeader& header, std::string& error) {
  const std::optional<uint64_t> hash = levelFileHash(header.levelFile);
  if (!hash)
    error = "the replay's level " + header.levelFile + " is not in this data folder";
  else if (*hash != header.levelHash)
    error = "the level " + header.levelFile + " has changed since the replay was made";
  return error.empty();
}

// Starts the replay's level as it was started when it was recorded.
bool startAsRecorded(const replay::ReplayHeader& header) {
  platform::HeadlessServices& services = platform::headlessServices();
  services.reopen();
  services.releaseAllKeys();
  services.setClientSize(header.viewWidth, header.viewHeight);
  rng::restore(header.seed);
  camera::setReducedMotion(header.reducedMotion);
  game_clock::useSimulatedClock();
  return simulation::startLevel(header.levelFile);
}

// Each thing the run reached that differs from the replay's header: a line of text each, and
// the summary's key for it.
void compare(const replay::Replay& replay, ReplayOutcome& outcome) {
  const replay::ReplayHeader& h = replay.header;
  const replay::ScoreParts reached = currentScoreParts();
  const auto check = [&outcome](bool same, std::string_view key, const std::string& what) {
    if (same) return;
    outcome.mismatches += what + " differs from the replay's\n";
    outcome.differingKeys.emplace_back(key);
  };
  check(outcome.summary.stateHash == h.finalStateHash, "state_hash", "the final state hash");
  check(outcome.summary.won == h.score.won, "won", "the win");
  check(reached.levelClockMs == h.score.levelClockMs, "level_clock_ms", "the level time");
  check(reached.timeScore == h.score.timeScore, "time_score", "the time score");
  check(reached.waterScore == h.score.waterScore, "water_score", "the water score");
  check(reached.score == h.score.score, "score", "the score");
}

// A long replay plays for minutes: where it stands is said on standard error now and then.
class ProgressReport {
 public:
  explicit ProgressReport(size_t tickCount) : tickCount_(tickCount) {}

  void tickPlayed(int64_t ticks) {
    if (ticks % kTicksBetweenLooks != 0 || Clock::now() < nextReport_) return;
    std::cerr << "replay: tick " << ticks << " of " << tickCount_ << "\n" << std::flush;
    nextReport_ = Clock::now() + kInterval;
  }

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr int64_t kTicksBetweenLooks = 1000;
  static constexpr std::chrono::seconds kInterval{5};
  size_t tickCount_;
  Clock::time_point nextReport_ = Clock::now() + kInterval;
};

}  // namespace

std::optional<ReplayOutcome> playReplayFile(const std::string& file, std::string& error) {
  const std::optional<replay::Replay> replay = readReplay(file, error);
  if (!replay || !sameLevel(replay->header, error)) return std::nullopt;
  if (!startAsRecorded(replay->header)) {
    error = "the level " + replay->header.levelFile + " was refused";
    return std::nullopt;
  }
  error = refusedConsoleLine(*replay);
  if (!error.empty()) {
    simulation::endLevel();
    return std::nullopt;
  }
  ReplayPlayer player(*replay);
  ProgressReport progress(replay->ticks.size());
  int64_t ticks = 0;
  int64_t winTick = -1;
  bool waterFinite = true;
  while (!player.done()) {
    player.playTick();
    ++ticks;
    if (winTick < 0 && level_record::isFinishing()) winTick = ticks;
    waterFinite = waterFinite && waterIsFinite();
    progress.tickPlayed(ticks);
  }
  ReplayOutcome outcome{summariseState(), {}, {}, usedTheConsole(*replay)};
  noteRunEnd(outcome.summary, ticks, winTick, waterFinite);
  compare(*replay, outcome);
  return outcome;
}

namespace {

// What the replay beside the entry says about its score.
std::string verdict(const high_scores::HighScoreEntry& entry, size_t rank, bool& contradicts) {
  const std::optional<std::filesystem::path> file =
      high_score_replays::replayFile(rank, entry.score);
  std::error_code missing;
  if (!file || !std::filesystem::is_regular_file(*file, missing)) return "no replay";
  std::string error;
  const std::optional<ReplayOutcome> outcome = playReplayFile(file->string(), error);
  const bool scored =
      outcome && outcome->mismatches.empty() && outcome->summary.score == int64_t{entry.score};
  if (outcome) simulation::endLevel();
  contradicts = contradicts || !scored;
  if (scored)
    return outcome->usedTheConsole ? "confirmed, made with console commands" : "confirmed";
  if (!outcome) return "not confirmed: " + error;
  if (!outcome->mismatches.empty())
    return "not confirmed: " + outcome->mismatches.substr(0, outcome->mismatches.find('\n'));
  return "not confirmed: its run scores " + std::to_string(outcome->summary.score);
}

}  // namespace

bool verifyHighScores(std::ostream& out) {
  high_scores::loadHighScores();
  const high_scores::HighScoreTable& table = high_scores::highScoreTable();
  bool contradicts = false;
  for (size_t rank = 0; rank < table.size(); ++rank) {
    out << rank + 1 << ". " << printableText(table[rank].nameText()) << " " << table[rank].score
        << ": " << verdict(table[rank], rank, contradicts) << "\n";
  }
  return !contradicts;
}

bool writeReplayFile(const std::string& file, const replay::Replay& replay, std::string& error) {
  const std::vector<uint8_t> bytes = replay::serializeReplay(replay);
  const bool written = replaceFileAtomically(
      file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (!written) error = "can't write the replay " + file;
  return written;
}
