#include "game/simulation/run_recording.h"

#include <string>

#include "common/atomic_file.h"
#include "common/command_registry.h"
#include "common/console_output.h"
#include "common/user_data_path.h"
#include "game/simulation/replay_recorder.h"
#include "game/world/level_record.h"

namespace run_recording {
namespace {

struct Run {
  std::string map;
  uint64_t seed = 0;
  std::optional<ReplayRecorder> recorder;  // from the run's first tick of play
  std::vector<std::string> earlyLines;     // the world's console lines before it
};
std::optional<Run> run;

// Only the world's console lines are kept: those a replay may run.
void lineExecuted(std::string_view line) {
  if (!run || !console::playsInReplay(line)) return;
  if (run->recorder)
    run->recorder->noteConsoleLine(std::string(line));
  else if (run->earlyLines.size() <= replay::kMaxConsoleLines)
    run->earlyLines.emplace_back(line);
}

void keep(const replay::Replay& replay, std::string_view map) {
  const std::optional<std::filesystem::path> file = lastRunFile(map);
  const std::vector<uint8_t> bytes = replay::serializeReplay(replay);
  if (!file || !replaceFileAtomically(*file, std::string_view(
                                                 reinterpret_cast<const char*>(bytes.data()),
                                                 bytes.size())))
    console::print("\nCould not keep the run's replay.");
}

// The level file's name without its folders and extension: "lev\01_a.swah" is "01_a".
std::string levelStem(std::string_view map) {
  const size_t slash = map.find_last_of("\\/");
  if (slash != std::string_view::npos) map.remove_prefix(slash + 1);
  return std::string(map.substr(0, map.rfind('.')));
}

}  // namespace

void runBegun(std::string_view map, uint64_t seed) {
  endRun();
  run = Run{std::string(map), seed, std::nullopt, {}};
  console::setExecutedLineObserver(lineExecuted);
}

void tickDone(float t, const simulation::TickControls& controls,
              const simulation::TickReport& report, bool menuOpen) {
  if (!run || menuOpen) return;
  if (!run->recorder) {
    run->recorder.emplace(replayHeaderHere(run->map, run->seed));
    for (std::string& line : run->earlyLines) run->recorder->noteConsoleLine(std::move(line));
  }
  if (run->recorder->tickCount() == replay::kMaxTicks) {
    console::print("\nThe run is too long for a replay; it is no longer recorded.");
    run.reset();
    return;
  }
  if (run->recorder->overfull()) {
    console::print(
        "\nThe run's console lines are too many for a replay; it is no longer recorded.");
    run.reset();
    return;
  }
  run->recorder->recordTick(t, controls, report);
  if (level_record::isLevelOver()) endRun();
}

void endRun() {
  if (run && run->recorder && run->recorder->tickCount() > 0)
    keep(run->recorder->finish(), run->map);
  run.reset();
  console::setExecutedLineObserver(nullptr);
}

std::optional<std::filesystem::path> lastRunFile(std::string_view map) {
  return prepareUserDataPath("replays/" + levelStem(map) + "-last.vrep");
}

}  // namespace run_recording
