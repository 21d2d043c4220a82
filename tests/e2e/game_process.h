#pragma once
// Runs the game program as a child process from the data folder, with a preference store
// and a user data folder of its own, and collects what it printed.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

struct GameRun {
  int exitCode = -1;
  bool timedOut = false;
  std::string output;  // standard output and error: the console mirrored
};

// The game's XDG_DATA_HOME for a run with `configHome`; its files are in "vellmoor" below it.
std::filesystem::path userDataHome(const std::filesystem::path& configHome);

// Starts the game with `arguments` in `dataFolder` (empty: the built one without its intro
// video, which the game then skips), waits at most `limit`, and kills it when it overruns.
GameRun runGame(const std::vector<std::string>& arguments, const std::filesystem::path& configHome,
                std::chrono::seconds limit, const std::filesystem::path& dataFolder = {});
