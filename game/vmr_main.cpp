// vmr_main: the game program. It decides its start-up settings from the built-in values,
// the stored preferences and the command line, then brings up the console. Until the game
// has its window, the console runs on the terminal.

#include <iostream>
#include <string>

#include "game/console/console.h"
#include "game/console/console_session.h"
#include "game/core/startup_settings.h"

namespace {

std::string joinArguments(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

void printSettings(const StartupSettings& settings) {
  console::print("\n");
  console::print(kWindowTitle);
  console::print("\nDetail level ");
  console::print(settings.detailLevel);
  console::print(", ");
  console::print(settings.resolutionX);
  console::print(" x ");
  console::print(settings.resolutionY);
  console::print(settings.fullscreen ? ", full screen" : ", windowed");
  console::print(", first level ");
  console::print(settings.startMap);
  console::print(
      "\nThis build has no window yet: the console runs here. "
      "Type Commands for a list, Quit to leave.");
}

}  // namespace

int main(int argc, char** argv) {
  StartupSettings settings;
  readPreferences(settings);
  parseCommandLine(joinArguments(argc, argv), settings);

  console::ScopedOutputStream stream(std::cout);
  console::initialise();
  printSettings(settings);
  console::runConsoleSession(std::cin);
  console::shutdown();
  std::cout << std::endl;
  return 0;
}
