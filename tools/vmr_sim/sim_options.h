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
  bool help = false;       // --help
};

// The options, or nullopt after writing a message into `error`.
std::optional<SimOptions> parseSimOptions(const std::vector<std::string>& arguments,
                                          std::string& error);

extern const char* const kSimUsage;
