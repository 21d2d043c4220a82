#pragma once
// The settings the game program starts with: built-in values, overridden by the stored
// preferences, overridden by the command line. Options given on the command line are
// written back to the preferences so they stay in force at the next start.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/version.h"

constexpr std::string_view kWindowTitle = "Vellmoor: Version 1.03";

struct StartupSettings {
  int32_t detailLevel = 2;  // 0..5: multisampling, texture quality and anisotropy
  uint32_t resolutionX = 800;
  uint32_t resolutionY = 600;
  bool fullscreen = true;
  std::string startMap = "lev\\01_first_turn.swah";  // the first level; never stored
  bool mapGiven = false;  // -map chose the level: a returning player's progress doesn't
  std::string execFile;  // a console script run after start-up; never stored
};

// Fills `settings` from the preference key, creating the key on a first run. Values that
// are missing or fail their test leave the setting as it was.
void readPreferences(StartupSettings& settings);

// Applies the options "-DETAIL", "-RESOLUTION", "-MAP", "-FULLSCREEN", "-SOUND", "-MUSIC",
// "-REDUCEDMOTION", "-HIGHCONTRAST", "-EXEC" (any letter case) and writes each accepted one,
// but the map and the script, to the preferences.
void parseCommandLine(std::string_view commandLine, StartupSettings& settings);

// What a detail level asks of the window and the textures at start-up.
struct DetailPlan {
  // Tried in turn until the window takes one; none keeps one sample per pixel.
  std::vector<int32_t> sampleCounts;
  std::optional<int32_t> textureQuality;  // unset: the texture system's own
  std::optional<int32_t> anisotropy;
};
DetailPlan detailPlan(int32_t detailLevel);
