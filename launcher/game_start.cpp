#include "launcher/game_start.h"

#include <spawn.h>
#include <sys/types.h>

#include <vector>

#include "common/install_layout.h"
#include "common/text.h"

extern char** environ;

namespace {

constexpr const char* kGameProgramName = "vmr_main";

}  // namespace

GameProgram installedGame() {
  GameProgram game;
  if (const std::optional<std::filesystem::path> folder = programFolder())
    game.program = *folder / kGameProgramName;
  else
    game.program = kGameProgramName;
  game.dataFolder = programDataFolder().value_or(std::filesystem::path());
  return game;
}

bool startGame(const GameProgram& game, std::string_view options) {
  if (game.dataFolder.empty()) return false;
  std::vector<std::string> words = splitWords(options);
  words.insert(words.begin(), game.program.string());
  std::vector<char*> arguments;
  for (std::string& word : words) arguments.push_back(word.data());
  arguments.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, game.dataFolder.c_str());
  pid_t child = 0;
  const int error =
      posix_spawn(&child, game.program.c_str(), &actions, nullptr, arguments.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0;
}

std::string launchFailureText(const GameProgram& game) {
  return "Unable to find or run the game executable '" + game.program.string() +
         "'.\nPlease attempt reinstallation of the program.";
}
