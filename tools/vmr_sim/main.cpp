// vmr_sim: runs the game's modules headless. With --level it starts a level, runs the ticks
// asked for (with a script's actions) and prints a summary of the final state; with
// --console it types standard input into the developer console line by line, after the
// ticks. What the console prints is streamed to standard output, or to standard error when
// --json keeps standard output for the summary alone.

#include <filesystem>
#include <iostream>

#include "common/install_layout.h"
#include "common/random.h"
#include "common/regular_file.h"
#include "game/console/console.h"
#include "game/console/console_session.h"
#include "game/simulation/player_settings.h"
#include "game/simulation/simulation.h"
#include "tools/vmr_sim/replay_run.h"
#include "tools/vmr_sim/route_check.h"
#include "tools/vmr_sim/sim_options.h"
#include "tools/vmr_sim/sim_run.h"

namespace {

// A script is typed by hand, one action a line; a megabyte is tens of thousands of actions.
constexpr size_t kMaxScriptBytes = size_t{1} << 20;

// Without --data the simulator runs where it was started when that is a data folder, else in
// the data folder of its own tree, as the game does.
bool enterDataFolder(const std::string& folder) {
  std::error_code error;
  if (folder.empty()) {
    if (isDataFolder(std::filesystem::current_path(error))) return true;
    if (const std::optional<std::filesystem::path> beside = programDataFolder())
      std::filesystem::current_path(*beside, error);
    return true;
  }
  std::filesystem::current_path(folder, error);
  if (error)
    std::cerr << "vmr_sim: can't enter the data folder " << folder << ": " << error.message()
              << "\n";
  return !error;
}

// Files named on the command line are where the user sees them, relative to where vmr_sim
// was started, not in the data folder it then enters (which it only reads).
void takeFromHere(std::string& file) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(file, error);
  if (!file.empty() && !error) file = absolute.string();
}

// The script is named relative to where vmr_sim was started, so it is read before the
// data folder is entered. A folder, device or pipe is reported like a missing script.
bool readScript(const std::string& file, SimScript& script) {
  if (file.empty()) return true;
  const FileContents text = readRegularFile(file, kMaxScriptBytes);
  if (text.result == FileReadResult::kTooLarge) {
    std::cerr << "vmr_sim: " << file << ": too large for a script\n";
    return false;
  }
  if (!text.complete()) {
    std::cerr << "vmr_sim: can't read the script " << file << "\n";
    return false;
  }
  std::string error;
  auto parsed = parseSimScript(text.bytes, error);
  if (!parsed) {
    std::cerr << "vmr_sim: " << file << ", " << error << "\n";
    return false;
  }
  script = std::move(*parsed);
  return true;
}

// The frames that pace the ticks, when asked for: a file of frame lengths is named relative to
// where vmr_sim was started, so it is read before the data folder is entered.
bool readFrames(const SimOptions& options, SimRunSettings& settings) {
  if (options.fps > 0.0) settings.frames = FrameSource::steady(options.fps);
  if (options.jittered()) settings.frames = FrameSource::jittered(options.jitterSeed);
  if (options.frameTimes.empty() || options.jittered()) return true;
  const FileContents text = readRegularFile(options.frameTimes, kMaxScriptBytes * 16);
  if (!text.complete()) {
    std::cerr << "vmr_sim: can't read the frame times " << options.frameTimes
              << (text.result == FileReadResult::kTooLarge ? ": too large\n" : "\n");
    return false;
  }
  std::string error;
  std::optional<std::vector<double>> lengths = parseFrameTimes(text.bytes, error);
  if (!lengths) std::cerr << "vmr_sim: " << options.frameTimes << ", " << error << "\n";
  if (lengths) settings.frames = FrameSource::recorded(std::move(*lengths));
  return lengths.has_value();
}

// Whether the run kept the route's expectations, said on standard error.
bool reportRoute(const SimRunSettings& settings, const SimSummary& summary) {
  const std::string missed = unmetExpectations(settings.script.expected, summary, settings);
  std::cerr << (missed.empty() ? "route: kept\n" : "route: missed\n" + missed) << std::flush;
  return missed.empty();
}

void printSummary(const SimOptions& options, const SimSummary& summary,
                  const std::vector<std::string>* replayDiffers = nullptr) {
  if (options.json) std::cout << summaryJson(summary, replayDiffers) << std::flush;
  if (!options.json) std::cout << "\n" << summaryText(summary) << std::flush;
}

