#pragma once
// Starting the game program in its data folder with the launcher's options.

#include <filesystem>
#include <string>
#include <string_view>

struct GameProgram {
  std::filesystem::path program;     // the game program, vmr_main
  std::filesystem::path dataFolder;  // its working directory
};

// The game of the launcher's own tree: vmr_main beside the launcher, and the tree's data
// folder (an empty path when none is found, which makes the start fail).
GameProgram installedGame();

// Starts `game.program` with the words of `options` as its arguments, in `game.dataFolder`,
// and lets it run on its own. False when it can't be started.
bool startGame(const GameProgram& game, std::string_view options);

// The message shown when startGame fails.
std::string launchFailureText(const GameProgram& game);
inline constexpr std::string_view kLaunchFailureCaption = "Unable to launch game";
