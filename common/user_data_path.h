#pragma once
// The files the game writes belong to the player, not to the data folder, which is read-only
// once installed: the high scores, the console log and screenshots go to the per-user data
// folder, $XDG_DATA_HOME/vellmoor when XDG_DATA_HOME is an absolute path, else
// $HOME/.local/share/vellmoor. They keep the relative layout the game names them by, so
// "sav\scores.sav" lives at <folder>/sav/scores.sav. The environment is read at every call,
// so a change takes effect at once.

#include <filesystem>
#include <optional>
#include <string_view>

// $HOME when it is an absolute path, else the home the user database gives; nothing when
// neither is known.
std::optional<std::filesystem::path> userHomeFolder();

// The per-user data folder; nothing when no home is known. Nothing is created.
std::optional<std::filesystem::path> userDataFolder();

// Where the game-relative `name` ("sav\scores.sav", "ConsoleLog.txt") lives in the data folder:
// split on "\" and "/", each piece matched without regard to case as data paths are. Nothing
// when there is no folder, the name has no pieces, or a ".." piece would leave the folder.
std::optional<std::filesystem::path> userDataPath(std::string_view name);

// As userDataPath, with the folders on the way created; nothing when one can't be made.
std::optional<std::filesystem::path> prepareUserDataPath(std::string_view name);