// Runs the level and prints its summary; writes the replay when asked. 0, 1 when the level
// was refused or the replay couldn't be written, 3 when the route missed.
int runLevel(const SimOptions& options, const SimRunSettings& settings, bool& started) {
  std::optional<replay::Replay> recording;
  const std::optional<SimSummary> summary =
      runSimulation(settings, {}, options.recordFile.empty() ? nullptr : &recording);
  started = summary.has_value();
  if (!summary) return 1;
  printSummary(options, *summary);
  std::string error;
  if (!options.recordFile.empty() && !recording) {
    std::cerr << "vmr_sim: the run's console lines are more than a replay keeps\n";
    return 1;
  }
  if (recording && !writeReplayFile(options.recordFile, *recording, error)) {
    std::cerr << "vmr_sim: " << error << "\n";
    return 1;
  }
  if (settings.script.expected.any() && !reportRoute(settings, *summary)) return 3;
  return 0;
}

// Plays the replay back and prints its summary and whether it matches. 0, 1 when the replay
// was refused, 3 when it doesn't match.
int runReplay(const SimOptions& options, bool& started) {
  std::string error;
  const std::optional<ReplayOutcome> outcome = playReplayFile(options.replayFile, error);
  started = outcome.has_value();
  if (!outcome) {
    std::cerr << "vmr_sim: " << error << "\n";
    return 1;
  }
  printSummary(options, outcome->summary, &outcome->differingKeys);
  std::cerr << (outcome->mismatches.empty() ? "replay: matches\n"
                                            : "replay: differs\n" + outcome->mismatches)
            << std::flush;
  return outcome->mismatches.empty() ? 0 : 3;
}

// Runs the level or the replay when one is named, then types standard input into the
// console.
int run(const SimOptions& options, const SimRunSettings& settings) {
  std::ostream& consoleOutput = options.json || options.verifyScores ? std::cerr : std::cout;
  console::ScopedOutputStream stream(consoleOutput);
  console::initialise();
  player_settings::registerConsoleEntries();
  int status = 0;
  bool started = false;
  if (!options.level.empty()) status = runLevel(options, settings, started);
  if (!options.replayFile.empty()) status = runReplay(options, started);
  if (options.verifyScores && !verifyHighScores(std::cout)) status = 3;
  if (options.console) console::runConsoleSession(std::cin);
  if (started) simulation::endLevel();
  console::shutdown();
  consoleOutput << std::endl;
  return status;
}

// A replay keeps only what a player can do and the console lines, for a few hours of ticks.
bool recordable(const SimOptions& options, const SimRunSettings& settings) {
  if (options.recordFile.empty()) return true;
  if (settings.ticks > int64_t{replay::kMaxTicks}) {
    std::cerr << "vmr_sim: --record keeps at most " << replay::kMaxTicks << " ticks\n";
    return false;
  }
  const SimScript& script = settings.script;
  for (const ScriptAction& action : script.actions)
    if (action.kind == ScriptActionKind::kAngle) {
      std::cerr << "vmr_sim: --record can't keep the angle action on line " << action.lineNumber
                << ": hold the turning keys instead\n";
      return false;
    }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = parseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << error << "\n" << kSimUsage;
    return 2;
  }
  if (options->help || (!options->console && options->level.empty() &&
                        options->replayFile.empty() && !options->verifyScores)) {
    std::cout << kSimUsage;
    return options->help ? 0 : 2;
  }
  SimRunSettings settings;
  settings.level = options->level;
  settings.ticks = options->ticks;
  settings.dt = options->dt;
  settings.seed = options->seed;
  settings.holdScale = options->holdScale;
  settings.viewWidth = options->viewWidth;
  settings.viewHeight = options->viewHeight;
  if (!readScript(options->scriptFile, settings.script)) return 2;
  if (!readFrames(*options, settings)) return 2;
  lengthenForRoute(settings);
  if (!recordable(*options, settings)) return 2;
  SimOptions started = *options;
  takeFromHere(started.replayFile);
  takeFromHere(started.recordFile);
  if (!enterDataFolder(started.dataFolder)) return 1;
  rng::seed(started.seed);
  return run(started, settings);
}
