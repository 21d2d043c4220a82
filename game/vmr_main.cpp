// vmr_main: the game program.

#include <iostream>
#include <string>

#include "game/console/console_session.h"
#include "game/core/startup.h"

namespace {

std::string joinArguments(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  // Everything the console prints also goes to the terminal the game was started from, so a
  // bug report can carry it.
  console::ScopedOutputStream stream(std::cout);
  const int exitCode = runProgram(joinArguments(argc, argv));
  std::cout << std::endl;
  return exitCode;
}
