#pragma once
// Where the programs find their data. In the build tree the programs sit in build/bin and the
// data folder in build/data; an installed tree has bin/ and share/vellmoor/. Both are found
// from the running program's own place, so a tree moved elsewhere, or unpacked from the
// package into any folder, still runs.

#include <filesystem>
#include <optional>

// The folder of the running program; nothing when the system can't tell.
std::optional<std::filesystem::path> programFolder();

// The data folder of a program in `folder`: ../share/vellmoor in an installed tree, else
// ../data in the build tree; nothing when neither holds a cfg folder.
std::optional<std::filesystem::path> dataFolderBeside(const std::filesystem::path& folder);

// The running program's data folder, as dataFolderBeside finds it.
std::optional<std::filesystem::path> programDataFolder();

// `folder` holds the game's configuration files.
bool isDataFolder(const std::filesystem::path& folder);
