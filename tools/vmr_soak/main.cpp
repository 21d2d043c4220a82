// vmr_soak: plays the game's levels headless for a given time, round after round, with
// random turning, restarts and console commands, and fails when the water turns non-finite,
// grows where nothing made water, or when resident memory keeps growing once warmed up.
// The levels are the data folder's test level and the scenario levels, compiled from their
// sources into a scratch folder at start-up. Each round is a simulator run with a script, so
// a failing round is printed as a vmr_sim command and script that replay it exactly.

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/regular_file.h"
#include "game/console/console.h"
#include "game/level/level_file_format.h"
#include "game/simulation/simulation.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"
#include "game/world/level_record.h"
#include "tools/levelc/level_source.h"
#include "tools/vmr_sim/sim_run.h"
#include "tools/vmr_soak/memory_watch.h"
#include "tools/vmr_soak/soak_round.h"
#include "tools/vmr_soak/water_watch.h"

namespace {

const char* const kUsage =
    "Usage: vmr_soak --data DIR [--scenarios DIR] [--seconds N] [--seed K]\n"
    "  --data DIR       the data folder to run in; its test/testLevel.swah is played\n"
    "  --scenarios DIR  level sources (*.json) to compile and play as well\n"
    "  --seconds N      how long to play, in seconds (default 30)\n"
    "  --seed K         seed of the rounds' random choices (default 1)\n";

constexpr std::string_view kTestLevel = "test/testLevel.swah";
// Resident memory may grow this much over the warm-up's highest reading.
constexpr size_t kAllowedGrowth = size_t{1} << 20;
// The warm-up lasts a third of the run, at most a minute, and until every level has been
// played once: by then each level's allocations have been made once.
constexpr double kLongestWarmUp = 60.0;

struct SoakOptions {
  std::string dataFolder;
  std::string scenarioFolder;
  double seconds = 30.0;
  uint64_t seed = 1;
};

struct SoakLevel {
  std::string path;    // a data path, or an absolute one for the compiled scenarios
  std::string source;  // the level source it was compiled from; empty for the test level
  Vec2 waterStart;
};

struct Tally {
  int64_t rounds = 0;
  int64_t ticks = 0;
  int64_t restarts = 0;
  int64_t commands = 0;
  int64_t particleCreates = 0;
  std::set<std::string> levels;
};

template <typename Number>
bool parseNumber(const std::string& text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

std::optional<SoakOptions> parseOptions(int argc, char** argv) {
  SoakOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i], value = argv[i + 1];
    bool valid = true;
    if (name == "--data")
      options.dataFolder = value;
    else if (name == "--scenarios")
      options.scenarioFolder = value;
    else if (name == "--seconds")
      valid = parseNumber(value, options.seconds) && options.seconds > 0;
    else if (name == "--seed")
      valid = parseNumber(value, options.seed);
    else
      valid = false;
    if (!valid) return std::nullopt;
  }
  if (argc % 2 == 0 || options.dataFolder.empty()) return std::nullopt;
  return options;
}

// Level files and their sources, read as the game and the compiler read them: regular files
// only, within a level's cap (a source is allowed four times a level's bytes).
std::vector<uint8_t> readBytes(const std::filesystem::path& file) {
  const FileContents contents = readRegularFile(file, 4 * level_file::kMaxFileBytes);
  if (!contents.complete()) return {};
  return {contents.bytes.begin(), contents.bytes.end()};
}

Vec2 waterStartOf(const level_file::LevelFileContents& contents) {
  return {float(contents.start.waterStart.x), float(contents.start.waterStart.y)};
}

// The data folder's test level, as the game reads it.
std::optional<SoakLevel> testLevel() {
  const level_file::ReadResult read = level_file::readLevelFile(readBytes(kTestLevel));
  if (read.error) {
    std::cerr << "vmr_soak: " << kTestLevel << ": " << read.error->reason << "\n";
    return std::nullopt;
  }
  return SoakLevel{std::string(kTestLevel), "", waterStartOf(read.contents)};
}

// Each level source of `folder` compiled into `into`, in name order.
std::optional<std::vector<SoakLevel>> compileScenarios(const std::filesystem::path& folder,
                                                       const std::filesystem::path& into) {
  std::vector<std::filesystem::path> sources;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error))
    if (entry.path().extension() == ".json") sources.push_back(entry.path());
  if (error) {
    std::cerr << "vmr_soak: can't list " << folder << ": " << error.message() << "\n";
    return std::nullopt;
  }
  std::sort(sources.begin(), sources.end());
  std::vector<SoakLevel> levels;
  for (const std::filesystem::path& source : sources) {
    const std::vector<uint8_t> json = readBytes(source);
    const level_source::CompileResult compiled = level_source::compileLevelSource(
        std::string_view(reinterpret_cast<const char*>(json.data()), json.size()));
    if (compiled.error) {
      std::cerr << "vmr_soak: " << source.string() << ": " << *compiled.error << "\n";
      return std::nullopt;
    }
    const std::filesystem::path level = into / (source.stem().string() + ".swah");
    const std::vector<uint8_t> bytes = level_file::writeLevelFile(compiled.contents);
    if (!writeRegularFile(level, std::string_view(reinterpret_cast<const char*>(bytes.data()),
                                                  bytes.size()))) {
      std::cerr << "vmr_soak: can't write " << level.string() << "\n";
      return std::nullopt;
    }
    levels.push_back({level.string(), source.string(), waterStartOf(compiled.contents)});
  }
  return levels;
}

