// vmr_sim: runs the game's modules headless. With --console it types standard input into
// the developer console line by line and streams what the console prints to standard output.

#include <filesystem>
#include <iostream>

#include "common/random.h"
#include "game/console/console.h"
#include "game/console/console_session.h"
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

int runConsole() {
  console::ScopedOutputStream stream(std::cout);
  console::initialise();
  console::runConsoleSession(std::cin);
  console::shutdown();
  std::cout << std::endl;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = parseSimOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << error << "\n" << kSimUsage;
    return 2;
  }
  if (options->help || !options->console) {
    std::cout << kSimUsage;
    return options->help ? 0 : 2;
  }
  if (!enterDataFolder(options->dataFolder)) return 1;
  rng::seed(options->seed);
  return runConsole();
}
