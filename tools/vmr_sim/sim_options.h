#pragma once
// The command line of the headless simulator.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct SimOptions {
  bool console = false;    // --console: type standard input into the console
  std::string dataFolder;  // --data DIR: the working directory to run in; empty: stay
  std::string level;       // --level PATH: the level file to load, a data path
  uint64_t seed = 1;       // --seed K: the game's random source starts here
  int64_t ticks = 0;       // --ticks N: ticks to run after the level started
  float dt = 0.0333333f;   // --dt S: seconds per tick, above 0
  double fps = 0.0;        // --fps F: ticks paced by steady frames of 1/F s; 0: fixed ticks
  std::string frameTimes;  // --frame-times FILE|jitter:SEED: ticks paced by these frames
  uint64_t jitterSeed = 0;  // the SEED of --frame-times jitter:SEED
  double holdScale = 1.0;  // --hold-scale K: the script's holds last K times as long
  int32_t viewWidth = 1024;  // --view WxH: the window's client size the view takes its shape
  int32_t viewHeight = 768;  // from
  std::string scriptFile;  // --script FILE: actions at given ticks; empty: none
  std::string recordFile;  // --record FILE: the run's replay is written there; empty: none
  std::string replayFile;  // --replay FILE: plays the replay instead of a level; empty: none
  bool json = false;       // --json: the summary as JSON alone on standard output
  bool verifyScores = false;  // --verify-scores: replay the high-score table's runs
  bool help = false;       // --help

  bool framePaced() const { return fps > 0.0 || !frameTimes.empty(); }
  bool jittered() const { return frameTimes.starts_with(kJitterPrefix); }
  static constexpr std::string_view kJitterPrefix = "jitter:";
};

// The options, or nullopt after writing a message into `error`. --ticks, --script, --record,
// --fps, --frame-times and --hold-scale need --level, --json needs --level or --replay, and
// --replay stands without them. --fps and --frame-times pace the ticks; one of them at most.
std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& arguments,
                                          std::string& error);

extern const char* const kSimUsage;
