#include "game/simulation/replay_recorder.h"

#include <bit>
#include <utility>

#include "common/data_path.h"
#include "common/fnv_hash.h"
#include "common/regular_file.h"
#include "common/version.h"
#include "game/level/level_file_format.h"
#include "game/platform/platform_services.h"
#include "game/simulation/level_completion.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"

ReplayRecorder::ReplayRecorder(replay::ReplayHeader header) {
  replay_.header = std::move(header);
}

void ReplayRecorder::noteRestart() {
  pending_.restart = true;
}

void ReplayRecorder::noteConsoleLine(std::string line) {
  ++consoleLines_;
  consoleBytes_ += line.size();
  overfull_ = overfull_ || line.size() > replay::kMaxConsoleLineBytes ||
              pending_.consoleLines.size() == replay::kMaxConsoleLinesPerTick ||
              consoleLines_ > replay::kMaxConsoleLines || consoleBytes_ > replay::kMaxConsoleBytes;
  if (!overfull_) pending_.consoleLines.push_back(std::move(line));
}

void ReplayRecorder::recordTick(float t, const simulation::TickControls& controls,
                                const simulation::TickReport& report) {
  replay::ReplayTick& tick = replay_.ticks.emplace_back(std::exchange(pending_, {}));
  tick.stepBits = std::bit_cast<uint32_t>(t);
  tick.paused = controls.paused;
  tick.turnTaken = report.turnInput.has_value();
  if (report.turnInput) {
    tick.left = report.turnInput->left;
    tick.right = report.turnInput->right;
    tick.mouseTurn = report.turnInput->mouseTurn;
    tick.stickTurn = report.turnInput->stickTurn;
  }
  tick.clockStepMs = report.clockStepMs;
}

replay::Replay ReplayRecorder::finish() const {
  replay::Replay finished = replay_;
  finished.header.tickCount = tickCount();
  finished.header.finalStateHash = simulation::stateHash();
  finished.header.score = currentScoreParts();
  return finished;
}

std::optional<uint64_t> levelFileHash(std::string_view levelFile) {
  const FileContents file = readRegularFile(resolveDataPath(levelFile), level_file::kMaxFileBytes);
  if (!file.complete()) return std::nullopt;
  return fnv1a64(file.bytes);
}

replay::ReplayHeader replayHeaderHere(std::string_view levelFile, uint64_t seed) {
  replay::ReplayHeader header;
  header.gameVersion = std::string(kVersionText);
  header.levelFile = std::string(levelFile);
  header.levelHash = levelFileHash(levelFile).value_or(0);
  header.seed = seed;
  header.viewWidth = platform::services().clientWidth();
  header.viewHeight = platform::services().clientHeight();
  header.reducedMotion = camera::reducedMotion();
  return header;
}

replay::ScoreParts currentScoreParts() {
  return {level_record::isFinishing(), level_record::elapsedMs(),
          level_completion::timeScore(), uint32_t(level_completion::waterScore()),
          uint32_t(level_completion::score())};
}
