// vmr_sim: runs the game's modules headless. With --level it loads a level file; with
// --console it types standard input into the developer console line by line. What the
// console prints is streamed to standard output.

#include <filesystem>
#include <iostream>

#include "common/random.h"
#include "game/console/console.h"
#include "game/console/console_session.h"
#include "game/level/level_data.h"
#include "tools/vmr_sim/sim_options.h"

namespace {

bool enterDataFolder(const std::string& folder) {
  if (folder.empty()) return true;
  std::error_code error;
  std::filesystem::current_path(folder, error);
  if (error)
    std::cerr << "vmr_sim: can't enter the data folder " << folder << ": " << error.message()
              << "\n";
  return !error;
}

// Loads the level first when one is named, then types standard input into the console.
int run(const SimOptions& options) {
  console::ScopedOutputStream stream(std::cout);
  console::initialise();
  bool loaded = true;
  if (!options.level.empty()) {
    level::loadSurfaces();
    loaded = level::loadLevel(options.level);
  }
  if (options.console) console::runConsoleSession(std::cin);
  if (loaded && !options.level.empty()) level::clearLevel();
  console::shutdown();
  std::cout << std::endl;
  return loaded ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = parseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << error << "\n" << kSimUsage;
    return 2;
  }
  if (options->help || (!options->console && options->level.empty())) {
    std::cout << kSimUsage;
    return options->help ? 0 : 2;
  }
  if (!enterDataFolder(options->dataFolder)) return 1;
  rng::seed(options->seed);
  return run(*options);
}
