// vmr_main: the game program.

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "common/install_layout.h"
#include "game/app/startup.h"
#include "game/console/console_session.h"

namespace {

std::string joinArguments(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

// The game runs in its data folder. The launcher starts it there; started from anywhere else
// (a terminal, a file manager), it moves into the data folder of its own tree.
void enterDataFolder() {
  std::error_code error;
  if (isDataFolder(std::filesystem::current_path(error))) return;
  if (const std::optional<std::filesystem::path> folder = programDataFolder())
    std::filesystem::current_path(*folder, error);
}

}  // namespace

int main(int argc, char** argv) {
  enterDataFolder();
  // Everything the console prints also goes to the terminal the game was started from, so a
  // bug report can carry it.
  console::ScopedOutputStream stream(std::cout);
  const int exitCode = runProgram(joinArguments(argc, argv));
  std::cout << std::endl;
  return exitCode;
}
