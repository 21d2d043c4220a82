#pragma once
// The command line of the headless simulator.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SimOptions {
  bool console = false;    // --console: type standard input into the console
  std::string dataFolder;  // --data DIR: the working directory to run in; empty: stay
  std::string level;       // --level PATH: the level file to load, a data path
  uint64_t seed = 1;       // --seed K: the game's random source starts here
  int64_t ticks = 0;       // --ticks N: ticks to run after the level started
  float dt = 0.0333333f;   // --dt S: seconds per tick, above 0
  std::string scriptFile;  // --script FILE: actions at given ticks; empty: none
  std::string recordFile;  // --record FILE: the run's replay is written there; empty: none
  std::string replayFile;  // --replay FILE: plays the replay instead of a level; empty: none
  bool json = false;       // --json: the summary as JSON alone on standard output
  bool verifyScores = false;  // --verify-scores: replay the high-score table's runs
  bool help = false;       // --help
};

// The options, or nullopt after writing a message into `error`. --ticks, --script and
// --record need --level, --json needs --level or --replay, and --replay stands without them.
std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& arguments,
                                          std::string& error);

extern const char* const kSimUsage;