// A scratch folder of our own, removed with everything in it when the soak ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vmr_soak.XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Plays one round to its end; the first problem it showed, if any.
std::optional<std::string> playRound(const SoakRound& round, bool warmedUp, WaterWatch& water,
                                     MemoryWatch& memory, Tally& tally) {
  std::string error;
  const std::optional<SimScript> script = parseSimScript(round.scriptText, error);
  if (!script) return "the round's own script is wrong: " + error;
  std::set<int64_t> waterTicks;
  for (const ScriptAction& action : script->actions) {
    if (makesWater(action)) waterTicks.insert(int64_t(action.at.amount));
    tally.restarts += action.kind == ScriptActionKind::kRestart ? 1 : 0;
    tally.commands += action.kind == ScriptActionKind::kConsole ? 1 : 0;
    tally.particleCreates += makesWater(action) && action.kind == ScriptActionKind::kConsole;
  }

  SimRunSettings settings;
  settings.level = round.level;
  settings.ticks = round.ticks;
  settings.dt = round.dt;
  settings.seed = round.seed;
  settings.script = *script;
  water.newLevel();
  int32_t respawns = 0;
  std::optional<std::string> problem;
  const auto summary = runSimulation(settings, [&](int64_t ticksRun) {
    const int64_t tick = ticksRun - 1;
    const int32_t respawnsNow = level_record::respawnCount();
    const bool madeWater = tick == 0 || waterTicks.contains(tick) || respawnsNow != respawns;
    respawns = respawnsNow;
    const auto found = water.check(particle_manager::particleList(),
                                   grouped_particle_mover::groupList(), madeWater);
    if (found && !problem) problem = "after tick " + std::to_string(tick) + ": " + *found;
    if (const auto bytes = residentBytes()) memory.sample(*bytes, warmedUp);
  });
  if (!summary) return "the level was refused";
  simulation::endLevel();
  tally.rounds += 1;
  tally.ticks += summary->ticks;
  tally.levels.insert(round.level);
  return problem;
}

// The round's level, script and replay; a compiled scenario's scratch file is gone by the time
// anyone replays, so the replay compiles the level again.
void reportFailure(const SoakRound& round, const SoakLevel& level, const std::string& problem,
                   const std::string& dataFolder) {
  std::cerr << "vmr_soak: FAILED in a round of " << level.path << ", " << problem << "\n";
  SoakRound replay = round;
  std::cerr << "To replay, save the script below as round.txt";
  if (level.source.empty()) {
    std::cerr << " and run";
  } else {
    replay.level = (std::filesystem::temp_directory_path() / "round.swah").string();
    std::cerr << ", compile the level with\n  levelc " << level.source << " " << replay.level
              << "\nand run";
  }
  std::cerr << "\n  " << replayCommand(replay, dataFolder, "round.txt") << "\n" << round.scriptText;
}

int soak(const SoakOptions& options, const std::vector<SoakLevel>& levels) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  const auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
  const double warmUp = std::min(kLongestWarmUp, options.seconds / 3.0);
  std::optional<double> warmUpEnd;
  std::mt19937_64 random(options.seed);
  WaterWatch water;
  MemoryWatch memory(kAllowedGrowth);
  Tally tally;
  console::initialise();
  int status = 0;
  while (status == 0 && elapsed() < options.seconds) {
    const SoakLevel& level = levels[size_t(tally.rounds) % levels.size()];
    const bool warmedUp = elapsed() >= warmUp && size_t(tally.rounds) >= levels.size();
    if (warmedUp && !warmUpEnd) warmUpEnd = elapsed();
    const SoakRound round = planSoakRound(level.path, level.waterStart, random);
    if (const auto problem = playRound(round, warmedUp, water, memory, tally)) {
      reportFailure(round, level, *problem, options.dataFolder);
      status = 1;
    }
  }
  console::shutdown();

  std::cout << std::fixed << std::setprecision(1) << "vmr_soak: " << elapsed() << " s, seed "
            << options.seed << ": " << tally.levels.size() << " levels in " << tally.rounds
            << " rounds, " << tally.ticks << " ticks, " << tally.restarts << " restarts, "
            << tally.commands << " console commands (" << tally.particleCreates
            << " ParticleCreate), most water " << water.peakCount() << " particles\n";
  std::cout << "vmr_soak: resident memory peak " << megabytes(memory.peak());
  if (memory.measured())
    std::cout << "; the warm-up (" << *warmUpEnd << " s, every level once) peaked at "
              << megabytes(memory.baseline()) << ", growth allowed after it "
              << megabytes(kAllowedGrowth);
  else
    std::cout << "; the run ended within its warm-up, so growth was not measured";
  std::cout << std::endl;
  if (const auto problem = memory.problem()) {
    std::cerr << "vmr_soak: FAILED: " << *problem << "\n";
    status = 1;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<SoakOptions> options = parseOptions(argc, argv);
  if (!options) {
    std::cerr << kUsage;
    return 2;
  }
  // Relative folders are named from where the soak starts, before it enters the data folder.
  const ScratchFolder scratch;
  if (scratch.path().empty()) {
    std::cerr << "vmr_soak: can't make a scratch folder\n";
    return 1;
  }
  std::vector<SoakLevel> levels;
  if (!options->scenarioFolder.empty()) {
    auto scenarios = compileScenarios(options->scenarioFolder, scratch.path());
    if (!scenarios) return 1;
    levels = std::move(*scenarios);
  }
  std::error_code error;
  std::filesystem::current_path(options->dataFolder, error);
  if (error) {
    std::cerr << "vmr_soak: can't enter the data folder " << options->dataFolder << "\n";
    return 1;
  }
  const std::optional<SoakLevel> test = testLevel();
  if (!test) return 1;
  levels.insert(levels.begin(), *test);
  return soak(*options, levels);
}
