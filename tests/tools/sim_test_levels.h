#pragma once
// Data folders for simulator tests: the game's own water, camera and surface settings and
// small levels compiled from level sources.

#include <string_view>

#include "test_support/temp_directory.h"

// The interior of the basin level: a U of 40-unit walls closed by a lid, every outline
// clockwise on screen; the water starts in its upper half.
constexpr float kBasinLeft = 0.0f;
constexpr float kBasinTop = 0.0f;
constexpr float kBasinRight = 200.0f;
constexpr float kBasinBottom = 200.0f;
constexpr std::string_view kBasinLevel = "lev/basin.swah";

// Copies the game's configuration files into `data`/cfg.
void copyGameConfiguration(const TempDirectory& data);
// Compiles the level source into `data`/`relativePath`; fails the test when it is refused.
void writeLevel(const TempDirectory& data, std::string_view relativePath,
                std::string_view levelSource);
// The game's configuration and the basin level at kBasinLevel.
void prepareBasinFolder(const TempDirectory& data);
